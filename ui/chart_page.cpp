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
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

namespace {

struct ChartAxes
{
    QDateTimeAxis* dates;
    QValueAxis* amounts;
    QValueAxis* prepaid;
};

// A row's point: on the lines for a regular row, on the prepayments for a prepayment row.
struct RowPoint
{
    qint64 x = 0; // milliseconds, as the date axis counts
    bool regular = true;
    double interest = 0;  // regular rows
    double principal = 0; // regular rows
    double prepaid = 0;   // prepayment rows: both parts' amounts
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
        point.regular = row.kind == RowKind::Regular;
        point.interest = Shown(row.interest);
        point.principal = Shown(row.principal);
        point.prepaid = Shown(row.prepaidS) + Shown(row.prepaidG);
        points.push_back(point);
    }
    // The series keep ascending dates; rows of one day stay in schedule order.
    std::stable_sort(points.begin(), points.end(),
                     [](const RowPoint& a, const RowPoint& b) { return a.x < b.x; });
    return points;
}

// Empty charts show the current year, so the axes never start at 1970. Each amount axis spans
// its own series from zero.
void FitAxes(const ChartAxes& axes, const std::vector<RowPoint>& points)
{
    double low = 0;
    double high = 0;
    double prepaid = 0;
    for (const RowPoint& point : points) {
        if (point.regular) {
            low = std::min({low, point.interest, point.principal});
            high = std::max({high, point.interest, point.principal});
        } else {
            prepaid = std::max(prepaid, point.prepaid);
        }
    }
    axes.amounts->setRange(low, high > low ? high : 10000);
    // Room above the largest, so its mark is not cut by the top of the plot.
    axes.prepaid->setRange(0, prepaid > 0 ? prepaid * 1.05 : 10000);
    if (points.empty()) {
        const QDate today = QDate::currentDate();
        axes.dates->setRange(QDateTime(QDate(today.year(), 1, 1), QTime(0, 0)),
                             QDateTime(QDate(today.year() + 1, 1, 1), QTime(0, 0)));
    } else {
        axes.dates->setRange(QDateTime::fromMSecsSinceEpoch(points.front().x),
                             QDateTime::fromMSecsSinceEpoch(points.back().x));
    }
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

    result.prepaidAmounts = AddAmountAxis(chart, Qt::AlignRight);
    result.prepaidAmounts->setGridLineVisible(false);
    result.prepaid = new QScatterSeries;
    result.prepaid->setObjectName(prefix + QStringLiteral("TQ"));
    result.prepaid->setName(Utf8(msg::kChartPrepaid));
    result.prepaid->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    result.prepaid->setMarkerSize(9);
    result.prepaid->setColor(QColor(0xc0, 0x39, 0x2b));
    result.prepaid->setBorderColor(QColor(0x7a, 0x1f, 0x16));
    chart->addSeries(result.prepaid);
    result.prepaid->attachAxis(result.dates);
    result.prepaid->attachAxis(result.prepaidAmounts);
    result.view = new DepthChartView(chart, box);
    result.view->setObjectName(name);
    result.view->SetThreeD(true);
    for (QXYSeries* series :
         std::initializer_list<QXYSeries*>{result.interest, result.principal, result.prepaid})
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
    QList<QPointF> prepaid;
    interest.reserve(static_cast<qsizetype>(points.size()));
    principal.reserve(static_cast<qsizetype>(points.size()));
    for (const RowPoint& point : points) {
        const double x = static_cast<double>(point.x);
        if (point.regular) {
            interest.append(QPointF(x, point.interest));
            principal.append(QPointF(x, point.principal));
        } else {
            prepaid.append(QPointF(x, point.prepaid));
        }
    }
    // One replace per series: a single update of the chart instead of one per point.
    chart.interest->replace(interest);
    chart.principal->replace(principal);
    chart.prepaid->replace(prepaid);
    FitAxes({chart.dates, chart.amounts, chart.prepaidAmounts}, points);
    RoundAxes(chart.view->chart());
    chart.view->SetPlaceholder(points.empty() ? Utf8(msg::kChartUncalculated) : QString());
    chart.view->LayOut();
}

} // namespace lumavo
