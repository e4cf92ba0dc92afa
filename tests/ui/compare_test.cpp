#include "tests/ui/window_fixture.h"
#include "ui/depth_chart_view.h"

#include <QChart>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
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

// The last 试算 stays on 方案对比, both ways with their figures, until the next one; a refused
// one leaves it.
TEST_P(CompareTest, PreviewKeptOnTheComparePage)
{
    const QString button = GetParam() == 0 ? "suiButton9" : "suiButton10";
    EXPECT_FALSE(Find<QWidget>("PanelSs")->isVisibleTo(Find<QWidget>("suiTabSheet6")));
    EnterWorkedLoan(GetParam());
    EnterPrepayment();
    dialogs.chooseAnswer = -1;
    Find<QPushButton>(button)->click();
    const auto kept = [this] {
        QStringList rows;
        auto* table = Find<QTableWidget>("suiSGss");
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            rows << cells.join('|');
        }
        return rows;
    };
    const QString level = GetParam() == 0 ? "月供" : "月本金";
    EXPECT_TRUE(Find<QWidget>("PanelSs")->isVisibleTo(Find<QWidget>("suiTabSheet6")));
    EXPECT_EQ(Find<QTableWidget>("suiSGss")->horizontalHeaderItem(2)->text(),
              "缩短年限（月供基本不变）");
    const QStringList first = kept();
    ASSERT_EQ(first.size(), 5);
    EXPECT_EQ(first[0], "缩短期数|0|2");
    EXPECT_TRUE(Find<QLabel>("suiLabelSs")
                    ->text()
                    .startsWith("最近一次试算：" +
                                QString(GetParam() == 0 ? "等额本息" : "等额本金") +
                                "页面的输入，"));
    EXPECT_TRUE(Find<QLabel>("suiLabelSs")->text().contains("；提前还贷前商业贷款" + level + "："));

    EnterPrepayment("30000");
    Find<QPushButton>(button)->click();
    EXPECT_NE(kept(), first);
    const QStringList second = kept();
    EnterPrepayment("100000.01");
    Find<QPushButton>(button)->click();
    EXPECT_EQ(kept(), second);
}

// A part that ends earlier says so in its own row, whatever the loan's end; the lines without
// the plan are dashed, and so are their legend marks.
TEST_P(CompareTest, MonthsPerPartAndLegendMarks)
{
    EnterWorkedLoan(GetParam());
    EnterPrepayment();
    Enter("suiNEsdajqs" + s, "3");
    Find<QPushButton>(GetParam() == 0 ? "suiButton2" : "suiButton4")->click();
    Press("TBdb");
    auto* table = Find<QTableWidget>("suiSGdb");
    int row = 0;
    while (row < table->rowCount() && Cell(row, 0) != "商业贷款提前还清（月）")
        ++row;
    ASSERT_LT(row, table->rowCount());
    EXPECT_EQ(QStringList({Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 4)}),
              QStringList({"3", "", "3", ""}));
    EXPECT_FALSE(table->isRowHidden(row));

    QChart* chart = Find<DepthChartView>("Chart3")->chart();
    EXPECT_EQ(chart->legend()->markerShape(), QLegend::MarkerShapeFromSeries);
    for (QAbstractSeries* series : chart->series()) {
        const QList<QLegendMarker*> markers = chart->legend()->markers(series);
        ASSERT_EQ(markers.size(), 1);
        EXPECT_EQ(markers[0]->pen().style() == Qt::SolidLine,
                  !series->objectName().endsWith("NoPlan"))
            << series->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Tabs, CompareTest, testing::Values(0, 1), [](const auto& p) {
    return p.param == 0 ? "Debx" : "Debj";
});

} // namespace
} // namespace lumavo::testing_support
