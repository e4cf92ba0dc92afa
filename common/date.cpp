#include "common/date.h"

#include "common/text.h"

namespace lumavo {

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return year % 4 == 0 ? 29 : 28;
    default:
        return 0;
    }
}

int DaysInMonth(const std::string& yearText, const std::string& monthText)
{
    int year = 0;
    int month = 0;
    if (!ParseWholeNumber(yearText, year) || !ParseWholeNumber(monthText, month))
        return -1;
    return DaysInMonth(year, month);
}

int EffectiveDay(const Date& date)
{
    const int last = DaysInMonth(date.y, date.m);
    return date.d > last ? last : date.d;
}

long SerialDay(const Date& date)
{
    // Whole four-year cycles of 1461 days, then the years and months before the date.
    const long y = date.y;
    const long cycles = (y >= 0 ? y : y - 3) / 4;
    const long yearInCycle = y - cycles * 4;
    long days = cycles * 1461 + yearInCycle * 365 + (yearInCycle > 0 ? 1 : 0);
    static constexpr int kDaysBefore[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    if (date.m >= 1 && date.m <= 12)
        days += kDaysBefore[date.m] + (date.m > 2 && yearInCycle == 0 ? 1 : 0);
    return days + EffectiveDay(date);
}

long DayNumber(const Date& date)
{
    return static_cast<long>(date.y) * 360 + date.m * 30 + date.d;
}

bool IsCalendarDate(const Date& date)
{
    return date.m >= 1 && date.m <= 12 && date.d >= 1 && date.d <= DaysInMonth(date.y, date.m);
}

std::string DateText(const Date& date)
{
    return PadNumber(date.y, 4) + "年" + PadNumber(date.m, 2) + "月" + PadNumber(date.d, 2) + "日";
}

bool ParseDateText(const std::string& text, Date& out)
{
    static const std::string kYear = "年";
    static const std::string kMonth = "月";
    const std::size_t monthAt = 4 + kYear.size();
    const std::size_t dayAt = monthAt + 2 + kMonth.size();
    if (text.size() < dayAt + 2 || text.compare(4, kYear.size(), kYear) != 0 ||
        text.compare(monthAt + 2, kMonth.size(), kMonth) != 0)
        return false;
    Date date;
    if (!ParseDigits(text.substr(0, 4), date.y) || !ParseDigits(text.substr(monthAt, 2), date.m) ||
        !ParseDigits(text.substr(dayAt, 2), date.d))
        return false;
    out = date;
    return true;
}

} // namespace lumavo
