#include "calc/compare.h"

#include "calc/schedule_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>

namespace lumavo {

namespace {

PartFigures FiguresOf(const PartOutcome& part)
{
    return {part.Present(), part.principal,    RoundToDecimals(part.Interest(), 2),
            part.payoff,    part.firstPayment, std::nullopt};
}

ScenarioFigures FiguresOf(const Scenario& scenario, Schedule schedule)
{
    ScenarioFigures figures;
    figures.scenario = scenario;
    const auto& rows = schedule.rows;
    const auto isRegular = [](const ScheduleRow& row) { return row.kind == RowKind::Regular; };
    const auto first = std::find_if(rows.begin(), rows.end(), isRegular);
    const auto last = std::find_if(rows.rbegin(), rows.rend(), isRegular);
    if (first != rows.end())
        figures.firstPayment = first->payment;
    if (last != rows.rend())
        figures.lastPayment = last->payment;
    for (int part = 0; part < 2; ++part)
        figures.parts[part] = FiguresOf(schedule.parts[part]);
    figures.schedule = std::move(schedule);
    return figures;
}

std::optional<Date> LastRowDate(const Schedule& schedule)
{
    if (schedule.rows.empty())
        return std::nullopt;
    return schedule.rows.back().date;
}

// What the plan saves against the same method without it.
void WeighPlan(ScenarioFigures& withPlan, const ScenarioFigures& noPlan)
{
    withPlan.interestSaved =
        RoundToDecimals(noPlan.schedule.totals.lxze - withPlan.schedule.totals.lxze, 2);
    const auto planEnd = LastRowDate(withPlan.schedule);
    const auto noPlanEnd = LastRowDate(noPlan.schedule);
    withPlan.monthsSaved = planEnd && noPlanEnd ? MonthsBetween(*planEnd, *noPlanEnd) : 0;
    for (int part = 0; part < 2; ++part) {
        PartFigures& figures = withPlan.parts[part];
        const PartFigures& without = noPlan.parts[part];
        if (figures.present && without.present)
            figures.monthsSaved = figures.payoff && without.payoff
                                      ? MonthsBetween(*figures.payoff, *without.payoff)
                                      : 0;
    }
}

// The figures that set one scenario against another of the same comparison.
void WeighScenarios(Comparison& comparison)
{
    for (ScenarioFigures& figures : comparison.scenarios) {
        const Scenario& scenario = figures.scenario;
        if (scenario.plan == PlanChoice::PagePlan)
            if (const auto* noPlan = comparison.Find({scenario.method, PlanChoice::NoPlan}))
                WeighPlan(figures, *noPlan);
        if (scenario.method == Method::Debx)
            if (const auto* debj = comparison.Find({Method::Debj, scenario.plan}))
                figures.methodDifference =
                    RoundToDecimals(figures.schedule.totals.lxze - debj->schedule.totals.lxze, 2);
    }
}

bool SameEntry(const Ttqhd& a, const Ttqhd& b)
{
    return a.tqdate == b.tqdate && a.tqhdType == b.tqhdType && a.tqse == b.tqse &&
           a.oneover == b.oneover;
}

// A run of the page's plan with the proposed entry, shortening by the given periods.
class PreviewRuns
{
  public:
    PreviewRuns(const LoanInput& input,
                Method method,
                const RunRates& rates,
                const PlanList& plan,
                const PlanDecision& decision,
                LoanPart part)
        : m_method(method), m_rates(rates), m_plan(plan), m_decision(decision),
          m_part(PartIndex(part)), m_run(input)
    {
        ParseDateText(decision.entry.tqdate, m_date);
        m_run.plan = plan.Entries();
        m_base = BuildSchedule(m_run, method, rates, m_date);
    }

    // The part's regular payment before the prepayment; an entry before the first payment is
    // measured against that first payment.
    double LevelBefore() const
    {
        const PartOutcome& part = m_base.parts[m_part];
        return part.levelBefore.value_or(part.levelAfter.value_or(0));
    }

    // Also whether a regular payment of the part follows the prepayment at all.
    std::pair<PreviewOutcome, bool> Run(double shorten)
    {
        PlanList plan = m_plan;
        PlanDecision decision = m_decision;
        decision.entry.sdajqs = shorten;
        ApplyPlanDecision(plan, decision);
        m_run.plan = plan.Entries();
        const Schedule schedule = BuildSchedule(m_run, m_method, m_rates, m_date);
        const PartOutcome& part = schedule.parts[m_part];
        PreviewOutcome outcome;
        outcome.level = part.levelAfter.value_or(0);
        outcome.shortened = shorten;
        outcome.interestSaved = RoundToDecimals(m_base.totals.lxze - schedule.totals.lxze, 2);
        outcome.partEnd = part.payoff;
        outcome.loanEnd = EndDateText(schedule.totals);
        return {outcome, part.levelAfter.has_value()};
    }

    // The entry leaves the schedule as it was: a part already repaid, or a day past the end.
    bool ChangesNothing(const PreviewOutcome& outcome) const
    {
        const PartOutcome& part = m_base.parts[m_part];
        return outcome.interestSaved == 0 && outcome.loanEnd == EndDateText(m_base.totals) &&
               outcome.partEnd == part.payoff &&
               outcome.level == part.levelAfter.value_or(outcome.level);
    }

