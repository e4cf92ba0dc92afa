#include "model/loan_form.h"

#include <functional>
#include <gtest/gtest.h>

namespace lumavo {
namespace {

TEST(LoanFormTest, DerivedLoanTotal)
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
        {50.03, 12345, 7, 432334.25}, // 50.03 is stored a little above: past the half fen
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(DerivedLoanTotal(c.area, c.price, c.ratio), c.total)
            << c.area << " x " << c.price << " x " << c.ratio;
}

TEST(LoanFormTest, RoundToTenThousandsHalvesToEven)
{
    const std::pair<double, double> cases[] = {
        {234999.99, 230000}, {235000, 240000}, {225000, 220000}, {15000, 20000},
        {5000, 0},           {4999, 0},        {0, 0},           {1234567.89, 1230000}};
    for (const auto& [total, rounded] : cases)
        EXPECT_EQ(RoundToTenThousands(total), rounded) << total;
}

TEST(LoanFormTest, PrepaymentYears)
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
    EXPECT_EQ(PrepaymentYearTexts("2008", 1e15).back(), "2038");
    EXPECT_EQ(PrepaymentYearTexts("9990", 1e15).back(), "9999");
}

TEST(LoanFormTest, DayTexts)
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

// A rule's chain as the page runs it: what each field shows afterwards and which messages
// the user sees. Starts from a page as the window shows it, lists ending at 2029.
struct FormCase
{
    const char* name;
    std::function<FormMessages(LoanForm&)> steps;
    std::vector<std::pair<FormNumber, std::string>> texts;
    FormMessages messages;
};

class LoanFormRules : public testing::TestWithParam<FormCase>
{
};

TEST_P(LoanFormRules, FieldsAndMessages)
{
    LoanForm form;
    form.StartUp(2029);
    const FormMessages messages = GetParam().steps(form);
    for (const auto& [field, text] : GetParam().texts)
        EXPECT_EQ(form.Number(field).text, text) << static_cast<int>(field);
    EXPECT_EQ(messages, GetParam().messages);
}

FormMessages AreaPriceRatio(LoanForm& form, const char* area, const char* price, const char* ratio)
{
    FormMessages messages = form.SetNumberText(FormNumber::Area, area);
    for (auto&& message : form.SetNumberText(FormNumber::Price, price))
        messages.push_back(message);
    for (auto&& message : form.Choose(FormPicker::Ratio, ratio))
        messages.push_back(message);
    return messages;
}

const FormCase kFormCases[] = {
    {"TotalFollowsPriceAndRatio",
     [](LoanForm& f) { return AreaPriceRatio(f, "90", "8000", "7"); },
     {{FormNumber::LoanTotal, "504000.00"}},
     {}},
    // An import once derived this in doubles (.24) and the window in extended precision.
    {"TotalRoundsHalfFenToEven",
     [](LoanForm& f) { return AreaPriceRatio(f, "50.03", "12345", "7"); },
     {{FormNumber::LoanTotal, "432334.25"}},
     {}},
    {"AreaAloneLeavesTotal",
     [](LoanForm& f) {
         AreaPriceRatio(f, "90", "8000", "8");
         return f.SetNumberText(FormNumber::Area, "100");
     },
     {{FormNumber::LoanTotal, "576000.00"}},
     {}},
    {"PriceWithoutArea",
     [](LoanForm& f) { return f.SetNumberText(FormNumber::Price, "8000"); },
     {{FormNumber::LoanTotal, "0.00"}},
     {"面积须大于零！"}},
    {"AreaWithoutPrice",
     [](LoanForm& f) { return AreaPriceRatio(f, "90", "0", "8"); },
     {{FormNumber::LoanTotal, "0.00"}},
     {"单价须大于零！", "单价须大于零！"}},
    {"SameTextRunsNoRule",
     [](LoanForm& f) { return f.SetNumberText(FormNumber::Price, "0.00"); },
     {},
     {}},
    {"RoundToTenThousands",
     [](LoanForm& f) {
         f.SetNumberText(FormNumber::LoanTotal, "235000");
         f.RoundLoanTotal();
         return FormMessages{};
     },
     {{FormNumber::LoanTotal, "240000.00"}},
     {}},
    {"ShareCappedAt100",
     [](LoanForm& f) { return f.SetNumberText(FormNumber::CommercialShare, "150"); },
     {{FormNumber::CommercialShare, "100"}, {FormNumber::ProvidentShare, "0"}},
     {}},
    {"ProvidentShareFollows",
     [](LoanForm& f) { return f.SetNumberText(FormNumber::CommercialShare, "60"); },
     {{FormNumber::CommercialShare, "60"}, {FormNumber::ProvidentShare, "40"}},
     {}},
    {"ProvidentLoanTakesAll",
     [](LoanForm& f) {
         f.loanType = static_cast<int>(LoanTypeIndex::Provident);
         f.LoanTypeRule();
         return FormMessages{};
     },
     {{FormNumber::CommercialShare, "0"}, {FormNumber::ProvidentShare, "100"}},
     {}},
    {"CombinationKeepsShares",
     [](LoanForm& f) {
         f.SetNumberText(FormNumber::CommercialShare, "60");
         f.loanType = static_cast<int>(LoanTypeIndex::Combination);
         f.LoanTypeRule();
         return FormMessages{};
     },
     {{FormNumber::CommercialShare, "60"}, {FormNumber::ProvidentShare, "40"}},
     {}},
    {"YearsSetPeriods",
     [](LoanForm& f) { return f.Choose(FormPicker::Years, "25"); },
     {{FormNumber::Periods, "300"}},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Rules, LoanFormRules, testing::ValuesIn(kFormCases), [](const auto& p) {
    return std::string(p.param.name);
});

TEST(LoanFormTest, PrepaymentYearsFollowFirstYearAndPeriods)
{
    LoanForm form;
    form.StartUp(2029);
    form.Choose(FormPicker::FirstYear, "2008");
    form.Choose(FormPicker::Years, "25");
    const Picker& years = form.Choice(FormPicker::PrepaymentYear);
    ASSERT_EQ(years.items.size(), 26u);
    EXPECT_EQ(years.items.back(), "2033");
    EXPECT_EQ(years.Text(), "2008");
}

} // namespace
} // namespace lumavo
