#pragma once

#include "calc/reconcile.h"

#include <array>
#include <string>

namespace lumavo {

// The columns of a reconciliation's grid, left to right: the bank's row, ours, the differences,
// the rate the bank's interest implies.
enum class ReconcileColumn
{
    BankDate,
    BankPrincipal,
    BankInterest,
    BankBalance,
    OurDate,
    OurPrincipal,
    OurInterest,
    OurBalance,
    PrincipalDifference,
    InterestDifference,
    BalanceDifference,
    ImpliedRate,
};

inline constexpr int kReconcileColumns = 12;

constexpr int ColumnIndex(ReconcileColumn column)
{
    return static_cast<int>(column);
}

// The column's title on two lines ("银行\n本金"), as the 核对 page's header shows it.
std::string ReconcileColumnHeader(int column);

// The same on one line ("银行本金"), as files and the command line write it.
std::string ReconcileColumnTitle(int column);

// A row's twelve cell texts: "" for what the bank did not give, "0.00" for a difference that
// rounds to nothing.
std::array<std::string, kReconcileColumns> ReconciledRowTexts(const ReconciledRow& row);

} // namespace lumavo
