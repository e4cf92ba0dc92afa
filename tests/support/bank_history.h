#pragma once

#include "calc/bank_record.h"
#include "calc/schedule.h"
#include "common/text.h"

#include <vector>

namespace lumavo::testing_support {

// 1,000,000 commercial at 4.9 %, lent 2019-06-20, 30 years: a loan still running, with rate
// changes and prepayments in its bank's history to find.
inline LoanInput RunningLoan()
{
    LoanInput input;
    input.dkze = 1000000;
    input.ajqs = 360;
    input.nllS = 4.9;
    input.lending = {2019, 6, 20};
    input.firstPayment = {2019, 7, 20};
    return input;
}

// Every row of a commercial-only schedule as its bank books it: in fen, with the balance after
// and the kind named, oldest first.
inline std::vector<BankRecord> BankHistoryOf(const Schedule& schedule)
{
    std::vector<BankRecord> records;
    for (const ScheduleRow& row : schedule.rows) {
        const bool regular = row.kind == RowKind::Regular;
        BankRecord record;
        record.date = {row.date.y, row.date.m, EffectiveDay(row.date)};
        record.principal = RoundToDecimals(regular ? *row.principal : *row.prepaidS, 2);
        record.interest = RoundToDecimals(row.interest, 2);
        record.balance = RoundToDecimals(row.balance, 2);
        record.type = regular ? "正常扣款" : "提前还款";
        records.push_back(record);
    }
    return records;
}

} // namespace lumavo::testing_support
