#include "ui/chart_page.h"

#include "common/messages.h"
#include "common/text.h"
#include "ui/chart_kit.h"
#include "ui/depth_chart_view.h"
#include "ui/utf8.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

namespace {

struct RowPoint
{
    qint64 x = 0; // milliseconds, as the date axis counts
    double interest = 0;
    double principal = 0;
};

// The amount a cell shows, as a number. The text rule rounds halves away from zero, so the value
// is read back from the text rather than rounded anew; a value the row lacks counts zero.
double Shown(const std::optional<double>& amount)
{
    double value = 0;
    return amount && ParseNumber(MoneyText(*amount), value) ? value : 0.0;
}

std::vector<RowPoint> SchedulePoints(const Schedule* schedule)
{
    std::vector<RowPoint> points;
    if (!schedule)
        return points;
    points.reserve(schedule->rows.size());
    for (const ScheduleRow& row : schedule->rows) {
        RowPoint point;
        point.x = AxisTime(row.date);
        point.interest = Shown(row.interest);
        point.principal = Shown(row.principal) + Shown(row.prepaidS) + Shown(row.prepaidG);
        points.push_back(point);
    }
    // The series keep ascending dates; rows of one day stay in schedule order.
    std::stable_sort(points.begin(), points.end(),
                     [](const RowPoint& a, const RowPoint& b) { return a.x < b.x; });
    return points;
}

// Empty charts show the current year, so the axes never start at 1970.
void FitAxes(QDateTimeAxis* dates, QValueAxis* amounts, const std::vector<RowPoint>& points)
{
    if (points.empty()) {
        const QDate today = QDate::currentDate();
        dates->setRange(QDateTime(QDate(today.year(), 1, 1), QTime(0, 0)),
                        QDateTime(QDate(today.year() + 1, 1, 1), QTime(0, 0)));
        amounts->setRange(0, 10000);
        amounts->setTickCount(6);
        return;
    }
    QDateTime first = QDateTime::fromMSecsSinceEpoch(points.front().x);
    QDateTime last = QDateTime::fromMSecsSinceEpoch(points.back().x);
    if (first == last) {
        first = first.addDays(-15);
        last = last.addDays(15);
    }
    dates->setRange(first, last);
    double low = 0;
    double high = 0;
    for (const RowPoint& point : points) {
        low = std::min({low, point.interest, point.principal});
        high = std::max({high, point.interest, point.principal});
    }
    amounts->setRange(low, high > low ? high : low + 100);
    amounts->applyNiceNumbers();
}

} // namespace

ChartPage::ChartPage(QWidget* debxBox, QWidget* debjBox)
    : m_charts{Build(debxBox, QStringLiteral("Chart1"), Utf8(msg::kSheetDebx), "DEBX"),
               Build(debjBox, QStringLiteral("Chart2"), Utf8(msg::kSheetDebj), "DEBJ")}
{
    Clear();
}

ChartPage::Chart
ChartPage::Build(QWidget* box, const QString& name, const QString& title, const char* method)
{
    QChart* chart = NewChart(title);
    Chart result;
    result.dates = AddDateAxis(chart, 5);
    result.amounts = AddAmountAxis(chart);
    const QString prefix = QStringLiteral("Series") + QString::fromLatin1(method);
    result.interest = AddSeries(chart, prefix + QStringLiteral("LX"), Utf8(msg::kChartInterest),
                                result.dates, result.amounts);
    result.principal = AddSeries(chart, prefix + QStringLiteral("BJ"), Utf8(msg::kChartPrincipal),
                                 result.dates, result.amounts);

    result.view = new DepthChartView(chart, box);
    result.view->setObjectName(name);
    result.view->SetThreeD(true);
    for (QLineSeries* series : {result.interest, result.principal})
        result.view->ShowsValues(series);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(result.view);
    return result;
}

void ChartPage::Draw(const Schedule* debx, const Schedule* debj)
{
    Fill(m_charts[0], debx);
    Fill(m_charts[1], debj);
}

void ChartPage::Clear()
{
    for (Chart& chart : m_charts)
        Fill(chart, nullptr);
}

void ChartPage::SetThreeD(bool threeD)
{
    for (Chart& chart : m_charts)
        chart.view->SetThreeD(threeD);
}

void ChartPage::ResetZoom()
{
    for (Chart& chart : m_charts)
        chart.view->ResetZoom();
}

void ChartPage::Fill(Chart& chart, const Schedule* schedule)
{
    // New points fit the axes anew; a zoom of the old ones would come back on 复位.
    chart.view->chart()->zoomReset();
    const std::vector<RowPoint> points = SchedulePoints(schedule);
    QList<QPointF> interest;
    QList<QPointF> principal;
    interest.reserve(static_cast<qsizetype>(points.size()));
    principal.reserve(static_cast<qsizetype>(points.size()));
    for (const RowPoint& point : points) {
        interest.append(QPointF(static_cast<double>(point.x), point.interest));
        principal.append(QPointF(static_cast<double>(point.x), point.principal));
    }
    // One replace per series: a single update of the chart instead of one per point.
    chart.interest->replace(interest);
    chart.principal->replace(principal);
    FitAxes(chart.dates, chart.amounts, points);
    chart.view->LayOut();
}

} // namespace lumavo
