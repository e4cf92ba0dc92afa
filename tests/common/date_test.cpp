#include "common/date.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace lumavo {
namespace {

struct SplitCase
{
    const char* name;
    std::string text;
    std::optional<DateTextParts> parts;
    std::optional<Date> date; // what ParseDateText reads, which also wants digits and a whole day
};

void PrintTo(const SplitCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class DateTextSplitTest : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(DateTextSplitTest, CutsByPositionAndParsesOnlyWholeDigits)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitDateText(c.text), c.parts);
    Date read{1, 1, 1};
    EXPECT_EQ(ParseDateText(c.text, read), c.date.has_value());
    EXPECT_EQ(read, c.date.value_or(Date{1, 1, 1})) << "a refused text leaves the date as it was";
}

// The first byte pair of "日": a day cut to bytes is not a character.
const std::string kHalfRi = std::string("日").substr(0, 2);

INSTANTIATE_TEST_SUITE_P(
    Dates,
    DateTextSplitTest,
    ::testing::Values(
        SplitCase{"Whole", "2009年02月15日", DateTextParts{"2009", "02", "15"}, Date{2009, 2, 15}},
        // Texts keep a payment day of 31 in February; day counts clamp it later.
        SplitCase{"DayPastMonthEnd", "2009年02月31日", DateTextParts{"2009", "02", "31"},
                  Date{2009, 2, 31}},
        SplitCase{"NoClosingMark", "2012年03月15", DateTextParts{"2012", "03", "15"},
                  Date{2012, 3, 15}},
        SplitCase{"TextAfterDayIgnored", "2012年03月15日 S<", DateTextParts{"2012", "03", "15"},
                  Date{2012, 3, 15}},
        // The schedule keeps such an entry in its month's list, where it never applies.
        SplitCase{"OneByteDay", "2012年03月5", DateTextParts{"2012", "03", "5"}, std::nullopt},
        SplitCase{"NoDay", "2012年03月", DateTextParts{"2012", "03", ""}, std::nullopt},
        SplitCase{"MarkWhereDayBelongs", "2012年03月日", DateTextParts{"2012", "03", kHalfRi},
                  std::nullopt},
        SplitCase{"LetterInYear", "20a2年03月15日", DateTextParts{"20a2", "03", "15"},
                  std::nullopt},
        SplitCase{"LetterInDay", "2012年03月1x日", DateTextParts{"2012", "03", "1x"}, std::nullopt},
        SplitCase{"SignInMonth", "2012年+3月15日", DateTextParts{"2012", "+3", "15"}, std::nullopt},
        SplitCase{"Empty", "", std::nullopt, std::nullopt},
        SplitCase{"CutInsideMonthMark", "2012年03\xE6\x9C", std::nullopt, std::nullopt},
        SplitCase{"OneDigitMonth", "2012年3月15日", std::nullopt, std::nullopt},
        SplitCase{"ThreeDigitYear", "987年01月31日", std::nullopt, std::nullopt},
        SplitCase{"Dashes", "2012-03-15", std::nullopt, std::nullopt},
        SplitCase{"NoYearMark", "2012 03月15日", std::nullopt, std::nullopt},
        SplitCase{"NoMonthMark", "2012年03-15日xx", std::nullopt, std::nullopt}),
    [](const ::testing::TestParamInfo<SplitCase>& caseInfo) { return caseInfo.param.name; });

TEST(DateTextJoin, TakesPiecesAsGivenAndSplitsBack)
{
    EXPECT_EQ(JoinDateText("2012", "03", "15"), "2012年03月15日");
    // The plan panel joins the pickers' texts unchecked; its own checks come first.
    EXPECT_EQ(JoinDateText("", "3", "x"), "年3月x日");
    EXPECT_EQ(SplitDateText(JoinDateText("1997", "12", "31")), (DateTextParts{"1997", "12", "31"}));
}

struct IsoCase
{
    const char* name;
    std::string text;
    IsoDigits digits;
    std::optional<Date> date;
};

class IsoDateRead : public ::testing::TestWithParam<IsoCase>
{
};

// rates.csv demands the written form; --preview also takes a date as people type it.
TEST_P(IsoDateRead, ReadsAsWrittenAndWritesBack)
{
    const IsoCase& c = GetParam();
    EXPECT_EQ(ParseIsoDate(c.text, c.digits), c.date);
    if (c.date && c.digits == IsoDigits::Exact) {
        EXPECT_EQ(IsoDateText(*c.date), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates,
    IsoDateRead,
    ::testing::Values(
        IsoCase{"Whole", "2009-02-15", IsoDigits::Exact, Date{2009, 2, 15}},
        IsoCase{"LeadingZeros", "0099-01-08", IsoDigits::Exact, Date{99, 1, 8}},
        // Whether the day exists is the caller's question: a plan entry's checks name it.
        IsoCase{"DayPastMonthEnd", "2026-02-30", IsoDigits::Exact, Date{2026, 2, 30}},
        IsoCase{"ShortPiecesRefused", "2029-1-8", IsoDigits::Exact, std::nullopt},
        IsoCase{"ShortPiecesTyped", "2029-1-8", IsoDigits::Typed, Date{2029, 1, 8}},
        IsoCase{"WholeTyped", "2029-12-08", IsoDigits::Typed, Date{2029, 12, 8}},
        IsoCase{"EmptyMonth", "2029--08", IsoDigits::Typed, std::nullopt},
        IsoCase{"ThreeDigitDay", "2029-12-008", IsoDigits::Typed, std::nullopt},
        IsoCase{"ShortYear", "929-12-08", IsoDigits::Typed, std::nullopt},
        IsoCase{"ThirdDash", "2029-12-08-1", IsoDigits::Typed, std::nullopt},
        IsoCase{"SignInDay", "2029-12-+8", IsoDigits::Typed, std::nullopt},
        IsoCase{"Blank", "2029-12-08 ", IsoDigits::Exact, std::nullopt},
        IsoCase{"Slashes", "2029/12/08", IsoDigits::Typed, std::nullopt},
        IsoCase{"ChineseText", "2029年12月08日", IsoDigits::Typed, std::nullopt}),
    [](const ::testing::TestParamInfo<IsoCase>& caseInfo) { return caseInfo.param.name; });

} // namespace
} // namespace lumavo
