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

PlanPanel::PlanPanel(const PlanControls& controls, bool secondTab, LoanDocument& document)
    : m_ui(controls), m_secondTab(secondTab), m_document(document)
{
}

void PlanPanel::ShowPlan()
{
    // Only the user's choices load entries into the fields.
    const QSignalBlocker quiet(m_ui.list);
    m_ui.list->clear();
    for (std::size_t i = 0; i < m_document.Plan().Size(); ++i)
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

std::optional<std::string> PlanPanel::Submit()
{
    const auto outcome = m_document.Submit(Submission());
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return refusal->message;
    const PlanChange& change = std::get<PlanChange>(outcome);
    const QSignalBlocker quiet(m_ui.list);
    if (change.removed) {
        const int row = static_cast<int>(*change.removed);
        if (m_ui.list->currentRow() == row)
            m_ui.list->setCurrentRow(-1);
        delete m_ui.list->takeItem(row);
    }
    // A new entry is not chosen; any other choice stays.
    InsertItem(change.inserted);
    ShowCount();
    return std::nullopt;
}

void PlanPanel::ShowCount()
{
    const PlanList& plan = m_document.Plan();
    m_ui.panel->SetNote(plan.Empty() ? QString()
                                     : QString::fromStdString(msg::PlanCount(plan.Size())));
}

void PlanPanel::InsertItem(std::size_t index)
{
    m_ui.list->insertItem(static_cast<int>(index),
                          QString::fromStdString(m_document.Plan().Items()[index].text));
}

void PlanPanel::RemoveChosen()
{
    const int row = m_ui.list->currentRow();
    if (row < 0 || !m_ui.list->item(row)->isSelected())
        return;
    const QSignalBlocker quiet(m_ui.list);
    m_document.RemovePlanItem(static_cast<std::size_t>(row));
    delete m_ui.list->takeItem(row);
    // Nothing is shown as chosen that the fields do not hold.
    m_ui.list->setCurrentRow(-1);
    ShowCount();
}

const Ttqhd* PlanPanel::ChosenEntry() const
{
    const int row = m_ui.list->currentRow();
    const PlanList& plan = m_document.Plan();
    if (row < 0 || static_cast<std::size_t>(row) >= plan.Size())
        return nullptr;
    return &plan.Items()[static_cast<std::size_t>(row)].entry;
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
