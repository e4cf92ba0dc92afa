#include "ui/chart_page.h"

#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"
#include "ui/depth_chart_view.h"
#include "ui/utf8.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

namespace {

const QColor kBackground(0xE7, 0xE7, 0xE7);

// Schedule columns a point is read from.
constexpr int kDateColumn = 0;
constexpr int kInterestColumn = 1;
constexpr int kPrincipalColumn = 2;
constexpr int kPrepaidSColumn = 6;
constexpr int kPrepaidGColumn = 7;

struct RowPoint
{
    qint64 x = 0; // milliseconds, as the date axis counts
    double interest = 0;
    double principal = 0;
};

double Amount(const TextGrid& rows, int column, int row)
{
    double value = 0;
    return ParseNumber(rows.At(column, row), value) ? value : 0.0;
}

// A payment day of 29 to 31 is kept in the texts of shorter months ("2009年02月30日"); such a
// row is drawn on the last day of its month, where the payment actually falls due.
bool PlaceOnAxis(const std::string& text, qint64& x)
{
    Date date;
    if (!ParseDateText(text, date) || date.m < 1 || date.m > 12 || date.d < 1)
        return false;
    const QDate first(date.y, date.m, 1);
    if (!first.isValid())
        return false;
    // QDate knows the Gregorian century rule, ours does not: take the shorter month.
    const int day = std::min(EffectiveDay(date), first.daysInMonth());
    x = QDateTime(first.addDays(day - 1), QTime(0, 0)).toMSecsSinceEpoch();
    return true;
}

std::vector<RowPoint> ReadPoints(const TextGrid& rows)
{
    std::vector<RowPoint> points;
    points.reserve(static_cast<std::size_t>(std::max(rows.rows - 1, 0)));
    for (int row = 1; row < rows.rows; ++row) {
        // Rows without a date, such as the empty ones at the end, give no point.
        RowPoint point;
        if (!PlaceOnAxis(rows.At(kDateColumn, row), point.x))
            continue;
        point.interest = Amount(rows, kInterestColumn, row);
        point.principal = Amount(rows, kPrincipalColumn, row) + Amount(rows, kPrepaidSColumn, row) +
                          Amount(rows, kPrepaidGColumn, row);
        points.push_back(point);
    }
    // The series keep ascending dates; rows of one day stay in grid order.
    std::stable_sort(points.begin(), points.end(),
                     [](const RowPoint& a, const RowPoint& b) { return a.x < b.x; });
    return points;
}

QLineSeries* NewSeries(QChart* chart, const QString& name, const QString& caption)
{
    auto* series = new QLineSeries;
    series->setObjectName(name);
    series->setName(caption);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    chart->addSeries(series);
    return series;
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
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    chart->setTitleFont(titleFont);
    chart->setBackgroundBrush(kBackground);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->legend()->setAlignment(Qt::AlignBottom);

    Chart result;
    const QString prefix = QStringLiteral("Series") + QString::fromLatin1(method);
    result.interest = NewSeries(chart, prefix + QStringLiteral("LX"), Utf8(msg::kChartInterest));
    result.principal = NewSeries(chart, prefix + QStringLiteral("BJ"), Utf8(msg::kChartPrincipal));
    result.dates = new QDateTimeAxis;
    result.dates->setFormat(QStringLiteral("yyyy-MM"));
    result.dates->setTickCount(5);
    result.amounts = new QValueAxis;
    result.amounts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(result.dates, Qt::AlignBottom);
    chart->addAxis(result.amounts, Qt::AlignLeft);
    for (QLineSeries* series : {result.interest, result.principal}) {
        series->attachAxis(result.dates);
        series->attachAxis(result.amounts);
    }

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

void ChartPage::Draw(const TextGrid& debx, const TextGrid& debj)
{
    Fill(m_charts[0], debx);
    Fill(m_charts[1], debj);
}

void ChartPage::Clear()
{
    for (Chart& chart : m_charts)
        Fill(chart, TextGrid{});
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

void ChartPage::Fill(Chart& chart, const TextGrid& rows)
{
    // New points fit the axes anew; a zoom of the old ones would come back on 复位.
    chart.view->chart()->zoomReset();
    const std::vector<RowPoint> points = ReadPoints(rows);
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
