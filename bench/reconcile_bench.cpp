// 核对 on the longest statement a loan gives: 360 bank rows of a commercial loan, made from a
// schedule with two rate changes and a prepayment the loan being checked lacks, so the line-up
// differs from the first change on and the search has both changes and the prepayment to find.
#include "calc/reconcile.h"
#include "calc/schedule.h"
#include "common/date.h"
#include "tests/support/bank_history.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace lumavo;
using lumavo::testing_support::BankHistoryOf;
using lumavo::testing_support::RunningLoan;

// The bank's rows as its app lists them: every row of the schedule it really charged.
std::vector<BankRecord> Statement()
{
    LoanInput charged = RunningLoan();
    charged.adjustments = {{{2021, 3, 11}, LoanPart::S, 4.65}, {{2024, 1, 1}, LoanPart::S, 3.95}};
    charged.plan = {Ttqhd{"2022年05月20日", 100000, 0, LoanPart::S, false}};
    return BankHistoryOf(
        std::get<Schedule>(CalculateSchedule(charged, Method::Debx, RateTable{}, RateTable{})));
}

void BM_Reconcile360(benchmark::State& state)
{
    const LoanInput input = RunningLoan();
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
