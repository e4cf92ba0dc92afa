#include "common/date.h"
#include "common/text.h"

#include <gtest/gtest.h>
#include <string>

namespace lumavo {
namespace {

template <class Case> std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

struct FixedCase
{
    std::string name;
    std::string (*format)(double);
    double x;
    std::string expected;
};

class FixedTexts : public testing::TestWithParam<FixedCase>
{
};

TEST_P(FixedTexts, RoundHalvesAwayFromZeroOnTheExactValue)
{
    EXPECT_EQ(GetParam().format(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Masks,
    FixedTexts,
    testing::Values(
        FixedCase{"MoneyZero", MoneyText, 0, "0.00"},
        FixedCase{"MoneyTieUp", MoneyText, 0.125, "0.13"},
        FixedCase{"MoneyOddTieUp", MoneyText, 0.375, "0.38"},
        FixedCase{"MoneyNegativeTieAway", MoneyText, -0.125, "-0.13"},
        FixedCase{"MoneyDoubleBelowDecimalTie", MoneyText, 2.675, "2.67"},
        FixedCase{"MoneyDoubleAboveDecimalTie", MoneyText, 99.995, "100.00"},
        FixedCase{"MoneyNegativeRoundsToZero", MoneyText, -0.001, "0.00"},
        FixedCase{"MoneyPadsDecimals", MoneyText, 1234.5, "1234.50"},
        FixedCase{"MoneyNegative", MoneyText, -12.3, "-12.30"},
        // Regression: the double above a tie once lay a whole cent away, giving ".14".
        FixedCase{"MoneyTieBeyondTwoToThe46", MoneyText, 70368744177664.125, "70368744177664.13"},
        // Regression: a fixed 64-byte buffer cut the digits of large values short.
        FixedCase{"MoneyHugeKeepsAllDigits", MoneyText, 1e70,
                  "10000000000000000725314363815292351261583744096465219555182101554790400.00"},
        FixedCase{"RateTieUp", RateText, 0.0625, "0.063"},
        FixedCase{"RateNegativeTieAway", RateText, -0.0625, "-0.063"},
        FixedCase{"RateWhole", RateText, 6, "6.000"},
        FixedCase{"RateNegativeRoundsToZero", RateText, -0.0004, "0.000"},
        FixedCase{"RateTieBeyondTwoToThe43", RateText, 8796093022208.0625, "8796093022208.063"},
        FixedCase{"CountTieUp", CountText, 2.5, "3"},
        FixedCase{"CountTieCarries", CountText, 19.5, "20"},
        FixedCase{"CountTieCarriesIntoNewDigit", CountText, 99.5, "100"},
        FixedCase{"CountNegativeTieAway", CountText, -1.5, "-2"},
        FixedCase{"CountNegativeRoundsToZero", CountText, -0.4, "0"}),
    CaseName<FixedCase>);

struct GeneralCase
{
    std::string name;
    double x;
    std::string expected;
};

class GeneralTexts : public testing::TestWithParam<GeneralCase>
{
};

TEST_P(GeneralTexts, ShortestTextToFifteenDigits)
{
    EXPECT_EQ(GeneralNumberText(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values,
    GeneralTexts,
    testing::Values(GeneralCase{"Rate", 5.94, "5.94"},
                    GeneralCase{"Whole", 6, "6"},
                    GeneralCase{"Zero", 0, "0"},
                    GeneralCase{"NegativeZero", -0.0, "0"},
                    GeneralCase{"ThreeDecimals", 4.158, "4.158"},
                    GeneralCase{"Half", 12500.5, "12500.5"},
                    GeneralCase{"WholeWithZeros", 50000, "50000"},
                    GeneralCase{"Negative", -12345.67, "-12345.67"},
                    GeneralCase{"SumNoiseDropped", 0.1 + 0.2, "0.3"},
                    GeneralCase{"LargestFixed", 999999999999999, "999999999999999"},
                    GeneralCase{"ExponentFromTenToThe15", 1e15, "1E15"},
                    GeneralCase{"ExponentBelowOneHundredThousandth", 0.000001, "1E-6"},
                    GeneralCase{"FractionExponent", 0.0000015, "1.5E-6"},
                    GeneralCase{"SmallestFixed", 0.00001, "0.00001"},
                    GeneralCase{"LargeRoundedTo15Digits", 123456789012345678.0,
                                "1.23456789012346E17"}),
    CaseName<GeneralCase>);

struct RoundCase
{
    std::string name;
    double x;
    int decimals;
    double expected;
};

class Rounding : public testing::TestWithParam<RoundCase>
{
};

TEST_P(Rounding, TiesGoToEven)
{
    EXPECT_DOUBLE_EQ(RoundToDecimals(GetParam().x, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Powers,
                         Rounding,
                         testing::Values(RoundCase{"RateDown", 5.94449, 3, 5.944},
                                         RoundCase{"RateUp", 5.9446, 3, 5.945},
                                         RoundCase{"CentTieToEven", 0.125, 2, 0.12},
                                         RoundCase{"CentTieToEvenUp", 0.375, 2, 0.38},
                                         RoundCase{"TenThousandsTieUpToEven", 235000, -4, 240000},
                                         RoundCase{"TenThousandsTieDownToEven", 225000, -4, 220000},
                                         RoundCase{"TenThousandsBelowTie", 234999.99, -4, 230000},
                                         RoundCase{"TenThousandsOneAndHalf", 15000, -4, 20000},
                                         RoundCase{"TenThousandsHalfToZero", 5000, -4, 0},
                                         RoundCase{"TenThousandsBelowHalf", 4999, -4, 0},
                                         RoundCase{"NegativeTieToEven", -225000, -4, -220000}),
                         CaseName<RoundCase>);

struct ParseCase
{
    std::string name;
    std::string text;
    bool ok;
    double value = 0;
};

class NumberParsing : public testing::TestWithParam<ParseCase>
{
};

TEST_P(NumberParsing, AcceptsOnlyPlainNumbers)
{
    double value = -7;
    ASSERT_EQ(ParseNumber(GetParam().text, value), GetParam().ok);
    EXPECT_EQ(value, GetParam().ok ? GetParam().value : -7) << "a refusal leaves the target alone";
}

INSTANTIATE_TEST_SUITE_P(Texts,
                         NumberParsing,
                         testing::Values(ParseCase{"BlanksAround", " 12 ", true, 12},
                                         ParseCase{"PlusSign", "+5", true, 5},
                                         ParseCase{"TrailingPoint", "1.", true, 1},
                                         ParseCase{"LeadingPoint", ".5", true, 0.5},
                                         ParseCase{"Exponent", "1e3", true, 1000},
                                         ParseCase{"SignedExponent", "-2.5E-1", true, -0.25},
                                         ParseCase{"Empty", "", false},
                                         ParseCase{"OnlyBlanks", "  ", false},
                                         ParseCase{"OnlySign", "-", false},
                                         ParseCase{"OnlyPoint", ".", false},
                                         ParseCase{"ThousandsComma", "1,5", false},
                                         ParseCase{"Infinity", "inf", false},
                                         ParseCase{"NotANumber", "nan", false},
                                         ParseCase{"Hexadecimal", "0x10", false},
                                         ParseCase{"Overflow", "1e999", false},
                                         ParseCase{"TrailingLetter", "12a", false},
                                         ParseCase{"ExponentWithoutDigits", "1e", false},
                                         ParseCase{"TwoPoints", "1.2.3", false},
                                         ParseCase{"TwoSigns", "--1", false}),
                         CaseName<ParseCase>);

struct PasteCase
{
    std::string name;
    std::string text;
    std::string expected; // empty: refused
};

class PastedNumbers : public testing::TestWithParam<PasteCase>
{
};

// Amounts copied from a bank's page or a chat arrive as the field would have them typed.
TEST_P(PastedNumbers, BecomeTypedNumbersOrAreRefused)
{
    std::string out = "untouched";
    const bool ok = NormalizePastedNumber(GetParam().text, out);
    EXPECT_EQ(ok, !GetParam().expected.empty());
    EXPECT_EQ(out, ok ? GetParam().expected : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Texts,
    PastedNumbers,
    testing::Values(PasteCase{"Plain", "1000000", "1000000"},
                    PasteCase{"Commas", "1,000,000", "1000000"},
                    PasteCase{"Blanks", "1 000 000", "1000000"},
                    PasteCase{"NoBreakSpaces", "1\u00a0000\u00a0000.50", "1000000.5"},
                    PasteCase{"FullWidthCommas", "1\uff0c000\uff0c000", "1000000"},
                    PasteCase{"Yuan", "1000000\u5143", "1000000"},
                    PasteCase{"YenAndCommas", "\u00a51,000,000", "1000000"},
                    PasteCase{"FullWidthYenBlank", "\uffe5 2,500.00", "2500"},
                    PasteCase{"BlanksAround", " \u3000 12.5\t", "12.5"},
                    PasteCase{"FullWidthDigitsAndPoint", "\uff11\uff12\uff0e\uff15", "12.5"},
                    PasteCase{"TenThousands", "100\u4e07", "1000000"},
                    PasteCase{"TenThousandsFraction", "100.5\u4e07", "1005000"},
                    PasteCase{"TenThousandsYuan", "\u00a5100.5 \u4e07\u5143", "1005000"},
                    PasteCase{"TenThousandsSmall", "0.00015\u4e07", "1.5"},
                    PasteCase{"LeadingAndTrailingZeros", "007.500", "7.5"},
                    PasteCase{"LeadingPoint", ".5", "0.5"},
                    PasteCase{"TrailingPoint", "5.", "5"},
                    PasteCase{"Zero", "0.00", "0"},
                    PasteCase{"Empty", "", ""},
                    PasteCase{"OnlyYuan", "\u5143", ""},
                    PasteCase{"OnlyTenThousands", "\u4e07", ""},
                    PasteCase{"DecimalComma", "1,5", ""},
                    PasteCase{"ShortInnerGroup", "1,00,000", ""},
                    PasteCase{"LongFirstGroup", "1000,000", ""},
                    PasteCase{"MixedSeparators", "1,000 000", ""},
                    PasteCase{"SeparatorInFraction", "1.000,5", ""},
                    PasteCase{"LeadingSeparator", ",100", ""},
                    PasteCase{"TwoPoints", "1.2.3", ""},
                    PasteCase{"Sign", "-5", ""},
                    PasteCase{"Exponent", "1e3", ""},
                    PasteCase{"Words", "\u7ea6100\u4e07", ""},
                    PasteCase{"YuanBeforeNumber", "\u5143100", ""},
                    PasteCase{"NotUtf8", "1\xff", ""}),
    CaseName<PasteCase>);

TEST(WholeNumberParsing, SignedDecimalIntegersOnly)
{
    const struct
    {
        std::string text;
        bool ok;
        int value;
    } cases[] = {{"-1", true, -1}, {"+7", true, 7},         {"05", true, 5}, {"+-1", false, 0},
                 {"", false, 0},   {"1.0", false, 0},       {"+", false, 0}, {"-", false, 0},
                 {" 1", false, 0}, {"2147483648", false, 0}};
    for (const auto& c : cases) {
        int value = 99;
        EXPECT_EQ(ParseWholeNumber(c.text, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 99) << '"' << c.text << '"';
    }
}

TEST(DaysInMonthText, EveryFourthYearLeapAndBadTextsMinusOne)
{
    const struct
    {
        std::string year, month;
        int days;
    } cases[] = {{"2012", "02", 29}, {"2011", "02", 28}, {"2100", "02", 29}, {"2011", "04", 30},
                 {"2011", "12", 31}, {"2011", "13", 0},  {"2011", "00", 0},  {"", "02", -1},
                 {"2011", "", -1},   {"20x1", "02", -1}, {"2011", "2.", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << '/' << c.month;
}

TEST(DayCount, SpanDaysWithinAndAcrossAMonth)
{
    const struct
    {
        Date from, to;
        int days;
    } cases[] = {{{2009, 1, 15}, {2009, 2, 15}, 31}, {{2009, 2, 15}, {2009, 3, 15}, 28},
                 {{2012, 2, 15}, {2012, 3, 15}, 29}, {{2100, 2, 15}, {2100, 3, 15}, 29},
                 {{2009, 5, 1}, {2009, 5, 15}, 14},  {{2009, 5, 15}, {2009, 5, 15}, 0},
                 {{2008, 12, 20}, {2009, 1, 20}, 31}};
    for (const auto& c : cases)
        EXPECT_EQ(SpanDays(c.from, c.to), c.days) << DateText(c.from) << " to " << DateText(c.to);
}

TEST(DateTexts, WrittenPaddedAndReadBack)
{
    const struct
    {
        Date date;
        std::string text;
    } cases[] = {{{2009, 2, 15}, "2009年02月15日"},
                 {{2012, 12, 1}, "2012年12月01日"},
                 {{987, 1, 31}, "0987年01月31日"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DateText(c.date), c.text);
        Date read;
        ASSERT_TRUE(ParseDateText(c.text, read)) << c.text;
        EXPECT_EQ(read, c.date) << c.text;
    }
}

TEST(DateTexts, ReadingNeedsFixedPositionsAndDigits)
{
    Date read{1, 1, 1};
    EXPECT_TRUE(ParseDateText("2012年03月15", read)) << "the closing 日 is not needed";
    EXPECT_EQ(read, (Date{2012, 3, 15}));
    for (const std::string bad :
         {"2012年3月15日", "2012年03月5日", "2012-03-15", "2012年03月1x日", "20a2年03月15日", ""}) {
        Date untouched{1, 1, 1};
        EXPECT_FALSE(ParseDateText(bad, untouched)) << bad;
        EXPECT_EQ(untouched, (Date{1, 1, 1})) << bad;
    }
}

} // namespace
} // namespace lumavo
