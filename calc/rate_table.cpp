#include "calc/rate_table.h"

#include "common/text.h"

namespace lumavo {

void RateTable::Set(int index, double rate)
{
    if (index < 0 || index >= kEntries)
        return;
    m_entries[static_cast<std::size_t>(index)] = RoundToDecimals(rate, 3);
}

void RateTable::Fill(double rate)
{
    const double rounded = RoundToDecimals(rate, 3);
    m_entries.fill(rounded);
}

} // namespace lumavo
