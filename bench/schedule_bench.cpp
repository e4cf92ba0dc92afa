// A 360-period combination loan with floating rates and a 20-entry plan: the largest schedule a
// page can ask for, computed the way 计算 computes it (checks included, texts not).
#include "calc/compare.h"
#include "calc/schedule.h"
#include "common/date.h"
#include "common/text.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

using namespace lumavo;

LoanInput LargestLoan()
{
    LoanInput input;
    input.dkze = 1500000;
    input.ajqs = 360;
    input.ratioS = 60;
    input.ratioG = 40;
    input.floatingRates = true;
    input.lending = {2010, 3, 10};
    input.firstPayment = {2010, 4, 10};
    // Ten S and ten G entries spread over the term: amounts, shortenings and shared days.
    for (int k = 0; k < 10; ++k) {
        const Date day{2011 + 2 * k, 1 + k % 12, 5 + k};
        input.plan.push_back(
            Ttqhd{DateText(day), 5000.0 + 1000 * k, k % 3 == 0 ? 6.0 : 0.0, LoanPart::G, false});
        input.plan.push_back(
            Ttqhd{DateText(day), 20000.0 + 500 * k, k % 4 == 0 ? 12.0 : 0.0, LoanPart::S, false});
    }
    return input;
}

RateTable Rates(double first, double step)
{
    RateTable table;
    for (int k = 0; k < RateTable::kEntries; ++k)
        table.Set(k, first + step * (k % 5));
    return table;
}

void Run(benchmark::State& state, Method method)
{
    const LoanInput input = LargestLoan();
    const RateTable s = Rates(5.94, 0.12);
    const RateTable g = Rates(3.87, 0.05);
    for (auto _ : state) {
        auto outcome = CalculateSchedule(input, method, s, g);
        benchmark::DoNotOptimize(outcome);
    }
}

void BM_EqualInstallment360(benchmark::State& state)
{
    Run(state, Method::Debx);
}
void BM_EqualPrincipal360(benchmark::State& state)
{
    Run(state, Method::Debj);
}

// The floor the engine is measured against: the same 360 monthly rows of two parts, written
// without a plan, day counts or checks; the annuity recomputed once a year at that year's rate,
// it and each month's interest rounded to the fen.
void BM_BareLoop360(benchmark::State& state)
{
    const LoanInput input = LargestLoan();
    const RateTable tables[2] = {Rates(5.94, 0.12), Rates(3.87, 0.05)};
    const double principal[2] = {input.dkze * input.ratioS / 100, input.dkze * input.ratioG / 100};
    for (auto _ : state) {
        std::vector<ScheduleRow> rows;
        rows.reserve(static_cast<std::size_t>(input.ajqs));
        double balance[2] = {principal[0], principal[1]};
        double annuity[2] = {0, 0};
        double monthly[2] = {0, 0};
        double interestSoFar = 0;
        Date due = input.firstPayment;
        for (int k = 0; k < static_cast<int>(input.ajqs); ++k) {
            double interest = 0;
            double repaid = 0;
            for (int p = 0; p < 2; ++p) {
                if (k == 0 || due.m == 1) {
                    const double n = input.ajqs - k;
                    monthly[p] =
                        tables[p].At(std::min(due.y - input.firstPayment.y + 1, 30)) / 100 / 12;
                    annuity[p] = RoundToDecimals(
                        balance[p] * monthly[p] / (1 - std::pow(1 + monthly[p], -n)), 2);
                }
                const double i = RoundToDecimals(balance[p] * monthly[p], 2);
                const double r = std::min(annuity[p] - i, balance[p]);
                balance[p] -= r;
                interest += i;
                repaid += r;
            }
            interestSoFar += interest;
            rows.push_back(ScheduleRow{RowKind::Regular,
                                       due,
                                       interest,
                                       repaid,
                                       interest + repaid,
                                       balance[0] + balance[1],
                                       interestSoFar,
                                       {},
                                       {}});
            if (!(RoundToDecimals(balance[0] + balance[1], 2) > 0))
                break;
            if (++due.m > 12) {
                due.m = 1;
                ++due.y;
            }
        }
        benchmark::DoNotOptimize(rows);
    }
}

// 60 利率调整 per part, one every six months on a day of its own (the 18th, between payments on
// the 10th), so each splits its period by days and the annuity is recomputed after it.
std::vector<RateAdjustment> SixtyPerPart()
{
    std::vector<RateAdjustment> adjustments;
    for (int k = 0; k < 60; ++k) {
        const Date day{2010 + (k + 1) / 2, (k + 1) % 2 == 0 ? 3 : 9, 18};
        adjustments.push_back(RateAdjustment{day, LoanPart::S, 4.9 + 0.01 * (k % 7)});
        adjustments.push_back(RateAdjustment{day, LoanPart::G, 3.1 + 0.01 * (k % 5)});
    }
    return adjustments;
}

// The same loan with and without the adjustments, measured in one run so their ratio holds.
void RateChanges(benchmark::State& state, bool withChanges)
{
    LoanInput input = LargestLoan();
    if (withChanges)
        input.adjustments = SixtyPerPart();
    const RateTable s = Rates(5.94, 0.12);
    const RateTable g = Rates(3.87, 0.05);
    for (auto _ : state) {
        auto outcome = CalculateSchedule(input, Method::Debx, s, g);
        benchmark::DoNotOptimize(outcome);
    }
}

void BM_RateChanges360_None(benchmark::State& state)
{
    RateChanges(state, false);
}
void BM_RateChanges360_SixtyPerPart(benchmark::State& state)
{
    RateChanges(state, true);
}

// 对比: both methods, with and without the plan.
void BM_Compare360(benchmark::State& state)
{
    const LoanInput input = LargestLoan();
    const RateTable s = Rates(5.94, 0.12);
    const RateTable g = Rates(3.87, 0.05);
    for (auto _ : state) {
        auto outcome = CompareLoan(input, s, g);
        benchmark::DoNotOptimize(outcome);
    }
}

// 试算: a further commercial prepayment on that loan, both ways, with the search for the
// shortening that keeps the payment.
void Preview(benchmark::State& state, Method method)
{
    const LoanInput input = LargestLoan();
    const RateTable s = Rates(5.94, 0.12);
    const RateTable g = Rates(3.87, 0.05);
    PlanList plan;
    for (const Ttqhd& entry : input.plan)
        plan.Add(entry);
    const PlanLoanContext loan{input.dkze, input.ajqs, input.ratioS, input.ratioG, "2010",
                               "03",       "10",       "2010",       "04",         "10"};
    const PlanSubmission entry{"2016", "06", "10", LoanPart::S, false, 100000, 0};
    for (auto _ : state) {
        auto outcome = PreviewPrepayment(input, method, plan, loan, entry, s, g);
        benchmark::DoNotOptimize(outcome);
    }
}

void BM_PreviewEqualInstallment360(benchmark::State& state)
{
    Preview(state, Method::Debx);
}
void BM_PreviewEqualPrincipal360(benchmark::State& state)
{
    Preview(state, Method::Debj);
}

BENCHMARK(BM_BareLoop360);
BENCHMARK(BM_EqualInstallment360);
BENCHMARK(BM_EqualPrincipal360);
BENCHMARK(BM_Compare360);
BENCHMARK(BM_PreviewEqualInstallment360);
BENCHMARK(BM_PreviewEqualPrincipal360);
BENCHMARK(BM_RateChanges360_None);
BENCHMARK(BM_RateChanges360_SixtyPerPart);

} // namespace

BENCHMARK_MAIN();
