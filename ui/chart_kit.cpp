#include "ui/chart_kit.h"

#include "common/messages.h"
#include "common/text.h"
#include "ui/utf8.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

QChart* NewChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    chart->setTitleFont(titleFont);
    chart->setBackgroundBrush(QColor(0xE7, 0xE7, 0xE7));
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QDateTimeAxis* AddDateAxis(QChart* chart, int ticks)
{
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy-MM"));
    dates->setTickCount(ticks);
    chart->addAxis(dates, Qt::AlignBottom);
    return dates;
}

QValueAxis* AddAmountAxis(QChart* chart)
{
    auto* amounts = new QValueAxis;
    amounts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(amounts, Qt::AlignLeft);
    return amounts;
}

QLineSeries* AddSeries(QChart* chart,
                       const QString& name,
                       const QString& caption,
                       QDateTimeAxis* dates,
                       QValueAxis* amounts)
{
    auto* series = new QLineSeries;
    series->setObjectName(name);
    series->setName(caption);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    chart->addSeries(series);
    series->attachAxis(dates);
    series->attachAxis(amounts);
    return series;
}

qint64 AxisTime(const Date& date)
{
    const QDate first(date.y, std::clamp(date.m, 1, 12), 1);
    // QDate knows the Gregorian century rule, ours does not: take the shorter month.
    const int day = std::clamp(EffectiveDay(date), 1, first.daysInMonth());
    return QDateTime(first.addDays(day - 1), QTime(0, 0)).toMSecsSinceEpoch();
}

QString NearestPointText(const QXYSeries& series, double x)
{
    const QList<QPointF> points = series.points();
    if (points.isEmpty())
        return {};
    // The points run in date order.
    auto after = std::lower_bound(points.begin(), points.end(), x,
                                  [](const QPointF& p, double at) { return p.x() < at; });
    if (after == points.end() || (after != points.begin() && x - (after - 1)->x() < after->x() - x))
        --after;
    const QDate date = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(after->x())).date();
    return Utf8(msg::ChartPointText(date.toString(Utf8(msg::kQtDateFormat)).toStdString(),
                                    series.name().toStdString(), MoneyText(after->y())));
}

QString PointText(const QXYSeries& series, const QPointF& point)
{
    const QDate date = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(point.x())).date();
    return Utf8(msg::CompareHoverText(series.name().toStdString(),
                                      date.toString(QStringLiteral("yyyy-MM-dd")).toStdString(),
                                      MoneyText(point.y())));
}

} // namespace lumavo
