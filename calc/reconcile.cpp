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
    Date from;        // the day its interest runs from
    int spanDays = 0; // the days its interest counts: 30 for an undisturbed month
    bool taken = false;
};

std::vector<PartRow> PartRows(const Schedule& schedule, const LoanInput& input, LoanPart part)
{
    std::vector<PartRow> rows;
    rows.reserve(schedule.rows.size());
    double balance = schedule.parts[PartIndex(part)].principal;
    Date from = input.lending;
    bool fromRegular = false;
    for (const ScheduleRow& row : schedule.rows) {
        const Date date{row.date.y, row.date.m, EffectiveDay(row.date)};
        const bool regular = row.kind == RowKind::Regular;
        const std::optional<double> prepaid = part == LoanPart::S ? row.prepaidS : row.prepaidG;
        PartRow partRow{&row,
                        date,
                        SerialDay(date),
                        regular ? row.principal.value_or(0) : prepaid.value_or(0),
                        balance,
                        from};
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

// The unmatched schedule row a bank row stands for: of its kind, on its day or, for a regular
// payment, the nearest day within reach. The rows are in date order.
PartRow* MatchFor(std::vector<PartRow>& rows, const BankRecord& record, bool prepayment)
{
    const long day = SerialDay(record.date);
    const long reach = prepayment ? 0 : kMostDaysOff;
    auto it = std::lower_bound(rows.begin(), rows.end(), day - reach,
                               [](const PartRow& row, long d) { return row.day < d; });
    PartRow* best = nullptr;
    for (; it != rows.end() && it->day <= day + reach; ++it) {
        if (it->taken || (it->row->kind == RowKind::Prepayment) != prepayment)
            continue;
        if (!best || std::labs(it->day - day) < std::labs(best->day - day))
            best = &*it;
    }
    return best;
}

// The balance before a bank row: the bank's own when it gives the balance after, else ours.
double BalanceBefore(const BankRecord& record, const PartRow& row)
{
    return record.balance ? *record.balance + record.principal : row.balanceBefore;
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
    out.impliedRate = ImpliedRate(record.interest, BalanceBefore(record, row), row.spanDays);
    return out;
}

// A bank row lined up with ours, with the span it covers.
struct Lined
{
    ReconciledRow row;
    std::size_t record = 0; // index into the records in date order
    PartRow ours;
};

struct Lineup
{
    std::vector<Lined> rows;
    std::vector<std::size_t> unmatched; // indexes into the records
    int matching = 0;
};

Lineup LineUp(const Schedule& schedule,
              const LoanInput& input,
              LoanPart part,
              const std::vector<BankRecord>& records)
{
    std::vector<PartRow> ours = PartRows(schedule, input, part);
    Lineup lineup;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const BankRecord& record = records[i];
        const BankRowKind kind = KindOf(record);
        PartRow* row = nullptr;
        if (kind != BankRowKind::Penalty) {
            row = MatchFor(ours, record, kind == BankRowKind::Prepayment);
            if (!row && kind == BankRowKind::Instalment)
                row = MatchFor(ours, record, true);
        }
        if (!row) {
            lineup.unmatched.push_back(i);
            continue;
        }
        row->taken = true;
        lineup.rows.push_back(Lined{Beside(record, *row), i, *row});
        lineup.matching += lineup.rows.back().row.Matches() ? 1 : 0;
    }
    return lineup;
}

// A rate in percent as a bank sets it: whole basis points when the fen the bank rounded the
// interest to allow it, else three decimals.
double SnappedRate(double rate, double balance, int days)
{
    const double slack = 0.005 * 360 * 100 / (balance * days) + 1e-9;
    const double points = std::round(rate * 100) / 100;
    if (std::fabs(rate - points) <= slack)
        return points;
    return std::round(rate * 1000) / 1000;
}

// Finds, row by row in date order, the prepayments and rate changes that make the part's
// schedule agree with the bank's: each time the earliest row that still differs is explained,
// the schedule is computed again and the next one looked at. A row that no change explains is
// passed over.
class SuggestionSearch
{
  public:
    SuggestionSearch(LoanInput alone,
                     Method method,
                     const RateTable& floatingS,
                     const RateTable& floatingG,
                     LoanPart part,
                     const std::vector<BankRecord>& records)
        : m_trial(std::move(alone)), m_method(method), m_floatingS(floatingS),
          m_floatingG(floatingG), m_part(part), m_records(records)
    {
    }

    // False when the loan with the suggestions no longer computes (never expected: each is
    // checked before it is kept).
    bool Run()
    {
        if (!Compute(m_trial, m_state))
            return false;
        for (int round = 0; round < kMostRounds; ++round) {
            const std::optional<Issue> issue = EarliestIssue();
            if (!issue)
                break;
            const bool explained =
                issue->missing ? AddPrepayment(issue->record) : ExplainRow(*issue->lined);
            if (!explained)
                m_passedOver.push_back(issue->record);
        }
        return true;
    }

    std::vector<RateAdjustment> changes;
    std::vector<Ttqhd> plan;
    const Lineup& Final() const { return m_state.lineup; }
    const LoanInput& Trial() const { return m_trial; }

  private:
    static constexpr int kMostRounds = 400;

    struct State
    {
        Schedule schedule;
        RatePath path;
        Lineup lineup;
    };

    struct Issue
    {
        std::size_t record = 0;
        bool missing = false;         // a booked prepayment the plan lacks
        const Lined* lined = nullptr; // else a row that differs
    };

    bool Compute(const LoanInput& input, State& state) const
    {
        auto checked = CheckLoanInput(input, m_floatingS, m_floatingG);
        const RunRates* rates = std::get_if<RunRates>(&checked);
        if (!rates)
            return false;
        state.schedule = BuildSchedule(input, m_method, *rates);
        state.path = m_part == LoanPart::S ? rates->s : rates->g;
        state.lineup = LineUp(state.schedule, input, m_part, m_records);
        return true;
    }

    bool PassedOver(std::size_t record) const
    {
        return std::find(m_passedOver.begin(), m_passedOver.end(), record) != m_passedOver.end();
    }

    std::optional<Issue> EarliestIssue() const
    {
        std::optional<Issue> first;
        const auto consider = [&](const Issue& issue) {
            if (!PassedOver(issue.record) && (!first || issue.record < first->record))
                first = issue;
        };
        for (const Lined& lined : m_state.lineup.rows)
            if (!lined.row.Matches())
                consider(Issue{lined.record, false, &lined});
        for (const std::size_t record : m_state.lineup.unmatched)
            if (KindOf(m_records[record]) != BankRowKind::Penalty &&
                m_records[record].principal > 0)
                consider(Issue{record, true, nullptr});
        return first;
    }

    // Keeps a candidate loan when it makes the record agree (in its interest alone, when a rate
    // is what the candidate changes); else leaves everything as it was.
    bool Try(const LoanInput& candidate, std::size_t record, bool interestAlone = false)
    {
        State next;
        if (!Compute(candidate, next))
            return false;
        const ReconciledRow* row = RowOf(next, record);
        if (!row || (interestAlone ? Differs(row->interestDifference) : !row->Matches()))
            return false;
        m_trial = candidate;
        m_state = std::move(next);
        return true;
    }

    // The amount a bank booked as prepaid is a fact, kept even when its row's interest follows
    // another rule than ours (some banks collect it with the next instalment).
    bool AddPrepayment(std::size_t record)
    {
        const BankRecord& bank = m_records[record];
        Ttqhd entry{DateText(bank.date), bank.principal, 0, m_part, false};
        LoanInput candidate = m_trial;
        candidate.plan.push_back(entry);
        State next;
        if (!Compute(candidate, next))
            return false;
        m_trial = std::move(candidate);
        m_state = std::move(next);
        plan.push_back(entry);
        FollowWithShortening(record);
        const ReconciledRow* row = RowOf(m_state, record);
        return row && row->Matches();
    }

    // A bank that keeps the instalment after a prepayment shortens the term instead: tried when
    // the next row then differs in its principal alone.
    void FollowWithShortening(std::size_t record)
    {
        const Lined* next = nullptr;
        for (const Lined& lined : m_state.lineup.rows)
            if (lined.record > record && !lined.row.prepayment) {
                next = &lined;
                break;
            }
        if (!next || next->row.Matches() || Differs(next->row.interestDifference))
            return;
        // More periods shortened, a higher instalment and so more principal: a bisection.
        const std::size_t following = next->record;
        int low = 1;
        int high = static_cast<int>(m_state.schedule.rows.size());
        while (low < high) {
            const int periods = (low + high) / 2;
            LoanInput candidate = m_trial;
            candidate.plan.back().sdajqs = periods;
            State state;
            const ReconciledRow* row =
                Compute(candidate, state) ? RowOf(state, following) : nullptr;
            if (!row)
                return;
            if (row->principalDifference > 0)
                low = periods + 1;
            else
                high = periods;
        }
        LoanInput candidate = m_trial;
        candidate.plan.back().sdajqs = low;
        if (Try(candidate, following))
            plan.back().sdajqs = low;
    }

    static const ReconciledRow* RowOf(const State& state, std::size_t record)
    {
        for (const Lined& lined : state.lineup.rows)
            if (lined.record == record)
                return &lined.row;
        return nullptr;
    }

    // A row charged at a rate other than ours: the whole span at a new rate (a change on the
    // day the span starts), or part of it (a change on the day the mix of the two rates gives).
    bool ExplainRow(const Lined& lined)
    {
        const BankRecord& bank = m_records[lined.record];
        const PartRow& ours = lined.ours;
        if (!Differs(lined.row.interestDifference))
            return false; // the rate agrees; a principal of another rule is not ours to guess
        const double before = BalanceBefore(bank, ours);
        const double oldRate = m_state.path.RateOn(ours.from);
        const std::optional<double> newRate = RateAfter(lined);
        if (!newRate || !(before > 0))
            return false;
        // The bank charged on after the row what we charge all through it: no change of rate
        // explains it (a fen of another rounding, a typing error).
        if (*newRate == oldRate && *newRate == m_state.path.RateOn(AddDays(ours.date, -1)))
            return false;
        const int days = static_cast<int>(ours.day - SerialDay(ours.from));
        // Days at the new rate, from the interest: I = B (d1 r_old + d2 r_new) / 36000.
        const double share = bank.interest * 36000 / before;
        const double atNew =
            *newRate == oldRate ? days : (share - days * oldRate) / (*newRate - oldRate);
        const long guess = std::clamp(std::lround(atNew), 1L, static_cast<long>(days));
        for (const long offset : {0L, -1L, 1L, -2L, 2L}) {
            const long d2 = guess + offset;
            if (d2 < 1 || d2 > days)
                continue;
            const RateAdjustment change{AddDays(ours.date, -d2), m_part, *newRate};
            LoanInput candidate = m_trial;
            std::erase_if(candidate.adjustments, [&](const RateAdjustment& a) {
                return a.date == change.date && a.part == change.part;
            });
            candidate.adjustments.push_back(change);
            SortAdjustments(candidate.adjustments);
            if (Try(candidate, lined.record, true)) {
                std::erase_if(changes,
                              [&](const RateAdjustment& a) { return a.date == change.date; });
                changes.push_back(change);
                SortAdjustments(changes);
                return true;
            }
        }
        return false;
    }

    // The rate the bank charged after the row: the next regular row's, whose span lies wholly
    // after; the row's own when it is the last. Every row before this one agrees, so its balance
    // before is ours; the next one's is that less what the bank booked in between.
    std::optional<double> RateAfter(const Lined& lined) const
    {
        const Lined* next = nullptr;
        for (const Lined& other : m_state.lineup.rows)
            if (other.record > lined.record && !other.row.prepayment) {
                next = &other;
                break;
            }
        const Lined& source = next ? *next : lined;
        const BankRecord& bank = m_records[source.record];
        double before = BalanceBefore(m_records[lined.record], lined.ours);
        for (std::size_t i = lined.record; i < source.record; ++i)
            if (KindOf(m_records[i]) != BankRowKind::Penalty)
                before -= m_records[i].principal;
        if (bank.balance)
            before = *bank.balance + bank.principal;
        const std::optional<double> rate = ImpliedRate(bank.interest, before, source.ours.spanDays);
        if (!rate)
            return std::nullopt;
        return SnappedRate(*rate, before, source.ours.spanDays);
    }

    LoanInput m_trial;
    Method m_method;
    const RateTable& m_floatingS;
    const RateTable& m_floatingG;
    LoanPart m_part;
    const std::vector<BankRecord>& m_records;
    State m_state;
    std::vector<std::size_t> m_passedOver;
};

} // namespace

