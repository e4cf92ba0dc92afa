// The rates the grid's tooltips name per row: where a row's span starts and ends, which points of
// a path are changes, and which parts still count.
#include "calc/row_rates.h"
#include "tests/support/worked_loan.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace lumavo {
namespace {

struct RowRatesCase
{
    std::string name;
    std::vector<RateAdjustment> adjustments;
    std::vector<std::string> tips; // of the first rows, in order
    double ratioS = 100;
    std::vector<Ttqhd> plan{};
    double floating2010 = 0; // with floating rates of 6 %, the rate of 2010; 0: fixed rates
};

class RowRatesTest : public testing::TestWithParam<RowRatesCase>
{
};

TEST_P(RowRatesTest, TipsOfTheFirstRows)
{
    const RowRatesCase& c = GetParam();
    // Payments on the 15th from 2009-02-15; lent 2009-01-15.
    LoanInput input = testing_support::WorkedLoan();
    input.ratioS = c.ratioS;
    input.ratioG = 100 - c.ratioS;
    input.nllG = 4.5;
    input.adjustments = c.adjustments;
    input.plan = c.plan;
    RateTable tableS;
    RateTable tableG;
    if (c.floating2010 > 0) {
        input.floatingRates = true;
        tableS.Fill(6);
        tableS.Set(2, c.floating2010);
        tableG.Fill(4.5);
    }
    const auto checked = CheckLoanInput(input, tableS, tableG);
    ASSERT_TRUE(std::holds_alternative<RunRates>(checked));
    const RunRates& rates = std::get<RunRates>(checked);
    const Schedule schedule = BuildSchedule(input, Method::Debx, rates);
    const std::vector<RowRates> rows = ScheduleRowRates(schedule, input, rates);
    ASSERT_EQ(rows.size(), schedule.rows.size());
    for (std::size_t i = 0; i < c.tips.size(); ++i)
        EXPECT_EQ(RowRatesTip(rows.at(i)), c.tips[i]) << "row " << i;
}

const std::string kS6 = "商业贷款年利率 6.000%";
const std::string kS5 = "商业贷款年利率 5.000%";
const std::string kG45 = "公积金贷款年利率 4.500%";

INSTANTIATE_TEST_SUITE_P(
    Spans,
    RowRatesTest,
    testing::Values(
        RowRatesCase{"ChangeWithinASpan",
                     {{{2009, 3, 20}, LoanPart::S, 5}},
                     {kS6, kS6, "2009年03月20日起 商业贷款年利率 5.000%", kS5}},
        // The row's interest still bears 6 %, its instalment 5 %: the change is that row's.
        RowRatesCase{"ChangeOnAPaymentDay",
                     {{{2009, 4, 15}, LoanPart::S, 5}},
                     {kS6, kS6, "2009年04月15日起 商业贷款年利率 5.000%", kS5}},
        RowRatesCase{"ChangeOnTheLendingDayIsTheStartingRate",
                     {{{2009, 1, 15}, LoanPart::S, 5}},
                     {kS5, kS5}},
        RowRatesCase{"TwoChangesInOneSpan",
                     {{{2009, 2, 20}, LoanPart::S, 5}, {{2009, 3, 1}, LoanPart::S, 5.5}},
                     {kS6, "2009年02月20日起 商业贷款年利率 5.000%\n"
                           "2009年03月01日起 商业贷款年利率 5.500%"}},
        RowRatesCase{"EachPartItsOwnLines",
                     {{{2009, 3, 25}, LoanPart::S, 5}, {{2009, 3, 20}, LoanPart::G, 3.5}},
                     {kS6 + "\n" + kG45, kS6 + "\n" + kG45,
                      "2009年03月25日起 商业贷款年利率 5.000%\n"
                      "2009年03月20日起 公积金贷款年利率 3.500%"},
                     60},
        // The prepayment row that settles the provident part is its last.
        RowRatesCase{"SettledPartDropsOut",
                     {},
                     {kS6 + "\n" + kG45, kS6 + "\n" + kG45, kS6},
                     60,
                     {Ttqhd{"2009年03月01日", 0, 0, LoanPart::G, true}}},
        RowRatesCase{"TableYearWithANewRate",
                     {},
                     {kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6,
                      "2010年01月01日起 商业贷款年利率 5.500%"},
                     100,
                     {},
                     5.5},
        RowRatesCase{"TableYearRepeatingTheRateChangesNothing",
                     {},
                     {kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6, kS6},
                     100,
                     {},
                     6}),
    [](const auto& p) { return p.param.name; });

} // namespace
} // namespace lumavo
