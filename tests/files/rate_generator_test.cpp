// The rule generator over the shipped fixings: each expected list was worked out by hand from
// rates.csv (上月LPR at each repricing day, the spread added, repeats dropped).
#include "calc/rate_generator.h"
#include "calc/schedule.h"
#include "common/text.h"
#include "files/rate_data.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lumavo {
namespace {

const std::string kShipped = LUMAVO_TEST_DATA "/../../resources/rates/rates.csv";

const RateHistory& ShippedHistory()
{
    static const LoadedRateData data = LoadRateData(RateDataPaths{kShipped, ""});
    return data.history;
}

using Entries = std::vector<std::pair<std::string, double>>; // ISO day, rate

Entries EntriesOf(const std::vector<GeneratedAdjustment>& generated)
{
    Entries entries;
    for (const GeneratedAdjustment& g : generated)
        entries.emplace_back(IsoDateText(g.adjustment.date), g.adjustment.rate);
    return entries;
}

// A loan lent 2019-06-20, first payment 2019-07-20, 360 periods, converted in 2020 from 5.39 %.
LprPricing Converted2019(RepricingAnchor anchor)
{
    LprPricing pricing;
    pricing.conversion = Conversion2020{5.39};
    pricing.repricing.anchor = anchor;
    pricing.spreadChanges = {Cut2023(0), Cut2024()};
    return pricing;
}

LprPricing Plain(double spreadBp, Repricing repricing, std::vector<SpreadChange> changes = {})
{
    LprPricing pricing;
    pricing.spreadBp = spreadBp;
    pricing.repricing = repricing;
    pricing.spreadChanges = std::move(changes);
    return pricing;
}

struct GeneratorCase
{
    const char* name;
    LprPricing pricing;
    LoanDates dates;
    std::optional<double> futureLpr;
    Entries expected;
};

void PrintTo(const GeneratorCase& c, std::ostream* os)
{
    *os << c.name;
}

class Generator : public testing::TestWithParam<GeneratorCase>
{
};

TEST_P(Generator, GivesTheBanksDatesAndRates)
{
    const GeneratorCase& c = GetParam();
    const auto outcome = GenerateAdjustments(c.pricing, ShippedHistory(), c.dates, c.futureLpr);
    ASSERT_TRUE(std::holds_alternative<std::vector<GeneratedAdjustment>>(outcome))
        << std::get<Refusal>(outcome).message;
    EXPECT_EQ(EntriesOf(std::get<std::vector<GeneratedAdjustment>>(outcome)), c.expected);
}

const LoanDates k2019Loan{{2019, 6, 20}, {2019, 7, 20}, 360};

INSTANTIATE_TEST_SUITE_P(
    Rules,
    Generator,
    testing::Values(
        // Spread 5.39 − 4.80 = 59 bp; 1 January takes December's fixing; the 2024 cut moves the
        // spread only, so 4.20 − 0.30 until the LPR part catches up on 2025-01-01.
        GeneratorCase{"ConvertedJanuary1",
                      Converted2019(RepricingAnchor::January1),
                      k2019Loan,
                      std::nullopt,
                      {{"2019-06-20", 5.39},
                       {"2021-01-01", 5.24},
                       {"2023-01-01", 4.89},
                       {"2023-09-25", 4.30},
                       {"2024-01-01", 4.20},
                       {"2024-10-25", 3.90},
                       {"2025-01-01", 3.30},
                       {"2026-01-01", 3.20}}},
        // Converted after its 2020 anniversary, so first repriced on 2021-06-20 with May's fixing.
        GeneratorCase{"ConvertedAnniversary",
                      Converted2019(RepricingAnchor::Anniversary),
                      k2019Loan,
                      std::nullopt,
                      {{"2019-06-20", 5.39},
                       {"2021-06-20", 5.24},
                       {"2022-06-20", 5.04},
                       {"2023-06-20", 4.89},
                       {"2023-09-25", 4.30},
                       {"2024-06-20", 3.95},
                       {"2024-10-25", 3.65},
                       {"2025-06-20", 3.20}}},
        // Every 1 January and 1 July; a spread at −30 bp already is left alone by the 2024 cut.
        GeneratorCase{"SixMonthCycle",
                      Plain(-30, {RepricingAnchor::January1, 1, 1, 6}, {Cut2024()}),
                      {{2021, 3, 15}, {2021, 4, 15}, 360},
                      std::nullopt,
                      {{"2021-03-15", 4.35},
                       {"2022-07-01", 4.15},
                       {"2023-01-01", 4.00},
                       {"2023-07-01", 3.90},
                       {"2024-07-01", 3.65},
                       {"2025-01-01", 3.30},
                       {"2025-07-01", 3.20}}},
        // Anchored on 31 January every three months: April and October end on the 30th and
        // 31st; the end of March 2026 lies past the data, where the future LPR 3.20 rules.
        GeneratorCase{"ThreeMonthCycleMonthEndsAndFutureLpr",
                      Plain(0, {RepricingAnchor::MonthDay, 1, 31, 3}),
                      {{2024, 1, 10}, {2024, 2, 10}, 360},
                      3.2,
                      {{"2024-01-10", 4.20},
                       {"2024-04-30", 3.95},
                       {"2024-10-31", 3.85},
                       {"2025-01-31", 3.60},
                       {"2025-07-31", 3.50},
                       {"2026-04-30", 3.20}}},
        // 60 periods price on the 1-year LPR; nothing is generated past the last payment.
        GeneratorCase{"OneYearLprForShortTerms",
                      Plain(50, {RepricingAnchor::Anniversary}),
                      {{2022, 3, 10}, {2022, 4, 10}, 60},
                      std::nullopt,
                      {{"2022-03-10", 4.20},
                       {"2023-03-10", 4.15},
                       {"2024-03-10", 3.95},
                       {"2025-03-10", 3.60},
                       {"2026-03-10", 3.50}}},
        // A converted 1-to-5-year loan: its spread is over the 1-year December 2019 fixing 4.15.
        GeneratorCase{"ConvertedShortTerm",
                      [] {
                          LprPricing pricing;
                          pricing.conversion = Conversion2020{4.75};
                          return pricing;
                      }(),
                      {{2018, 5, 20}, {2018, 6, 20}, 60},
                      std::nullopt,
                      {{"2018-05-20", 4.75},
                       {"2021-01-01", 4.45},
                       {"2022-01-01", 4.40},
                       {"2023-01-01", 4.25}}},
        // The new spread rides on the LPR of the last repricing (4.65) until the next one.
        GeneratorCase{"SpreadChangeWaitsForTheLpr",
                      Plain(20, {}, {{{2022, 3, 15}, -10}}),
                      {{2020, 5, 10}, {2020, 6, 10}, 360},
                      std::nullopt,
                      {{"2020-05-10", 4.85},
                       {"2022-03-15", 4.55},
                       {"2023-01-01", 4.20},
                       {"2024-01-01", 4.10},
                       {"2025-01-01", 3.50},
                       {"2026-01-01", 3.40}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Generator, EachEntrySaysWhichFixingItUsed)
{
    const auto outcome =
        GenerateAdjustments(Converted2019(RepricingAnchor::January1), ShippedHistory(), k2019Loan);
    const auto& generated = std::get<std::vector<GeneratedAdjustment>>(outcome);
    ASSERT_EQ(generated.size(), 8u);
    EXPECT_EQ(DerivationText(generated[0].derivation), "原执行利率");
    EXPECT_EQ(DerivationText(generated[1].derivation),
              "重定价：5年期以上LPR 4.650%（2020年04月20日）加点59基点");
    EXPECT_EQ(DerivationText(generated[5].derivation),
              "2024年存量房贷利率批量调整：5年期以上LPR 4.200%（2023年06月20日）加点-30基点");
    const auto future =
        GenerateAdjustments(Plain(0, {}), ShippedHistory(), {{2026, 2, 1}, {2026, 3, 1}, 360}, 3.1);
    const auto& last = std::get<std::vector<GeneratedAdjustment>>(future).back();
    EXPECT_EQ(DerivationText(last.derivation), "重定价：5年期以上LPR 3.100%（未来LPR）加点0基点");
}

struct RefusalCase
{
    const char* name;
    LprPricing pricing;
    LoanDates dates;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class GeneratorRefuses : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(GeneratorRefuses, NamingTheDay)
{
    const RefusalCase& c = GetParam();
    const auto outcome = GenerateAdjustments(c.pricing, ShippedHistory(), c.dates);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
    EXPECT_EQ(std::get<Refusal>(outcome).message, c.message);
}

INSTANTIATE_TEST_SUITE_P(Rules,
                         GeneratorRefuses,
                         testing::Values(
                             // The 2024 cut cannot reach a loan lent after it.
                             RefusalCase{"SpreadChangeBeforeLending",
                                         Plain(-30, {}, {Cut2024()}),
                                         {{2025, 1, 10}, {2025, 2, 10}, 360},
                                         "加点调整日期2024年10月25日早于放贷日期！"},
                             RefusalCase{"LendingBeforeTheFirstFixing",
                                         Plain(0, {}),
                                         {{2019, 6, 1}, {2019, 7, 1}, 360},
                                         "利率数据中没有2019年06月01日适用的5年期以上LPR！"},
                             RefusalCase{"ShortTermBeforeTheFirstFixing",
                                         Plain(0, {}),
                                         {{2019, 8, 19}, {2019, 9, 19}, 36},
                                         "利率数据中没有2019年08月19日适用的1年期LPR！"}),
                         [](const auto& p) { return std::string(p.param.name); });

// Example A through the engine: the rows that hold a change are split by days. By hand, the row
// of 2023-10-20 on the balance B = 934,344.85 left by the row of 2023-09-20: 5 days at 4.89 %
// (09-20 to 09-25) and 25 days at 4.30 %, B × (0.0489 × 5 + 0.0430 × 25) ÷ 360
// = 934,344.85 × 1.3195 ÷ 360 = 3,424.63; the annuity is recomputed at 4.30 % that day.
TEST(Generator, WorkedExampleAThroughTheSchedule)
{
    const auto outcome =
        GenerateAdjustments(Converted2019(RepricingAnchor::January1), ShippedHistory(), k2019Loan);
    LoanInput input;
    input.dkze = 1000000;
    input.ajqs = 360;
    input.nllS = 5.39;
    input.lending = k2019Loan.lending;
    input.firstPayment = k2019Loan.firstPayment;
    input.adjustments = AdjustmentsOf(std::get<std::vector<GeneratedAdjustment>>(outcome));
    const auto calculated = CalculateSchedule(input, Method::Debx, RateTable{}, RateTable{});
    ASSERT_TRUE(std::holds_alternative<Schedule>(calculated));
    std::vector<std::vector<std::string>> rows; // date, interest, payment
    for (const ScheduleRow& r : std::get<Schedule>(calculated).rows)
        if (r.date == Date{2023, 9, 20} || r.date == Date{2023, 10, 20} ||
            r.date == Date{2024, 11, 20} || r.date == Date{2025, 1, 20})
            rows.push_back({IsoDateText(r.date), MoneyText(r.interest), MoneyText(r.payment)});
    const std::vector<std::vector<std::string>> expected = {
        {"2023-09-20", "3813.60", "5322.25"},
        {"2023-10-20", "3424.63", "5082.06"},
        // 5 days at 4.20 %, 26 at 3.90 % on 912,079.66
        {"2024-11-20", "3101.07", "4938.98"},
        // 12 days at 3.90 %, 19 at 3.30 % on 908,397.88
        {"2025-01-20", "2763.04", "4774.31"}};
    EXPECT_EQ(rows, expected);
}

} // namespace
} // namespace lumavo
