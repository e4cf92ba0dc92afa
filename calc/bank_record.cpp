#include "calc/bank_record.h"

#include "common/messages.h"

namespace lumavo {

BankRowKind KindOf(const BankRecord& record)
{
    const auto hasAny = [&](const auto& words) {
        for (const char* word : words)
            if (record.type.find(word) != std::string::npos)
                return true;
        return false;
    };
    if (hasAny(msg::kBankPenaltyWords))
        return BankRowKind::Penalty;
    if (hasAny(msg::kBankPrepaymentWords))
        return BankRowKind::Prepayment;
    return BankRowKind::Instalment;
}

} // namespace lumavo
