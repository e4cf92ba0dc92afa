#include "calc/rate_path.h"

#include <algorithm>
#include <functional>

namespace lumavo {

RatePath::RatePath(std::vector<RatePoint> points)
{
    m_days.reserve(points.size());
    for (const RatePoint& point : points)
        m_days.push_back(SerialDay(point.effective));
    // Built paths come in order, one point a day: taken as they are.
    if (std::adjacent_find(m_days.begin(), m_days.end(), std::greater_equal<long>()) ==
        m_days.end()) {
        m_points = std::move(points);
        return;
    }
    std::vector<std::size_t> order(points.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return m_days[a] < m_days[b]; });
    std::vector<long> days;
    for (const std::size_t i : order) {
        if (!days.empty() && days.back() == m_days[i]) {
            m_points.back() = points[i];
            continue;
        }
        m_points.push_back(points[i]);
        days.push_back(m_days[i]);
    }
    m_days = std::move(days);
}

double RatePath::RateOn(const Date& day) const
{
    if (m_points.empty())
        return 0;
    const auto after = std::upper_bound(m_days.begin(), m_days.end(), SerialDay(day));
    return after == m_days.begin()
               ? m_points.front().rate
               : m_points[static_cast<std::size_t>(after - m_days.begin() - 1)].rate;
}

RatePath PathFromTable(const RateTable& table, const Date& lending, const Date& firstPayment)
{
    // The table has an entry for each year of the longest term, and its last payment falls at
    // most that many years after the first one's year, when the term starts late in a year.
    constexpr int kYearsReached = RateTable::kEntries - 1;
    std::vector<RatePoint> points;
    points.reserve(static_cast<std::size_t>(std::max(firstPayment.y - lending.y, 0)) +
                   kYearsReached + 1);
    for (int year = std::min(lending.y, firstPayment.y); year <= firstPayment.y + kYearsReached;
         ++year)
        points.push_back(
            RatePoint{Date{year, 1, 1}, table.At(TableEntryOfYear(year, firstPayment))});
    return RatePath(std::move(points));
}

int TableEntryOfYear(int year, const Date& firstPayment)
{
    if (year < firstPayment.y)
        return 0;
    return std::min(year - firstPayment.y + 1, RateTable::kEntries - 1);
}

} // namespace lumavo
