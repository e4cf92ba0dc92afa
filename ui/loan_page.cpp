#include "ui/loan_page.h"

#include "calc/compare_text.h"
#include "calc/schedule_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "files/backup_loan.h"
#include "ui/adjustment_panel.h"
#include "ui/adjustment_rule_dialog.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/number_edit.h"
#include "ui/plan_panel.h"
#include "ui/radio_group.h"
#include "ui/schedule_grid.h"
#include "ui/user_dialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <array>
#include <utility>

namespace lumavo {

namespace {

using NumberBinding = std::pair<FormNumber, NumberEdit*>;
using PickerBinding = std::pair<FormPicker, ChooseCombo*>;

std::array<NumberBinding, kFormNumbers> NumberBindings(const LoanPageControls& ui)
{
    return {{{FormNumber::Area, ui.area},
             {FormNumber::Price, ui.price},
             {FormNumber::LoanTotal, ui.total},
             {FormNumber::CommercialShare, ui.shareS},
             {FormNumber::ProvidentShare, ui.shareG},
             {FormNumber::Periods, ui.periods},
             {FormNumber::RateS, ui.rateS},
             {FormNumber::RateG, ui.rateG}}};
}

std::array<PickerBinding, kFormPickers> PickerBindings(const LoanPageControls& ui)
{
    return {{{FormPicker::Ratio, ui.ratio},
             {FormPicker::Years, ui.years},
             {FormPicker::LendingYear, ui.lendingYear},
             {FormPicker::LendingMonth, ui.lendingMonth},
             {FormPicker::LendingDay, ui.lendingDay},
             {FormPicker::FirstYear, ui.firstYear},
             {FormPicker::FirstMonth, ui.firstMonth},
             {FormPicker::FirstDay, ui.firstDay},
             {FormPicker::PrepaymentYear, ui.plan.year},
             {FormPicker::PrepaymentMonth, ui.plan.month},
             {FormPicker::PrepaymentDay, ui.plan.day}}};
}

} // namespace

LoanPage::LoanPage(QWidget* page,
                   const LoanPageNames& names,
                   LoanDocument& document,
                   UserDialogs& dialogs)
    : m_page(page), m_dialogs(dialogs), m_document(document), m_ui(BuildLoanPage(page, names)),
      m_plan(
          std::make_unique<PlanPanel>(m_ui.plan, names.suffix == QStringLiteral("2"), m_document)),
      m_adjust(std::make_unique<AdjustmentPanel>(m_ui.adjustments, m_document))
{
    ShowForm();
    ModeRule();
    BindForm();
    BindAdjustments();
}

LoanPage::~LoanPage()
{
    // The widgets may outlive the page; nothing they report may reach it then.
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

// The form learns every change the user makes before any handler runs; the program's own
// changes are made quietly, from the form.
void LoanPage::BindForm()
{
    for (const auto& [field, edit] : NumberBindings(m_ui))
        m_connections.push_back(
            QObject::connect(edit, &NumberEdit::changed, edit, [this, field = field, edit = edit] {
                m_document.Form().Number(field).SetText(edit->text().toStdString());
                ShowCalculationState();
            }));
    for (const auto& [picker, combo] : PickerBindings(m_ui))
        m_connections.push_back(QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                                                 [this, picker = picker](int index) {
                                                     m_document.Form().Choice(picker).index = index;
                                                     ShowCalculationState();
                                                 }));
    m_connections.push_back(QObject::connect(m_ui.loanType, &QComboBox::currentIndexChanged,
                                             m_ui.loanType, [this](int index) {
                                                 m_document.Form().loanType = index;
                                                 ShowCalculationState();
                                             }));
    m_connections.push_back(QObject::connect(m_ui.mode, &RadioGroup::clicked, m_ui.mode, [this] {
        m_document.Form().mode = m_ui.mode->ItemIndex();
        ShowCalculationState();
    }));
    m_connections.push_back(QObject::connect(m_ui.fixedRate, &QRadioButton::toggled, m_ui.fixedRate,
                                             [this](bool checked) {
                                                 m_document.Form().fixedRate = checked;
                                                 ShowCalculationState();
                                             }));
    m_connections.push_back(QObject::connect(m_ui.bankRounding, &QCheckBox::toggled,
                                             m_ui.bankRounding, [this](bool checked) {
                                                 m_document.SetBankRounding(checked);
                                                 ShowCalculationState();
                                             }));
}

// The 利率调整 panel has no handler of the window's: the page answers it alone.
void LoanPage::BindAdjustments()
{
    const AdjustmentControls& ui = m_ui.adjustments;
    const auto on = [this](auto* sender, auto signal, auto handler) {
        m_connections.push_back(QObject::connect(sender, signal, sender, handler));
    };
    on(ui.add, &QAbstractButton::clicked, [this] { AddAdjustment(); });
    on(ui.rate, &QLineEdit::returnPressed, [this] { AddAdjustment(); });
    on(ui.remove, &QAbstractButton::clicked, [this] { RemoveAdjustment(); });
    on(ui.byRule, &QAbstractButton::clicked, [this] { AdjustmentsByRule(); });
    on(ui.year, &QComboBox::activated, [this] { m_adjust->ShowDays(); });
    on(ui.month, &QComboBox::activated, [this] { m_adjust->ShowDays(); });
    on(ui.list, &QListWidget::itemClicked, [this] { m_adjust->ShowChosen(); });
    on(ui.list, &QListWidget::currentItemChanged, [this] { m_adjust->ShowChosen(); });
    // One panel open at a time: the other's caption would be covered anyway. Folding raises a
    // panel, so the one just opened is raised again over it.
    on(ui.panel, &CollapsiblePanel::popped, [this, panel = ui.panel] {
        m_plan->Collapse();
        panel->raise();
    });
    on(m_ui.plan.panel, &CollapsiblePanel::popped, [this, panel = m_ui.plan.panel] {
        m_adjust->Collapse();
        panel->raise();
    });
}

void LoanPage::AddAdjustment()
{
    const auto refusal = m_adjust->Add();
    ShowCalculationState();
    if (refusal)
        Inform(*refusal);
}

void LoanPage::RemoveAdjustment()
{
    m_adjust->RemoveChosen();
    ShowCalculationState();
}

// The rule reads the loan's dates as the form shows them now, as 计算 would.
void LoanPage::AdjustmentsByRule()
{
    const RateHistory* history = m_ruleData ? m_ruleData() : nullptr;
    if (!history)
        return;
    const LoanInput loan = m_document.Form().Input({});
    const auto taken = m_dialogs.AskRuleAdjustments(
        m_page->window(),
        RuleDialogInput{LoanDates{loan.lending, loan.firstPayment, loan.ajqs}, *history});
    if (!taken)
        return;
    m_adjust->ReplaceCommercial(*taken);
    ShowCalculationState();
}

void LoanPage::Connect(QObject* context, const LoanPageHandlers& h)
{
    const auto on = [this, context](auto* sender, auto signal,
                                    const std::function<void()>& handler) {
        m_connections.push_back(QObject::connect(sender, signal, context, handler));
    };
    on(m_ui.mode, &RadioGroup::clicked, h.modeClick);
    on(m_ui.price, &NumberEdit::changed, h.priceChange);
    on(m_ui.ratio, &QComboBox::activated, h.ratioChange);
    on(m_ui.roundButton, &QAbstractButton::clicked, h.roundClick);
    on(m_ui.years, &QComboBox::activated, h.yearsChange);
    on(m_ui.periods, &NumberEdit::changed, h.periodsChange);
    on(m_ui.lendingYear, &QComboBox::activated, h.lendingYearChange);
    on(m_ui.lendingMonth, &QComboBox::activated, h.lendingMonthChange);
    on(m_ui.firstYear, &QComboBox::activated, h.firstYearChange);
    on(m_ui.firstMonth, &QComboBox::activated, h.firstMonthChange);
    on(m_ui.plan.year, &QComboBox::activated, h.prepaymentYearChange);
    on(m_ui.plan.month, &QComboBox::activated, h.prepaymentMonthChange);
    on(m_ui.shareS, &NumberEdit::changed, h.shareChange);
    on(m_ui.loanType, &QComboBox::activated, h.loanTypeClick);
    on(m_ui.fixedRate, &QAbstractButton::clicked, h.fixedRateClick);
    on(m_ui.floating, &QAbstractButton::clicked, h.floatingRateClick);
    on(m_ui.plan.submit, &QAbstractButton::clicked, h.submitClick);
    on(m_ui.plan.undo, &QAbstractButton::clicked, h.undoClick);
    on(m_ui.plan.preview, &QAbstractButton::clicked, h.previewClick);
    // A click on the chosen item loads it again; arrow keys choose through the current item.
    on(m_ui.plan.list, &QListWidget::itemClicked, h.planListClick);
    on(m_ui.plan.list, &QListWidget::currentItemChanged, h.planListClick);
    // Also when an entry is shown: a pay-off entry locks its amount and periods.
    on(m_ui.plan.oneover, &QCheckBox::toggled, h.oneoverClick);
    on(m_ui.plan.panel, &CollapsiblePanel::popped, h.panelPop);
}

void LoanPage::ShowForm()
{
    for (const auto& [field, edit] : NumberBindings(m_ui)) {
        const MaskedNumber& number = m_document.Form().Number(field);
        edit->ShowNumber(number.value, QString::fromStdString(number.text));
    }
    for (const auto& [picker, combo] : PickerBindings(m_ui)) {
        const Picker& choice = m_document.Form().Choice(picker);
        combo->ShowChoices(choice.items, choice.index);
    }
    const QSignalBlocker quietType(m_ui.loanType);
    m_ui.loanType->setCurrentIndex(m_document.Form().loanType);
    m_ui.mode->SetItemIndex(m_document.Form().mode);
    const QSignalBlocker quietFixed(m_ui.fixedRate);
    const QSignalBlocker quietFloating(m_ui.floating);
    (m_document.Form().fixedRate ? m_ui.fixedRate : m_ui.floating)->setChecked(true);
    m_adjust->ShowLoan();
    ShowCalculationState();
}

void LoanPage::Inform(const std::string& message)
{
    m_dialogs.Inform(m_page->window(), QString::fromStdString(message));
}

void LoanPage::InformAll(const FormMessages& messages)
{
    for (const std::string& message : messages)
        Inform(message);
}

void LoanPage::ShowStartUp()
{
    ShowForm();
    m_ui.grid->SetUpColumns();
    m_plan->Collapse();
    m_adjust->Collapse();
}

void LoanPage::ModeRule()
{
    const bool byArea = m_document.Form().mode == 0;
    m_ui.area->setEnabled(byArea);
    m_ui.price->setEnabled(byArea);
    m_ui.ratio->setEnabled(byArea);
    m_ui.total->setEnabled(!byArea);
}

void LoanPage::LoanTotalFromArea()
{
    const FormMessages messages = m_document.Form().LoanTotalFromArea();
    ShowForm();
    InformAll(messages);
}

void LoanPage::RunRule(void (LoanForm::*rule)())
{
    (m_document.Form().*rule)();
    ShowForm();
}

void LoanPage::LoanTypeRule()
{
    m_document.Form().LoanTypeRule();
    ShowForm();
    ApplyLoanTypeEnabling();
}

void LoanPage::ApplyLoanTypeEnabling()
{
    const int type = m_document.Form().loanType;
    if (type < 0)
        return; // no type chosen: the shares stay as they were
    const bool combination = type == static_cast<int>(LoanTypeIndex::Combination);
    m_ui.sharesGroup->setEnabled(combination);
    // The provident share always follows the commercial one.
    if (combination)
        m_ui.shareG->setEnabled(false);
}

void LoanPage::RateModeRule()
{
    m_ui.rateS->setEnabled(m_document.Form().fixedRate);
    m_ui.rateG->setEnabled(m_document.Form().fixedRate);
}

void LoanPage::SubmitPlanEntry()
{
    const auto refusal = m_plan->Submit();
    ShowCalculationState();
    if (refusal)
        Inform(*refusal);
}

void LoanPage::PreviewPlanEntry(const PreviewKeeper& keep)
{
    const Method method = m_document.CalculationMethod();
    const auto outcome = m_document.Preview(m_plan->Submission());
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        Inform(refusal->message);
        return;
    }
    const PrepaymentPreview& preview = std::get<PrepaymentPreview>(outcome);
    keep(preview, method);
    const QStringList choices{QString::fromStdString(PreviewChoiceText(preview, false, method)),
                              QString::fromStdString(PreviewChoiceText(preview, true, method))};
    const int chosen =
        m_dialogs.Choose(m_page->window(), QString::fromUtf8(msg::kPreviewTitle),
                         QString::fromStdString(PreviewQuestionText(preview, method)), choices);
    if (chosen == 0 || chosen == 1)
        m_plan->SetShortening((chosen == 0 ? preview.keepTerm : preview.keepPayment).shortened);
}

