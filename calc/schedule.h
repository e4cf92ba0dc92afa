#pragma once

#include "calc/loan_input.h"
#include "common/loan_part.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumavo {

enum class RowKind
{
    Regular,    // the month's payment
    Prepayment, // one plan entry, or an S and a G entry of the same day
};

// One written row. The date keeps the day as written (a payment day of 31 stays 31 in
// February); absent values are the empty cells of the grid.
struct ScheduleRow
{
    RowKind kind = RowKind::Regular;
    Date date;
    double interest = 0;
    std::optional<double> principal; // regular rows only
    double payment = 0;
    double balance = 0;
    double interestSoFar = 0;
    std::optional<double> prepaidS;
    std::optional<double> prepaidG;

    bool Settles(LoanPart part) const;
};

struct ScheduleTotals
{
    double summary = 0; // 月还款额 (equal installment) or 月本金还款额 (equal principal)
    bool summaryEnabled = false;
    double hkze = 0;             // 还款总额
    double lxze = 0;             // 利息总额
    std::optional<Date> endDate; // 还款截止日期: the last row's; none without rows
};

// What a run leaves of one loan part, for the figures the grid does not show apart.
struct PartOutcome
{
    double principal = 0;
    double totalPaid = 0;               // interest plus principal of every row that touched it
    std::optional<Date> payoff;         // the row that settled its balance or its last period
    std::optional<double> firstPayment; // interest plus principal of its first regular payment
    // The level of its regular payments around the date a run was asked about: the annuity
    // (equal installment) or the monthly principal (equal principal) of the last regular payment
    // on or before that date, and of the first one after it.
    std::optional<double> levelBefore;
    std::optional<double> levelAfter;

    bool Present() const { return principal > 0; }
    double Interest() const { return totalPaid - principal; }
};

struct Schedule
{
    std::vector<ScheduleRow> rows;
    ScheduleTotals totals;
    int gridRowCount =
        0; // header row + periods + plan entries; rows past the written ones stay empty
    PartOutcome parts[2]; // by PartIndex()
};

// The schedule of checked inputs with the rate tables of the run; with a date, each part's
// payment level around it is noted as well.
Schedule BuildSchedule(const LoanInput& input,
                       Method method,
                       const RunRates& rates,
                       std::optional<Date> levelsAround = std::nullopt);

// Checks, then builds: what 计算 does on a loan page.
std::variant<Schedule, Refusal> CalculateSchedule(const LoanInput& input,
                                                  Method method,
                                                  const RateTable& floatingS,
                                                  const RateTable& floatingG);

} // namespace lumavo
