#pragma once

#include "calc/loan_input.h"

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

enum class PartLetter
{
    S, // 商业贷款 commercial
    G, // 公积金贷款 provident fund
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

    bool Settles(PartLetter part) const;
};

struct ScheduleTotals
{
    double summary = 0; // 月还款额 (equal installment) or 月本金还款额 (equal principal)
    bool summaryEnabled = false;
    double hkze = 0;     // 还款总额
    double lxze = 0;     // 利息总额
    std::string endDate; // 还款截止日期: a blank, then the date text of the last row
};

struct Schedule
{
    std::vector<ScheduleRow> rows;
    ScheduleTotals totals;
    int gridRowCount =
        0; // header row + periods + plan entries; rows past the written ones stay empty
};

// The schedule of checked inputs with the rate tables of the run.
Schedule BuildSchedule(const LoanInput& input, Method method, const RunRates& rates);

// Checks, then builds: what 计算 does on a loan page.
std::variant<Schedule, Refusal> CalculateSchedule(const LoanInput& input,
                                                  Method method,
                                                  const RateTable& floatingS,
                                                  const RateTable& floatingG);

} // namespace lumavo
