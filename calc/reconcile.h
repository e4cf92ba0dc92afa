#pragma once

#include "calc/bank_record.h"
#include "calc/loan_input.h"
#include "calc/rate_adjustment.h"
#include "calc/rate_table.h"
#include "common/date.h"
#include "common/loan_part.h"
#include "common/ttqhd.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumavo {

// One bank row beside the schedule row of the part it was matched with. Amounts of ours are the
// part's alone; differences are bank minus ours, in whole fen.
struct ReconciledRow
{
    BankRecord bank;
    Date ourDate;            // the schedule row's date, the day of month as it falls
    int dayOffset = 0;       // bank date minus ours: a due day moved off a holiday, at most 2 days
    bool prepayment = false; // matched a prepayment row of the plan
    double principal = 0;    // for a prepayment row, the amount prepaid
    double interest = 0;
    double balance = 0;
    double principalDifference = 0;
    double interestDifference = 0;
    std::optional<double> balanceDifference; // when the bank gave a balance
    // The annual rate in percent the bank's interest implies over the row's span (360 days a year,
    // a regular month 30 days): none when the balance before was nothing.
    std::optional<double> impliedRate;

    bool Matches() const;
};

// Whether a difference in fen is one: bank minus ours rounds to a fen or more.
bool Differs(double difference);

// A bank row no schedule row stands for: a 罚息 or 逾期 booking, or a prepayment the plan lacks.
struct UnmatchedRecord
{
    BankRecord bank;
    BankRowKind kind = BankRowKind::Instalment;
};

struct Reconciliation
{
    LoanPart part = LoanPart::S;
    std::vector<ReconciledRow> rows; // against the loan as it stands, in date order
    std::vector<UnmatchedRecord> unmatched;
    int matching = 0;
    int differing = 0;
    // Whether the bank books whole fen per row (按分入账): the convention under which its rows,
    // with every suggestion applied, agree best.
    bool bankRounding = false;
    bool loanRounding = false;                    // the loan's own choice, as it stands
    std::vector<RateAdjustment> suggestedChanges; // of this part, in date order
    std::vector<Ttqhd> suggestedPlan;             // prepayments the bank booked and the plan lacks
    // With every suggestion applied, the rows that still differ, and by how much.
    std::vector<ReconciledRow> remaining;
};

// Lines the bank's rows of one part up with the part's schedule, then looks for the rate changes
// and prepayments that make them agree. Refuses what 计算 refuses, no rows, and a part the loan
// does not have.
std::variant<Reconciliation, Refusal> Reconcile(const LoanInput& input,
                                                Method method,
                                                const RateTable& floatingS,
                                                const RateTable& floatingG,
                                                LoanPart part,
                                                const std::vector<BankRecord>& records);

// The loan with a reconciliation's suggestions taken: its rate changes over the adjustments (one
// of the same day and part replaced), its prepayments added to the plan, its rounding.
LoanInput WithSuggestions(LoanInput input, const Reconciliation& reconciliation);

// "共 120 期，一致 98 期；自2023年09月25日起银行按 4.300% 计息，与本页利率不同": what a
// reconciliation found, in one line.
std::string ReconciliationSummary(const Reconciliation& reconciliation);

} // namespace lumavo
