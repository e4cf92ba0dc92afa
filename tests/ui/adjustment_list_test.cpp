// The 利率调整 list of the loan pages, and what a calculation with adjustments shows.
#include "tests/ui/window_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace lumavo::testing_support {
namespace {

struct Adjustment
{
    const char* year;
    const char* month;
    const char* day;
    char part; // 'S' or 'G'
    const char* rate;
};

// A loan page with the worked loan over 240 periods and its 利率调整 panel open.
class AdjustmentPage : public WindowTest
{
  protected:
    void OpenOn(const QString& suffix)
    {
        s = suffix;
        EnterWorkedLoan(s.isEmpty() ? 0 : 1, "240");
        Find<CollapsiblePanel>("suiPanelTz" + s)->findChild<QToolButton*>()->click();
    }

    // Enter in the rate field adds, as the button does.
    void Add(const Adjustment& a, bool byEnter = false)
    {
        Choose("suiCBtzyear" + s, a.year);
        Choose("suiCBtzmonth" + s, a.month);
        Choose("suiCBtzday" + s, a.day);
        Find<RadioGroup>("suiRGtzType" + s)->Item(a.part == 'S' ? 0 : 1)->click();
        NumberEdit* rate = Field("suiNEtznll" + s);
        rate->selectAll();
        QTest::keyClicks(rate, a.rate);
        if (byEnter)
            QTest::keyClick(rate, Qt::Key_Return);
        else
            Find<QPushButton>("suiButtonTzAdd" + s)->click();
    }
    QListWidget* List() const { return Find<QListWidget>("suiListBoxTz" + s); }
    QStringList ListTexts() const
    {
        QStringList texts;
        for (int i = 0; i < List()->count(); ++i)
            texts.append(List()->item(i)->text());
        return texts;
    }
    QString Calculate()
    {
        dialogs.boxes.clear();
        Press("TBjs");
        return dialogs.Texts().join('\n');
    }
    QString GridName() const { return s.isEmpty() ? "suiSG1" : "suiSG2"; }

    QString s;
};

class AdjustmentListTest : public AdjustmentPage, public ::testing::WithParamInterface<const char*>
{
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenOn(GetParam());
    }
};

TEST_P(AdjustmentListTest, SortedReplacesItsDayAndPartAndDeletesTheChosen)
{
    Choose("suiCBLoanType" + s, "组合贷款");
    Add({"2011", "03", "01", 'G', "3.5"});
    Add({"2010", "10", "25", 'S', "5.2"}, true);
    Add({"2010", "10", "25", 'G', "3.25"});
    Add({"2011", "03", "01", 'G', "3.75"}); // replaces its day and part
    EXPECT_EQ(ListTexts(),
              (QStringList{"2010年10月25日 商业贷款 5.200%", "2010年10月25日 公积金贷款 3.250%",
                           "2011年03月01日 公积金贷款 3.750%"}));
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();

    Find<QPushButton>("suiButtonTzDelete" + s)->click(); // nothing chosen: nothing goes
    EXPECT_EQ(List()->count(), 3);
    List()->setCurrentRow(1);
    EXPECT_EQ(Text("suiNEtznll" + s), "3.250"); // the chosen entry is back in the fields
    EXPECT_EQ(Combo("suiCBtzmonth" + s)->currentText(), "10");
    Find<QPushButton>("suiButtonTzDelete" + s)->click();
    EXPECT_EQ(ListTexts(),
              (QStringList{"2010年10月25日 商业贷款 5.200%", "2011年03月01日 公积金贷款 3.750%"}));
}

// A mid-period change: the row it falls in names it, every row its rate in force, and the
// equal-installment page has no one monthly payment to show.
TEST_P(AdjustmentListTest, GridRowsNameTheRateAndItsChanges)
{
    Add({"2009", "03", "20", 'S', "5"});
    ASSERT_EQ(Calculate(), "");
    ScheduleGrid* grid = Grid(GridName());
    EXPECT_EQ(grid->RowTip(2), "商业贷款年利率 6.000%");
    EXPECT_EQ(grid->RowTip(3), "2009年03月20日起 商业贷款年利率 5.000%");
    EXPECT_EQ(grid->RowTip(4), "商业贷款年利率 5.000%");
    // The date cell shows it, as do the amounts.
    EXPECT_EQ(grid->model()->headerData(2, Qt::Vertical, Qt::ToolTipRole).toString(),
              grid->RowTip(3));
    EXPECT_EQ(grid->model()->index(2, 3).data(Qt::ToolTipRole).toString(), grid->RowTip(3));
    NumberEdit* summary = Field(s.isEmpty() ? "suiNEyhke" : "suiNEybjhke2");
    EXPECT_EQ(summary->isEnabled(), !s.isEmpty());
    if (s.isEmpty()) {
        EXPECT_EQ(summary->text(), "0.00");
    }
}

