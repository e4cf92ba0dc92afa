#include "calc/reconcile.h"

#include "calc/schedule.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumavo {

namespace {

constexpr int kMostDaysOff = 2; // a due day moved past a weekend or a short holiday

bool Fen(double a)
{
    return std::fabs(a) < 0.005;
}

double FenDifference(double bank, double ours)
{
    return RoundToDecimals(bank - RoundToDecimals(ours, 2), 2);
}

// The loan of one part alone: the other part's share, entries and adjustments left out, so the
// schedule's rows are that part's.
LoanInput PartAlone(LoanInput input, LoanPart part)
{
    (part == LoanPart::S ? input.ratioG : input.ratioS) = 0;
    std::erase_if(input.plan, [&](const Ttqhd& entry) { return PartOf(entry) != part; });
    std::erase_if(input.adjustments,
                  [&](const RateAdjustment& adjustment) { return adjustment.part != part; });
    return input;
}

// A schedule row of the part with what the reconciliation needs of it.
struct PartRow
{
    const ScheduleRow* row = nullptr;
    Date date; // its day as it falls
    long day = 0;
    double principal = 0;
    double balanceBefore = 0;
    int spanDays = 0; // the days its interest counts: 30 for an undisturbed month
    bool taken = false;
};

std::vector<PartRow> PartRows(const Schedule& schedule, const LoanInput& input, LoanPart part)
{
    std::vector<PartRow> rows;
    rows.reserve(schedule.rows.size());
    double balance = PartPrincipal(input.dkze, part == LoanPart::S ? input.ratioS : input.ratioG);
    Date from = input.lending;
    bool fromRegular = false;
    for (const ScheduleRow& row : schedule.rows) {
        const Date date{row.date.y, row.date.m, EffectiveDay(row.date)};
        const bool regular = row.kind == RowKind::Regular;
        const std::optional<double> prepaid = part == LoanPart::S ? row.prepaidS : row.prepaidG;
        PartRow partRow{&row, date, SerialDay(date),
                        regular ? row.principal.value_or(0) : prepaid.value_or(0), balance};
        const bool nextMonth =
            date.m == (from.m % 12) + 1 && (date.m == 1 ? date.y == from.y + 1 : date.y == from.y);
        partRow.spanDays = regular && fromRegular && nextMonth
                               ? 30
                               : static_cast<int>(partRow.day - SerialDay(from));
        balance = row.balance;
        from = date;
        fromRegular = regular;
        rows.push_back(partRow);
    }
    return rows;
}

std::optional<double> ImpliedRate(double interest, double balanceBefore, int days)
{
    if (!(balanceBefore > 0) || days <= 0)
        return std::nullopt;
    return interest * 360 * 100 / (balanceBefore * days);
}

// The unmatched schedule row a bank row stands for: of its kind, on its day or the nearest day
// within reach.
PartRow* MatchFor(std::vector<PartRow>& rows, const BankRecord& record, bool prepayment)
{
    const long day = SerialDay(record.date);
    PartRow* best = nullptr;
    long bestOff = kMostDaysOff + 1;
    for (PartRow& row : rows) {
        if (row.taken || (row.row->kind == RowKind::Prepayment) != prepayment)
            continue;
        const long off = std::labs(row.day - day);
        if (off < bestOff && (off == 0 || !prepayment)) {
            best = &row;
            bestOff = off;
        }
    }
    return best;
}

ReconciledRow Beside(const BankRecord& record, const PartRow& row)
{
    ReconciledRow out;
    out.bank = record;
    out.ourDate = row.date;
    out.dayOffset = static_cast<int>(SerialDay(record.date) - row.day);
    out.prepayment = row.row->kind == RowKind::Prepayment;
    out.principal = row.principal;
    out.interest = row.row->interest;
    out.balance = row.row->balance;
    out.principalDifference = FenDifference(record.principal, out.principal);
    out.interestDifference = FenDifference(record.interest, out.interest);
    if (record.balance)
        out.balanceDifference = FenDifference(*record.balance, out.balance);
    const double before = record.balance ? *record.balance + record.principal : row.balanceBefore;
    out.impliedRate = ImpliedRate(record.interest, before, row.spanDays);
    return out;
}

struct Lineup
{
    std::vector<ReconciledRow> rows;
    std::vector<UnmatchedRecord> unmatched;
    int matching = 0;
};

Lineup LineUp(const Schedule& schedule,
              const LoanInput& input,
              LoanPart part,
              const std::vector<BankRecord>& records)
{
    std::vector<PartRow> ours = PartRows(schedule, input, part);
    Lineup lineup;
    for (const BankRecord& record : records) {
        const BankRowKind kind = KindOf(record);
        PartRow* row = nullptr;
        if (kind != BankRowKind::Penalty) {
            row = MatchFor(ours, record, kind == BankRowKind::Prepayment);
            if (!row && kind == BankRowKind::Instalment)
                row = MatchFor(ours, record, true);
        }
        if (!row) {
            lineup.unmatched.push_back(UnmatchedRecord{record, kind});
            continue;
        }
        row->taken = true;
        lineup.rows.push_back(Beside(record, *row));
        lineup.matching += lineup.rows.back().Matches() ? 1 : 0;
    }
    return lineup;
}

} // namespace

