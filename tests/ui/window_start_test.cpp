#include "files/rate_archive.h"
#include "tests/ui/window_fixture.h"
#include "ui/rate_page.h"

#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace lumavo::testing_support {
namespace {

using StartTest = WindowTest;

TEST_F(StartTest, WindowCaptionSizeAndPagesInOrder)
{
    EXPECT_EQ(window->objectName(), "frmMain");
    EXPECT_EQ(window->windowTitle(), "Lumavo房贷按揭计算器V3.2");
    // The size follows the screen (915×690 where there is room): see screen_fit_test.cpp.
    const QStringList captions{
        "等额本息", "等额本金", "商业贷款浮动年利率", "公积金贷款浮动年利率", "分期还款曲线图",
        "方案对比", "核对"};
    ASSERT_EQ(Pages()->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(Pages()->tabText(i), captions[i]);
        EXPECT_EQ(Pages()->widget(i)->objectName(),
                  i < 6 ? QStringLiteral("suiTabSheet%1").arg(i + 1) : "suiPageHd");
    }
    EXPECT_EQ(Pages()->currentIndex(), 0);
    // Two panels; the note of a stale result stays hidden until there is one.
    QList<QLabel*> panels;
    for (QLabel* label : window->statusBar()->findChildren<QLabel*>())
        if (label->isVisible())
            panels.append(label);
    ASSERT_EQ(panels.size(), 2);
    EXPECT_EQ(panels[0]->width(), 300);
    EXPECT_EQ(panels[1]->text(), "  欢迎反馈使用意见及建议！");
}

// What a person sees of every named control below root and may use, one line each, sorted.
QStringList ControlStates(const QWidget& root)
{
    QStringList states;
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty())
            continue;
        QString state = QStringLiteral("%1 %2 %3")
                            .arg(widget->objectName(), widget->isEnabled() ? "on" : "off",
                                 widget->isVisibleTo(&root) ? "shown" : "hidden");
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            state += " " + edit->text();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            state += QStringLiteral(" %1 of %2").arg(combo->currentText()).arg(combo->count());
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            state += button->isChecked() ? " checked" : "";
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            state += " " + label->text();
        if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget))
            state += " " + spin->text();
        if (const auto* table = qobject_cast<const QTableView*>(widget))
            for (int column = 0; column < table->model()->columnCount(); ++column)
                state += QStringLiteral(" %1:%2|%3")
                             .arg(table->columnWidth(column))
                             .arg(table->model()->headerData(column, Qt::Horizontal).toString(),
                                  table->model()->index(0, column).data().toString());
        states << state;
    }
    states.sort();
    return states;
}

// The window builds a page when it is first shown: after the rates were read and a loan typed
// on 等额本息, each page must show what it would have shown had it been built at start.
TEST_F(StartTest, APageBuiltWhenFirstShownIsThePageBuiltAtStart)
{
    RateTable kept;
    for (int n = 0; n < RateTable::kEntries; ++n)
        kept.Set(n, 4.1 + 0.01 * n);
    ASSERT_EQ(SaveRateTable(ArchivePath(), RatePageNames::Commercial().section, kept),
              std::nullopt);
    const auto pagesAfterALoan = [this](bool buildEveryPage) {
        Open(buildEveryPage);
        EnterWorkedLoan(0);
        std::vector<QStringList> pages;
        for (int page = 1; page < Pages()->count(); ++page) {
            ShowPage(page);
            pages.push_back(ControlStates(*Pages()->widget(page)));
        }
        return pages;
    };
    const std::vector<QStringList> late = pagesAfterALoan(false);
    const std::vector<QStringList> early = pagesAfterALoan(true);
    ASSERT_EQ(late.size(), early.size());
    for (std::size_t page = 0; page < late.size(); ++page) {
        SCOPED_TRACE(Pages()->tabText(static_cast<int>(page) + 1).toStdString());
        EXPECT_GT(late[page].size(), 3);
        EXPECT_EQ(late[page], early[page]);
    }
}

