// Day counts, plan entries and the limits of the rate tables, one rule per case.
#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "common/text.h"
#include "tests/support/worked_loan.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace lumavo {
namespace {

LoanInput Loan(double ratioS = 100)
{
    LoanInput input = testing_support::WorkedLoan();
    input.ratioS = ratioS;
    input.ratioG = 100 - ratioS;
    input.nllG = 4.5;
    return input;
}

Ttqhd Entry(const std::string& date,
            std::variant<LoanPart, std::string> part,
            double amount,
            double shorten = 0,
            bool oneover = false)
{
    return Ttqhd{date, amount, shorten, part, oneover};
}

Schedule Compute(const LoanInput& input,
                 Method method = Method::Debx,
                 const RateTable& s = {},
                 const RateTable& g = {})
{
    auto outcome = CalculateSchedule(input, method, s, g);
    EXPECT_TRUE(std::holds_alternative<Schedule>(outcome));
    return std::holds_alternative<Schedule>(outcome) ? std::get<Schedule>(outcome) : Schedule{};
}

std::string Cell(const Schedule& schedule, int row, int column)
{
    return ScheduleRowTexts(
        schedule.rows.at(static_cast<std::size_t>(row - 1)))[static_cast<std::size_t>(column)];
}

double DailyInterest(double balance, double rate, int days)
{
    return balance * rate / 100 / 360 * days;
}

// Every loan that ends has repaid exactly its principal: what it paid beyond it is interest.
void ExpectPaidOff(const Schedule& schedule, double principal)
{
    ASSERT_FALSE(schedule.rows.empty());
    EXPECT_EQ(MoneyText(schedule.rows.back().balance), "0.00");
    EXPECT_NEAR(schedule.totals.hkze - schedule.totals.lxze, principal, 0.011);
}

TEST(DayCount, DaysInMonthCountsEveryFourthYearAsLeap)
{
    EXPECT_EQ(DaysInMonth(2012, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 29);
    EXPECT_EQ(DaysInMonth(2011, 2), 28);
    EXPECT_EQ(DaysInMonth(2011, 4), 30);
    EXPECT_EQ(DaysInMonth(2011, 13), 0);
    EXPECT_EQ(DaysInMonth("2011", "x"), -1);
    EXPECT_EQ(DaysInMonth("2012", "02"), 29);
}

TEST(DayCount, FirstSpanLongerThanAMonthCountsEveryDay)
{
    LoanInput input = Loan();
    input.lending = {2009, 1, 31};
    input.firstPayment = {2009, 3, 1};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 1, 1), MoneyText(DailyInterest(100000, 6, 29)));
}

TEST(DayCount, LongFirstSpanSplitsAtTheYearEnd)
{
    LoanInput input = Loan();
    input.floatingRates = true;
    input.lending = {2008, 12, 31};
    input.firstPayment = {2009, 2, 1};
    RateTable rates;
    rates.Fill(3.6);
    rates.Set(0, 7.2);
    const Schedule schedule = Compute(input, Method::Debx, rates);
    EXPECT_EQ(Cell(schedule, 1, 1), "330.00"); // 1 day at 7.2, 31 days at 3.6
}

TEST(DayCount, JanuaryAfterARateChangeSplitsAndEqualRatesKeepThirtyDays)
{
    LoanInput input = Loan();
    input.floatingRates = true;
    input.ajqs = 24;
    RateTable changing;
    changing.Fill(6);
    changing.Set(2, 3);
    const Schedule split = Compute(input, Method::Debx, changing);
    const double before = split.rows[10].balance; // after 2009-12-15
    EXPECT_EQ(Cell(split, 12, 0), "2010年01月15日");
    EXPECT_EQ(Cell(split, 12, 1),
              MoneyText(DailyInterest(before, 6, 17) + DailyInterest(before, 3, 14)));

    RateTable level;
    level.Fill(6);
    const Schedule flat = Compute(input, Method::Debx, level);
    EXPECT_EQ(Cell(flat, 12, 1), MoneyText(DailyInterest(flat.rows[10].balance, 6, 30)));
}

TEST(DayCount, PaymentDayPastMonthEndKeepsItsTextAndCountsFromTheLastDay)
{
    LoanInput input = Loan();
    input.lending = {2009, 1, 1};
    input.firstPayment = {2009, 1, 31};
    input.plan = {Entry("2009年03月01日", LoanPart::S, 1000)};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 2, 0), "2009年02月31日");
    EXPECT_EQ(Cell(schedule, 3, 0), "2009年03月01日");
    // One day, 28 February to 1 March; counted from the written 31st it would be negative.
    EXPECT_EQ(Cell(schedule, 3, 1), MoneyText(DailyInterest(schedule.rows[1].balance, 6, 1)));
    EXPECT_EQ(Cell(schedule, 4, 1), MoneyText(DailyInterest(schedule.rows[2].balance, 6, 30)));
}

