#include "tests/ui/window_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace lumavo::testing_support {
namespace {

class CompareTest : public WindowTest, public ::testing::WithParamInterface<int>
{
  protected:
    QString s = GetParam() == 0 ? "" : "2";

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = Find<QTableWidget>("suiSGdb")->item(row, column);
        return item ? item->text() : QString();
    }
    QString Source() const { return Find<QLabel>("suiLabelDb")->text(); }
    // The worked loan with its 20000 on 2009-05-01 in the fields.
    void EnterPrepayment(const char* amount = "20000")
    {
        Choose("suiCBtqyear" + s, "2009");
        Choose("suiCBtqmonth" + s, "05");
        Choose("suiCBtqday" + s, "01");
        Enter("suiNEtqse" + s, amount);
    }
};

// Row 1 of the table is 利息总额: without a plan both methods' worked figures.
TEST_P(CompareTest, ComparesThePageInViewAndShowsIt)
{
    EnterWorkedLoan(GetParam());
    Press("TBdb");
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "suiTabSheet6");
    EXPECT_TRUE(Source().startsWith(GetParam() == 0 ? "等额本息" : "等额本金"))
        << Source().toStdString();
    EXPECT_EQ(Cell(1, 0), "利息总额（元）");
    EXPECT_EQ(Cell(1, 2), "3296.38");
    EXPECT_EQ(Cell(1, 4), "3266.67");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// The page is a record of one moment: edits on the loan page wait for the next 对比.
TEST_P(CompareTest, LaterEditsWaitForTheNextCompare)
{
    EnterWorkedLoan(GetParam());
    Press("TBdb");
    const QString source = Source();
    ShowPage(GetParam());
    Enter("suiNEdkze" + s, "200000");
    ShowPage(5);
    EXPECT_EQ(Cell(1, 2), "3296.38");
    EXPECT_EQ(Source(), source);
    ShowPage(GetParam());
    Press("TBdb");
    EXPECT_EQ(Cell(1, 2), "6592.76");
}

TEST_P(CompareTest, RefusalKeepsThePageOnTheLoan)
{
    ShowPage(GetParam());
    Press("TBdb");
    EXPECT_EQ(dialogs.Texts(), QStringList{"贷款总额须大于零！"});
    EXPECT_EQ(Pages()->currentIndex(), GetParam());
}

// 试算 offers both ways; the chosen one's shortening goes into the field, nothing is submitted.
TEST_P(CompareTest, PreviewFillsTheShortening)
{
    EnterWorkedLoan(GetParam());
    EnterPrepayment();
    dialogs.chooseAnswer = 1;
    Find<QPushButton>(GetParam() == 0 ? "suiButton9" : "suiButton10")->click();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, "choose");
    EXPECT_EQ(Text("suiNEsdajqs" + s), "2");
    EXPECT_EQ(Find<QListWidget>(GetParam() == 0 ? "suiListBox1" : "suiListBox2")->count(), 0);

    dialogs.chooseAnswer = -1;
    Find<QPushButton>(GetParam() == 0 ? "suiButton9" : "suiButton10")->click();
    EXPECT_EQ(Text("suiNEsdajqs" + s), "2");
}

TEST_P(CompareTest, PreviewRefusedAsSubmitIs)
{
    EnterWorkedLoan(GetParam());
    EnterPrepayment("100000.01");
    Find<QPushButton>(GetParam() == 0 ? "suiButton9" : "suiButton10")->click();
    EXPECT_EQ(dialogs.Texts(), QStringList{"商业贷款提前还贷数额须小于等于商业贷款总额！"});
}

INSTANTIATE_TEST_SUITE_P(Tabs, CompareTest, testing::Values(0, 1), [](const auto& p) {
    return p.param == 0 ? "Debx" : "Debj";
});

} // namespace
} // namespace lumavo::testing_support