// Regression: folding the other panel raised its caption over the panel just opened.
TEST_P(AdjustmentListTest, OnePanelOpenAtATime)
{
    auto* adjustments = Find<CollapsiblePanel>("suiPanelTz" + s);
    auto* plan = Find<CollapsiblePanel>(s.isEmpty() ? "suiPanel1" : "suiPanel2");
    plan->findChild<QToolButton*>()->click();
    EXPECT_TRUE(adjustments->IsCollapsed());
    QWidget* host = plan->parentWidget();
    QWidget* shown = host->childAt(adjustments->geometry().center());
    EXPECT_TRUE(shown && plan->isAncestorOf(shown));
    adjustments->findChild<QToolButton*>()->click();
    EXPECT_TRUE(plan->IsCollapsed());
    EXPECT_EQ(adjustments->geometry().bottom() + 1, plan->geometry().top());
}

INSTANTIATE_TEST_SUITE_P(Tabs, AdjustmentListTest, ::testing::Values("", "2"), [](const auto& tab) {
    return std::string(*tab.param ? "Tab2" : "Tab1");
});

struct PartsCase
{
    const char* name;
    const char* loanType;
    bool offersS;
    bool offersG;
    int chosen; // after the type is chosen, with 公积金贷款（G）chosen before
};

class OfferedParts : public WindowTest, public ::testing::WithParamInterface<PartsCase>
{
};

TEST_P(OfferedParts, OnlyThePartsOfTheLoanType)
{
    const PartsCase& c = GetParam();
    Choose("suiCBLoanType", "组合贷款");
    RadioGroup* part = Find<RadioGroup>("suiRGtzType");
    part->Item(1)->click();
    Choose("suiCBLoanType", c.loanType);
    EXPECT_EQ(part->Item(0)->isEnabled(), c.offersS);
    EXPECT_EQ(part->Item(1)->isEnabled(), c.offersG);
    EXPECT_EQ(part->ItemIndex(), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(LoanTypes,
                         OfferedParts,
                         ::testing::Values(PartsCase{"Commercial", "商业贷款", true, false, 0},
                                           PartsCase{"Provident", "公积金贷款", false, true, 1},
                                           PartsCase{"Combination", "组合贷款", true, true, 1}),
                         [](const auto& p) { return std::string(p.param.name); });

struct RefusalCase
{
    const char* name;
    Adjustment adjustment;
    const char* message;
    bool partDropped = false; // added on a combination loan that then becomes commercial
};

class AdjustmentRefusal : public AdjustmentPage, public ::testing::WithParamInterface<RefusalCase>
{
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenOn("");
    }
};

// 计算 names the entry it refuses, and the grid keeps the calculation before.
TEST_P(AdjustmentRefusal, NamesTheEntryAndChangesNothing)
{
    const RefusalCase& c = GetParam();
    ASSERT_EQ(Calculate(), "");
    const TextGrid before = Grid("suiSG1")->Texts();
    if (c.partDropped)
        Choose("suiCBLoanType", "组合贷款");
    Add(c.adjustment);
    if (c.partDropped)
        Choose("suiCBLoanType", "商业贷款");
    EXPECT_EQ(Calculate(), c.message);
    EXPECT_EQ(Grid("suiSG1")->Texts().cells, before.cells);
    EXPECT_TRUE(Grid("suiSG1")->Stale());
    EXPECT_EQ(List()->count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Checks,
    AdjustmentRefusal,
    ::testing::Values(
        RefusalCase{"BeforeLending",
                    {"2009", "01", "14", 'S', "5"},
                    "利率调整“2009年01月14日 商业贷款 5.000%”早于放贷日期！"},
        RefusalCase{"RateZero",
                    {"2012", "01", "01", 'S', "0"},
                    "利率调整“2012年01月01日 商业贷款 0.000%”的年利率须大于0且小于100！"},
        RefusalCase{"RateHundred",
                    {"2012", "01", "01", 'S', "100"},
                    "利率调整“2012年01月01日 商业贷款 100.000%”的年利率须大于0且小于100！"},
        RefusalCase{"PartWithoutShare",
                    {"2012", "01", "01", 'G', "3"},
                    "利率调整“2012年01月01日 公积金贷款 3.000%”所属贷款的比例为0！",
                    true}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo::testing_support
