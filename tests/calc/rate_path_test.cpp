// Rates as dated paths: the lookup, the rate tables' year rule as a path, and a schedule under a
// rate that changes on a day of its own.
#include "calc/rate_path.h"
#include "calc/schedule.h"
#include "common/text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lumavo {
namespace {

struct LookupCase
{
    std::string name;
    Date day;
    double rate;
};

class RateLookup : public testing::TestWithParam<LookupCase>
{
};

TEST_P(RateLookup, LatestPointOnOrBeforeTheDay)
{
    // Given out of order, with two points on one day: the later one given counts.
    const RatePath path(
        {{{2010, 3, 10}, 4.1}, {{2010, 1, 1}, 5}, {{2011, 2, 31}, 3}, {{2010, 3, 10}, 4}});
    EXPECT_EQ(path.RateOn(GetParam().day), GetParam().rate);
}

INSTANTIATE_TEST_SUITE_P(Days,
                         RateLookup,
                         testing::Values(LookupCase{"BeforeTheFirstPoint", {2009, 6, 1}, 5},
                                         LookupCase{"DayBeforeAChange", {2010, 3, 9}, 5},
                                         LookupCase{"DayOfAChange", {2010, 3, 10}, 4},
                                         LookupCase{"PointPastMonthEndOnLastDay", {2011, 2, 28}, 3},
                                         LookupCase{"AfterTheLastPoint", {2040, 1, 1}, 3}),
                         [](const auto& p) { return p.param.name; });

TEST(RatePath, WithoutPointsEveryDayBearsZero)
{
    EXPECT_EQ(RatePath().RateOn({2010, 1, 1}), 0);
}

// Interest is cut at every 1 January a loan reaches, so a repeated rate keeps its point.
TEST(RatePath, TableGivesAPointEveryYearTheLongestTermReaches)
{
    RateTable table;
    table.Fill(5);
    table.Set(0, 7);
    table.Set(1, 6);
    const RatePath path = PathFromTable(table, {2009, 12, 20}, {2010, 1, 20});
    const auto& points = path.Points();
    ASSERT_EQ(points.size(), 32u); // 2009, then 2010 to 2040
    EXPECT_EQ(points.front(), (RatePoint{{2009, 1, 1}, 7}));
    EXPECT_EQ(points[1], (RatePoint{{2010, 1, 1}, 6}));
    EXPECT_EQ(points.back(), (RatePoint{{2040, 1, 1}, 5}));
    for (std::size_t k = 0; k < points.size(); ++k)
        EXPECT_EQ(points[k].effective, (Date{2009 + static_cast<int>(k), 1, 1}));
}

// A loan paid on the 15th, 100,000 at 6 %, repriced to 4.5 % on a day near its second payment
// (15 March 2009).
struct RepricingCase
{
    std::string name;
    Date change;
    int daysAtOld; // of the second payment's interest
    int daysAtNew;
};

class Repricing : public testing::TestWithParam<RepricingCase>
{
};

TEST_P(Repricing, SplitsTheMonthAtItsDayAndSetsThePaymentsRate)
{
    LoanInput input;
    input.dkze = 100000;
    input.ajqs = 12;
    input.lending = {2009, 1, 15};
    input.firstPayment = {2009, 2, 15};
    const RunRates rates{RatePath({{{2009, 1, 1}, 6}, {GetParam().change, 4.5}}), RatePath()};
    const Schedule schedule = BuildSchedule(input, Method::Debx, rates);
    ASSERT_GE(schedule.rows.size(), 2u);
    const double b = schedule.rows[0].balance;
    EXPECT_EQ(MoneyText(schedule.rows[1].interest),
              MoneyText(b * 6 / 100 / 360 * GetParam().daysAtOld +
                        b * 4.5 / 100 / 360 * GetParam().daysAtNew));
    // The annuity takes the rate in force on the payment day.
    const double m = 4.5 / 100 / 12;
    EXPECT_EQ(MoneyText(*schedule.rows[1].principal), MoneyText(m / (std::pow(1 + m, 11) - 1) * b));
}

INSTANTIATE_TEST_SUITE_P(
    Days,
    Repricing,
    testing::Values(RepricingCase{"WithinTheMonth", {2009, 3, 10}, 23, 5},
                    // A change on the payment day spares no day of the month, yet disturbs it:
                    // the month bears its own 28 days.
                    RepricingCase{"OnThePaymentDay", {2009, 3, 15}, 28, 0},
                    // In force from the month's first day: an undisturbed month of 30 days.
                    RepricingCase{"OnThePreviousPaymentDay", {2009, 2, 15}, 0, 30}),
    [](const auto& p) { return p.param.name; });

} // namespace
} // namespace lumavo
