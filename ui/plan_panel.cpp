#include "ui/plan_panel.h"

#include "common/messages.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace lumavo {

PlanPanel::PlanPanel(const PlanControls& controls, bool secondTab)
    : m_ui(controls), m_secondTab(secondTab)
{
}

void PlanPanel::SetPlan(PlanList plan)
{
    // Only the user's choices load entries into the fields.
    const QSignalBlocker quiet(m_ui.list);
    m_ui.list->clear();
    m_plan = std::move(plan);
    for (std::size_t i = 0; i < m_plan.Size(); ++i)
        InsertItem(i);
    ShowCount();
}

PlanSubmission PlanPanel::Submission() const
{
    return PlanSubmission{m_ui.year->currentText().toStdString(),
                          m_ui.month->currentText().toStdString(),
                          m_ui.day->currentText().toStdString(),
                          m_ui.part->ItemIndex() == 0 ? LoanPart::S : LoanPart::G,
                          m_ui.oneover->isChecked(),
                          m_ui.amount->value(),
                          m_ui.shorten->value()};
}

void PlanPanel::SetShortening(double periods)
{
    m_ui.shorten->setValue(periods);
}

std::optional<std::string> PlanPanel::Submit(const PlanLoanContext& loan)
{
    const auto outcome = CheckPlanSubmission(m_plan, loan, Submission());
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return refusal->message;
    const PlanDecision& decision = std::get<PlanDecision>(outcome);
    const QSignalBlocker quiet(m_ui.list);
    if (decision.replaces) {
        const int row = static_cast<int>(*decision.replaces);
        if (m_ui.list->currentRow() == row)
            m_ui.list->setCurrentRow(-1);
        delete m_ui.list->takeItem(row);
    }
    // A new entry is not chosen; any other choice stays.
    InsertItem(ApplyPlanDecision(m_plan, decision));
    ShowCount();
    return std::nullopt;
}

void PlanPanel::ShowCount()
{
    m_ui.panel->SetNote(m_plan.Empty() ? QString()
                                       : QString::fromStdString(msg::PlanCount(m_plan.Size())));
}

void PlanPanel::InsertItem(std::size_t index)
{
    m_ui.list->insertItem(static_cast<int>(index),
                          QString::fromStdString(m_plan.Items()[index].text));
}

void PlanPanel::RemoveChosen()
{
    const int row = m_ui.list->currentRow();
    if (row < 0 || !m_ui.list->item(row)->isSelected())
        return;
    const QSignalBlocker quiet(m_ui.list);
    m_plan.Remove(static_cast<std::size_t>(row));
    delete m_ui.list->takeItem(row);
    // Nothing is shown as chosen that the fields do not hold.
    m_ui.list->setCurrentRow(-1);
    ShowCount();
}

const Ttqhd* PlanPanel::ChosenEntry() const
{
    const int row = m_ui.list->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_plan.Size())
        return nullptr;
    return &m_plan.Items()[static_cast<std::size_t>(row)].entry;
}

void PlanPanel::ShowEntryFields(const Ttqhd& entry)
{
    m_ui.amount->setValue(entry.tqse);
    m_ui.shorten->setValue(entry.sdajqs);
    const std::optional<LoanPart> part = PartOf(entry);
    if (part == LoanPart::S)
        m_ui.part->SetItemIndex(0);
    else if (part == LoanPart::G || m_secondTab)
        m_ui.part->SetItemIndex(1);
    m_ui.oneover->setChecked(entry.oneover); // its rule runs when the state changes
}

void PlanPanel::OneOverRule()
{
    const bool payOff = m_ui.oneover->isChecked();
    if (payOff) {
        m_ui.amount->setValue(0);
        m_ui.shorten->setValue(0);
    }
    m_ui.amount->setEnabled(!payOff);
    m_ui.shorten->setEnabled(!payOff);
}

void PlanPanel::Fit()
{
    m_ui.panel->FitToHost();
}

void PlanPanel::Collapse()
{
    m_ui.panel->SetCollapsed(true);
}

} // namespace lumavo
