#include "tests/ui/window_fixture.h"
#include "ui/Uabout.h"
#include "ui/depth_chart_view.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <functional>

namespace lumavo::testing_support {
namespace {

using Points = std::vector<std::pair<QDate, double>>;
using Row = std::vector<std::string>;

const QStringList kSeries{"SeriesDEBXLX", "SeriesDEBXBJ", "SeriesDEBJLX", "SeriesDEBJBJ"};

class ChartsTest : public WindowTest
{
  protected:
    void CalculateWorkedLoan()
    {
        EnterWorkedLoan(1);
        Press("TBjs");
        ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    }

    DepthChartView* Chart(int number) const
    {
        return Find<DepthChartView>(QStringLiteral("Chart%1").arg(number));
    }

    Points Series(const QString& name) const
    {
        for (int number : {1, 2}) {
            for (QAbstractSeries* series : Chart(number)->chart()->series()) {
                if (series->objectName() != name)
                    continue;
                Points points;
                for (const QPointF& p : qobject_cast<QLineSeries*>(series)->points())
                    points.emplace_back(
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(p.x())).date(), p.y());
                return points;
            }
        }
        ADD_FAILURE() << "no series " << name.toStdString();
        return {};
    }

    std::vector<Points> AllSeries() const
    {
        std::vector<Points> all;
        for (const QString& name : kSeries)
            all.push_back(Series(name));
        return all;
    }
};

// Grid rows inserted after the given schedule row of tab 2, as a plan would produce them.
void InsertRows(ScheduleGrid* grid, int after, const std::vector<Row>& rows)
{
    TextGrid texts = grid->Texts();
    const auto at = texts.cells.begin() + static_cast<std::ptrdiff_t>((after + 1) * texts.columns);
    std::vector<std::string> cells;
    for (const Row& row : rows)
        cells.insert(cells.end(), row.begin(), row.end());
    texts.cells.insert(at, cells.begin(), cells.end());
    texts.rows += static_cast<int>(rows.size());
    grid->ShowRows(std::move(texts));
}

TEST_F(ChartsTest, WorkedEqualPrincipalLoanOnChart2)
{
    CalculateWorkedLoan();
    Press("TBts");
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "suiTabSheet5");
    const Points interest = Series("SeriesDEBJLX");
    const Points principal = Series("SeriesDEBJBJ");
    ASSERT_EQ(interest.size(), 12u);
    ASSERT_EQ(principal.size(), 12u);
    EXPECT_EQ(interest.front(), std::pair(QDate(2009, 2, 15), 516.67));
    EXPECT_EQ(interest.back(), std::pair(QDate(2010, 1, 15), 41.67));
    for (std::size_t i = 0; i < principal.size(); ++i)
        EXPECT_EQ(principal[i],
                  std::pair(QDate(2009, 2, 15).addMonths(static_cast<int>(i)), 8333.33));
    EXPECT_TRUE(Series("SeriesDEBXLX").empty()) << "tab 1 was never calculated";

    // The plan's 2009-05-01 prepayment, and a provident-fund one on a payment day, which
    // follows that day's regular point.
    InsertRows(Grid("suiSG2"), 5,
               {{"2009年06月15日", "0.00", "", "5000.00", "", "", "", "5000.00"}});
    InsertRows(
        Grid("suiSG2"), 3,
        {{"2009年05月01日", "200.00", "", "20200.00", "55000.00", "1591.67", "20000.00", ""}});
    Press("TBts");
    const Points planInterest = Series("SeriesDEBJLX");
    const Points planPrincipal = Series("SeriesDEBJBJ");
    ASSERT_EQ(planPrincipal.size(), 14u);
    EXPECT_EQ(planInterest[3], std::pair(QDate(2009, 5, 1), 200.0));
    EXPECT_EQ(planPrincipal[3], std::pair(QDate(2009, 5, 1), 20000.0));
    EXPECT_EQ(planPrincipal[5], std::pair(QDate(2009, 6, 15), 8333.33));
    EXPECT_EQ(planPrincipal[6], std::pair(QDate(2009, 6, 15), 5000.0));
}

