#include "tests/ui/window_fixture.h"
#include "ui/Uabout.h"
#include "ui/chart_page.h"
#include "ui/depth_chart_view.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <optional>
#include <tuple>

namespace lumavo::testing_support {
namespace {

using Points = std::vector<std::pair<QDate, double>>;

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

// The date and the amounts of a grid row, as its chart point should hold them.
std::tuple<QDate, double, double> GridPoint(const std::vector<QString>& row)
{
    const auto amount = [&row](int column) {
        return row[static_cast<std::size_t>(column)].toDouble();
    };
    const QDate date = QDate::fromString(row[0], QStringLiteral("yyyy年MM月dd日"));
    return {date, amount(1), amount(2) + amount(6) + amount(7)};
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
}

// With a plan the points are the grid's rows, a prepayment on a payment day after that day's
// regular payment; a refused calculation leaves both as they were.
TEST_F(ChartsTest, PlanRowsDrawnAsTheGridShowsThem)
{
    EnterWorkedLoan(1);
    for (const auto& [month, day, amount] :
         {std::tuple{"05", "01", "20000"}, std::tuple{"06", "15", "5000"}}) {
        Choose("suiCBtqyear2", "2009");
        Choose("suiCBtqmonth2", month);
        Choose("suiCBtqday2", day);
        Enter("suiNEtqse2", amount);
        Find<QPushButton>("suiButton4")->click();
    }
    Press("TBjs");
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    Enter("suiNEnllS2", "0");
    Press("TBjs");
    ASSERT_EQ(dialogs.boxes.size(), 1u) << "the calculation is refused, the grid stays";
    Press("TBts");
    const Points interest = Series("SeriesDEBJLX");
    const Points principal = Series("SeriesDEBJBJ");
    ASSERT_EQ(principal.size(), 14u);
    ASSERT_EQ(interest.size(), 14u);
    for (int row = 1; row <= 14; ++row) {
        SCOPED_TRACE(row);
        const auto [date, rowInterest, rowPrincipal] = GridPoint(Row("suiSG2", row));
        const std::size_t i = static_cast<std::size_t>(row - 1);
        EXPECT_EQ(interest[i], std::pair(date, rowInterest));
        EXPECT_EQ(principal[i], std::pair(date, rowPrincipal));
    }
    EXPECT_EQ(principal[3], std::pair(QDate(2009, 5, 1), 20000.0));
    EXPECT_EQ(principal[5].first, QDate(2009, 6, 15));
    EXPECT_EQ(principal[6], std::pair(QDate(2009, 6, 15), 5000.0));
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
    ScheduleRow row;
    QDate x;
    double interest;
    double principal;
};

ScheduleRow Regular(Date date, double interest, double principal)
{
    ScheduleRow row;
    row.date = date;
    row.interest = interest;
    row.principal = principal;
    return row;
}

ScheduleRow Prepayment(Date date, double interest, std::optional<double> s, std::optional<double> g)
{
    ScheduleRow row;
    row.kind = RowKind::Prepayment;
    row.date = date;
    row.interest = interest;
    row.prepaidS = s;
    row.prepaidG = g;
    return row;
}

// The chart page on its own, fed a schedule of the rows given to Chart1.
class ChartPageTest : public ::testing::Test
{
  protected:
    Points Read(const char* series) const
    {
        auto* view = debxBox.findChild<DepthChartView*>("Chart1");
        Points points;
        for (QAbstractSeries* s : view->chart()->series())
            if (s->objectName() == series)
                for (const QPointF& p : qobject_cast<QLineSeries*>(s)->points())
                    points.emplace_back(
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(p.x())).date(), p.y());
        return points;
    }
    Points Drawn(const std::vector<ScheduleRow>& rows, const char* series)
    {
        Schedule schedule;
        schedule.rows = rows;
        page.Draw(&schedule, nullptr);
        return Read(series);
    }

    QWidget debxBox;
    QWidget debjBox;
    ChartPage page{&debxBox, &debjBox};
};

class ChartRowTest : public ChartPageTest, public ::testing::WithParamInterface<RowCase>
{
};

// One row gives exactly one point in each series, holding what the grid shows of it.
TEST_P(ChartRowTest, BecomesOnePointPerSeries)
{
    const RowCase& c = GetParam();
    EXPECT_EQ(Drawn({c.row}, "SeriesDEBXLX"), (Points{{c.x, c.interest}}));
    EXPECT_EQ(Drawn({c.row}, "SeriesDEBXBJ"), (Points{{c.x, c.principal}}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows,
    ChartRowTest,
    ::testing::Values(
        RowCase{"Regular", Regular({2009, 2, 15}, 516.67, 8333.33), QDate(2009, 2, 15), 516.67,
                8333.33},
        RowCase{"CommercialPrepayment", Prepayment({2009, 5, 1}, 200, 20000, std::nullopt),
                QDate(2009, 5, 1), 200.0, 20000.0},
        RowCase{"AllPrincipalColumnsAdd",
                [] {
                    ScheduleRow row = Prepayment({2010, 3, 10}, 310.5, 20000, 5000);
                    row.principal = 1000.25;
                    return row;
                }(),
                QDate(2010, 3, 10), 310.5, 26000.25},
        // A half fen goes up, as the grid's text rounds it, and each column is rounded before
        // they are added.
        RowCase{"AmountsRoundedAsTheGridShowsThem",
                Prepayment({2009, 3, 15}, 0.125, 1000.254, 0.005), QDate(2009, 3, 15), 0.13,
                1000.25 + 0.01},
        RowCase{"Day31InAThirtyDayMonthOnItsLastDay", Regular({2009, 4, 31}, 10, 20),
                QDate(2009, 4, 30), 10.0, 20.0},
        RowCase{"Day30InFebruaryOnItsLastDay", Regular({2009, 2, 30}, 10, 20), QDate(2009, 2, 28),
                10.0, 20.0},
        RowCase{"Day30InALeapFebruary", Regular({2012, 2, 30}, 10, 20), QDate(2012, 2, 29), 10.0,
                20.0},
        // Every fourth year is a leap year in the schedule, not on the calendar the axis knows.
        RowCase{"Day29In2100OnTheCalendarsLastDay", Regular({2100, 2, 29}, 10, 20),
                QDate(2100, 2, 28), 10.0, 20.0}),
    [](const auto& p) { return std::string(p.param.name); });

// Rows that fall on one day keep the schedule's order; nothing drawn leaves the charts empty.
TEST_F(ChartPageTest, SameDayRowsInScheduleOrderAndNoSchedule)
{
    const std::vector<ScheduleRow> rows = {Prepayment({2009, 2, 28}, 1, 20000, std::nullopt),
                                           Regular({2009, 2, 30}, 2, 8333.33),
                                           Regular({2009, 3, 30}, 3, 8333.33)};
    EXPECT_EQ(Drawn(rows, "SeriesDEBXBJ"), (Points{{QDate(2009, 2, 28), 20000.0},
                                                   {QDate(2009, 2, 28), 8333.33},
                                                   {QDate(2009, 3, 30), 8333.33}}));
    page.Draw(nullptr, nullptr);
    EXPECT_TRUE(Read("SeriesDEBXBJ").empty());
}

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
