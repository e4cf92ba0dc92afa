// Closing or destroying the window with a field mid-edit once ran the field's rule on pages
// already destroyed: the focus leaves the field while the widgets are torn down.
#include "tests/ui/window_fixture.h"

#include <functional>

namespace lumavo::testing_support {
namespace {

class ShutdownTest;

struct Activity
{
    const char* name;
    std::function<void(ShutdownTest&)> run;
    const char* editedField; // typed into last, left with the focus
};

class ShutdownTest : public WindowTest, public ::testing::WithParamInterface<Activity>
{
  public:
    using WindowTest::EnterWorkedLoan;
    using WindowTest::Find;
    using WindowTest::Press;
    using WindowTest::ShowPage;
};

TEST_P(ShutdownTest, DestroyingTheWindowMidEditRunsNoRule)
{
    GetParam().run(*this);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    NumberEdit* field = Field(GetParam().editedField);
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    QTest::keyClicks(field, "7");
    dialogs.boxes.clear();
    window.reset();
    EXPECT_TRUE(dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Activities,
    ShutdownTest,
    ::testing::Values(
        Activity{"PeriodsOnTab1", [](ShutdownTest& w) { w.ShowPage(0); }, "suiNEajqs"},
        Activity{"LoanTotalOnTab2", [](ShutdownTest& w) { w.ShowPage(1); }, "suiNEdkze2"},
        Activity{"RateField", [](ShutdownTest& w) { w.ShowPage(2); }, "suiNEper3"},
        Activity{"UniformRate", [](ShutdownTest& w) { w.ShowPage(3); }, "suiNEperGone"},
        Activity{"AfterCalculating",
                 [](ShutdownTest& w) {
                     w.EnterWorkedLoan(1);
                     w.Press("TBjs");
                     w.EnterWorkedLoan(0);
                     w.Press("TBjs");
                 },
                 "suiNEnllG"},
        Activity{"PlanAmount",
                 [](ShutdownTest& w) {
                     w.EnterWorkedLoan(0);
                     w.Find<CollapsiblePanel>("suiPanel1")->SetCollapsed(false);
                 },
                 "suiNEtqse"},
        Activity{"AfterCharts",
                 [](ShutdownTest& w) {
                     w.EnterWorkedLoan(0);
                     w.Press("TBjs");
                     w.Press("TBts");
                     w.ShowPage(0);
                 },
                 "suiNEajqs"}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo::testing_support
