// How a loan tab is put together; the rules live in loan_page.cpp.
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/loan_page.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"
#include "ui/schedule_grid.h"
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
#include <QSplitter>
#include <QVBoxLayout>

namespace lumavo {

namespace {

constexpr int kInputWidth = 321;

QStringList Numbered(int first, int last)
{
    QStringList texts;
    for (int n = first; n <= last; ++n)
        texts.append(QStringLiteral("%1").arg(n, 2, 10, QChar('0')));
    return texts;
}

// A date picker row: year "年" month "月" day "日".
QHBoxLayout* DateRow(ChooseCombo* year, ChooseCombo* month, ChooseCombo* day, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    year->setMinimumWidth(78);
    month->setMinimumWidth(54);
    day->setMinimumWidth(54);
    row->addWidget(year, 3);
    row->addWidget(Caption(QStringLiteral("年"), parent));
    row->addWidget(month, 2);
    row->addWidget(Caption(QStringLiteral("月"), parent));
    row->addWidget(day, 2);
    row->addWidget(Caption(QStringLiteral("日"), parent));
    return row;
}

} // namespace

LoanPageNames LoanPageNames::Tab1()
{
    return {"",
            "suiRadioGroup1",
            "suiGroupBox1",
            "suiGroupBox2",
            "suiGroupBox3",
            "suiGroupBox4",
            "suiGroupBox17",
            "suiGroupBox9",
            "suiGroupBox11",
            "suiGroupBox15",
            "suiButton6",
            "suiComboBox1",
            "suiButton2",
            "suiButton3",
            "suiListBox1",
            "suiPanel1",
            "suiSG1",
            "Splitter1",
            "suiNEyhke",
            "月还款额：",
            false};
}

LoanPageNames LoanPageNames::Tab2()
{
    return {"2",
            "suiRadioGroup2",
            "suiGroupBox5",
            "suiGroupBox6",
            "suiGroupBox7",
            "suiGroupBox8",
            "suiGroupBox18",
            "suiGroupBox10",
            "suiGroupBox12",
            "suiGroupBox16",
            "suiButton7",
            "suiComboBox2",
            "suiButton4",
            "suiButton5",
            "suiListBox2",
            "suiPanel2",
            "suiSG2",
            "Splitter2",
            "suiNEybjhke2",
            "月本金还款额：  ",
            true};
}

void LoanPage::Build(const LoanPageNames& names)
{
    auto* splitter = Named(new QSplitter(Qt::Horizontal, m_page), names.splitter);
    splitter->setChildrenCollapsible(false);
    auto* pageLayout = new QHBoxLayout(m_page);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addWidget(splitter);

    auto* input = Named(new QGroupBox(QStringLiteral("输入"), splitter), names.inputGroup);
    input->setMinimumWidth(kInputWidth);
    auto* inputLayout = new QVBoxLayout(input);
    inputLayout->setContentsMargins(6, 6, 6, 6);
    inputLayout->addWidget(BuildInputRows(names, input));
    inputLayout->addStretch(1);
    BuildPlanPanel(names, input);
    inputLayout->addSpacing(panel->CaptionHeight());

    splitter->addWidget(input);
    splitter->addWidget(BuildOutput(names, splitter));
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kInputWidth, 600});
}

