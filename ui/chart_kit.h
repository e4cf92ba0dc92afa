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
QValueAxis* AddAmountAxis(QChart* chart);

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