TEST_F(ChartsTest, EmptyGridsDrawEmptyChartsIn3D)
{
    Press("TBts");
    EXPECT_EQ(AllSeries(), std::vector<Points>(4));
    for (const auto& [number, title] : {std::pair{1, "等额本息"}, std::pair{2, "等额本金"}}) {
        QChart* chart = Chart(number)->chart();
        EXPECT_TRUE(Chart(number)->IsThreeD());
        EXPECT_EQ(chart->title(), title);
        EXPECT_EQ(chart->backgroundBrush().color(), QColor(0xE7, 0xE7, 0xE7));
        ASSERT_EQ(chart->series().size(), 2);
        EXPECT_EQ(chart->series()[0]->name(), "利息/元");
        EXPECT_EQ(chart->series()[1]->name(), "本金/元");
    }
}

// 图示 refills rather than adds, 清除 empties the charts but not the grids, and the view
// switch touches neither the points nor the other chart.
TEST_F(ChartsTest, RedrawClearAndViewSwitch)
{
    CalculateWorkedLoan();
    Press("TBts");
    const std::vector<Points> drawn = AllSeries();
    Press("TBts");
    EXPECT_EQ(AllSeries(), drawn);
    Press("ToolButton2");
    EXPECT_FALSE(Chart(1)->IsThreeD() || Chart(2)->IsThreeD());
    EXPECT_EQ(AllSeries(), drawn);
    Press("ToolButton4");
    EXPECT_TRUE(Chart(1)->IsThreeD() && Chart(2)->IsThreeD());
    EXPECT_EQ(AllSeries(), drawn);

    const TextGrid grid = Grid("suiSG2")->Texts();
    Press("ToolButton3");
    EXPECT_EQ(AllSeries(), std::vector<Points>(4));
    EXPECT_EQ(Grid("suiSG2")->Texts().cells, grid.cells);
    Press("ToolButton2");
    EXPECT_EQ(AllSeries(), std::vector<Points>(4));
    Press("TBts");
    EXPECT_EQ(AllSeries(), drawn);
    EXPECT_FALSE(Chart(1)->IsThreeD() || Chart(2)->IsThreeD()) << "图示 keeps the chosen view";
}

struct RowCase
{
    const char* name;
    Row row;
    QDate x;
    double interest;
    double principal;
};

class ChartRowTest : public ChartsTest, public ::testing::WithParamInterface<RowCase>
{
};

