#include "common/messages.h"
#include "files/rate_data.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace lumavo {
namespace {

using testing_support::TempDir;

const std::string kShipped = LUMAVO_TEST_DATA "/../../resources/rates/rates.csv";

LoadedRateData Shipped(const std::string& user = "")
{
    return LoadRateData(RateDataPaths{kShipped, user});
}

struct FillCase
{
    const char* name;
    RateRule rule;
    LoanDates dates;
    std::vector<std::pair<int, double>> entries; // entry -> expected rate
};

class FillOverHistory : public testing::TestWithParam<FillCase>
{
};

TEST_P(FillOverHistory, GivesPublishedRates)
{
    const FillCase& c = GetParam();
    const LoadedRateData data = Shipped();
    ASSERT_TRUE(data.problems.empty());
    const auto filled = FillRateTable(c.rule, data.history, c.dates);
    ASSERT_TRUE(std::holds_alternative<RateTable>(filled));
    for (const auto& [entry, rate] : c.entries)
        EXPECT_DOUBLE_EQ(std::get<RateTable>(filled).At(entry), rate) << "entry " << entry;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    FillOverHistory,
    testing::Values(
        // The example: LPR 4.65 until the 2022-01-20 cut, so 2022 still starts at 4.65.
        FillCase{"Lpr2021MinusThirty",
                 {RuleKind::LprPlus, -30},
                 {{2021, 6, 15}, {2021, 7, 15}, 360},
                 {{0, 4.35},
                  {1, 4.35},
                  {2, 4.35},
                  {3, 4.0},
                  {4, 3.9},
                  {5, 3.3},
                  {6, 3.2},
                  {7, 3.2},
                  {30, 3.2}}},
        FillCase{"Benchmark2009TimesPointEightFive",
                 {RuleKind::BenchmarkTimes, 0.85},
                 {{2009, 3, 10}, {2009, 4, 10}, 240},
                 {{0, 5.049}, {1, 5.049}, {2, 5.049}, {3, 5.44}}},
        // 4.90 x 1.1 = 5.39 until 2020, then the 2019-12-31 spread of 59 bp over the LPR.
        FillCase{"Converted2018",
                 {RuleKind::Converted, 1.1},
                 {{2018, 5, 10}, {2018, 6, 10}, 360},
                 {{0, 5.39},
                  {3, 5.39},
                  {4, 5.24},
                  {5, 5.24},
                  {6, 4.89},
                  {7, 4.79},
                  {8, 4.19},
                  {9, 4.09}}},
        // Entry 1 is the first payment's year, not the lending year: entry 2 is 2021.
        FillCase{"DecemberLendingJanuaryPayment",
                 {RuleKind::LprPlus, -20},
                 {{2019, 12, 20}, {2020, 1, 20}, 240},
                 {{0, 4.6}, {1, 4.6}, {2, 4.45}}},
        // Cuts of 2022-10-01, 2024-05-18 and 2025-05-08 reach existing loans on 1 January.
        FillCase{"ProvidentLongSwitchesOnFirstJanuary",
                 {RuleKind::Provident, 1},
                 {{2022, 3, 1}, {2022, 4, 1}, 360},
                 {{0, 3.25}, {1, 3.25}, {2, 3.1}, {3, 3.1}, {4, 2.85}, {5, 2.6}}},
        FillCase{"ProvidentShortSecondHome",
                 {RuleKind::Provident, 1.1},
                 {{2023, 5, 1}, {2023, 6, 1}, 60},
                 {{0, 2.86}, {1, 2.86}, {2, 2.86}, {3, 2.585}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FillOverHistory, FutureLprTakesYearsPastTheLastQuote)
{
    const LoadedRateData data = Shipped();
    const auto filled =
        FillRateTable({RuleKind::LprPlus, 0}, data.history, {{2025, 6, 1}, {2025, 7, 1}, 360}, 3.0);
    ASSERT_TRUE(std::holds_alternative<RateTable>(filled));
    EXPECT_DOUBLE_EQ(std::get<RateTable>(filled).At(2), 3.5); // 2026, quoted
    EXPECT_DOUBLE_EQ(std::get<RateTable>(filled).At(3), 3.0); // 2027, assumed
}

TEST(FillOverHistory, DayBeforeTheDataIsNamed)
{
    const auto filled = FillRateTable({RuleKind::BenchmarkTimes, 1}, Shipped().history,
                                      {{2007, 6, 1}, {2007, 7, 1}, 240});
    ASSERT_TRUE(std::holds_alternative<RateGap>(filled));
    EXPECT_EQ(std::get<RateGap>(filled).day, (Date{2007, 6, 1}));
}

TEST(UserRateData, AddsANewerQuoteAndCorrectsAShippedOne)
{
    TempDir dir;
    const auto user = dir.Write("rates.csv", "kind,effective,rate,source\n"
                                             "# a newer quote\n"
                                             "lpr5y,2026-06-22,3.40,me\n"
                                             "benchmark5y,2015-10-24,4.95,me\n");
    const LoadedRateData data = Shipped(user.string());
    EXPECT_TRUE(data.problems.empty());
    EXPECT_EQ(data.history.LastDate(), (Date{2026, 6, 22}));
    EXPECT_EQ(data.history.InForce(RateSeries::Lpr5y, {2027, 1, 1}), 3.4);
    EXPECT_EQ(data.history.InForce(RateSeries::Benchmark5y, {2016, 1, 1}), 4.95);
    const auto& changes = data.history.Changes();
    const auto added = std::find_if(changes.begin(), changes.end(), [](const RateChange& change) {
        return change.effective == Date{2026, 6, 22};
    });
    ASSERT_NE(added, changes.end());
    EXPECT_EQ(added->origin, user.string());
}

TEST(UserRateData, MalformedFileIsNamedWithItsLineAndLeftOut)
{
    TempDir dir;
    const auto user = dir.Write("rates.csv", "kind,effective,rate,source\n"
                                             "lpr5y,2026-06-22,3.40,me\n"
                                             "lpr5y,2026-13-22,3.30,me\n");
    const LoadedRateData data = Shipped(user.string());
    ASSERT_EQ(data.problems.size(), 1u);
    EXPECT_EQ(data.problems[0],
              msg::RateDataIgnored(user.string(), 3, msg::RateDataBadDate("2026-13-22")));
    EXPECT_EQ(data.history.LastDate(), (Date{2026, 3, 20})); // the shipped data alone
}

struct PathCase
{
    const char* name;
    DataEnvironment environment;
    std::string user;
};

class UserRateDataPath : public testing::TestWithParam<PathCase>
{
};

// The XDG base-directory rule: a relative $XDG_DATA_HOME or $HOME is to be ignored.
TEST_P(UserRateDataPath, FollowsTheXdgRule)
{
    EXPECT_EQ(RateDataPathsFor("/nonexistent/bin/", GetParam().environment).user, GetParam().user);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    UserRateDataPath,
    testing::Values(
        PathCase{"XdgSet", {"/x/data", "/home/a"}, "/x/data/lumavo/rates.csv"},
        PathCase{"XdgUnset", {"", "/home/a"}, "/home/a/.local/share/lumavo/rates.csv"},
        PathCase{"XdgRelative", {"data", "/home/a"}, "/home/a/.local/share/lumavo/rates.csv"},
        PathCase{"RelativeHome", {"", "home/a"}, ""},
        PathCase{"NoHome", {"", ""}, ""}),
    [](const auto& p) { return std::string(p.param.name); });

struct BadLine
{
    const char* name;
    const char* bytes;
    std::size_t line;
};

class RejectedRateData : public testing::TestWithParam<BadLine>
{
};

TEST_P(RejectedRateData, NamesTheLine)
{
    const auto parsed = ParseRateData(GetParam().bytes, "f");
    ASSERT_TRUE(std::holds_alternative<RateDataError>(parsed));
    EXPECT_EQ(std::get<RateDataError>(parsed).line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    RejectedRateData,
    testing::Values(
        BadLine{"NoHeader", "lpr5y,2026-06-22,3.40,me\n", 1},
        BadLine{"UnknownKind", "kind,effective,rate,source\nlpr3y,2026-06-22,3,me\n", 2},
        BadLine{"NoSuchDay", "kind,effective,rate,source\n\nlpr5y,2026-02-30,3,me\n", 3},
        BadLine{"RateNotNumber", "kind,effective,rate,source\nlpr5y,2026-06-22,x,me\n", 2},
        BadLine{"RateNotPositive", "kind,effective,rate,source\npf_gt5,2026-06-22,0,me\n", 2},
        BadLine{"TooFewFields", "kind,effective,rate,source\npf_gt5,2026-06-22\n", 2}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo
