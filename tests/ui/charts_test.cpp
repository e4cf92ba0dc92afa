#include "tests/ui/window_fixture.h"
#include "ui/Uabout.h"
#include "ui/chart_kit.h"
#include "ui/chart_page.h"
#include "ui/depth_chart_view.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <cmath>
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
                for (const QPointF& p : qobject_cast<QXYSeries*>(series)->points())
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
    EXPECT_EQ(Chart(1)->Placeholder(), "请先计算");
    EXPECT_EQ(Chart(2)->Placeholder(), "");
}

// With a plan the regular rows are the lines' points and the prepayment rows the marked points,
// each holding what the grid shows; a refused calculation leaves the chart as it was. The
// prepayments once shared the principal line, where a large one flattened every monthly value.
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
    Points interest;
    Points principal;
    Points prepaid;
    for (int row = 1; row <= 14; ++row) {
        const std::vector<QString> cells = Row("suiSG2", row);
        const auto [date, rowInterest, rowPrincipal] = GridPoint(cells);
        if (cells[2].isEmpty()) {
            prepaid.emplace_back(date, rowPrincipal);
        } else {
            interest.emplace_back(date, rowInterest);
            principal.emplace_back(date, rowPrincipal);
        }
    }
    ASSERT_EQ(interest.size(), 12u);
    EXPECT_EQ(Series("SeriesDEBJLX"), interest);
    EXPECT_EQ(Series("SeriesDEBJBJ"), principal);
    EXPECT_EQ(Series("SeriesDEBJTQ"),
              (Points{{QDate(2009, 5, 1), 20000.0}, {QDate(2009, 6, 15), 5000.0}}));
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
        ASSERT_EQ(chart->series().size(), 3);
        EXPECT_EQ(chart->series()[0]->name(), "利息/元");
        EXPECT_EQ(chart->series()[1]->name(), "本金/元");
        EXPECT_EQ(chart->series()[2]->name(), "提前还款/元");
        EXPECT_EQ(Chart(number)->Placeholder(), "请先计算");
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
    Points interest;
    Points principal;
    Points prepaid;
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
                for (const QPointF& p : qobject_cast<QXYSeries*>(s)->points())
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

// A regular row gives one point on each line, a prepayment row one marked point, holding what
// the grid shows of it.
TEST_P(ChartRowTest, BecomesThePointsOfItsKind)
{
    const RowCase& c = GetParam();
    EXPECT_EQ(Drawn({c.row}, "SeriesDEBXLX"), c.interest);
    EXPECT_EQ(Drawn({c.row}, "SeriesDEBXBJ"), c.principal);
    EXPECT_EQ(Drawn({c.row}, "SeriesDEBXTQ"), c.prepaid);
}

Points At(QDate date, double amount)
{
    return {{date, amount}};
}

INSTANTIATE_TEST_SUITE_P(
    Rows,
    ChartRowTest,
    ::testing::Values(
        RowCase{"Regular",
                Regular({2009, 2, 15}, 516.67, 8333.33),
                At({2009, 2, 15}, 516.67),
                At({2009, 2, 15}, 8333.33),
                {}},
        RowCase{"CommercialPrepayment",
                Prepayment({2009, 5, 1}, 200, 20000, std::nullopt),
                {},
                {},
                At({2009, 5, 1}, 20000.0)},
        RowCase{"BothPartsPrepaidAdd",
                Prepayment({2010, 3, 10}, 310.5, 20000, 5000),
                {},
                {},
                At({2010, 3, 10}, 25000.0)},
        // A half fen goes up, as the grid's text rounds it, and each column is rounded before
        // they are added.
        RowCase{"AmountsRoundedAsTheGridShowsThem",
                Prepayment({2009, 3, 15}, 0.125, 1000.254, 0.005),
                {},
                {},
                At({2009, 3, 15}, 1000.25 + 0.01)},
        RowCase{"RegularAmountsRounded",
                Regular({2009, 3, 15}, 0.125, 1000.125),
                At({2009, 3, 15}, 0.13),
                At({2009, 3, 15}, 1000.13),
                {}},
        RowCase{"Day31InAThirtyDayMonthOnItsLastDay",
                Regular({2009, 4, 31}, 10, 20),
                At({2009, 4, 30}, 10.0),
                At({2009, 4, 30}, 20.0),
                {}},
        RowCase{"Day30InFebruaryOnItsLastDay",
                Regular({2009, 2, 30}, 10, 20),
                At({2009, 2, 28}, 10.0),
                At({2009, 2, 28}, 20.0),
                {}},
        RowCase{"Day30InALeapFebruary",
                Regular({2012, 2, 30}, 10, 20),
                At({2012, 2, 29}, 10.0),
                At({2012, 2, 29}, 20.0),
                {}},
        // Every fourth year is a leap year in the schedule, not on the calendar the axis knows.
        RowCase{"Day29In2100OnTheCalendarsLastDay",
                Regular({2100, 2, 29}, 10, 20),
                At({2100, 2, 28}, 10.0),
                At({2100, 2, 28}, 20.0),
                {}}),
    [](const auto& p) { return std::string(p.param.name); });

