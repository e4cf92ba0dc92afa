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
#include <cmath>

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

QValueAxis* AddAmountAxis(QChart* chart, Qt::Alignment side)
{
    auto* amounts = new QValueAxis;
    amounts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(amounts, side);
    return amounts;
}

AmountTicks RoundAmounts(double low, double high)
{
    if (!(high > low))
        high = low + 100;
    // The smallest round step that spans the range in at most six; a round range keeps its
    // own, so rounding twice changes nothing.
    double power = std::max(1.0, std::pow(10.0, std::floor(std::log10((high - low) / 6))));
    AmountTicks ticks;
    for (;; power *= 10) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double step = power * factor;
            ticks.low = std::floor(low / step) * step;
            ticks.high = std::ceil(high / step) * step;
            const long steps = std::lround((ticks.high - ticks.low) / step);
            if (steps <= 6) {
                ticks.ticks = static_cast<int>(steps) + 1;
                return ticks;
            }
        }
    }
}

namespace {

// A month's length on average over the leap cycle, in milliseconds.
constexpr double kMonthMs = 365.25 / 12 * 86400000.0;
constexpr int kMaxSteps = 5;

qint64 AtNoon(const QDate& date)
{
    return QDateTime(date, QTime(12, 0)).toMSecsSinceEpoch();
}

} // namespace

DateTicks RoundDates(qint64 first, qint64 last)
{
    const QDate from = QDateTime::fromMSecsSinceEpoch(first).date();
    // Counted from the middle of the first month, so a rounded range keeps its step.
    const double months = static_cast<double>(std::max(first, last) - first) / kMonthMs;
    int step = 1;
    for (const int candidate : {1, 2, 3, 4, 6, 12, 24, 36, 48, 60, 120, 240, 600}) {
        step = candidate;
        if (months <= candidate * kMaxSteps + 1e-6)
            break;
    }
    // The middle of the month or year the first point lies in, or of the one before.
    QDate anchor = step < 12 ? QDate(from.year(), from.month(), 15) : QDate(from.year(), 7, 1);
    if (AtNoon(anchor) > first)
        anchor = step < 12 ? anchor.addMonths(-1) : anchor.addYears(-1);
    DateTicks ticks;
    ticks.first = AtNoon(anchor);
    const double stepMs = step * kMonthMs;
    const int steps = std::max(
        1, static_cast<int>(std::ceil(static_cast<double>(last - ticks.first) / stepMs - 1e-9)));
    ticks.last = ticks.first + static_cast<qint64>(std::llround(steps * stepMs));
    ticks.ticks = steps + 1;
    ticks.format = step < 12 ? QStringLiteral("yyyy-MM") : QStringLiteral("yyyy");
    return ticks;
}

void RoundAxes(QChart* chart)
{
    for (QAbstractAxis* axis : chart->axes()) {
        if (auto* amounts = qobject_cast<QValueAxis*>(axis)) {
            const AmountTicks round = RoundAmounts(amounts->min(), amounts->max());
            amounts->setTickCount(round.ticks);
            amounts->setRange(round.low, round.high);
        } else if (auto* dates = qobject_cast<QDateTimeAxis*>(axis)) {
            const DateTicks round =
                RoundDates(dates->min().toMSecsSinceEpoch(), dates->max().toMSecsSinceEpoch());
            dates->setFormat(round.format);
            dates->setTickCount(round.ticks);
            dates->setRange(QDateTime::fromMSecsSinceEpoch(round.first),
                            QDateTime::fromMSecsSinceEpoch(round.last));
        }
    }
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