TEST(PlanEntries, OnThePaymentDayComesAfterTheRegularRowAndBearsNoInterest)
{
    LoanInput input = Loan();
    input.plan = {Entry("2009年05月15日", LoanPart::S, 20000)};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 4, 0), "2009年05月15日"); // the regular row first
    EXPECT_EQ(Cell(schedule, 4, 6), "");
    EXPECT_EQ(Cell(schedule, 5, 0), "2009年05月15日");
    EXPECT_EQ(Cell(schedule, 5, 1), "0.00");
    EXPECT_EQ(Cell(schedule, 6, 1), MoneyText(DailyInterest(schedule.rows[4].balance, 6, 31)));
}

TEST(PlanEntries, SameDayProvidentAndCommercialShareOneRow)
{
    LoanInput input = Loan(60);
    input.plan = {Entry("2009年05月01日", LoanPart::G, 5000),
                  Entry("2009年05月01日", LoanPart::S, 7000)};
    const Schedule schedule = Compute(input);
    ASSERT_EQ(schedule.rows.size(), 13u);
    EXPECT_EQ(Cell(schedule, 4, 6), "7000.00");
    EXPECT_EQ(Cell(schedule, 4, 7), "5000.00");
    EXPECT_EQ(Cell(schedule, 4, 2), "");
}

TEST(PlanEntries, OnePartAloneLeavesTheOtherColumnEmpty)
{
    LoanInput input = Loan(60);
    input.plan = {Entry("2009年05月01日", LoanPart::G, 5000)};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 4, 6), "");
    EXPECT_EQ(Cell(schedule, 4, 7), "5000.00");
}

TEST(PlanEntries, ShorteningOnlyStillSettlesThePart)
{
    LoanInput input = Loan();
    input.plan = {Entry("2009年05月01日", LoanPart::S, 0, 1)};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 4, 6), "0.00");
    EXPECT_EQ(Cell(schedule, 5, 1), MoneyText(DailyInterest(schedule.rows[3].balance, 6, 14)));
    EXPECT_EQ(schedule.rows.size(), 12u);
}

TEST(PlanEntries, PayOffBeforeThePaymentDayStillWritesTheMonthsRow)
{
    LoanInput input = Loan();
    input.plan = {Entry("2009年05月01日", LoanPart::S, 0, 0, true)};
    const Schedule schedule = Compute(input);
    ASSERT_EQ(schedule.rows.size(), 5u);
    EXPECT_EQ(Cell(schedule, 4, 6), "75558.27");
    EXPECT_EQ(Cell(schedule, 5, 0), "2009年05月15日");
    EXPECT_EQ(Cell(schedule, 5, 1), "0.00");
    EXPECT_EQ(Cell(schedule, 5, 2), "0.00");
    EXPECT_EQ(Cell(schedule, 5, 3), "0.00");
    EXPECT_EQ(EndDateText(schedule.totals), "2009年05月15日");
    ExpectPaidOff(schedule, 100000);
}

// An amount above the balance used to drive the balance negative and leave it so.
TEST(PlanEntries, AmountAboveTheBalanceRepaysOnlyTheBalance)
{
    for (const Method method : {Method::Debx, Method::Debj}) {
        LoanInput input = Loan();
        input.plan = {Entry("2009年05月01日", LoanPart::S, 200000)};
        const Schedule schedule = Compute(input, method);
        ASSERT_EQ(schedule.rows.size(), 5u); // the month's regular row still follows
        EXPECT_EQ(Cell(schedule, 4, 6), MoneyText(schedule.rows[2].balance));
        EXPECT_EQ(Cell(schedule, 4, 4), "0.00");
        EXPECT_EQ(Cell(schedule, 5, 3), "0.00");
        ExpectPaidOff(schedule, 100000);
    }
}

// Shortening past the end used to stop the part with principal never repaid.
TEST(PlanEntries, ShorteningPastTheEndLeavesOnePaymentThatClearsThePart)
{
    for (const Method method : {Method::Debx, Method::Debj}) {
        LoanInput input = Loan();
        input.plan = {Entry("2009年05月01日", LoanPart::S, 1000, 20)};
        const Schedule schedule = Compute(input, method);
        ASSERT_EQ(schedule.rows.size(), 5u);
        EXPECT_EQ(Cell(schedule, 5, 0), "2009年05月15日");
        ExpectPaidOff(schedule, 100000);
    }
}

