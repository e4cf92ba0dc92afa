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

Date AddDays(Date date, long days)
{
    date.d = EffectiveDay(date);
    for (; days > 0; --days) {
        if (++date.d > DaysInMonth(date.y, date.m)) {
            date.d = 1;
            if (++date.m > 12) {
                date.m = 1;
                ++date.y;
            }
        }
    }
    for (; days < 0; ++days) {
        if (--date.d < 1) {
            if (--date.m < 1) {
                date.m = 12;
                --date.y;
            }
            date.d = DaysInMonth(date.y, date.m);
        }
    }
    return date;
}

namespace {

constexpr std::string_view kYearMark = "年";
constexpr std::string_view kMonthMark = "月";
constexpr std::string_view kDayMark = "日";

} // namespace

std::optional<DateTextParts> SplitDateText(std::string_view text)
{
    constexpr std::size_t monthAt = 4 + kYearMark.size();
    constexpr std::size_t dayAt = monthAt + 2 + kMonthMark.size();
    if (text.size() < dayAt || text.substr(4, kYearMark.size()) != kYearMark ||
        text.substr(monthAt + 2, kMonthMark.size()) != kMonthMark)
        return std::nullopt;
    return DateTextParts{std::string(text.substr(0, 4)), std::string(text.substr(monthAt, 2)),
                         std::string(text.substr(dayAt, 2))};
}

std::string JoinDateText(std::string_view year, std::string_view month, std::string_view day)
{
    std::string text;
    text.reserve(year.size() + month.size() + day.size() + kYearMark.size() + kMonthMark.size() +
                 kDayMark.size());
    text.append(year).append(kYearMark);
    text.append(month).append(kMonthMark);
    text.append(day).append(kDayMark);
    return text;
}

std::string DateText(const Date& date)
{
    return JoinDateText(PadNumber(date.y, 4), PadNumber(date.m, 2), PadNumber(date.d, 2));
}

bool ParseDateText(const std::string& text, Date& out)
{
    const std::optional<DateTextParts> parts = SplitDateText(text);
    if (!parts || parts->day.size() != 2)
        return false;
    Date date;
    if (!ParseDigits(parts->year, date.y) || !ParseDigits(parts->month, date.m) ||
        !ParseDigits(parts->day, date.d))
        return false;
    out = date;
    return true;
}

std::string IsoDateText(const Date& date)
{
    return PadNumber(date.y, 4) + "-" + PadNumber(date.m, 2) + "-" + PadNumber(date.d, 2);
}

std::optional<Date> ParseIsoDate(std::string_view text, IsoDigits digits)
{
    const auto first = text.find('-');
    const auto second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const std::string_view month = text.substr(first + 1, second - first - 1);
    const std::string_view day = text.substr(second + 1);
    const std::size_t fewest = digits == IsoDigits::Typed ? 1 : 2;
    const auto fits = [fewest](std::string_view piece) {
        return piece.size() >= fewest && piece.size() <= 2;
    };
    Date date;
    if (first != 4 || !fits(month) || !fits(day) || !ParseDigits(text.substr(0, 4), date.y) ||
        !ParseDigits(month, date.m) || !ParseDigits(day, date.d))
        return std::nullopt;
    return date;
}

} // namespace lumavo