// Rows that fall on one day keep the schedule's order; nothing drawn leaves the charts empty.
TEST_F(ChartPageTest, SameDayRowsInScheduleOrderAndNoSchedule)
{
    const std::vector<ScheduleRow> rows = {Prepayment({2009, 2, 28}, 1, 20000, std::nullopt),
                                           Regular({2009, 2, 30}, 2, 8333.33),
                                           Regular({2009, 3, 30}, 3, 8333.33)};
    EXPECT_EQ(Drawn(rows, "SeriesDEBXBJ"),
              (Points{{QDate(2009, 2, 28), 8333.33}, {QDate(2009, 3, 30), 8333.33}}));
    EXPECT_EQ(Read("SeriesDEBXTQ"), At({2009, 2, 28}, 20000.0));
    page.Draw(nullptr, nullptr);
    EXPECT_TRUE(Read("SeriesDEBXBJ").empty());
}

struct AmountCase
{
    const char* name;
    double low;
    double high;
    AmountTicks rounded;
};

class AmountTicksTest : public ::testing::TestWithParam<AmountCase>
{
};

// A round range keeps its ticks: rounding after every zoom never creeps outwards.
TEST_P(AmountTicksTest, WidensToRoundStepsOnce)
{
    const AmountCase& c = GetParam();
    const AmountTicks ticks = RoundAmounts(c.low, c.high);
    EXPECT_EQ(std::tuple(ticks.low, ticks.high, ticks.ticks),
              std::tuple(c.rounded.low, c.rounded.high, c.rounded.ticks));
    const AmountTicks again = RoundAmounts(ticks.low, ticks.high);
    EXPECT_EQ(std::tuple(again.low, again.high, again.ticks),
              std::tuple(ticks.low, ticks.high, ticks.ticks));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges,
    AmountTicksTest,
    ::testing::Values(AmountCase{"ZoomOfTheIssue", -1161, 48766, {-10000, 50000, 7}},
                      AmountCase{"MonthlyInterest", 41.67, 516.67, {0, 600, 7}},
                      AmountCase{"WithinAYuan", 40.2, 40.8, {40, 41, 2}},
                      AmountCase{"Nothing", 0, 0, {0, 100, 6}}),
    [](const auto& p) { return std::string(p.param.name); });

// The dates of a date axis's evenly spaced ticks.
std::vector<QDate> TickDates(qint64 first, qint64 last, int ticks)
{
    std::vector<QDate> dates;
    for (int i = 0; i < ticks; ++i)
        dates.push_back(
            QDateTime::fromMSecsSinceEpoch(first + (last - first) * i / (ticks - 1)).date());
    return dates;
}

// Every tick in the middle of a month ("yyyy-MM") or of a year ("yyyy"), the steps equal.
void ExpectRoundDates(qint64 first, qint64 last, int ticks, const QString& format)
{
    ASSERT_GE(ticks, 2);
    ASSERT_LE(ticks, 10);
    const std::vector<QDate> dates = TickDates(first, last, ticks);
    const auto month = [](const QDate& d) { return d.year() * 12 + d.month(); };
    for (std::size_t i = 0; i < dates.size(); ++i) {
        SCOPED_TRACE(dates[i].toString(Qt::ISODate).toStdString());
        EXPECT_TRUE(format == "yyyy-MM" || dates[i].month() == 6 || dates[i].month() == 7);
        EXPECT_TRUE(format == "yyyy" || (dates[i].day() >= 12 && dates[i].day() <= 18));
        if (i > 0) {
            EXPECT_EQ(month(dates[i]) - month(dates[i - 1]), month(dates[1]) - month(dates[0]));
        }
    }
}

struct DateCase
{
    const char* name;
    QDate first;
    QDate last;
    const char* format;
};

class DateTicksTest : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DateTicksTest, WholeMonthsOrYearsAroundTheRange)
{
    const DateCase& c = GetParam();
    const qint64 first = QDateTime(c.first, QTime(0, 0)).toMSecsSinceEpoch();
    const qint64 last = QDateTime(c.last, QTime(0, 0)).toMSecsSinceEpoch();
    const DateTicks ticks = RoundDates(first, last);
    EXPECT_EQ(ticks.format, c.format);
    EXPECT_LE(ticks.first, first);
    EXPECT_GE(ticks.last, last);
    ExpectRoundDates(ticks.first, ticks.last, ticks.ticks, ticks.format);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges,
    DateTicksTest,
    ::testing::Values(DateCase{"TwelvePayments", {2009, 2, 15}, {2010, 1, 15}, "yyyy-MM"},
                      DateCase{"FewDays", {2012, 2, 3}, {2012, 2, 20}, "yyyy-MM"},
                      DateCase{"AcrossALeapFebruary", {2011, 11, 30}, {2013, 5, 2}, "yyyy-MM"},
                      DateCase{"ThirtyYears", {2027, 1, 8}, {2056, 12, 8}, "yyyy"},
                      DateCase{"ThirtyYearsFromJuly", {2026, 7, 20}, {2056, 6, 20}, "yyyy"}),
    [](const auto& p) { return std::string(p.param.name); });