// Two entries of one part on one day can only come from a hand-made file.
TEST(PlanEntries, SecondEntryOfAPartOnTheSameDayIsItsOwnEntry)
{
    LoanInput input = Loan(50);
    input.plan = {Entry("2009年05月01日", LoanPart::G, 5000),
                  Entry("2009年05月01日", LoanPart::G, 3000),
                  Entry("2009年05月01日", LoanPart::S, 4000)};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 4, 7), "5000.00");
    EXPECT_EQ(Cell(schedule, 4, 6), "");
    EXPECT_EQ(Cell(schedule, 5, 7), "3000.00");
    EXPECT_EQ(Cell(schedule, 5, 6), "4000.00");

    LoanInput commercialOnly = Loan(50);
    commercialOnly.plan = {Entry("2009年05月01日", LoanPart::S, 4000)};
    const Schedule reference = Compute(commercialOnly);
    EXPECT_EQ(Cell(schedule, 5, 1), Cell(reference, 4, 1)); // the second G entry bears 0 days
}

TEST(PlanEntries, EntriesThatDoNotFitArePassedOver)
{
    LoanInput input = Loan();
    input.lending = {2009, 1, 20};
    input.firstPayment = {2009, 1, 25};
    input.plan = {Entry("2009年01月10日", LoanPart::S, 1000),  // before the lending date
                  Entry("2008年12月01日", LoanPart::S, 1000),  // before the first payment month
                  Entry("2009年03月01日", LoanPart::G, 1000),  // a part with no share
                  Entry("2009年04月xx日", LoanPart::S, 1000),  // no day
                  Entry("2009年04月01日", "X", 1000),          // no part
                  Entry("2030年01月01日", LoanPart::S, 1000)}; // after the loan ended
    const Schedule schedule = Compute(input);
    EXPECT_EQ(schedule.rows.size(), 12u);
    for (const ScheduleRow& row : schedule.rows)
        EXPECT_EQ(row.kind, RowKind::Regular);
}

TEST(RateTables, ZeroRateInAnUncheckedYearRepaysPrincipalEvenly)
{
    LoanInput input = Loan();
    input.floatingRates = true;
    input.ajqs = 13;
    RateTable rates;
    rates.Set(0, 6);
    rates.Set(1, 6); // entry 2, for 2010, stays 0
    const Schedule schedule = Compute(input, Method::Debx, rates);
    ASSERT_EQ(schedule.rows.size(), 13u);
    EXPECT_EQ(Cell(schedule, 12, 2), MoneyText(schedule.rows[10].balance / 2));
    EXPECT_EQ(Cell(schedule, 13, 1), "0.00");
    ExpectPaidOff(schedule, 100000);
}

TEST(RateTables, YearsPastTheThirtiethUseTheLastEntry)
{
    LoanInput input = Loan();
    input.floatingRates = true;
    input.ajqs = 360;
    RateTable rates;
    rates.Fill(5);
    rates.Set(30, 9);
    const Schedule schedule = Compute(input, Method::Debx, rates);
    ASSERT_EQ(schedule.rows.size(), 360u);
    EXPECT_EQ(Cell(schedule, 360, 0), "2039年01月15日");
    EXPECT_EQ(Cell(schedule, 360, 1), MoneyText(DailyInterest(schedule.rows[358].balance, 9, 30)));
    ExpectPaidOff(schedule, 100000);
}

TEST(Summary, ShortLoansHaveNoThirdRow)
{
    for (const double periods : {1.0, 2.0}) {
        LoanInput input = Loan();
        input.ajqs = periods;
        const Schedule schedule = Compute(input);
        EXPECT_EQ(schedule.totals.summary, 0);
        EXPECT_TRUE(schedule.totals.summaryEnabled);
    }
}

// Rates that change leave the equal installment no one level; the monthly principal keeps one.
TEST(Summary, ChangingRatesFillOnlyTheEqualPrincipalSummary)
{
    LoanInput floating = Loan();
    floating.floatingRates = true;
    LoanInput adjusted = Loan();
    adjusted.adjustments = {{{2009, 6, 1}, LoanPart::S, 5}};
    RateTable rates;
    rates.Fill(6);
    for (const LoanInput& input : {floating, adjusted}) {
        const Schedule debx = Compute(input, Method::Debx, rates);
        EXPECT_FALSE(debx.totals.summaryEnabled);
        EXPECT_EQ(debx.totals.summary, 0);
        const Schedule debj = Compute(input, Method::Debj, rates);
        EXPECT_TRUE(debj.totals.summaryEnabled);
        EXPECT_EQ(MoneyText(debj.totals.summary), "8333.33");
    }
}