QWidget* LoanPage::BuildInputRows(const LoanPageNames& names, QWidget* group)
{
    const QString& s = names.suffix;
    auto* rows = new QWidget(group);
    auto* form = new QGridLayout(rows);
    form->setContentsMargins(0, 0, 0, 0);
    form->setVerticalSpacing(5);
    form->setHorizontalSpacing(3);
    int row = 0;

    radioGroup =
        Named(new RadioGroup(
                  {}, {QStringLiteral("根据面积、单价计算"), QStringLiteral("根据贷款总额计算")}, 2,
                  rows),
              names.radioGroup);
    radioGroup->SetItemIndex(1);
    form->addWidget(radioGroup, row++, 0, 1, 3);

    mj = Named(NumberField(2, rows), "suiNEmj" + s);
    AddFieldRow(form, row++, QStringLiteral("面积："), mj, QStringLiteral("平方米  "));
    dj = Named(NumberField(2, rows), "suiNEdj" + s);
    AddFieldRow(form, row++, QStringLiteral("单价："), dj, QStringLiteral("元/平米  "));
    ajcs = Named(Picker({"9", "8", "7", "6", "5", "4", "3", "2"}, rows), "suiCBajcs" + s);
    ajcs->setCurrentIndex(1);
    AddFieldRow(form, row++, QStringLiteral("按揭成数："), ajcs, QStringLiteral("成"));

    dkze = Named(NumberField(2, rows), "suiNEdkze" + s);
    roundButton = Named(new QPushButton(QStringLiteral("整万"), rows), names.roundButton);
    roundButton->setFixedWidth(44);
    auto* totalUnit = new QHBoxLayout;
    totalUnit->addWidget(Caption(QStringLiteral("元"), rows));
    totalUnit->addWidget(roundButton);
    form->addWidget(Caption(QStringLiteral("贷款总额："), rows), row, 0);
    form->addWidget(dkze, row, 1);
    form->addLayout(totalUnit, row++, 2);

    loanType = Named(Picker({QStringLiteral("商业贷款"), QStringLiteral("公积金贷款"),
                             QStringLiteral("组合贷款")},
                            rows),
                     "suiCBLoanType" + s);
    AddFieldRow(form, row++, QStringLiteral("贷款类型："), loanType, {});

    sharesGroup = Named(new QGroupBox(QStringLiteral("组合贷款比例："), rows), names.sharesGroup);
    ratioS = Named(NumberField(0, sharesGroup), "suiNEratioS" + s);
    ratioG = Named(NumberField(0, sharesGroup), "suiNEratioG" + s);
    for (NumberEdit* share : {ratioS, ratioG})
        share->setMaxLength(3);
    ratioS->setValue(100);
    auto* shares = new QHBoxLayout(sharesGroup);
    shares->setContentsMargins(6, 2, 6, 4);
    shares->addWidget(Caption(QStringLiteral("商业贷款："), sharesGroup));
    shares->addWidget(ratioS);
    shares->addWidget(Caption(QStringLiteral("%"), sharesGroup));
    shares->addWidget(Caption(QStringLiteral("公积金贷款：  "), sharesGroup));
    shares->addWidget(ratioG);
    shares->addWidget(Caption(QStringLiteral("%"), sharesGroup));
    sharesGroup->setEnabled(false);
    form->addWidget(sharesGroup, row++, 0, 1, 3);

    years =
        Named(Picker({"1", "2", "3", "5", "10", "15", "20", "25", "30"}, rows), names.yearsCombo);
    years->setCurrentIndex(6);
    ajqs = Named(NumberField(0, rows), "suiNEajqs" + s);
    ajqs->setValue(240);
    auto* term = new QHBoxLayout;
    term->setSpacing(2);
    term->addWidget(years, 2);
    term->addWidget(Caption(QStringLiteral("年   （"), rows));
    term->addWidget(ajqs, 3);
    term->addWidget(Caption(QStringLiteral("） 期  "), rows));
    form->addWidget(Caption(QStringLiteral("按揭期数："), rows), row, 0);
    form->addLayout(term, row++, 1, 1, 2);

    auto* rates = Named(new QGroupBox(rows), names.ratesGroup);
    rbGd = Named(new QRadioButton(QStringLiteral("固定年利率"), rates), "suiRBgd" + s);
    rbFd = Named(new QRadioButton(QStringLiteral("浮动年利率"), rates), "suiRBfd" + s);
    rbGd->setChecked(true);
    nllS = Named(NumberField(3, rates), "suiNEnllS" + s);
    nllG = Named(NumberField(3, rates), "suiNEnllG" + s);
    auto* rateGrid = new QGridLayout(rates);
    rateGrid->setContentsMargins(6, 4, 6, 4);
    rateGrid->setVerticalSpacing(3);
    rateGrid->addWidget(rbGd, 0, 0, 1, 3);
    AddFieldRow(rateGrid, 1, QStringLiteral("商业利率："), nllS, QStringLiteral("%"));
    AddFieldRow(rateGrid, 2, QStringLiteral("公积金利率：  "), nllG, QStringLiteral("%"));
    rateGrid->addWidget(rbFd, 3, 0, 1, 3);
    form->addWidget(rates, row++, 0, 1, 3);

    fdYear = Named(Picker({}, rows), "suiCBfdyear" + s);
    fdMonth = Named(Picker(Numbered(1, 12), rows), "suiCBfdmonth" + s);
    fdDay = Named(Picker(Numbered(1, 31), rows), "suiCBfdday" + s);
    form->addWidget(Caption(QStringLiteral("放贷日："), rows), row, 0);
    form->addLayout(DateRow(fdYear, fdMonth, fdDay, rows), row++, 1, 1, 2);
    firstYear = Named(Picker({}, rows), "suiCBfirstyear" + s);
    firstMonth = Named(Picker(Numbered(1, 12), rows), "suiCBfirstmonth" + s);
    firstDay = Named(Picker(Numbered(1, 31), rows), "suiCBfirstday" + s);
    form->addWidget(Caption(QStringLiteral("月供首日："), rows), row, 0);
    form->addLayout(DateRow(firstYear, firstMonth, firstDay, rows), row++, 1, 1, 2);
    form->setColumnStretch(1, 1);

    ModeRule();
    return rows;
}

