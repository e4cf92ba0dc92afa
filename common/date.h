#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumavo {

// A calendar date as the program writes it. The day may lie past the end of its month
// (a payment day of 31 in February): texts keep it, day counts use EffectiveDay().
struct Date
{
    int y = 0;
    int m = 0;
    int d = 0;

    friend bool operator==(const Date&, const Date&) = default;
};

// Month length with every year divisible by 4 a leap year (no century rule); 0 for a month
// outside 1..12. Inline with the day counts below: the schedule asks them for every span.
inline int DaysInMonth(int year, int month)
{
    static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && year % 4 == 0 ? 29 : kDays[month];
}

// Days from F to T, for T in the same month as F or the next one.
inline int SpanDays(const Date& from, const Date& to)
{
    if (from.m == to.m)
        return to.d - from.d;
    return DaysInMonth(from.y, from.m) - from.d + to.d;
}

// The same over the texts of the date pickers: -1 when either text is not a whole number.
int DaysInMonth(const std::string& yearText, const std::string& monthText);

// The day clamped to the last day of its month.
inline int EffectiveDay(const Date& date)
{
    const int last = DaysInMonth(date.y, date.m);
    return date.d > last ? last : date.d;
}

// Days since a fixed origin, with the program's own month lengths; differences are day counts.
inline long SerialDay(const Date& date)
{
    // Whole four-year cycles of 1461 days, then the years and months before the date.
    static constexpr int kDaysBefore[13] = {0,   0,   31,  59,  90,  120, 151,
                                            181, 212, 243, 273, 304, 334};
    const long y = date.y;
    const long cycles = (y >= 0 ? y : y - 3) / 4;
    const long yearInCycle = y - cycles * 4;
    long days = cycles * 1461 + yearInCycle * 365 + (yearInCycle > 0 ? 1 : 0);
    if (date.m >= 1 && date.m <= 12)
        days += kDaysBefore[date.m] + (date.m > 2 && yearInCycle == 0 ? 1 : 0);
    return days + EffectiveDay(date);
}

// 30/360 count used only by the first-payment rule.
long DayNumber(const Date& date);

bool IsCalendarDate(const Date& date);

// The calendar date a number of days after (or, negative, before) a date, its day clamped first.
Date AddDays(Date date, long days);

// The pieces of a date text "YYYY年MM月DD日", as written.
struct DateTextParts
{
    std::string year;
    std::string month;
    std::string day;

    friend bool operator==(const DateTextParts&, const DateTextParts&) = default;
};

// Cuts by byte position: year = bytes 0..3, then "年", month = the next two bytes, then "月",
// day = the two bytes after it, or fewer when the text ends sooner (possibly none). Whatever
// follows the day, the closing "日" included, is not looked at, and no piece is checked for
// digits: the callers differ in what they demand of each. nullopt when the text is shorter than
// "YYYY年MM月" or either mark is not where it belongs.
std::optional<DateTextParts> SplitDateText(std::string_view text);

// year + "年" + month + "月" + day + "日", the pieces taken as given.
std::string JoinDateText(std::string_view year, std::string_view month, std::string_view day);

// "2009年02月15日"
std::string DateText(const Date& date);

// Reads "YYYY年MM月DD日" (or a prefix of it that keeps the day's two bytes). False when a piece
// is not all digits or the day is short. A day past its month's end is read as written.
bool ParseDateText(const std::string& text, Date& out);

// "2009-02-15": the form of dates in rates.csv and on the command line.
std::string IsoDateText(const Date& date);

// How many digits ParseIsoDate asks of the month and the day.
enum class IsoDigits
{
    Exact, // two each, "2029-01-08", as files write them
    Typed, // one will do, "2029-1-8", as people type them
};

// Reads a four-digit year, the month and the day joined by "-", as written: the day is not
// checked against its month. nullopt when the text has another shape or a piece is not all
// digits.
std::optional<Date> ParseIsoDate(std::string_view text, IsoDigits digits = IsoDigits::Exact);

} // namespace lumavo