void LoanPage::RemovePlanEntry()
{
    m_plan->RemoveChosen();
    ShowCalculationState();
}

void LoanPage::ShowSelectedPlanEntry()
{
    const Ttqhd* entry = m_plan->ChosenEntry();
    if (!entry)
        return;
    m_document.Form().ChoosePrepaymentDate(entry->tqdate);
    ShowForm();
    m_plan->ShowEntryFields(*entry);
}

void LoanPage::OneOverRule()
{
    m_plan->OneOverRule();
}

void LoanPage::FitPlanPanel()
{
    m_plan->Fit();
}

void LoanPage::ReleasePlan()
{
    m_document.ClearPlan();
    m_plan->ShowPlan();
}

void LoanPage::SetForm(const LoanForm& form,
                       const PlanList& plan,
                       std::vector<RateAdjustment> adjustments)
{
    m_document.Replace(form, plan, std::move(adjustments));
    ShowForm();
    ModeRule();
    RateModeRule();
    ApplyLoanTypeEnabling();
    m_plan->ShowPlan();
    m_adjust->ShowAdjustments();
}

BackupFile LoanPage::Backup() const
{
    return BackupOf(m_document.Form(), m_document.Plan());
}

std::optional<BackupError> LoanPage::ApplyBackup(const BackupFile& file)
{
    LoanForm form = m_document.Form();
    const auto applied = lumavo::ApplyBackup(form, file);
    if (const auto* error = std::get_if<BackupError>(&applied))
        return *error;
    SetForm(form, PlanFromBackup(file));
    // The loan is what the file holds, and a .bak holds neither bank rows nor 按分入账: the rows
    // were another loan's, and the arithmetic is the default one.
    m_document.SetStatement({});
    m_document.SetBankRounding(false);
    ShowCalculationState();
    InformAll(std::get<FormMessages>(applied));
    return std::nullopt;
}

