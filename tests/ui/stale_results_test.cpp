// Totals and a grid beside inputs they no longer belong to read as the answer to those inputs;
// the page says they are from the previous 计算 until the next one.
#include "tests/ui/window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace lumavo::testing_support {
namespace {

class StaleResultsTest;

struct ChangeCase
{
    const char* name;
    std::function<void(StaleResultsTest&)> change; // on tab 1, after its 计算
    bool calculates;                               // whether 计算 then succeeds
};

class StaleResultsTest : public WindowTest, public ::testing::WithParamInterface<ChangeCase>
{
  public:
    using WindowTest::Choose;
    using WindowTest::Enter;
    using WindowTest::Find;
    using WindowTest::Press;
    using WindowTest::ShowPage;

    bool NoteShown() const { return Find<QLabel>("suiStatusBar1Stale")->isVisible(); }
    // The totals and the grid together: both belong to the same calculation.
    bool ResultsGrey() const
    {
        const QColor grey = window->palette().color(QPalette::Disabled, QPalette::Text);
        bool all = Grid("suiSG1")->Stale();
        for (const char* name : {"suiNEhkze", "suiNElxze", "suiEjzrq"})
            all = all && Find<QWidget>(name)->palette().color(QPalette::Text) == grey;
        return all;
    }
    void FloatingAtFivePercent()
    {
        ShowPage(2);
        Enter("suiNEperone", "5");
        Find<QPushButton>("suiButton1")->click();
        ShowPage(0);
        Find<QRadioButton>("suiRBfd")->click();
    }
};

TEST_P(StaleResultsTest, AChangedInputMarksTheResultsUntilTheNextCalculation)
{
    EnterWorkedLoan(0);
    if (std::string(GetParam().name).starts_with("Floating"))
        FloatingAtFivePercent();
    Press("TBjs");
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    const TextGrid before = Grid("suiSG1")->Texts();
    const QString total = Text("suiNEhkze");
    EXPECT_FALSE(NoteShown());
    EXPECT_FALSE(ResultsGrey());

    GetParam().change(*this);
    ShowPage(0);
    EXPECT_TRUE(NoteShown());
    EXPECT_EQ(Find<QLabel>("suiStatusBar1Stale")->text(), "输入已修改，请重新计算");
    EXPECT_TRUE(ResultsGrey());
    // Nothing is cleared: the previous answer stays readable.
    EXPECT_EQ(Grid("suiSG1")->Texts().cells, before.cells);
    EXPECT_EQ(Text("suiNEhkze"), total);
    // The note belongs to the page it concerns.
    ShowPage(1);
    EXPECT_FALSE(NoteShown());
    ShowPage(0);

    dialogs.boxes.clear();
    Press("TBjs");
    EXPECT_EQ(dialogs.boxes.empty(), GetParam().calculates);
    EXPECT_EQ(NoteShown(), !GetParam().calculates);
    EXPECT_EQ(ResultsGrey(), !GetParam().calculates);
}

INSTANTIATE_TEST_SUITE_P(
    Changes,
    StaleResultsTest,
    ::testing::Values(
        ChangeCase{"LoanTotal", [](StaleResultsTest& w) { w.Enter("suiNEdkze", "200000"); }, true},
        ChangeCase{"Periods", [](StaleResultsTest& w) { w.Enter("suiNEajqs", "24"); }, true},
        ChangeCase{"LendingDay", [](StaleResultsTest& w) { w.Choose("suiCBfdday", "16"); }, true},
        // A refused 计算 leaves the mark: the results still belong to the inputs before.
        ChangeCase{"RateModeRefused",
                   [](StaleResultsTest& w) { w.Find<QRadioButton>("suiRBfd")->click(); }, false},
        ChangeCase{"Plan",
                   [](StaleResultsTest& w) {
                       w.Choose("suiCBtqyear", "2009");
                       w.Choose("suiCBtqmonth", "05");
                       w.Choose("suiCBtqday", "15");
                       w.Enter("suiNEtqse", "1000");
                       w.Enter("suiNEsdajqs", "0");
                       w.Find<QPushButton>("suiButton2")->click();
                   },
                   true},
        ChangeCase{"RateAdjustment",
                   [](StaleResultsTest& w) {
                       w.Choose("suiCBtzyear", "2009");
                       w.Choose("suiCBtzmonth", "06");
                       w.Choose("suiCBtzday", "01");
                       w.Enter("suiNEtznll", "5");
                       w.Find<QPushButton>("suiButtonTzAdd")->click();
                   },
                   true},
        ChangeCase{"BankRounding",
                   [](StaleResultsTest& w) { w.Find<QCheckBox>("suiCheckBankRounding")->click(); },
                   true},
        ChangeCase{"FloatingTableEntry",
                   [](StaleResultsTest& w) {
                       w.ShowPage(2);
                       w.Enter("suiNEper1", "6");
                   },
                   true},
        ChangeCase{"FloatingTableByUniformRate",
                   [](StaleResultsTest& w) {
                       w.ShowPage(2);
                       w.Enter("suiNEperone", "4.5");
                       w.Find<QPushButton>("suiButton1")->click();
                   },
                   true}),
    [](const auto& p) { return std::string(p.param.name); });

class StaleResultsCases : public WindowTest
{
  protected:
    bool NoteShown() const { return Find<QLabel>("suiStatusBar1Stale")->isVisible(); }
};

// A value changed and changed back leaves inputs that match the results again.
TEST_F(StaleResultsCases, AChangeUndoneIsNoChange)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    Enter("suiNEdkze", "200000");
    EXPECT_TRUE(NoteShown());
    Enter("suiNEdkze", "100000");
    EXPECT_FALSE(NoteShown());
}

// The floating tables do not enter a loan calculated at fixed rates.
TEST_F(StaleResultsCases, FloatingTablesDoNotStaleAFixedRateLoan)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    ShowPage(2);
    Enter("suiNEper1", "6");
    ShowPage(0);
    EXPECT_FALSE(NoteShown());
}

// Each page has its own results: tab 2 stale, tab 1 not.
TEST_F(StaleResultsCases, EachPageKeepsItsOwnMark)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    EnterWorkedLoan(1);
    Press("TBjs");
    Enter("suiNEajqs2", "24");
    EXPECT_TRUE(NoteShown());
    ShowPage(0);
    EXPECT_FALSE(NoteShown());
    // Before any 计算 there is nothing to be stale.
    Open();
    Enter("suiNEdkze", "200000");
    EXPECT_FALSE(NoteShown());
}

} // namespace
} // namespace lumavo::testing_support
