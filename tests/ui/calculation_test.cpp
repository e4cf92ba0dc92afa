#include "tests/ui/window_fixture.h"

#include <QRadioButton>

namespace lumavo::testing_support {
namespace {

class CalculationTest : public WindowTest
{
  protected:
    using Cells = std::vector<QString>;
};

TEST_F(CalculationTest, EqualInstallmentWorkedExample)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    EXPECT_EQ(Row("suiSG1", 1), (Cells{"2009年02月15日", "516.67", "8106.64", "8623.31", "91893.36",
                                       "516.67", "", ""}));
    EXPECT_EQ(Row("suiSG1", 3), (Cells{"2009年04月15日", "418.73", "8187.91", "8606.64", "75558.27",
                                       "1394.86", "", ""}));
    EXPECT_EQ(Row("suiSG1", 12).front(), "2010年01月15日");
    EXPECT_EQ(Row("suiSG1", 12)[5], "3296.38");
    EXPECT_EQ(Grid("suiSG1")->GridRowCount(), 13);
    EXPECT_EQ(Text("suiNEyhke"), "8606.64");
    EXPECT_TRUE(Field("suiNEyhke")->isEnabled());
    EXPECT_EQ(Text("suiNEhkze"), "103296.38");
    EXPECT_EQ(Text("suiNElxze"), "3296.38");
    EXPECT_EQ(Text("suiEjzrq"), " 2010年01月15日");
}

TEST_F(CalculationTest, EqualPrincipalWorkedExample)
{
    EnterWorkedLoan(1);
    Press("TBjs");
    ASSERT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(Row("suiSG2", 1), (Cells{"2009年02月15日", "516.67", "8333.33", "8850.00", "91666.67",
                                       "516.67", "", ""}));
    EXPECT_EQ(Row("suiSG2", 12),
              (Cells{"2010年01月15日", "41.67", "8333.33", "8375.00", "0.00", "3266.67", "", ""}));
    EXPECT_EQ(Text("suiNEybjhke2"), "8333.33");
    EXPECT_EQ(Text("suiNEhkze2"), "103266.67");
    EXPECT_EQ(Text("suiNElxze2"), "3266.67");
    EXPECT_EQ(Text("suiEjzrq2"), " 2010年01月15日");
    // Tab 1 was not touched.
    EXPECT_TRUE(Grid("suiSG1")->Cell(0, 1).isEmpty());
}

TEST_F(CalculationTest, FloatingRatesFromTheRatePage)
{
    ShowPage(2);
    Enter("suiNEper0", "7.47");
    Enter("suiNEper1", "5.94");
    Enter("suiNEper2", "5.31");
    ShowPage(0);
    Enter("suiNEdkze", "100000");
    Enter("suiNEajqs", "24");
    Find<QRadioButton>("suiRBfd")->click();
    Choose("suiCBfdyear", "2008");
    Choose("suiCBfdmonth", "12");
    Choose("suiCBfdday", "20");
    Choose("suiCBfirstyear", "2009");
    Choose("suiCBfirstday", "20");
    Press("TBjs");
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    EXPECT_EQ(Row("suiSG1", 1)[1], "562.50");
    EXPECT_EQ(Row("suiSG1", 13)[1], "246.21");
    EXPECT_EQ(Text("suiNEhkze"), "106211.81");
    EXPECT_EQ(Text("suiNEyhke"), "0.00");
    EXPECT_FALSE(Field("suiNEyhke")->isEnabled());
}

// A refusal shows its message, line break included, and leaves the earlier schedule alone.
TEST_F(CalculationTest, RefusalsChangeNothing)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    const TextGrid before = Grid("suiSG1")->Texts();
    struct Case
    {
        const char* field;
        const char* value;
        QString message;
    };
    const Case cases[] = {
        {"suiNEdkze", "0", "贷款总额须大于零！"},
        {"suiNEajqs", "0", "按揭期数须大于零！"},
        {"suiNEnllS", "0", "商业贷款固定年利率须大于零！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const QString kept = Text(c.field);
        Enter(c.field, c.value);
        dialogs.boxes.clear();
        Press("TBjs");
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].kind, "inform");
        EXPECT_EQ(dialogs.boxes[0].text, c.message);
        EXPECT_EQ(Grid("suiSG1")->Texts().cells, before.cells);
        EXPECT_EQ(Text("suiNEhkze"), "103296.38");
        Enter(c.field, kept);
    }
    Choose("suiCBfirstday", "16");
    dialogs.boxes.clear();
    Press("TBjs");
    EXPECT_EQ(dialogs.Texts(), QStringList{"月供首日须在放贷日后的一个月内！"});
    Choose("suiCBfirstday", "15");
    Find<QRadioButton>("suiRBfd")->click();
    dialogs.boxes.clear();
    Press("TBjs");
    EXPECT_EQ(dialogs.Texts(), QStringList{"放贷首年 商业贷款浮动年利率\r须大于零！"});
    EXPECT_EQ(DisplayText(dialogs.Texts().front()), "放贷首年 商业贷款浮动年利率\n须大于零！");
    EXPECT_EQ(Grid("suiSG1")->Texts().cells, before.cells);
}

TEST_F(CalculationTest, ShorterSecondRunLeavesNoTrace)
{
    EnterWorkedLoan(1, "24");
    Press("TBjs");
    EXPECT_EQ(Grid("suiSG2")->GridRowCount(), 25);
    EXPECT_FALSE(Grid("suiSG2")->Cell(0, 24).isEmpty());
    Enter("suiNEajqs2", "12");
    Press("TBjs");
    const ScheduleGrid* grid = Grid("suiSG2");
    EXPECT_EQ(grid->GridRowCount(), 13);
    EXPECT_EQ(grid->Cell(0, 12), "2010年01月15日");
    EXPECT_EQ(grid->Texts().cells.size(), 13u * 8u);
    EXPECT_EQ(Text("suiNEhkze2"), "103266.67");
}

TEST_F(CalculationTest, CalculateOnOtherPagesDoesNothing)
{
    EnterWorkedLoan(0);
    for (int page : {2, 3, 4}) {
        ShowPage(page);
        Find<QAction>("TBjs")->trigger();
    }
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_TRUE(Grid("suiSG1")->Cell(0, 1).isEmpty());
}

} // namespace
} // namespace lumavo::testing_support