void LoanPage::Calculate()
{
    if (const auto refusal = m_document.Calculate()) {
        Inform(refusal->message);
        return;
    }
    ShowCalculation(*m_document.LastCalculation());
    ShowCalculationState();
}

std::optional<std::string> LoanPage::TakeSuggestions(const Reconciliation& reconciliation)
{
    if (auto refusal = m_document.TakeSuggestions(reconciliation))
        return std::move(refusal->message);
    m_plan->ShowPlan();
    m_adjust->ShowAdjustments();
    Calculate();
    return std::nullopt;
}

void LoanPage::ShowCalculationState()
{
    // The check box follows the document whichever way the rounding got there: a file, 采用建议.
    const QSignalBlocker quietRounding(m_ui.bankRounding);
    m_ui.bankRounding->setChecked(m_document.BankRounding());
    QPalette grey; // only the text colour set: the rest stays inherited
    grey.setColor(QPalette::Text, m_page->palette().color(QPalette::Disabled, QPalette::Text));
    const bool stale = Stale();
    for (QWidget* total :
         std::initializer_list<QWidget*>{m_ui.summary, m_ui.hkze, m_ui.lxze, m_ui.jzrq})
        total->setPalette(stale ? grey : QPalette());
    m_ui.grid->ShowStale(stale);
    if (m_staleListener)
        m_staleListener();
}

