#pragma once

#include "calc/loan_input.h"
#include "calc/schedule.h"
#include "common/date.h"
#include "common/loan_part.h"

#include <optional>
#include <string>
#include <vector>

namespace lumavo {

// From its day on, a part of the loan bears a rate other than the one before.
struct PartRateChange
{
    Date date;
    LoanPart part = LoanPart::S;
    double rate = 0; // percent a year

    friend bool operator==(const PartRateChange&, const PartRateChange&) = default;
};

// What the rates of a run were at one schedule row.
struct RowRates
{
    // The rate each part bears on the row's date, by PartIndex(); none for a part the loan does
    // not have or one settled by an earlier row.
    std::optional<double> rate[2];
    // Every change of a present part's rate after the previous row's date (the lending date for
    // the first row) up to the row's own, by part, then by date. A change on the row's date is
    // the row's: its interest still bears the old rate, its instalment the new one.
    std::vector<PartRateChange> changes;
};

// The rates behind each row of a schedule built from the input with these rates, in row order.
// Only real changes count: a table's year that repeats the rate before changes nothing.
std::vector<RowRates>
ScheduleRowRates(const Schedule& schedule, const LoanInput& input, const RunRates& rates);

// A row's rates as the grid's tooltip says them, one line each: a part that changed within the
// row's span by its changes ("2024年10月25日起 商业贷款年利率 3.900%"), another by its rate
// ("商业贷款年利率 4.200%").
std::string RowRatesTip(const RowRates& row);

} // namespace lumavo
