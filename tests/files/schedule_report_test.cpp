// A report of a floating-rate loan said "年利率：浮动利率" and not which rates: a printout or a
// workbook must name the yearly rates the schedule charged.
#include "calc/schedule_text.h"
#include "files/schedule_report.h"
#include "tests/support/worked_loan.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumavo {
namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

struct RatesCase
{
    const char* name;
    double periods;
    Date lending;
    Date firstPayment;
    double shareS;
    std::vector<std::pair<int, double>> s; // entries from the given one on, all 0 before
    std::vector<std::pair<int, double>> g;
    Lines expected; // the loan block's lines from 年利率 up to 放贷日
    std::optional<RateRule> ruleS{};
};

RateTable Table(const std::vector<std::pair<int, double>>& from)
{
    RateTable table;
    for (const auto& [entry, rate] : from)
        for (int n = entry; n < RateTable::kEntries; ++n)
            table.Set(n, rate);
    return table;
}

class ReportRates : public testing::TestWithParam<RatesCase>
{
};

TEST_P(ReportRates, NameTheYearlyRatesCharged)
{
    const RatesCase& c = GetParam();
    LoanInput input = testing_support::WorkedLoan();
    input.ajqs = c.periods;
    input.lending = c.lending;
    input.firstPayment = c.firstPayment;
    input.ratioS = c.shareS;
    input.ratioG = 100 - c.shareS;
    input.floatingRates = true;
    FloatingTables floating;
    floating.s = Table(c.s);
    floating.g = Table(c.g);
    auto outcome = CalculateSchedule(input, Method::Debx, floating.s, floating.g);
    ASSERT_TRUE(std::holds_alternative<Schedule>(outcome)) << std::get<Refusal>(outcome).message;
    auto schedule = std::get<Schedule>(std::move(outcome));
    TextGrid grid = ScheduleGridTexts(schedule);
    floating.ruleS = c.ruleS;
    const ScheduleReport report = BuildScheduleReport(
        Calculation{Method::Debx, input, std::move(schedule), floating}, std::move(grid));

    Lines lines;
    bool inRates = false;
    for (const ReportLine& line : report.loan) {
        inRates = (inRates || line.label == "年利率：") && line.label != "放贷日：";
        if (inRates)
            lines.emplace_back(line.label, line.text + line.unit);
    }
    EXPECT_EQ(lines, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Loans,
    ReportRates,
    testing::Values(RatesCase{"OneRateOverTheLoan",
                              12,
                              {2009, 1, 15},
                              {2009, 2, 15},
                              100,
                              {{0, 5.94}},
                              {},
                              {{"年利率：", "浮动利率"}, {"商业利率：", "2009—2010年 5.940%"}}},
                    // Runs of equal years, two to a line so a printed line fits its column.
                    RatesCase{"RunsOfEqualYears",
                              60,
                              {2009, 1, 15},
                              {2009, 2, 15},
                              100,
                              {{0, 5.94}, {3, 6.12}, {5, 4.9}},
                              {},
                              {{"年利率：", "浮动利率"},
                               {"商业利率：", "2009—2010年 5.940%，2011—2012年 6.120%"},
                               {"", "2013—2014年 4.900%"}}},
                    // Lent in December, first paid in January: the lending year charges entry 0.
                    RatesCase{
                        "LendingYearBeforeTheFirstPayment",
                        12,
                        {2009, 12, 20},
                        {2010, 1, 20},
                        100,
                        {{0, 5.0}, {1, 5.5}},
                        {},
                        {{"年利率：", "浮动利率"}, {"商业利率：", "2009年 5.000%，2010年 5.500%"}}},
                    RatesCase{"CombinationNamesBothParts",
                              24,
                              {2009, 1, 15},
                              {2009, 2, 15},
                              60,
                              {{0, 5.94}, {2, 5.4}},
                              {{0, 3.87}},
                              {{"年利率：", "浮动利率"},
                               {"商业利率：", "2009年 5.940%，2010—2011年 5.400%"},
                               {"公积金利率：", "2009—2011年 3.870%"}}},
                    RatesCase{"ProvidentFundOnly",
                              12,
                              {2009, 1, 15},
                              {2009, 2, 15},
                              0,
                              {},
                              {{0, 3.87}},
                              {{"年利率：", "浮动利率"}, {"公积金利率：", "2009—2010年 3.870%"}}},
                    // Filled by a rule and not typed over since: the rule is named too.
                    RatesCase{"RuleThatFilledTheTable",
                              12,
                              {2009, 1, 15},
                              {2009, 2, 15},
                              100,
                              {{0, 4.35}},
                              {},
                              {{"年利率：", "浮动利率"},
                               {"商业利率：", "2009—2010年 4.350%"},
                               {"", "按规则填充：LPR＋基点 -30"}},
                              RateRule{RuleKind::LprPlus, -30}}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo
