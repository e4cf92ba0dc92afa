#pragma once

#include <string>

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
// outside 1..12.
int DaysInMonth(int year, int month);

// The same over the texts of the date pickers: -1 when either text is not a whole number.
int DaysInMonth(const std::string& yearText, const std::string& monthText);

// The day clamped to the last day of its month.
int EffectiveDay(const Date& date);

// Days since a fixed origin, with the program's own month lengths; differences are day counts.
long SerialDay(const Date& date);

// 30/360 count used only by the first-payment rule.
long DayNumber(const Date& date);

bool IsCalendarDate(const Date& date);

// "2009年02月15日"
std::string DateText(const Date& date);

// Reads "YYYY年MM月DD日" (or a prefix of it): year = four characters, month = two after "年",
// day = two after "月". False when any of them is not all digits.
bool ParseDateText(const std::string& text, Date& out);

} // namespace lumavo