// Only the page in view is enabled, and the toolbar offers what that page can do.
TEST_F(StartTest, ToolbarAndEnablingFollowThePage)
{
    const QStringList all{"TBdr", "TBdc", "TBjs", "TBbc", "TBts", "TBdb", "TBcdnll"};
    const std::vector<std::pair<int, QStringList>> cases{
        {0, {"TBdr", "TBdc", "TBjs", "TBbc", "TBts", "TBdb"}},
        {1, {"TBdr", "TBdc", "TBjs", "TBbc", "TBts", "TBdb"}},
        {2, {"TBcdnll"}},
        {3, {"TBcdnll"}},
        {4, {"TBts"}},
        {5, {}},
        {0, {"TBdr", "TBdc", "TBjs", "TBbc", "TBts", "TBdb"}},
    };
    for (const auto& [page, visible] : cases) {
        SCOPED_TRACE(page);
        ShowPage(page);
        for (const QString& name : all)
            EXPECT_EQ(Find<QToolButton>(name)->isVisible(), visible.contains(name))
                << name.toStdString();
        for (const char* always : {"ToolButton5", "ToolButton6", "ToolButton1"})
            EXPECT_TRUE(Find<QToolButton>(always)->isVisible());
        for (int i = 0; i < Pages()->count(); ++i)
            EXPECT_EQ(Pages()->widget(i)->isEnabled(), i == page);
    }
}

TEST_F(StartTest, ToolbarCaptionsAndHints)
{
    const std::vector<std::array<QString, 3>> buttons{
        {"TBdr", "导入", "恢复输入信息"},
        {"TBdc", "导出", "备份输入信息"},
        {"TBjs", "计算", "计算"},
        {"TBts", "图示", "展示分期还款曲线图"},
        {"TBdb", "对比", "对比两种还款方式及提前还贷计划"},
        {"TBbc", "保存", "保存分期还款表"},
        {"TBcdnll", "存档", "存档浮动年利率"},
        {"ToolButton5", "利率", "贷款利率变更一览表"},
        {"ToolButton6", "更新", "发布主页"},
        {"ToolButton1", "关于", "关于"}};
    for (const auto& [name, caption, hint] : buttons) {
        auto* action = Find<QAction>(name);
        EXPECT_EQ(action->text(), caption);
        // The tooltip may go on to name the command's key.
        EXPECT_TRUE(action->toolTip().startsWith(hint)) << action->toolTip().toStdString();
        EXPECT_EQ(action->statusTip(), hint);
    }
}

// Drawn, not missing: a lost resource or SVG plugin leaves a blank button. Asked at twice the
// size, a drawing gives twice the pixels where a small bitmap would be blown up.
TEST_F(StartTest, EveryToolHasAPictureSharpAtTwiceTheScaleGreyedWhenOff)
{
    for (const char* bar : {"suiToolBar1", "suiToolBar2"})
        for (QAction* action : Find<QToolBar>(bar)->actions()) {
            if (action->isSeparator())
                continue;
            const QPixmap twice = action->icon().pixmap(QSize(24, 24), 2.0);
            EXPECT_FALSE(twice.isNull()) << action->objectName().toStdString();
            EXPECT_EQ(twice.size(), QSize(48, 48)) << action->objectName().toStdString();
            // A command that cannot run shows its picture greyed.
            const QImage normal = action->icon().pixmap(QSize(24, 24)).toImage();
            const QImage greyed = action->icon().pixmap(QSize(24, 24), QIcon::Disabled).toImage();
            EXPECT_EQ(greyed.size(), QSize(24, 24)) << action->objectName().toStdString();
            EXPECT_NE(greyed, normal) << action->objectName().toStdString();
        }
}

struct TabNames
{
    const char* suffix;
    const char* radioGroup;
    const char* yearsCombo;
    const char* sharesGroup;
    const char* grid;
    const char* panel;
};

class LoanTabStartTest : public WindowTest, public ::testing::WithParamInterface<TabNames>
{
  protected:
    QString N(const char* base) const { return QString::fromUtf8(base) + GetParam().suffix; }
};