// One filled row followed by empty ones gives exactly one point in each series of Chart1.
TEST_P(ChartRowTest, BecomesOnePointPerSeries)
{
    const RowCase& c = GetParam();
    TextGrid texts = TextGrid::Blank(8, 4);
    for (int column = 0; column < 8; ++column)
        texts.At(column, 1) = c.row[static_cast<std::size_t>(column)];
    Grid("suiSG1")->ShowRows(texts);
    Press("TBts");
    EXPECT_EQ(Series("SeriesDEBXLX"), (Points{{c.x, c.interest}}));
    EXPECT_EQ(Series("SeriesDEBXBJ"), (Points{{c.x, c.principal}}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows,
    ChartRowTest,
    ::testing::Values(
        RowCase{"Regular",
                {"2009年02月15日", "516.67", "8333.33", "8850.00", "91666.67", "516.67", "", ""},
                QDate(2009, 2, 15),
                516.67,
                8333.33},
        RowCase{"CommercialPrepayment",
                {"2009年05月01日", "200.00", "", "20200.00", "55000.00", "1591.67", "20000.00", ""},
                QDate(2009, 5, 1),
                200.0,
                20000.0},
        RowCase{"AllPrincipalColumnsAdd",
                {"2010年03月10日", "310.50", "1000.25", "", "", "", "20000.00", "5000.00"},
                QDate(2010, 3, 10),
                310.5,
                26000.25},
        RowCase{"TextsThatAreNoNumbersCountZero",
                {"2009年03月15日", "利息", "-", "", "", "", " ", ""},
                QDate(2009, 3, 15),
                0.0,
                0.0},
        RowCase{"Day31InAThirtyDayMonthOnItsLastDay",
                {"2009年04月31日", "10.00", "20.00", "", "", "", "", ""},
                QDate(2009, 4, 30),
                10.0,
                20.0},
        RowCase{"Day30InFebruaryOnItsLastDay",
                {"2009年02月30日", "10.00", "20.00", "", "", "", "", ""},
                QDate(2009, 2, 28),
                10.0,
                20.0},
        RowCase{"Day30InALeapFebruary",
                {"2012年02月30日", "10.00", "20.00", "", "", "", "", ""},
                QDate(2012, 2, 29),
                10.0,
                20.0}),
    [](const auto& p) { return std::string(p.param.name); });

// Runs inspect on the modal window that open shows; a guard closes it should inspect not.
// Both timers die with this scope, so nothing fires into a later test.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect)
{
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout,
                     [&inspect] { inspect(QApplication::activeModalWidget()); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        ADD_FAILURE() << "the modal window stayed open";
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    probe.start(0);
    guard.start(5000);
    open();
}

using AboutTest = ChartsTest;

// Each 关于 builds a new About window, at the top of its text; a double click releases it.
TEST_F(AboutTest, FreshWindowEachTimeClosedByDoubleClick)
{
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        QPointer<QWidget> about;
        WithModal([this] { Press("ToolButton1"); },
                  [&](QWidget* modal) {
                      about = modal;
                      ASSERT_NE(modal, nullptr);
                      EXPECT_EQ(modal->objectName(), "frmAbout");
                      EXPECT_EQ(modal->parentWidget(), window.get());
                      EXPECT_EQ(modal->windowTitle(), "关于");
                      EXPECT_EQ(modal->size(), QSize(417, 435));
                      EXPECT_EQ(modal->minimumSize(), modal->maximumSize());
                      EXPECT_FALSE(modal->windowFlags() & Qt::WindowMaximizeButtonHint);
                      auto* memo = modal->findChild<QPlainTextEdit*>("suiMemo1");
                      ASSERT_NE(memo, nullptr);
                      EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
                      const QStringList lines = memo->toPlainText().split('\n');
                      EXPECT_EQ(lines.filter(QRegularExpression("^■")),
                                (QStringList{"■致谢", "■版本信息", "■升级日志", "■软件说明",
                                             "■使用方法", "■版权"}));
                      EXPECT_TRUE(lines.contains("软件版本：V3.2"));
                      memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());
                      QTest::mouseDClick(memo->viewport(), Qt::LeftButton);
                  });
        EXPECT_TRUE(about.isNull()) << "closed and released";
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Everything a person typed or got, and the page in view.
QStringList Snapshot(const TfrmMain& window)
{
    QStringList state;
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
        state << edit->objectName() + "=" + edit->text();
    for (const QComboBox* combo : window.findChildren<QComboBox*>())
        state << combo->objectName() + "=" + combo->currentText();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        state << button->objectName() + (button->isChecked() ? "+" : "-");
    for (const ScheduleGrid* grid : window.findChildren<ScheduleGrid*>())
        for (const std::string& cell : grid->Texts().cells)
            state << QString::fromStdString(cell);
    state << window.findChild<QTabWidget*>("suiPageControl1")->currentWidget()->objectName();
    return state;
}

TEST_F(ChartsTest, WebButtonsOpenTheirPagesAndChangeNothing)
{
    CalculateWorkedLoan();
    const QStringList before = Snapshot(*window);
    Press("ToolButton5");
    Press("ToolButton6");
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].kind, "url");
    EXPECT_EQ(dialogs.boxes[0].text, kRateChangesUrl);
    EXPECT_EQ(dialogs.boxes[1].kind, "url");
    EXPECT_EQ(dialogs.boxes[1].text, kHomePageUrl);
    EXPECT_EQ(Snapshot(*window), before);
}

} // namespace
} // namespace lumavo::testing_support
