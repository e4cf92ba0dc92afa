#include "calc/loan_form.h"

#include <gtest/gtest.h>

namespace lumavo {
namespace {

TEST(FormRulesTest, DerivedLoanTotal)
{
    struct Case
    {
        double area, price;
        int ratio;
        double total;
    };
    const Case cases[] = {
        {90, 8000, 7, 504000},
        {90, 8000, 8, 576000},
        {89.99, 8123.45, 8, 584823.41}, // 584823.4124: to whole fen
        {0.05, 0.5, 9, 0.02},           // 2.25 fen
        {100.5, 1.1, 5, 55.28},         // 1.1 is stored a little above, so 55.275 rounds up
        {1, 0.001, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(DerivedLoanTotal(c.area, c.price, c.ratio), c.total)
            << c.area << " x " << c.price << " x " << c.ratio;
}

TEST(FormRulesTest, RoundToTenThousandsHalvesToEven)
{
    const std::pair<double, double> cases[] = {
        {234999.99, 230000}, {235000, 240000}, {225000, 220000}, {15000, 20000},
        {5000, 0},           {4999, 0},        {0, 0},           {1234567.89, 1230000}};
    for (const auto& [total, rounded] : cases)
        EXPECT_EQ(RoundToTenThousands(total), rounded) << total;
}

TEST(FormRulesTest, PrepaymentYears)
{
    using Years = std::vector<std::string>;
    EXPECT_EQ(PrepaymentYearTexts("2008", 6), Years{"2008"});
    EXPECT_EQ(PrepaymentYearTexts("2008", 12), (Years{"2008", "2009"}));
    EXPECT_EQ(PrepaymentYearTexts("2008", 23.9), (Years{"2008", "2009"}));
    EXPECT_EQ(PrepaymentYearTexts("2008", 300).size(), 26u);
    EXPECT_EQ(PrepaymentYearTexts("2008", 300).back(), "2033");
    EXPECT_EQ(PrepaymentYearTexts("2008", 0), Years{"2008"});
    EXPECT_TRUE(PrepaymentYearTexts("", 240).empty());
    // A mistyped term of many digits must not build millions of items.
    EXPECT_EQ(PrepaymentYearTexts("2008", 1e15).back(), "9999");
}

TEST(FormRulesTest, DayTexts)
{
    const std::tuple<const char*, const char*, std::size_t> cases[] = {
        {"2012", "02", 29}, {"2100", "02", 29}, {"2011", "02", 28}, {"2011", "04", 30},
        {"2011", "12", 31}, {"2011", "13", 0},  {"x", "01", 0},     {"2011", "", 0}};
    for (const auto& [year, month, count] : cases) {
        const auto days = DayTexts(year, month);
        ASSERT_EQ(days.size(), count) << year << "-" << month;
        if (count > 0) {
            EXPECT_EQ(days.front(), "01");
            EXPECT_EQ(days.back(), std::to_string(count));
        }
    }
}

} // namespace
} // namespace lumavo