TEST_P(LoanTabStartTest, ControlsStartAsTheFormHasThem)
{
    ShowPage(GetParam().suffix[0] ? 1 : 0);
    const auto* mode = Find<RadioGroup>(GetParam().radioGroup);
    EXPECT_EQ(mode->ItemIndex(), 1);
    EXPECT_FALSE(Field(N("suiNEmj"))->isEnabled());
    EXPECT_FALSE(Field(N("suiNEdj"))->isEnabled());
    EXPECT_FALSE(Combo(N("suiCBajcs"))->isEnabled());
    EXPECT_EQ(Combo(N("suiCBajcs"))->currentText(), "8");
    EXPECT_TRUE(Field(N("suiNEdkze"))->isEnabled());
    EXPECT_EQ(Text(N("suiNEdkze")), "0.00");
    EXPECT_EQ(Combo(N("suiCBLoanType"))->currentText(), "商业贷款");
    EXPECT_FALSE(Find<QGroupBox>(GetParam().sharesGroup)->isEnabled());
    EXPECT_EQ(Text(N("suiNEratioS")), "100");
    EXPECT_EQ(Text(N("suiNEratioG")), "0");
    EXPECT_EQ(Combo(GetParam().yearsCombo)->currentText(), "20");
    EXPECT_EQ(Text(N("suiNEajqs")), "240");
    EXPECT_TRUE(Find<QRadioButton>(N("suiRBgd"))->isChecked());
    EXPECT_EQ(Text(N("suiNEnllS")), "0.000");
    EXPECT_TRUE(Field(N("suiNEnllG"))->isEnabled());

    QStringList years;
    for (int year = 1997; year <= kCurrentYear + 3; ++year)
        years.append(QString::number(year));
    for (const char* picker : {"suiCBfdyear", "suiCBfirstyear"}) {
        EXPECT_EQ(Items(N(picker)), years) << picker;
        EXPECT_EQ(Combo(N(picker))->currentText(), "1997");
    }
    for (const char* month : {"suiCBfdmonth", "suiCBfirstmonth", "suiCBtqmonth"})
        EXPECT_EQ(Combo(N(month))->currentText(), "01");
    for (const char* day : {"suiCBfdday", "suiCBfirstday", "suiCBtqday"}) {
        EXPECT_EQ(Combo(N(day))->count(), 31) << day;
        EXPECT_EQ(Combo(N(day))->currentText(), "01");
    }
    // 240 periods from 1997: a prepayment may fall in 1997 .. 2017.
    EXPECT_EQ(Items(N("suiCBtqyear")).front(), "1997");
    EXPECT_EQ(Items(N("suiCBtqyear")).back(), "2017");
    EXPECT_TRUE(Find<CollapsiblePanel>(GetParam().panel)->IsCollapsed());
}

TEST_P(LoanTabStartTest, GridShowsHeadersAndEmptyRows)
{
    // Wide enough for every column at its own width; narrower, they are fitted.
    window->resize(1600, 690);
    ShowPage(GetParam().suffix[0] ? 1 : 0);
    const ScheduleGrid* grid = Grid(GetParam().grid);
    EXPECT_EQ(grid->GridColumnCount(), 8);
    EXPECT_EQ(grid->GridRowCount(), 25);
    EXPECT_EQ(grid->HeaderHeight(), 40);
    const QStringList headers{"还款日期",
                              "月利息还款额（元）",
                              "月本金还款额（元）",
                              "月还款额（元）",
                              "剩余本金（元）",
                              "已还利息（元）",
                              "商业贷款提前还贷（元）",
                              "公积金贷款提前还贷（元）"};
    const int widths[] = {96, 136, 136, 112, 112, 112, 170, 178};
    // The date column widens past 96 when the font in use needs it for a whole date.
    const QFontMetrics dates = grid->verticalHeader()->fontMetrics();
    EXPECT_GE(grid->GridColumnWidth(0), 96);
    EXPECT_GT(grid->GridColumnWidth(0), dates.horizontalAdvance("2009年02月15日"));
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(grid->Cell(column, 0), "\r" + headers[column]);
        if (column > 0) {
            EXPECT_EQ(grid->GridColumnWidth(column), widths[column]);
        }
        for (int row = 1; row < 25; ++row)
            EXPECT_TRUE(grid->Cell(column, row).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Tabs,
                         LoanTabStartTest,
                         ::testing::Values(TabNames{"", "suiRadioGroup1", "suiComboBox1",
                                                    "suiGroupBox17", "suiSG1", "suiPanel1"},
                                           TabNames{"2", "suiRadioGroup2", "suiComboBox2",
                                                    "suiGroupBox18", "suiSG2", "suiPanel2"}),
                         [](const auto& tab) { return tab.param.suffix[0] ? "Tab2" : "Tab1"; });

} // namespace
} // namespace lumavo::testing_support