bool Differs(double difference)
{
    return std::fabs(difference) >= 0.005;
}

bool ReconciledRow::Matches() const
{
    return !Differs(principalDifference) && !Differs(interestDifference) &&
           (!balanceDifference || !Differs(*balanceDifference));
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
    // Banks list the newest row first as often as the oldest.
    std::vector<BankRecord> sorted = records;
    std::stable_sort(sorted.begin(), sorted.end(), [](const BankRecord& a, const BankRecord& b) {
        return SerialDay(a.date) < SerialDay(b.date);
    });
    const LoanInput alone = PartAlone(input, part);
    const Schedule schedule = BuildSchedule(alone, method, std::get<RunRates>(checked));
    const Lineup asItStands = LineUp(schedule, alone, part, sorted);

    // Both ways of booking are searched; the one whose suggestions leave fewer rows differing is
    // the bank's, the loan's own on a tie.
    std::optional<SuggestionSearch> best;
    for (const bool rounding : {input.bankRounding, !input.bankRounding}) {
        LoanInput trial = alone;
        trial.bankRounding = rounding;
        SuggestionSearch search(trial, method, floatingS, floatingG, part, sorted);
        if (search.Run() && (!best || search.Final().matching > best->Final().matching))
            best.emplace(std::move(search));
    }

    Reconciliation result;
    result.part = part;
    for (const Lined& lined : asItStands.rows)
        result.rows.push_back(lined.row);
    for (const std::size_t record : asItStands.unmatched)
        result.unmatched.push_back(UnmatchedRecord{sorted[record], KindOf(sorted[record])});
    result.matching = asItStands.matching;
    result.differing = static_cast<int>(result.rows.size()) - asItStands.matching;
    result.bankRounding = input.bankRounding;
    result.loanRounding = input.bankRounding;
    if (best) {
        result.bankRounding = best->Trial().bankRounding;
        result.suggestedChanges = best->changes;
        result.suggestedPlan = best->plan;
        for (const Lined& lined : best->Final().rows)
            if (!lined.row.Matches())
                result.remaining.push_back(lined.row);
    }
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
    if (reconciliation.bankRounding != reconciliation.loanRounding)
        text += msg::ReconcileRounding(reconciliation.bankRounding);
    if (!reconciliation.remaining.empty()) {
        const ReconciledRow& first = reconciliation.remaining.front();
        text += msg::ReconcileRemaining(
            static_cast<int>(reconciliation.remaining.size()), DateText(first.bank.date),
            MoneyText(first.principalDifference), MoneyText(first.interestDifference));
    }
    // A prepayment the plan lacks is named above already.
    const auto suggested = [&](const BankRecord& record) {
        return std::any_of(reconciliation.suggestedPlan.begin(), reconciliation.suggestedPlan.end(),
                           [&](const Ttqhd& entry) {
                               return entry.tqdate == DateText(record.date) &&
                                      entry.tqse == record.principal;
                           });
    };
    const auto apart =
        std::count_if(reconciliation.unmatched.begin(), reconciliation.unmatched.end(),
                      [&](const UnmatchedRecord& record) { return !suggested(record.bank); });
    if (apart > 0)
        text += msg::ReconcileUnmatched(static_cast<int>(apart));
    return text;
}

} // namespace lumavo
