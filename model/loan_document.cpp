#include "model/loan_document.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace lumavo {

std::vector<RowRates> CalculationRowRates(const Calculation& calculation)
{
    // The same checks passed when the calculation was made, so they give its rates again.
    const auto checked =
        CheckLoanInput(calculation.input, calculation.floating.s, calculation.floating.g);
    const auto* rates = std::get_if<RunRates>(&checked);
    return rates ? ScheduleRowRates(calculation.schedule, calculation.input, *rates)
                 : std::vector<RowRates>{};
}

void LoanDocument::Replace(LoanForm form, PlanList plan, std::vector<RateAdjustment> adjustments)
{
    m_form = std::move(form);
    m_plan = std::move(plan);
    SetAdjustments(std::move(adjustments));
}

void LoanDocument::SetAdjustments(std::vector<RateAdjustment> adjustments)
{
    SortAdjustments(adjustments);
    m_adjustments = std::move(adjustments);
}

std::size_t LoanDocument::PutAdjustment(const RateAdjustment& adjustment)
{
    std::vector<RateAdjustment> adjustments;
    for (const RateAdjustment& a : m_adjustments)
        if (a.part != adjustment.part || SerialDay(a.date) != SerialDay(adjustment.date))
            adjustments.push_back(a);
    adjustments.push_back(adjustment);
    SetAdjustments(std::move(adjustments));
    const auto at = std::find(m_adjustments.begin(), m_adjustments.end(), adjustment);
    return static_cast<std::size_t>(at - m_adjustments.begin());
}

void LoanDocument::RemoveAdjustment(std::size_t index)
{
    if (index < m_adjustments.size())
        m_adjustments.erase(m_adjustments.begin() + static_cast<std::ptrdiff_t>(index));
}

LoanInput LoanDocument::Input() const
{
    LoanInput input = m_form.Input(m_plan.Entries());
    input.adjustments = m_adjustments;
    input.bankRounding = m_bankRounding;
    return input;
}

std::optional<Refusal> LoanDocument::Calculate()
{
    LoanInput input = Input();
    auto outcome = CalculateSchedule(input, m_method, m_floating.s, m_floating.g);
    if (auto* refusal = std::get_if<Refusal>(&outcome))
        return std::move(*refusal);
    m_calculation =
        Calculation{m_method, std::move(input), std::get<Schedule>(std::move(outcome)), m_floating};
    return std::nullopt;
}

bool LoanDocument::CalculationStale() const
{
    if (!m_calculation)
        return false;
    const LoanInput input = Input();
    return input != m_calculation->input ||
           (input.floatingRates && m_floating != m_calculation->floating);
}

std::variant<PlanChange, Refusal> LoanDocument::Submit(const PlanSubmission& submission)
{
    auto outcome = CheckPlanSubmission(m_plan, m_form.PlanContext(), submission);
    if (auto* refusal = std::get_if<Refusal>(&outcome))
        return std::move(*refusal);
    const PlanDecision& decision = std::get<PlanDecision>(outcome);
    return PlanChange{decision.replaces, ApplyPlanDecision(m_plan, decision)};
}

std::variant<PrepaymentPreview, Refusal>
LoanDocument::Preview(const PlanSubmission& submission) const
{
    return PreviewPrepayment(Input(), m_method, m_plan, m_form.PlanContext(), submission,
                             m_floating.s, m_floating.g);
}

std::variant<Reconciliation, Refusal> LoanDocument::Reconcile() const
{
    return lumavo::Reconcile(Input(), m_method, m_floating.s, m_floating.g, m_statement.part,
                             m_statement.records);
}

std::optional<Refusal> LoanDocument::TakeSuggestions(const Reconciliation& reconciliation)
{
    // Every entry is checked against a copy first, so a refusal leaves the page as it was.
    LoanDocument trial = *this;
    for (const Ttqhd& entry : reconciliation.suggestedPlan) {
        const std::optional<DateTextParts> date = SplitDateText(entry.tqdate);
        const std::optional<LoanPart> part = PartOf(entry);
        if (!date || !part)
            continue;
        PlanSubmission submission{date->year,    date->month, date->day,   *part,
                                  entry.oneover, entry.tqse,  entry.sdajqs};
        auto outcome = trial.Submit(submission);
        if (auto* refusal = std::get_if<Refusal>(&outcome))
            return std::move(*refusal);
    }
    for (const RateAdjustment& change : reconciliation.suggestedChanges)
        trial.PutAdjustment(change);
    trial.m_bankRounding = reconciliation.bankRounding;
    *this = std::move(trial);
    return std::nullopt;
}

std::variant<Comparison, Refusal> LoanDocument::Compare() const
{
    return CompareLoan(Input(), m_floating.s, m_floating.g);
}

} // namespace lumavo