bool ReconciledRow::Matches() const
{
    return Fen(principalDifference) && Fen(interestDifference) &&
           (!balanceDifference || Fen(*balanceDifference));
}

std::variant<Reconciliation, Refusal> Reconcile(const LoanInput& input,
                                                Method method,
                                                const RateTable& floatingS,
                                                const RateTable& floatingG,
                                                LoanPart part,
                                                const std::vector<BankRecord>& records)
{
    if (records.empty())
        return Refusal{msg::kReconcileNoRecords};
    if (!((part == LoanPart::S ? input.ratioS : input.ratioG) > 0))
        return Refusal{
            msg::ReconcileNoPart(part == LoanPart::S ? msg::kLoanTypeS : msg::kLoanTypeG)};
    auto checked = CheckLoanInput(input, floatingS, floatingG);
    if (auto* refusal = std::get_if<Refusal>(&checked))
        return *refusal;
    const RunRates& rates = std::get<RunRates>(checked);
    const LoanInput alone = PartAlone(input, part);
    RunRates partRates = rates;
    // Rebuilt from the part's own adjustments, which PartAlone kept.
    const Schedule schedule = BuildSchedule(alone, method, partRates);
    Lineup lineup = LineUp(schedule, alone, part, records);

    Reconciliation result;
    result.part = part;
    result.rows = std::move(lineup.rows);
    result.unmatched = std::move(lineup.unmatched);
    result.matching = lineup.matching;
    result.differing = static_cast<int>(result.rows.size()) - lineup.matching;
    result.bankRounding = input.bankRounding;
    return result;
}

LoanInput WithSuggestions(LoanInput input, const Reconciliation& reconciliation)
{
    for (const RateAdjustment& change : reconciliation.suggestedChanges) {
        std::erase_if(input.adjustments, [&](const RateAdjustment& a) {
            return a.date == change.date && a.part == change.part;
        });
        input.adjustments.push_back(change);
    }
    SortAdjustments(input.adjustments);
    input.plan.insert(input.plan.end(), reconciliation.suggestedPlan.begin(),
                      reconciliation.suggestedPlan.end());
    input.bankRounding = reconciliation.bankRounding;
    return input;
}

std::string ReconciliationSummary(const Reconciliation& reconciliation)
{
    std::string text =
        msg::ReconcileCounts(static_cast<int>(reconciliation.rows.size()), reconciliation.matching);
    for (const RateAdjustment& change : reconciliation.suggestedChanges)
        text += msg::ReconcileRateFrom(DateText(change.date), RateText(change.rate));
    for (const Ttqhd& entry : reconciliation.suggestedPlan)
        text += msg::ReconcilePrepaymentMissing(entry.tqdate, MoneyText(entry.tqse));
    if (!reconciliation.unmatched.empty())
        text += msg::ReconcileUnmatched(static_cast<int>(reconciliation.unmatched.size()));
    return text;
}

} // namespace lumavo