// A row of one part leaves the other part's interest counting from its own last settling row.
struct OtherPartCase
{
    std::string name;
    LoanPart first;  // the part repaid on 1 May
    LoanPart second; // the part repaid on 5 May
};

class Settlement : public testing::TestWithParam<OtherPartCase>
{
};

std::string PartsName(const testing::TestParamInfo<OtherPartCase>& info)
{
    return info.param.name;
}

TEST_P(Settlement, RowOfTheOtherPartDoesNotRestartTheCount)
{
    const OtherPartCase& c = GetParam();
    LoanInput input = Loan(50);
    input.plan = {Entry("2009年05月01日", c.first, 5000), Entry("2009年05月05日", c.second, 4000)};
    const Schedule schedule = Compute(input);
    ASSERT_EQ(Cell(schedule, 5, 0), "2009年05月05日");

    // Without the first entry, the second part counts from the regular row of 15 April.
    LoanInput secondOnly = Loan(50);
    secondOnly.plan = {Entry("2009年05月05日", c.second, 4000)};
    const Schedule reference = Compute(secondOnly);
    ASSERT_EQ(Cell(reference, 4, 0), "2009年05月05日");
    EXPECT_EQ(Cell(schedule, 5, 1), Cell(reference, 4, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Parts,
    Settlement,
    testing::Values(OtherPartCase{"ProvidentThenCommercial", LoanPart::G, LoanPart::S},
                    OtherPartCase{"CommercialThenProvident", LoanPart::S, LoanPart::G}),
    PartsName);

TEST(SettlementStart, BeforeAnyRowTheCountStartsAtTheLendingDate)
{
    LoanInput input = Loan();
    input.plan = {Entry("2009年02月01日", LoanPart::S, 1000)};
    const Schedule schedule = Compute(input);
    EXPECT_EQ(Cell(schedule, 1, 0), "2009年02月01日");
    EXPECT_EQ(Cell(schedule, 1, 1), MoneyText(DailyInterest(100000, 6, 17)));
    EXPECT_EQ(Cell(schedule, 2, 1), MoneyText(DailyInterest(99000, 6, 14)));
}

// Within one side of the payment day entries go in plan order, not sorted by day; each row
// carries the day of its own entry.
TEST(PlanEntries, WithinAMonthFollowPlanOrderWithTheirOwnDays)
{
    LoanInput input = Loan(50);
    input.plan = {
        Entry("2009年05月10日", LoanPart::S, 1000), Entry("2009年06月01日", LoanPart::S, 1000),
        Entry("2009年05月03日", LoanPart::G, 1000), Entry("2009年05月20日", LoanPart::S, 1000)};
    const Schedule schedule = Compute(input);
    const struct
    {
        int row;
        std::string date;
        std::string prepaidS, prepaidG;
    } expected[] = {{4, "2009年05月10日", "1000.00", ""}, {5, "2009年05月03日", "", "1000.00"},
                    {6, "2009年05月15日", "", ""},        {7, "2009年05月20日", "1000.00", ""},
                    {8, "2009年06月01日", "1000.00", ""}, {9, "2009年06月15日", "", ""}};
    for (const auto& e : expected) {
        EXPECT_EQ(Cell(schedule, e.row, 0), e.date) << e.row;
        EXPECT_EQ(Cell(schedule, e.row, 6), e.prepaidS) << e.row;
        EXPECT_EQ(Cell(schedule, e.row, 7), e.prepaidG) << e.row;
    }
}

// An imported plan may hold any date text: only a whole "YYYY年MM月DD日" of May 2009 makes a row
// there; a text with an odd day or month is passed over without stopping the schedule.
TEST(PlanEntries, OnlyWellFormedDatesApply)
{
    const struct
    {
        const char* tqdate;
        bool applies;
    } cases[] = {{"2009年05月03日", true}, {"2009年05月x1日", false}, {"2009年05月3", false},
                 {"2009年05月", false},    {"2009年5月03日", false},  {"20O9年05月03日", false},
                 {"2009年0x月03日", false}};
    for (const auto& c : cases) {
        LoanInput input = Loan();
        input.plan = {Entry(c.tqdate, LoanPart::S, 1000)};
        const Schedule schedule = Compute(input);
        const bool prepaid =
            std::any_of(schedule.rows.begin(), schedule.rows.end(),
                        [](const ScheduleRow& row) { return row.kind == RowKind::Prepayment; });
        EXPECT_EQ(prepaid, c.applies) << c.tqdate;
        EXPECT_EQ(schedule.rows.size(), 12u + (c.applies ? 1u : 0u)) << c.tqdate;
    }
}

} // namespace
} // namespace lumavo
