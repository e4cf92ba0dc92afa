#include "tests/ui/window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

namespace lumavo::testing_support {
namespace {

// Shortcuts only reach the active window.
class KeyboardTest : public WindowTest
{
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The names Tab visits from the given field on.
    QStringList TabWalk(const QString& from, int steps) const
    {
        Field(from)->setFocus();
        QStringList names;
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget* focus = QApplication::focusWidget();
            names.append(focus->objectName().isEmpty() ? focus->metaObject()->className()
                                                       : focus->objectName());
        }
        return names;
    }
};

struct KeyCase
{
    const char* name;
    int page;
    QKeyCombination key;
    const char* action;
    const char* tip; // the hint with the key it names
};

class CommandKey : public KeyboardTest, public ::testing::WithParamInterface<KeyCase>
{
};

// Ctrl+S serves two commands that are never shown together: exactly one may fire.
TEST_P(CommandKey, TriggersItsCommandOnceAndIsNamedInTheHint)
{
    const KeyCase& c = GetParam();
    ShowPage(c.page);
    QSignalSpy triggered(Find<QAction>(c.action), &QAction::triggered);
    QTest::keyClick(window.get(), c.key.key(), c.key.keyboardModifiers());
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(Find<QAction>(c.action)->toolTip(), QString::fromUtf8(c.tip));
}

// 关于 (F1) is left out: it opens a window of its own.
INSTANTIATE_TEST_SUITE_P(
    Keys,
    CommandKey,
    ::testing::Values(
        KeyCase{"CtrlOImports", 0, Qt::CTRL | Qt::Key_O, "TBdr", "恢复输入信息 (Ctrl+O)"},
        KeyCase{"CtrlEExports", 1, Qt::CTRL | Qt::Key_E, "TBdc", "备份输入信息 (Ctrl+E)"},
        KeyCase{"F9Calculates", 0, QKeyCombination(Qt::Key_F9), "TBjs", "计算 (F9)"},
        KeyCase{"CtrlReturnCalculates", 1, Qt::CTRL | Qt::Key_Return, "TBjs", "计算 (F9)"},
        KeyCase{"CtrlGDraws", 4, Qt::CTRL | Qt::Key_G, "TBts", "展示分期还款曲线图 (Ctrl+G)"},
        KeyCase{"CtrlSSavesTheSchedule", 0, Qt::CTRL | Qt::Key_S, "TBbc",
                "保存分期还款表 (Ctrl+S)"},
        KeyCase{"CtrlSArchivesTheRates", 3, Qt::CTRL | Qt::Key_S, "TBcdnll",
                "存档浮动年利率 (Ctrl+S)"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// A value typed and not yet left counts: the field keeps its value in step with every key.
TEST_F(KeyboardTest, F9InAFieldCalculatesWhatWasTyped)
{
    EnterWorkedLoan(0, "12", false);
    NumberEdit* total = Field("suiNEdkze");
    total->setFocus();
    total->selectAll();
    QTest::keyClicks(total, "100000");
    QTest::keyClick(total, Qt::Key_F9);
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    EXPECT_EQ(Grid("suiSG1")->Cell(3, 1), "8623.31");
}

TEST_F(KeyboardTest, CtrlCCopiesTheSelectionWithHeadersAndDates)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    ScheduleGrid* grid = Grid("suiSG1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(2, 0)); // 2009年04月15日, interest
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "还款日期\t月利息还款额（元）\t月本金还款额（元）\n"
              "2009年04月15日\t418.73\t8187.91\n");
}

// A grid that kept Tab for moving between its cells would trap the keyboard there.
TEST_F(KeyboardTest, TabFollowsTheRowsAndLeavesTheGrid)
{
    EXPECT_EQ(TabWalk("suiNEajqs", 17),
              (QStringList{"suiRBgd", "suiNEnllS", "suiNEnllG", "suiCBfdyear", "suiCBfdmonth",
                           "suiCBfdday", "suiCBfirstyear", "suiCBfirstmonth", "suiCBfirstday",
                           "QToolButton", "QToolButton", "suiNEyhke", "suiNEhkze", "suiNElxze",
                           "suiEjzrq", "suiCheckBankRounding", "suiSG1"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), Grid("suiSG1"));
}

struct PageKeyCase
{
    const char* name;
    int page;
    const char* focus; // the widget holding the focus; empty: the window
    QKeyCombination key;
    int expectedPage;
};

class PageKey : public KeyboardTest, public ::testing::WithParamInterface<PageKeyCase>
{
};

// A day box took Ctrl+PgDn as "next day" and nothing took Ctrl+Tab: the page keys belong to
// the window wherever the focus is, and the focused control keeps its value.
TEST_P(PageKey, SwitchesThePageWhereverTheFocusIs)
{
    const PageKeyCase& c = GetParam();
    ShowPage(c.page);
    QWidget* target = window.get();
    if (*c.focus) {
        target = Find<QWidget>(c.focus);
        target->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return target->hasFocus(); })) << c.focus;
    }
    const QString dayBefore = Combo("suiCBfdday")->currentText();
    QTest::keyClick(target, c.key.key(), c.key.keyboardModifiers());
    EXPECT_EQ(Pages()->currentIndex(), c.expectedPage);
    EXPECT_EQ(Combo("suiCBfdday")->currentText(), dayBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Keys,
    PageKey,
    ::testing::Values(
        PageKeyCase{"CtrlPgDnInADayBox", 0, "suiCBfdday", Qt::CTRL | Qt::Key_PageDown, 1},
        PageKeyCase{"CtrlPgUpInAField", 1, "suiNEdkze2", Qt::CTRL | Qt::Key_PageUp, 0},
        PageKeyCase{"CtrlTabInTheGrid", 0, "suiSG1", Qt::CTRL | Qt::Key_Tab, 1},
        PageKeyCase{"CtrlShiftTabInARateField", 2, "suiNEper5",
                    Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 1},
        PageKeyCase{"CtrlPgDnInTheRuleList", 2, "suiCBrule", Qt::CTRL | Qt::Key_PageDown, 3},
        PageKeyCase{"CtrlTabWrapsAtTheEnd", 6, "", Qt::CTRL | Qt::Key_Tab, 0},
        PageKeyCase{"CtrlPgUpWrapsAtTheStart", 0, "suiCBfdday", Qt::CTRL | Qt::Key_PageUp, 6}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct RateTabCase
{
    const char* name;
    int page;
    QStringList walk; // from the page's tab, Tab by Tab
};

class RatePageTab : public KeyboardTest, public ::testing::WithParamInterface<RateTabCase>
{
};

// A rule's number typed after opening a rate page landed in 放贷首年利率: the rule group, which
// fills the fields, comes first.
TEST_P(RatePageTab, TheRuleGroupComesFirst)
{
    ShowPage(GetParam().page);
    QWidget* tabs = Pages()->tabBar();
    tabs->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tabs->hasFocus(); }));
    QStringList names;
    for (qsizetype i = 0; i < GetParam().walk.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.append(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(names, GetParam().walk);
}

INSTANTIATE_TEST_SUITE_P(
    Pages,
    RatePageTab,
    // A date box takes Tab from section to section: year, month, day.
    ::testing::Values(RateTabCase{"Commercial",
                                  2,
                                  {"suiCBrule", "suiNErule", "suiNEfuturelpr", "suiDTfd", "suiDTfd",
                                   "suiDTfd", "suiDTfirst", "suiDTfirst", "suiDTfirst",
                                   "suiButtonFill", "suiNEper0", "suiNEper1"}},
                      RateTabCase{"Provident",
                                  3,
                                  {"suiCBruleG", "suiNEruleG", "suiNEruleajqsG", "suiDTfdG",
                                   "suiDTfdG", "suiDTfdG", "suiDTfirstG", "suiDTfirstG",
                                   "suiDTfirstG", "suiButtonFillG", "suiNEperG0"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace
} // namespace lumavo::testing_support