void LoanPage::BuildPlanPanel(const LoanPageNames& names, QWidget* group)
{
    const QString& s = names.suffix;
    panel = Named(new CollapsiblePanel(QStringLiteral("提前还贷计划："), group), names.panel);
    QWidget* body = panel->Body();

    auto* entry = Named(new QGroupBox(body), names.planEntryGroup);
    auto* fields = new QGridLayout(entry);
    fields->setContentsMargins(6, 4, 6, 4);
    fields->setVerticalSpacing(4);
    tqYear = Named(Picker({}, entry), "suiCBtqyear" + s);
    tqMonth = Named(Picker(Numbered(1, 12), entry), "suiCBtqmonth" + s);
    tqDay = Named(Picker(Numbered(1, 31), entry), "suiCBtqday" + s);
    // The date row spans the panel: the caption column is sized for "缩短按揭期数".
    QHBoxLayout* date = DateRow(tqYear, tqMonth, tqDay, entry);
    date->insertWidget(0, Caption(QStringLiteral("日期："), entry));
    fields->addLayout(date, 0, 0, 1, 3);
    tqhdType =
        Named(new RadioGroup(QStringLiteral("类型"),
                             {QStringLiteral("商业贷款（S）"), QStringLiteral("公积金贷款（G）")},
                             2, entry),
              "suiRGtqhdType" + s);
    tqhdType->SetItemIndex(0);
    fields->addWidget(tqhdType, 1, 0, 1, 3);
    oneover = Named(new QCheckBox(QStringLiteral("一次性还清"), entry), "suiCBoneover" + s);
    fields->addWidget(oneover, 2, 0, 1, 3);
    tqse = Named(NumberField(2, entry), "suiNEtqse" + s);
    AddFieldRow(fields, 3, QStringLiteral("数额："), tqse, QStringLiteral("元"));
    sdajqs = Named(NumberField(0, entry), "suiNEsdajqs" + s);
    AddFieldRow(fields, 4, QStringLiteral("缩短按揭期数：    "), sdajqs, QStringLiteral("期"));
    submitButton = Named(new QPushButton(QStringLiteral("提交"), entry), names.submitButton);
    undoButton = Named(new QPushButton(QStringLiteral("撤销"), entry), names.undoButton);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(submitButton);
    buttons->addWidget(undoButton);
    fields->addLayout(buttons, 5, 0, 1, 3);
    fields->setColumnStretch(1, 1);

    auto* listGroup = Named(new QGroupBox(body), names.planListGroup);
    planList = Named(new QListWidget(listGroup), names.planList);
    planList->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->setContentsMargins(4, 4, 4, 4);
    listLayout->addWidget(planList);

    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(entry);
    bodyLayout->addWidget(listGroup, 1);
}

QWidget* LoanPage::BuildOutput(const LoanPageNames& names, QWidget* parent)
{
    const QString& s = names.suffix;
    auto* output = Named(new QGroupBox(QStringLiteral("输出"), parent), names.outputGroup);
    auto* totals = Named(new QGroupBox(QStringLiteral("总计："), output), names.totalsGroup);
    summary = Named(NumberField(2, totals), names.summaryField);
    hkze = Named(NumberField(2, totals), "suiNEhkze" + s);
    lxze = Named(NumberField(2, totals), "suiNElxze" + s);
    for (NumberEdit* field : {summary, hkze, lxze})
        field->setReadOnly(!names.totalsEditable);
    jzrq = Named(new QLineEdit(totals), "suiEjzrq" + s);
    jzrq->setReadOnly(true);
    Emphasize(jzrq);

    auto* totalsGrid = new QGridLayout(totals);
    totalsGrid->setContentsMargins(6, 4, 6, 4);
    AddFieldRow(totalsGrid, 0, names.summaryCaption, summary, QStringLiteral("元"));
    AddFieldRow(totalsGrid, 1, QStringLiteral("还款总额："), hkze, QStringLiteral("元"));
    AddFieldRow(totalsGrid, 0, QStringLiteral("利息总额："), lxze, QStringLiteral("元"), 3);
    totalsGrid->addWidget(Caption(QStringLiteral("还款截止日期：    "), totals), 1, 3);
    totalsGrid->addWidget(jzrq, 1, 4);
    totalsGrid->setColumnStretch(1, 1);
    totalsGrid->setColumnStretch(4, 1);
    totalsGrid->setColumnMinimumWidth(2, 24);

    auto* detail =
        Named(new QGroupBox(QStringLiteral("分期还款明细："), output), names.detailGroup);
    grid = Named(new ScheduleGrid(detail), names.grid);
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->setContentsMargins(4, 4, 4, 4);
    detailLayout->addWidget(grid);

    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->setContentsMargins(6, 6, 6, 6);
    outputLayout->addWidget(totals);
    outputLayout->addWidget(detail, 1);
    return output;
}

} // namespace lumavo
