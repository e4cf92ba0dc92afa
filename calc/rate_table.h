#pragma once

#include <array>

namespace lumavo {

// 31 annual rates in percent: entry 0 for the days of the lending year, 1..30 for repayment
// years counted from the calendar year of the first payment. Entries stay rounded to three
// decimals.
class RateTable
{
  public:
    static constexpr int kEntries = 31;

    double At(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
    void Set(int index, double rate);
    void Fill(double rate);

    friend bool operator==(const RateTable&, const RateTable&) = default;

  private:
    std::array<double, kEntries> m_entries{};
};

} // namespace lumavo
