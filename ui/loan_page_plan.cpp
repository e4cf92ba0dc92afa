#include "calc/plan.h"
#include "common/text.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/loan_page.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"
#include "ui/user_dialogs.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace lumavo {

namespace {

std::string Text(const ChooseCombo* combo)
{
    return combo->currentText().toStdString();
}

// The date text of a plan entry is "YYYY年MM月DD日"; its digits sit at fixed places.
struct EntryDate
{
    QString year, month, day;
};

EntryDate SplitEntryDate(const std::string& tqdate)
{
    const QString text = QString::fromStdString(tqdate);
    return {text.mid(0, 4), text.mid(5, 2), text.mid(8, 2)};
}

} // namespace

void LoanPage::SubmitPlanEntry()
{
    const PlanLoanContext loan{dkze->value(),    ajqs->value(), ratioS->value(), ratioG->value(),
                               Text(fdYear),     Text(fdMonth), Text(fdDay),     Text(firstYear),
                               Text(firstMonth), Text(firstDay)};
    const PlanSubmission submission{Text(tqYear),          Text(tqMonth),        Text(tqDay),
                                    tqhdType->ItemIndex(), oneover->isChecked(), tqse->value(),
                                    sdajqs->value()};
    const auto outcome = CheckPlanSubmission(m_plan, loan, submission);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        m_dialogs.Inform(m_page->window(), QString::fromStdString(refusal->message));
        return;
    }
    const PlanDecision& decision = std::get<PlanDecision>(outcome);
    const QSignalBlocker quiet(planList);
    if (decision.replaces) {
        if (planList->currentRow() == static_cast<int>(*decision.replaces))
            planList->setCurrentRow(-1);
        delete planList->takeItem(static_cast<int>(*decision.replaces));
    }
    InsertPlanItem(ApplyPlanDecision(m_plan, decision));
}

void LoanPage::InsertPlanItem(std::size_t index)
{
    planList->insertItem(static_cast<int>(index),
                         QString::fromStdString(m_plan.Items()[index].text));
}

void LoanPage::RemovePlanEntry()
{
    const int row = planList->currentRow();
    if (row < 0 || !planList->item(row)->isSelected())
        return;
    const QSignalBlocker quiet(planList);
    m_plan.Remove(static_cast<std::size_t>(row));
    delete planList->takeItem(row);
    // Nothing is shown as chosen that the fields do not hold.
    planList->setCurrentRow(-1);
}

void LoanPage::ShowSelectedPlanEntry()
{
    const int row = planList->currentRow();
    if (row < 0)
        return;
    const Ttqhd& entry = m_plan.Items()[static_cast<std::size_t>(row)].entry;
    const EntryDate date = SplitEntryDate(entry.tqdate);
    tqYear->setCurrentIndex(tqYear->findText(date.year));
    tqMonth->setCurrentIndex(tqMonth->findText(date.month));
    // The day list follows the entry's month, as it does when the month is picked by hand.
    if (tqYear->currentIndex() >= 0 && tqMonth->currentIndex() >= 0)
        PrepaymentDays();
    tqDay->setCurrentIndex(tqDay->findText(date.day));

    tqse->setValue(entry.tqse);
    sdajqs->setValue(entry.sdajqs);
    if (entry.tqhdType == "S")
        tqhdType->SetItemIndex(0);
    else if (entry.tqhdType == "G" || m_secondTab)
        tqhdType->SetItemIndex(1);
    oneover->setChecked(entry.oneover); // its rule runs when the state changes
}

void LoanPage::OneOverRule()
{
    const bool payOff = oneover->isChecked();
    if (payOff) {
        tqse->setValue(0);
        sdajqs->setValue(0);
    }
    tqse->setEnabled(!payOff);
    sdajqs->setEnabled(!payOff);
}

void LoanPage::FitPlanPanel()
{
    panel->FitToHost();
}

} // namespace lumavo
