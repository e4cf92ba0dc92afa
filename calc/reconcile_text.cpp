#include "calc/reconcile_text.h"

#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

#include <iterator>
#include <optional>

namespace lumavo {

static_assert(std::size(msg::kReconcileColumns) == kReconcileColumns);

std::string ReconcileColumnHeader(int column)
{
    return msg::kReconcileColumns[column];
}

std::string ReconcileColumnTitle(int column)
{
    std::string title = ReconcileColumnHeader(column);
    std::erase(title, '\n');
    return title;
}

std::array<std::string, kReconcileColumns> ReconciledRowTexts(const ReconciledRow& row)
{
    const auto money = [](const std::optional<double>& value) {
        return value ? MoneyText(*value) : std::string();
    };
    // No "-0.00" for a difference that rounds to nothing.
    const auto difference = [&](const std::optional<double>& value) {
        return money(value && !Differs(*value) ? std::optional<double>(0.0) : value);
    };
    return {DateText(row.bank.date),
            MoneyText(row.bank.principal),
            MoneyText(row.bank.interest),
            money(row.bank.balance),
            DateText(row.ourDate),
            MoneyText(row.principal),
            MoneyText(row.interest),
            MoneyText(row.balance),
            difference(row.principalDifference),
            difference(row.interestDifference),
            difference(row.balanceDifference),
            row.impliedRate ? RateText(*row.impliedRate) : std::string()};
}

} // namespace lumavo