std::optional<ScheduleReport> LoanPage::Report() const
{
    const std::optional<Calculation>& calculation = m_document.LastCalculation();
    if (!calculation)
        return std::nullopt;
    return BuildScheduleReport(*calculation, ScheduleTexts());
}

const TextGrid& LoanPage::ScheduleTexts() const
{
    return m_ui.grid->Texts();
}

const Schedule* LoanPage::CalculatedSchedule() const
{
    const std::optional<Calculation>& calculation = m_document.LastCalculation();
    return calculation ? &calculation->schedule : nullptr;
}

void LoanPage::RepaintSchedule()
{
    m_ui.grid->viewport()->repaint();
}

void LoanPage::ShowCalculation(const Calculation& calculation)
{
    const Schedule& schedule = calculation.schedule;
    std::vector<QString> tips;
    for (const RowRates& row : CalculationRowRates(calculation))
        tips.push_back(QString::fromStdString(RowRatesTip(row)));
    m_ui.grid->ClearRows();
    m_ui.grid->ShowRows(ScheduleGridTexts(schedule), std::move(tips));
    m_ui.summary->setValue(schedule.totals.summary);
    m_ui.summary->setEnabled(schedule.totals.summaryEnabled);
    m_ui.hkze->setValue(schedule.totals.hkze);
    m_ui.lxze->setValue(schedule.totals.lxze);
    // The field has always shown a blank before the date.
    m_ui.jzrq->setText(QString::fromStdString(" " + EndDateText(schedule.totals)));
}

} // namespace lumavo