void SendMouse(
    QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

struct ZoomCase
{
    const char* name;
    QRectF drag; // as fractions of the plot area
};

class ChartZoomTest : public ChartsTest, public ::testing::WithParamInterface<ZoomCase>
{
  protected:
    // The point of the plot area at the given fractions, in viewport pixels.
    QPoint At(DepthChartView* view, QPointF fraction) const
    {
        const QRectF area = view->chart()->plotArea();
        const QPointF scene = view->chart()->mapToScene(QPointF(
            area.left() + area.width() * fraction.x(), area.top() + area.height() * fraction.y()));
        return view->mapFromScene(scene);
    }
};

// The issue saw ticks of 48766 and −1161 after a dragged zoom of a loan with a large prepayment.
TEST_P(ChartZoomTest, DraggedRangeGetsRoundTicks)
{
    EnterWorkedLoan(0, "240");
    Choose("suiCBtqyear", "2012");
    Enter("suiNEtqse", "50000");
    Find<QPushButton>("suiButton2")->click();
    Press("TBjs");
    ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    Press("TBts");
    Press("ToolButton2");
    DepthChartView* view = Chart(1);
    QWidget* viewport = view->viewport();
    auto* dates = qobject_cast<QDateTimeAxis*>(view->chart()->axes(Qt::Horizontal).front());
    ASSERT_NE(dates, nullptr);
    const qint64 whole = dates->max().toMSecsSinceEpoch() - dates->min().toMSecsSinceEpoch();
    const QPoint from = At(view, GetParam().drag.topLeft());
    const QPoint to = At(view, GetParam().drag.bottomRight());
    SendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);

    const qint64 span = dates->max().toMSecsSinceEpoch() - dates->min().toMSecsSinceEpoch();
    EXPECT_LT(span, whole) << "the drag zoomed in";
    ExpectRoundDates(dates->min().toMSecsSinceEpoch(), dates->max().toMSecsSinceEpoch(),
                     dates->tickCount(), dates->format());
    for (QAbstractAxis* axis : view->chart()->axes(Qt::Vertical)) {
        const auto* amounts = qobject_cast<QValueAxis*>(axis);
        ASSERT_NE(amounts, nullptr);
        const double step = (amounts->max() - amounts->min()) / (amounts->tickCount() - 1);
        const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        const double factor = std::round(step / power * 1000) / 1000;
        EXPECT_TRUE(factor == 1 || factor == 2 || factor == 5) << step;
        EXPECT_DOUBLE_EQ(std::round(amounts->min() / step) * step, amounts->min());
    }
}

INSTANTIATE_TEST_SUITE_P(Drags,
                         ChartZoomTest,
                         ::testing::Values(ZoomCase{"Small", {0.41, 0.43, 0.07, 0.05}},
                                           ZoomCase{"Wide", {0.10, 0.10, 0.55, 0.70}},
                                           ZoomCase{"NearTheStart", {0.0, 0.5, 0.12, 0.5}}),
                         [](const auto& p) { return std::string(p.param.name); });

// Values follow the pointer itself: near a point of a line its value shows, away from every
// line nothing, and the 3D view shows none.
TEST_F(ChartsTest, HoverShowsTheNearestValueIn2D)
{
    CalculateWorkedLoan();
    Press("TBts");
    Press("ToolButton2");
    DepthChartView* view = Chart(2);
    auto* interest = view->findChild<QLineSeries*>("SeriesDEBJLX");
    if (!interest)
        for (QAbstractSeries* series : view->chart()->series())
            if (series->objectName() == "SeriesDEBJLX")
                interest = qobject_cast<QLineSeries*>(series);
    ASSERT_NE(interest, nullptr);
    const QPointF point = interest->points().at(3);
    const QPoint pixel = view->mapFromScene(
        view->chart()->mapToScene(view->chart()->mapToPosition(point, interest)));
    SendMouse(view->viewport(), QEvent::MouseMove, pixel + QPoint(3, -4), Qt::NoButton,
              Qt::NoButton);
    EXPECT_EQ(view->HoverText(), "2009年05月15日  利息/元：375.00");
    // The pointer at rest: the scene, which has no tooltips of its own, once hid the value.
    QHelpEvent rest(QEvent::ToolTip, pixel, view->viewport()->mapToGlobal(pixel));
    QApplication::sendEvent(view->viewport(), &rest);
    EXPECT_EQ(QToolTip::text(), view->HoverText());
    SendMouse(view->viewport(), QEvent::MouseMove, pixel + QPoint(0, -200), Qt::NoButton,
              Qt::NoButton);
    EXPECT_EQ(view->HoverText(), "");
    Press("ToolButton4");
    SendMouse(view->viewport(), QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view->HoverText(), "");
    EXPECT_TRUE(view->viewport()->hasMouseTracking());
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
