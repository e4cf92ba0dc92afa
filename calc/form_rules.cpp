#include "calc/form_rules.h"

#include "common/date.h"
#include "common/text.h"

#include <cmath>

namespace lumavo {

double DerivedLoanTotal(double area, double unitPrice, int ratioTenths)
{
    // The product is kept in extended precision until it is rounded, so a total that lands on
    // half a fen is decided by its exact value, not by a double's last bit.
    const long double total = static_cast<long double>(ratioTenths) *
                              (static_cast<long double>(area) * unitPrice) / 10.0L;
    const long double fen = 0.01L;
    return static_cast<double>(std::nearbyint(total / fen) * fen);
}

double RoundToTenThousands(double total)
{
    return RoundToDecimals(total, -4);
}

std::vector<std::string> PrepaymentYearTexts(const std::string& firstYearText, double periods)
{
    int first = 0;
    if (!ParseWholeNumber(firstYearText, first) || !(periods >= 0))
        return {};
    const double years = std::floor(std::trunc(periods) / 12);
    const int last = years > 9999.0 - first ? 9999 : first + static_cast<int>(years);
    return YearTexts(first, last);
}

std::vector<std::string> DayTexts(const std::string& yearText, const std::string& monthText)
{
    std::vector<std::string> days;
    const int count = DaysInMonth(yearText, monthText);
    for (int day = 1; day <= count; ++day)
        days.push_back(PadNumber(day, 2));
    return days;
}

std::vector<std::string> YearTexts(int first, int last)
{
    std::vector<std::string> years;
    for (int year = first; year <= last; ++year)
        years.push_back(PadNumber(year, 4));
    return years;
}

} // namespace lumavo
