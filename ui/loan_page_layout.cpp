// How a loan tab is put together; the rules live in loan_page.cpp.
#include "common/messages.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/loan_page.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"
#include "ui/schedule_grid.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace lumavo {

namespace {

constexpr int kInputWidth = 321;

// A date picker row: year "年" month "月" day "日".
QHBoxLayout* DateRow(ChooseCombo* year, ChooseCombo* month, ChooseCombo* day, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    year->setMinimumWidth(78);
    month->setMinimumWidth(54);
    day->setMinimumWidth(54);
    row->addWidget(year, 3);
    row->addWidget(Caption(Utf8(msg::kPickerYear), parent));
    row->addWidget(month, 2);
    row->addWidget(Caption(Utf8(msg::kPickerMonth), parent));
    row->addWidget(day, 2);
    row->addWidget(Caption(Utf8(msg::kPickerDay), parent));
    return row;
}

// 组合贷款比例: the commercial share and the provident share that follows it.
void BuildSharesGroup(const LoanPageNames& names, QWidget* rows, LoanPageControls& ui)
{
    const QString& s = names.suffix;
    ui.sharesGroup = Named(new QGroupBox(Utf8(msg::kSharesGroup), rows), names.sharesGroup);
    ui.shareS = Named(NewNumberEdit(0, ui.sharesGroup), "suiNEratioS" + s);
    ui.shareG = Named(NewNumberEdit(0, ui.sharesGroup), "suiNEratioG" + s);
    for (NumberEdit* share : {ui.shareS, ui.shareG})
        share->setMaxLength(3);
    ui.shareS->SetCaption(Utf8(msg::kCaptionShareS));
    ui.shareG->SetCaption(Utf8(msg::kCaptionShareG));
    auto* shares = new QHBoxLayout(ui.sharesGroup);
    shares->setContentsMargins(6, 2, 6, 4);
    shares->addWidget(Caption(Utf8(msg::kCaptionShareS), ui.sharesGroup));
    shares->addWidget(ui.shareS);
    shares->addWidget(Caption(QStringLiteral("%"), ui.sharesGroup));
    shares->addWidget(Caption(Utf8(msg::kCaptionShareG), ui.sharesGroup));
    shares->addWidget(ui.shareG);
    shares->addWidget(Caption(QStringLiteral("%"), ui.sharesGroup));
    ui.sharesGroup->setEnabled(false);
}

// 固定年利率 with its two rates, or 浮动年利率.
QGroupBox* BuildRatesGroup(const LoanPageNames& names, QWidget* rows, LoanPageControls& ui)
{
    const QString& s = names.suffix;
    auto* rates = Named(new QGroupBox(rows), names.ratesGroup);
    ui.fixedRate = Named(new QRadioButton(Utf8(msg::kFixedRate), rates), "suiRBgd" + s);
    ui.floating = Named(new QRadioButton(Utf8(msg::kFloatingRate), rates), "suiRBfd" + s);
    ui.rateS = Named(NewNumberEdit(3, rates), "suiNEnllS" + s);
    ui.rateG = Named(NewNumberEdit(3, rates), "suiNEnllG" + s);
    auto* rateGrid = new QGridLayout(rates);
    rateGrid->setContentsMargins(6, 4, 6, 4);
    rateGrid->setVerticalSpacing(3);
    rateGrid->addWidget(ui.fixedRate, 0, 0, 1, 3);
    AddFieldRow(rateGrid, 1, Utf8(msg::kLabelRateS), ui.rateS, QStringLiteral("%"));
    AddFieldRow(rateGrid, 2, Utf8(msg::kCaptionRateG), ui.rateG, QStringLiteral("%"));
    rateGrid->addWidget(ui.floating, 3, 0, 1, 3);
    return rates;
}

QWidget* BuildInputRows(const LoanPageNames& names, QWidget* group, LoanPageControls& ui)
{
    const QString& s = names.suffix;
    auto* rows = new QWidget(group);
    auto* form = new QGridLayout(rows);
    form->setContentsMargins(0, 0, 0, 0);
    form->setVerticalSpacing(5);
    form->setHorizontalSpacing(3);
    int row = 0;

    ui.mode = Named(new RadioGroup({}, {Utf8(msg::kModeAreaPrice), Utf8(msg::kModeTotal)}, 2, rows),
                    names.radioGroup);
    ui.mode->SetItemIndex(1);
    form->addWidget(ui.mode, row++, 0, 1, 3);

    ui.area = Named(NewNumberEdit(2, rows), "suiNEmj" + s);
    AddFieldRow(form, row++, Utf8(msg::kCaptionArea), ui.area, Utf8(msg::kUnitSquareMetres));
    ui.price = Named(NewNumberEdit(2, rows), "suiNEdj" + s);
    AddFieldRow(form, row++, Utf8(msg::kCaptionPrice), ui.price,
                Utf8(msg::kUnitYuanPerSquareMetre));
    ui.ratio = Named(NewPicker({}, rows), "suiCBajcs" + s);
    AddFieldRow(form, row++, Utf8(msg::kCaptionRatio), ui.ratio, Utf8(msg::kUnitTenths));

    ui.total = Named(NewNumberEdit(2, rows), "suiNEdkze" + s);
    ui.roundButton = Named(new QPushButton(Utf8(msg::kRoundButton), rows), names.roundButton);
    ui.roundButton->setFixedWidth(44);
    auto* totalUnit = new QHBoxLayout;
    totalUnit->addWidget(Caption(Utf8(msg::kUnitYuan), rows));
    totalUnit->addWidget(ui.roundButton);
    ui.total->SetCaption(Utf8(msg::kLabelLoanTotal));
    form->addWidget(Caption(Utf8(msg::kLabelLoanTotal), rows), row, 0);
    form->addWidget(ui.total, row, 1);
    form->addLayout(totalUnit, row++, 2);

    ui.loanType = Named(
        NewPicker({Utf8(msg::kLoanTypeS), Utf8(msg::kLoanTypeG), Utf8(msg::kLoanTypeSG)}, rows),
        "suiCBLoanType" + s);
    AddFieldRow(form, row++, Utf8(msg::kLabelLoanType), ui.loanType, {});

    BuildSharesGroup(names, rows, ui);
    form->addWidget(ui.sharesGroup, row++, 0, 1, 3);

    ui.years = Named(NewPicker({}, rows), names.yearsCombo);
    ui.periods = Named(NewNumberEdit(0, rows), "suiNEajqs" + s);
    auto* term = new QHBoxLayout;
    term->setSpacing(2);
    term->addWidget(ui.years, 2);
    term->addWidget(Caption(Utf8(msg::kTermYears), rows));
    term->addWidget(ui.periods, 3);
    term->addWidget(Caption(Utf8(msg::kTermPeriods), rows));
    ui.periods->SetCaption(Utf8(msg::kLabelPeriods));
    form->addWidget(Caption(Utf8(msg::kLabelPeriods), rows), row, 0);
    form->addLayout(term, row++, 1, 1, 2);

    QGroupBox* rates = BuildRatesGroup(names, rows, ui);
    form->addWidget(rates, row++, 0, 1, 3);

    ui.lendingYear = Named(NewPicker({}, rows), "suiCBfdyear" + s);
    ui.lendingMonth = Named(NewPicker({}, rows), "suiCBfdmonth" + s);
    ui.lendingDay = Named(NewPicker({}, rows), "suiCBfdday" + s);
    form->addWidget(Caption(Utf8(msg::kLabelLending), rows), row, 0);
    form->addLayout(DateRow(ui.lendingYear, ui.lendingMonth, ui.lendingDay, rows), row++, 1, 1, 2);
    ui.firstYear = Named(NewPicker({}, rows), "suiCBfirstyear" + s);
    ui.firstMonth = Named(NewPicker({}, rows), "suiCBfirstmonth" + s);
    ui.firstDay = Named(NewPicker({}, rows), "suiCBfirstday" + s);
    form->addWidget(Caption(Utf8(msg::kLabelFirstPayment), rows), row, 0);
    form->addLayout(DateRow(ui.firstYear, ui.firstMonth, ui.firstDay, rows), row++, 1, 1, 2);
    form->setColumnStretch(1, 1);

    return rows;
}

// The top of an entry panel (提前还贷计划, 利率调整): a group of fields whose first row is the date
// and second the part.
struct EntryFields
{
    QGroupBox* group = nullptr;
    QGridLayout* grid = nullptr;
};

template <typename Controls>
EntryFields BuildEntryFields(QWidget* body,
                             const QString& groupName,
                             const QString& stem,
                             const QString& suffix,
                             const QString& partName,
                             Controls& controls)
{
    auto* entry = Named(new QGroupBox(body), groupName);
    auto* fields = new QGridLayout(entry);
    fields->setContentsMargins(6, 4, 6, 4);
    fields->setVerticalSpacing(4);
    controls.year = Named(NewPicker({}, entry), stem + QStringLiteral("year") + suffix);
    controls.month = Named(NewPicker({}, entry), stem + QStringLiteral("month") + suffix);
    controls.day = Named(NewPicker({}, entry), stem + QStringLiteral("day") + suffix);
    // The date row spans the panel: the caption column is sized for "缩短按揭期数".
    QHBoxLayout* date = DateRow(controls.year, controls.month, controls.day, entry);
    date->insertWidget(0, Caption(Utf8(msg::kCaptionPlanDate), entry));
    fields->addLayout(date, 0, 0, 1, 3);
    controls.part = Named(new RadioGroup(Utf8(msg::kCaptionPlanPart),
                                         {Utf8(msg::kPlanPartS), Utf8(msg::kPlanPartG)}, 2, entry),
                          partName);
    controls.part->SetItemIndex(0);
    fields->addWidget(controls.part, 1, 0, 1, 3);
    return {entry, fields};
}

// Below the fields, the panel's list in a group of its own, taking the room left.
QListWidget*
BuildEntryList(QWidget* body, QGroupBox* entry, const QString& groupName, const QString& listName)
{
    auto* listGroup = Named(new QGroupBox(body), groupName);
    auto* list = Named(new QListWidget(listGroup), listName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->setContentsMargins(4, 4, 4, 4);
    listLayout->addWidget(list);

    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(entry);
    bodyLayout->addWidget(listGroup, 1);
    return list;
}

PlanControls BuildPlanPanel(const LoanPageNames& names, QWidget* group)
{
    PlanControls plan;
    const QString& s = names.suffix;
    plan.panel = Named(new CollapsiblePanel(Utf8(msg::kLabelPlan), group), names.panel);
    QWidget* body = plan.panel->Body();

    const auto [entry, fields] = BuildEntryFields(
        body, names.planEntryGroup, QStringLiteral("suiCBtq"), s, "suiRGtqhdType" + s, plan);
    plan.oneover = Named(new QCheckBox(Utf8(msg::kPlanOneOver), entry), "suiCBoneover" + s);
    fields->addWidget(plan.oneover, 2, 0, 1, 3);
    plan.amount = Named(NewNumberEdit(2, entry), "suiNEtqse" + s);
    AddFieldRow(fields, 3, Utf8(msg::kCaptionPlanAmount), plan.amount, Utf8(msg::kUnitYuan));
    plan.shorten = Named(NewNumberEdit(0, entry), "suiNEsdajqs" + s);
    AddFieldRow(fields, 4, Utf8(msg::kCaptionPlanShorten), plan.shorten, Utf8(msg::kUnitPeriods));
    plan.submit = Named(new QPushButton(Utf8(msg::kPlanSubmit), entry), names.submitButton);
    plan.undo = Named(new QPushButton(Utf8(msg::kPlanUndo), entry), names.undoButton);
    plan.preview =
        Named(new QPushButton(QString::fromUtf8(msg::kPreviewTitle), entry), names.previewButton);
    plan.preview->setToolTip(Utf8(msg::kPreviewHint));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(plan.preview);
    buttons->addWidget(plan.submit);
    buttons->addWidget(plan.undo);
    fields->addLayout(buttons, 5, 0, 1, 3);
    fields->setColumnStretch(1, 1);

    plan.list = BuildEntryList(body, entry, names.planListGroup, names.planList);
    return plan;
}

// 利率调整, in the plan panel's shape: the fields of an entry above the list, docked on top of
// the plan panel's caption.
AdjustmentControls BuildAdjustmentPanel(const QString& s, QWidget* group)
{
    AdjustmentControls adjust;
    adjust.panel =
        Named(new CollapsiblePanel(Utf8(msg::kAdjustmentPanel), group), "suiPanelTz" + s);
    QWidget* body = adjust.panel->Body();

    const auto [entry, fields] = BuildEntryFields(
        body, "suiGroupBoxTzEntry" + s, QStringLiteral("suiCBtz"), s, "suiRGtzType" + s, adjust);
    adjust.rate = Named(NewNumberEdit(3, entry), "suiNEtznll" + s);
    AddFieldRow(fields, 2, Utf8(msg::kAdjustmentRateCaption), adjust.rate, QStringLiteral("%"));
    adjust.byRule =
        Named(new QPushButton(Utf8(msg::kAdjustmentByRule), entry), "suiButtonTzRule" + s);
    adjust.add = Named(new QPushButton(Utf8(msg::kAdjustmentAdd), entry), "suiButtonTzAdd" + s);
    adjust.remove =
        Named(new QPushButton(Utf8(msg::kAdjustmentRemove), entry), "suiButtonTzDelete" + s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(adjust.byRule);
    buttons->addStretch(1);
    buttons->addWidget(adjust.add);
    buttons->addWidget(adjust.remove);
    fields->addLayout(buttons, 3, 0, 1, 3);
    fields->setColumnStretch(1, 1);

    adjust.list = BuildEntryList(body, entry, "suiGroupBoxTzList" + s, "suiListBoxTz" + s);
    return adjust;
}

QWidget* BuildOutput(const LoanPageNames& names, QWidget* parent, LoanPageControls& ui)
{
    const QString& s = names.suffix;
    auto* output = Named(new QGroupBox(Utf8(msg::kOutputGroup), parent), names.outputGroup);
    auto* totals = Named(new QGroupBox(Utf8(msg::kLabelTotals), output), names.totalsGroup);
    ui.summary = Named(NewNumberEdit(2, totals), names.summaryField);
    ui.hkze = Named(NewNumberEdit(2, totals), "suiNEhkze" + s);
    ui.lxze = Named(NewNumberEdit(2, totals), "suiNElxze" + s);
    for (NumberEdit* field : {ui.summary, ui.hkze, ui.lxze})
        field->setReadOnly(!names.totalsEditable);
    ui.jzrq = Named(new QLineEdit(totals), "suiEjzrq" + s);
    ui.jzrq->setReadOnly(true);
    Emphasize(ui.jzrq);
    // Wide enough for the longest texts they show: twelve-digit amounts and a date.
    for (NumberEdit* field : {ui.summary, ui.hkze, ui.lxze})
        FitWidthTo(field, QStringLiteral("999999999999.99"));
    FitWidthTo(ui.jzrq, Utf8(msg::kEndDateSample));

    auto* totalsGrid = new QGridLayout(totals);
    totalsGrid->setContentsMargins(6, 4, 6, 4);
    AddFieldRow(totalsGrid, 0, names.summaryCaption, ui.summary, Utf8(msg::kUnitYuan));
    AddFieldRow(totalsGrid, 1, QString::fromUtf8(msg::kCaptionTotalRepayment), ui.hkze,
                Utf8(msg::kUnitYuan));
    AddFieldRow(totalsGrid, 0, QString::fromUtf8(msg::kCaptionTotalInterest), ui.lxze,
                Utf8(msg::kUnitYuan), 3);
    totalsGrid->addWidget(Caption(QString::fromUtf8(msg::kCaptionEndDate), totals), 1, 3);
    totalsGrid->addWidget(ui.jzrq, 1, 4);
    // Beside the totals the method gives, which it changes by a fen here and there.
    ui.bankRounding =
        Named(new QCheckBox(Utf8(msg::kBankRounding), totals), "suiCheckBankRounding" + s);
    ui.bankRounding->setToolTip(Utf8(msg::kBankRoundingHint));
    totalsGrid->addWidget(ui.bankRounding, 2, 0, 1, 3);
    totalsGrid->setColumnStretch(1, 1);
    totalsGrid->setColumnStretch(4, 1);
    totalsGrid->setColumnMinimumWidth(2, 24);

    auto* detail = Named(new QGroupBox(Utf8(msg::kDetailGroup), output), names.detailGroup);
    ui.grid = Named(new ScheduleGrid(detail), names.grid);
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->setContentsMargins(4, 4, 4, 4);
    detailLayout->addWidget(ui.grid);

    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->setContentsMargins(6, 6, 6, 6);
    outputLayout->addWidget(totals);
    outputLayout->addWidget(detail, 1);
    return output;
}

} // namespace

LoanPageNames LoanPageNames::Tab1()
{
    return {.suffix = "",
            .radioGroup = "suiRadioGroup1",
            .inputGroup = "suiGroupBox1",
            .outputGroup = "suiGroupBox2",
            .totalsGroup = "suiGroupBox3",
            .detailGroup = "suiGroupBox4",
            .sharesGroup = "suiGroupBox17",
            .ratesGroup = "suiGroupBox9",
            .planEntryGroup = "suiGroupBox11",
            .planListGroup = "suiGroupBox15",
            .roundButton = "suiButton6",
            .yearsCombo = "suiComboBox1",
            .submitButton = "suiButton2",
            .undoButton = "suiButton3",
            .previewButton = "suiButton9",
            .planList = "suiListBox1",
            .panel = "suiPanel1",
            .grid = "suiSG1",
            .splitter = "Splitter1",
            .summaryField = "suiNEyhke",
            .summaryCaption = msg::kCaptionSummaryDebx,
            .totalsEditable = false};
}

LoanPageNames LoanPageNames::Tab2()
{
    return {.suffix = "2",
            .radioGroup = "suiRadioGroup2",
            .inputGroup = "suiGroupBox5",
            .outputGroup = "suiGroupBox6",
            .totalsGroup = "suiGroupBox7",
            .detailGroup = "suiGroupBox8",
            .sharesGroup = "suiGroupBox18",
            .ratesGroup = "suiGroupBox10",
            .planEntryGroup = "suiGroupBox12",
            .planListGroup = "suiGroupBox16",
            .roundButton = "suiButton7",
            .yearsCombo = "suiComboBox2",
            .submitButton = "suiButton4",
            .undoButton = "suiButton5",
            .previewButton = "suiButton10",
            .planList = "suiListBox2",
            .panel = "suiPanel2",
            .grid = "suiSG2",
            .splitter = "Splitter2",
            .summaryField = "suiNEybjhke2",
            .summaryCaption = msg::kCaptionSummaryDebj,
            .totalsEditable = true};
}

LoanPageControls BuildLoanPage(QWidget* page, const LoanPageNames& names)
{
    LoanPageControls ui;
    // Narrower or lower than both columns need, the page scrolls instead of pressing its
    // controls on top of each other.
    auto* scroller = new QScrollArea(page);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    auto* content = new QWidget(scroller);
    content->setAutoFillBackground(false);
    scroller->setWidget(content);
    scroller->viewport()->setAutoFillBackground(false);
    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(scroller);
    auto* splitter = Named(new QSplitter(Qt::Horizontal, content), names.splitter);
    splitter->setChildrenCollapsible(false);
    auto* contentLayout = new QHBoxLayout(content);
    contentLayout->setContentsMargins(4, 4, 4, 4);
    contentLayout->addWidget(splitter);

    auto* input = Named(new QGroupBox(Utf8(msg::kInputGroup), splitter), names.inputGroup);
    input->setMinimumWidth(kInputWidth);
    auto* inputLayout = new QVBoxLayout(input);
    inputLayout->setContentsMargins(6, 6, 6, 6);
    inputLayout->addWidget(BuildInputRows(names, input, ui));
    inputLayout->addStretch(1);
    // Built first, the upper of the two captions comes first to the keyboard.
    ui.adjustments = BuildAdjustmentPanel(names.suffix, input);
    ui.plan = BuildPlanPanel(names, input);
    ui.adjustments.panel->DockAbove(ui.plan.panel);
    inputLayout->addSpacing(ui.plan.panel->CaptionHeight() + ui.adjustments.panel->CaptionHeight());

    splitter->addWidget(input);
    splitter->addWidget(BuildOutput(names, splitter, ui));
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kInputWidth, 600});
    return ui;
}

} // namespace lumavo
