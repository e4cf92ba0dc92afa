#include "ui/adjustment_panel.h"

#include "common/messages.h"
#include "common/text.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace lumavo {

namespace {

// The items with the one showing this text chosen, or the first.
void ShowKeepingChoice(ChooseCombo* combo, const std::vector<std::string>& items)
{
    const std::string shown = combo->currentText().toStdString();
    const auto at = std::find(items.begin(), items.end(), shown);
    combo->ShowChoices(
        items, items.empty() ? -1 : static_cast<int>(at == items.end() ? 0 : at - items.begin()));
}

LoanPart PartOfItem(int index)
{
    return index == 1 ? LoanPart::G : LoanPart::S;
}

} // namespace

AdjustmentPanel::AdjustmentPanel(const AdjustmentControls& controls, LoanDocument& document)
    : m_ui(controls), m_document(document)
{
    m_ui.month->ShowChoices(NumberTexts(1, 12, 2), 0);
    ShowLoan();
}

void AdjustmentPanel::ShowAdjustments()
{
    // Only the user's choices load entries into the fields.
    const QSignalBlocker quiet(m_ui.list);
    m_ui.list->clear();
    for (const RateAdjustment& adjustment : m_document.Adjustments())
        m_ui.list->addItem(QString::fromStdString(AdjustmentText(adjustment)));
    ShowCount();
}

void AdjustmentPanel::ShowLoan()
{
    const LoanForm& form = m_document.Form();
    ShowKeepingChoice(m_ui.year, AdjustmentYearTexts(form.Choice(FormPicker::LendingYear).Text(),
                                                     form.Choice(FormPicker::FirstYear).Text(),
                                                     form.Number(FormNumber::Periods).value));
    ShowDays();
    const bool offersS = form.loanType != static_cast<int>(LoanTypeIndex::Provident);
    const bool offersG = form.loanType != static_cast<int>(LoanTypeIndex::Commercial);
    m_ui.part->Item(0)->setEnabled(offersS);
    m_ui.part->Item(1)->setEnabled(offersG);
    // The rules price the commercial part only.
    m_ui.byRule->setEnabled(offersS);
    m_ui.byRule->setToolTip(offersS ? QString() : QString::fromUtf8(msg::kRuleDialogNoCommercial));
    if (!offersS)
        m_ui.part->SetItemIndex(1);
    else if (!offersG)
        m_ui.part->SetItemIndex(0);
}

void AdjustmentPanel::ShowDays()
{
    ShowKeepingChoice(m_ui.day, DayTexts(m_ui.year->currentText().toStdString(),
                                         m_ui.month->currentText().toStdString()));
}

std::optional<std::string> AdjustmentPanel::Add()
{
    Date date;
    if (!ParseWholeNumber(m_ui.year->currentText().toStdString(), date.y) ||
        !ParseWholeNumber(m_ui.month->currentText().toStdString(), date.m) ||
        !ParseWholeNumber(m_ui.day->currentText().toStdString(), date.d))
        return std::string(msg::kAdjustmentDateInvalid);
    const std::size_t at = m_document.PutAdjustment(
        RateAdjustment{date, PartOfItem(m_ui.part->ItemIndex()), m_ui.rate->value()});
    ShowAdjustments();
    // The new entry is shown, not chosen, as in the plan list.
    m_ui.list->scrollToItem(m_ui.list->item(static_cast<int>(at)));
    return std::nullopt;
}

void AdjustmentPanel::RemoveChosen()
{
    const int row = m_ui.list->currentRow();
    if (row < 0 || !m_ui.list->item(row)->isSelected())
        return;
    m_document.RemoveAdjustment(static_cast<std::size_t>(row));
    ShowAdjustments();
}

void AdjustmentPanel::ShowChosen()
{
    const int row = m_ui.list->currentRow();
    const std::vector<RateAdjustment>& adjustments = m_document.Adjustments();
    if (row < 0 || static_cast<std::size_t>(row) >= adjustments.size())
        return;
    const RateAdjustment& a = adjustments[static_cast<std::size_t>(row)];
    const auto choose = [](ChooseCombo* combo, int value, int width) {
        combo->setCurrentIndex(combo->findText(QString::fromStdString(PadNumber(value, width))));
    };
    choose(m_ui.year, a.date.y, 4);
    choose(m_ui.month, a.date.m, 2);
    ShowDays();
    choose(m_ui.day, a.date.d, 2);
    m_ui.part->SetItemIndex(PartIndex(a.part));
    m_ui.rate->setValue(a.rate);
}

void AdjustmentPanel::ReplaceCommercial(const std::vector<RateAdjustment>& generated)
{
    // Generated and typed entries of one part would contradict each other: the rule owns the
    // part, the provident entries stay as typed.
    std::vector<RateAdjustment> adjustments = generated;
    for (const RateAdjustment& held : m_document.Adjustments())
        if (held.part == LoanPart::G)
            adjustments.push_back(held);
    m_document.SetAdjustments(std::move(adjustments));
    ShowAdjustments();
}

void AdjustmentPanel::Collapse()
{
    m_ui.panel->SetCollapsed(true);
}

void AdjustmentPanel::ShowCount()
{
    const std::size_t count = m_document.Adjustments().size();
    m_ui.panel->SetNote(count == 0 ? QString() : QString::fromStdString(msg::PlanCount(count)));
}

} // namespace lumavo
