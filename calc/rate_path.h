#pragma once

#include "calc/rate_table.h"
#include "common/date.h"

#include <vector>

namespace lumavo {

// From its day on, a part bears this annual rate in percent.
struct RatePoint
{
    Date effective;
    double rate = 0;

    friend bool operator==(const RatePoint&, const RatePoint&) = default;
};

// The rates of one loan part over time: the rate of a day is that of the latest point on or
// before it; days before the first point bear the first point's rate. A day past its month's
// end counts as the month's last day, as in every day count. Without points every day bears 0.
class RatePath
{
  public:
    RatePath() = default;
    // Sorted by day; of points on one day the last one given counts.
    explicit RatePath(std::vector<RatePoint> points);

    const std::vector<RatePoint>& Points() const { return m_points; }
    // The serial day of each point, in step with Points().
    const std::vector<long>& Days() const { return m_days; }
    double RateOn(const Date& day) const;

    friend bool operator==(const RatePath& a, const RatePath& b)
    {
        return a.m_points == b.m_points;
    }

  private:
    std::vector<RatePoint> m_points;
    std::vector<long> m_days;
};

// A rate table read by its year rule: entry 0 on 1 January of each year from the lending year to
// the year before the first payment's, entry k on 1 January of the k-th year counted from the
// first payment's year, entry 30 on 1 January of every later year the longest term reaches. A
// year repeating its predecessor's rate keeps its point: interest is counted year by year.
RatePath PathFromTable(const RateTable& table, const Date& lending, const Date& firstPayment);

// The entry of a rate table that rule charges in a calendar year of the loan.
int TableEntryOfYear(int year, const Date& firstPayment);

} // namespace lumavo
