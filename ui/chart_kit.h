#pragma once

#include "common/date.h"

#include <QString>
#include <QtGlobal>

class QChart;
class QDateTimeAxis;
class QLineSeries;
class QPointF;
class QValueAxis;
class QXYSeries;

// What the schedule charts and the comparison chart share: their look, their date axis and
// the texts that name a point's value.
namespace lumavo {

// A chart with a bold title on the grey background, no shadow, its legend below.
QChart* NewChart(const QString& title);

// A date axis labelled by month and an amount axis in whole yuan, both added to the chart.
QDateTimeAxis* AddDateAxis(QChart* chart, int ticks);
QValueAxis* AddAmountAxis(QChart* chart, Qt::Alignment side = Qt::AlignLeft);

// An amount axis's range widened to round ticks: a step of 1, 2 or 5 times a power of ten, at
// least one yuan, at most six steps over the range.
struct AmountTicks
{
    double low = 0;
    double high = 0;
    int ticks = 0;
};
AmountTicks RoundAmounts(double low, double high);

// A date axis's range widened so its evenly spaced ticks fall on whole months (labelled
// "yyyy-MM") or, over longer spans, whole years ("yyyy"), about six steps at most. A tick lies in
// the middle of its month or year, where the few days that months differ by never move it into
// the next one.
struct DateTicks
{
    qint64 first = 0; // milliseconds since the epoch
    qint64 last = 0;
    int ticks = 0;
    QString format;
};
DateTicks RoundDates(qint64 first, qint64 last);

// Rounds every value and date axis of the chart, after a zoom or new points.
void RoundAxes(QChart* chart);

// A line without markers, on the chart's two axes.
QLineSeries* AddSeries(QChart* chart,
                       const QString& name,
                       const QString& caption,
                       QDateTimeAxis* dates,
                       QValueAxis* amounts);

// Where a row's date lies on a date axis, in milliseconds since the epoch. A payment day of 29
// to 31 is kept in the texts of shorter months ("2009年02月30日"); such a row is drawn on the last
// day of its month, where the payment actually falls due.
qint64 AxisTime(const Date& date);

// "2009年02月15日  利息/元：516.67" for the point of the series nearest to x (milliseconds since
// the epoch, as the date axis counts); empty for a series without points.
QString NearestPointText(const QXYSeries& series, double x);

// "等额本息（按计划）\n2009-02-15：91666.67" for a point of a comparison line.
QString PointText(const QXYSeries& series, const QPointF& point);

} // namespace lumavo
