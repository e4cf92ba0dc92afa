#include "common/date.h"

#include "common/text.h"

namespace lumavo {

int DaysInMonth(const std::string& yearText, const std::string& monthText)
{
    int year = 0;
    int month = 0;
    if (!ParseWholeNumber(yearText, year) || !ParseWholeNumber(monthText, month))
        return -1;
    return DaysInMonth(year, month);
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
