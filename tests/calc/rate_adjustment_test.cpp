// Rate adjustments: a part's rate from any day on, over its table; and what 计算 refuses.
#include "calc/compare.h"
#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "common/text.h"
#include "tests/support/worked_loan.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumavo {
namespace {

// The worked loan (100,000 at a fixed 6 %, twelve payments on the 15th from 2009-02-15).
LoanInput Loan(std::vector<RateAdjustment> adjustments = {})
{
    LoanInput input = testing_support::WorkedLoan();
    input.adjustments = std::move(adjustments);
    return input;
}

Schedule Compute(const LoanInput& input, const RateTable& s = {}, const RateTable& g = {})
{
    auto outcome = CalculateSchedule(input, Method::Debx, s, g);
    EXPECT_TRUE(std::holds_alternative<Schedule>(outcome)) << std::get<Refusal>(outcome).message;
    return std::holds_alternative<Schedule>(outcome) ? std::get<Schedule>(outcome) : Schedule{};
}

std::vector<std::array<std::string, 8>> Texts(const Schedule& schedule)
{
    std::vector<std::array<std::string, 8>> texts;
    for (const ScheduleRow& row : schedule.rows)
        texts.push_back(ScheduleRowTexts(row));
    return texts;
}

double Daily(double balance, double rate, int days)
{
    return balance * rate / 100 / 360 * days;
}

double Annuity(double balance, double rate, int periods)
{
    const double m = rate / 100 / 12;
    return m / (std::pow(1 + m, periods) - 1) * balance;
}

TEST(RateAdjustments, SplitTheSpanByDayAndRecomputeTheInstalment)
{
    struct Case
    {
        const char* name;
        Date date;
        double expectedInterest; // of the 2009-06-15 row, on the balance after 2009-05-15
        double instalmentRate;   // the rate its principal is worked out at
    };
    const double b = Compute(Loan()).rows[3].balance;
    const Case cases[] = {
        // 5 days of May at 6 %, then 26 days at 4.8 %: the month is no longer a plain 30 days.
        {"mid-period", {2009, 5, 20}, Daily(b, 6, 5) + Daily(b, 4.8, 26), 4.8},
        // On the payment day itself every day of the span is still at 6 %, counted by day.
        {"on the payment day", {2009, 6, 15}, Daily(b, 6, 31), 4.8},
        // The day after it: the row is untouched, the next one splits.
        {"the day after", {2009, 6, 16}, Daily(b, 6, 30), 6},
    };
    for (const Case& c : cases) {
        const Schedule schedule = Compute(Loan({{c.date, LoanPart::S, 4.8}}));
        const ScheduleRow& row = schedule.rows.at(4);
        EXPECT_EQ(MoneyText(row.interest), MoneyText(c.expectedInterest)) << c.name;
        EXPECT_EQ(MoneyText(*row.principal), MoneyText(Annuity(b, c.instalmentRate, 8))) << c.name;
    }
}

TEST(RateAdjustments, OnFirstJanuaryMatchTheFloatingTableAndAfterTheLastPaymentChangeNothing)
{
    LoanInput floating = Loan();
    floating.floatingRates = true;
    floating.ajqs = 24;
    RateTable table;
    table.Fill(6);
    table.Set(2, 3); // the loan's second calendar year, 2010
    LoanInput adjusted = Loan({{{2010, 1, 1}, LoanPart::S, 3}, {{2011, 1, 1}, LoanPart::S, 6}});
    adjusted.ajqs = 24;
    EXPECT_EQ(Texts(Compute(adjusted)), Texts(Compute(floating, table)));

    EXPECT_EQ(Texts(Compute(Loan({{{2010, 1, 16}, LoanPart::S, 3}}))), Texts(Compute(Loan())));

    // The provident part's adjustment leaves the commercial part's rows alone.
    LoanInput both = Loan({{{2009, 5, 20}, LoanPart::G, 3}});
    both.ratioS = 60;
    both.ratioG = 40;
    both.nllG = 4.5;
    LoanInput commercialOnly = both;
    commercialOnly.adjustments.clear();
    const Schedule a = Compute(both);
    const Schedule c = Compute(commercialOnly);
    EXPECT_EQ(a.parts[PartIndex(LoanPart::S)].totalPaid, c.parts[PartIndex(LoanPart::S)].totalPaid);
    EXPECT_LT(a.parts[PartIndex(LoanPart::G)].totalPaid, c.parts[PartIndex(LoanPart::G)].totalPaid);
}

TEST(RateAdjustments, EqualInstalmentSummaryGoesBlankAsWithFloatingRates)
{
    EXPECT_TRUE(Compute(Loan()).totals.summaryEnabled);
    const Schedule adjusted = Compute(Loan({{{2009, 5, 20}, LoanPart::S, 4.8}}));
    EXPECT_FALSE(adjusted.totals.summaryEnabled);
    EXPECT_EQ(adjusted.totals.summary, 0);
}

TEST(RateAdjustments, CalculationRefusesTheFirstBadEntryNamingIt)
{
    struct Case
    {
        std::vector<RateAdjustment> adjustments;
        const char* message;
    };
    const Case cases[] = {
        {{{{2009, 1, 14}, LoanPart::S, 4.8}},
         "利率调整“2009年01月14日 商业贷款 4.800%”早于放贷日期！"},
        {{{{2009, 3, 1}, LoanPart::S, 0}},
         "利率调整“2009年03月01日 商业贷款 0.000%”的年利率须大于0且小于100！"},
        {{{{2009, 3, 1}, LoanPart::S, 100}},
         "利率调整“2009年03月01日 商业贷款 100.000%”的年利率须大于0且小于100！"},
        {{{{2009, 3, 1}, LoanPart::G, 3}},
         "利率调整“2009年03月01日 公积金贷款 3.000%”所属贷款的比例为0！"},
        // In date order: the later bad entry waits for the earlier one.
        {{{{2009, 6, 1}, LoanPart::S, -1},
          {{2009, 4, 1}, LoanPart::S, 5},
          {{2009, 4, 1}, LoanPart::S, 4}},
         "利率调整“2009年04月01日 商业贷款 4.000%”与同日同一贷款的另一项重复！"},
    };
    for (const Case& c : cases) {
        auto outcome = CalculateSchedule(Loan(c.adjustments), Method::Debx, {}, {});
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << c.message;
        EXPECT_EQ(std::get<Refusal>(outcome).message, c.message);
    }
    // On the lending day itself is allowed: the first span starts there.
    EXPECT_EQ(Compute(Loan({{{2009, 1, 15}, LoanPart::S, 4.8}})).rows.at(0).interest,
              Daily(100000, 4.8, 31));
}

TEST(LoanTotals, ATotalBelowOneFenNeverShowsNegativeInterest)
{
    for (const double total : {0.001, 0.004, 0.005, 0.006, 0.009, 0.01, 0.014, 0.015})
        for (const double share : {100.0, 70.0, 50.0, 0.0}) {
            LoanInput input = Loan();
            input.dkze = total;
            input.ratioS = share;
            input.ratioG = 100 - share;
            input.nllG = 4.5;
            auto compared = CompareLoan(input, {}, {});
            ASSERT_TRUE(std::holds_alternative<Comparison>(compared)) << total;
            for (const auto& figures : std::get<Comparison>(compared).scenarios)
                EXPECT_EQ(MoneyText(figures.schedule.totals.lxze).front() == '-', false)
                    << total << " " << share;
        }
}

} // namespace
} // namespace lumavo