  private:
    Method m_method;
    const RunRates& m_rates;
    const PlanList& m_plan;
    const PlanDecision& m_decision;
    int m_part;
    LoanInput m_run;
    Date m_date;
    Schedule m_base;
};

} // namespace

int MonthsBetween(const Date& earlier, const Date& later)
{
    return (later.y - earlier.y) * 12 + (later.m - earlier.m);
}

const std::vector<Scenario>& StandardScenarios()
{
    static const std::vector<Scenario> scenarios = {
        {Method::Debx, PlanChoice::PagePlan},
        {Method::Debx, PlanChoice::NoPlan},
        {Method::Debj, PlanChoice::PagePlan},
        {Method::Debj, PlanChoice::NoPlan},
    };
    return scenarios;
}

const ScenarioFigures* Comparison::Find(const Scenario& scenario) const
{
    const auto found =
        std::find_if(scenarios.begin(), scenarios.end(),
                     [&scenario](const ScenarioFigures& f) { return f.scenario == scenario; });
    return found == scenarios.end() ? nullptr : &*found;
}

std::variant<Comparison, Refusal> CompareLoan(const LoanInput& input,
                                              const std::vector<Scenario>& scenarios,
                                              const RateTable& floatingS,
                                              const RateTable& floatingG)
{
    const auto checked = CheckLoanInput(input, floatingS, floatingG);
    if (const auto* refusal = std::get_if<Refusal>(&checked))
        return *refusal;
    const RunRates& rates = std::get<RunRates>(checked);
    LoanInput withoutPlan = input;
    withoutPlan.plan.clear();
    Comparison comparison;
    comparison.scenarios.reserve(scenarios.size());
    for (const Scenario& scenario : scenarios) {
        const LoanInput& run = scenario.plan == PlanChoice::PagePlan ? input : withoutPlan;
        comparison.scenarios.push_back(
            FiguresOf(scenario, BuildSchedule(run, scenario.method, rates)));
    }
    WeighScenarios(comparison);
    return comparison;
}

std::variant<Comparison, Refusal>
CompareLoan(const LoanInput& input, const RateTable& floatingS, const RateTable& floatingG)
{
    return CompareLoan(input, StandardScenarios(), floatingS, floatingG);
}

std::variant<PrepaymentPreview, Refusal> PreviewPrepayment(const LoanInput& input,
                                                           Method method,
                                                           const PlanList& plan,
                                                           const PlanLoanContext& loan,
                                                           const PlanSubmission& submission,
                                                           const RateTable& floatingS,
                                                           const RateTable& floatingG)
{
    const auto decided = CheckPlanSubmission(plan, loan, submission);
    if (const auto* refusal = std::get_if<Refusal>(&decided))
        return *refusal;
    const auto checked = CheckLoanInput(input, floatingS, floatingG);
    if (const auto* refusal = std::get_if<Refusal>(&checked))
        return *refusal;
    const PlanDecision& decision = std::get<PlanDecision>(decided);
    const RunRates& rates = std::get<RunRates>(checked);

    // An entry already in the plan (as after 提交 of the last 试算) is weighed against the plan
    // without it; otherwise it would seem to save nothing.
    PlanList base = plan;
    PlanDecision proposed = decision;
    if (proposed.replaces && SameEntry(plan.Entries()[*proposed.replaces], proposed.entry)) {
        base.Remove(*proposed.replaces);
        proposed.replaces.reset();
    }

    PrepaymentPreview preview;
    preview.part = submission.part;
    PreviewRuns runs(input, method, rates, base, proposed, preview.part);
    preview.levelBefore = runs.LevelBefore();
    const auto [keepTerm, paymentsFollow] = runs.Run(0);
    if (runs.ChangesNothing(keepTerm))
        return Refusal{msg::kPreviewChangesNothing};
    preview.keepTerm = keepTerm;
    preview.keepPayment = keepTerm;
    if (decision.entry.oneover || !paymentsFollow)
        return preview;

    // The payment grows with the shortening, so the largest one that keeps it is found by
    // halving, within what the cumulative check of 提交 allows.
    const double ceiling = RoundToDecimals(preview.levelBefore, 2);
    double low = 0;
    // The periods of the part's other entries, which the cumulative check adds to the new one.
    const double others = SumOfPart(base, submission.part, proposed.replaces).periods;
    double high = std::floor(std::max(0.0, loan.ajqs - others));
    while (low < high) {
        const double middle = std::floor((low + high + 1) / 2);
        const auto [outcome, follows] = runs.Run(middle);
        if (follows && RoundToDecimals(outcome.level, 2) <= ceiling) {
            low = middle;
            preview.keepPayment = outcome;
        } else {
            high = middle - 1;
        }
    }
    // A shortening that saves no more than keeping the term is no choice at all.
    if (!(preview.keepPayment.interestSaved > preview.keepTerm.interestSaved))
        preview.keepPayment = preview.keepTerm;
    return preview;
}

} // namespace lumavo
