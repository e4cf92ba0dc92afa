// 核对 on the longest statement a loan gives: 360 bank rows of a commercial loan, made from a
// schedule with two rate changes and a prepayment the loan being checked lacks, so the line-up
// differs from the first change on and the search has both changes and the prepayment to find.
#include "calc/reconcile.h"
#include "calc/schedule.h"
#include "common/date.h"
#include "common/messages.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace lumavo;

LoanInput CheckedLoan()
{
    LoanInput input;
    input.dkze = 1000000;
    input.ajqs = 360;
    input.nllS = 4.9;
    input.lending = {2019, 6, 20};
    input.firstPayment = {2019, 7, 20};
    return input;
}

// The bank's rows as its app lists them: every row of the schedule it really charged.
std::vector<BankRecord> Statement()
{
    LoanInput charged = CheckedLoan();
    charged.adjustments = {{{2021, 3, 11}, LoanPart::S, 4.65}, {{2024, 1, 1}, LoanPart::S, 3.95}};
    charged.plan = {Ttqhd{"2022年05月20日", 100000, 0, LoanPart::S, false}};
    const auto outcome = CalculateSchedule(charged, Method::Debx, RateTable{}, RateTable{});
    std::vector<BankRecord> records;
    for (const ScheduleRow& row : std::get<Schedule>(outcome).rows) {
        BankRecord record;
        record.date = {row.date.y, row.date.m, EffectiveDay(row.date)};
        record.interest = row.interest;
        record.balance = row.balance;
        record.principal = row.principal ? *row.principal : row.prepaidS.value_or(0);
        if (row.kind == RowKind::Prepayment)
            record.type = msg::kBankPrepaymentWords[0];
        records.push_back(record);
    }
    return records;
}

void BM_Reconcile360(benchmark::State& state)
{
    const LoanInput input = CheckedLoan();
    const std::vector<BankRecord> records = Statement();
    for (auto _ : state) {
        auto outcome =
            Reconcile(input, Method::Debx, RateTable{}, RateTable{}, LoanPart::S, records);
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["rows"] = static_cast<double>(records.size());
}

BENCHMARK(BM_Reconcile360)->Unit(benchmark::kMillisecond);

} // namespace
