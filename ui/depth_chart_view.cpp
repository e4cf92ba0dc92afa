#include "ui/depth_chart_view.h"

#include "ui/chart_kit.h"

#include <QCursor>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QValueAxis>
#include <QXYSeries>
#include <algorithm>
#include <cmath>

namespace lumavo {

namespace {

const QColor kBackWallTop(252, 253, 255);
const QColor kBackWallBottom(222, 228, 236);
const QColor kSideWall(208, 215, 225);
const QColor kFloorFront(176, 184, 196);
const QColor kFloorBack(206, 213, 223);
const QColor kEdge(128, 138, 152);
const QColor kGridLine(178, 187, 199);

// A ribbon row leaves a little air before the next row, so the ribbons read as separate.
constexpr double kRibbonShare = 0.8;

// Both axis kinds we use space their ticks evenly over the plot area.
int TickCount(const QAbstractAxis* axis)
{
    if (const auto* values = qobject_cast<const QValueAxis*>(axis))
        return values->tickCount();
    if (const auto* dates = qobject_cast<const QDateTimeAxis*>(axis))
        return dates->tickCount();
    return 0;
}

int AxisTicks(QChart* chart, Qt::Orientation orientation)
{
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? 0 : TickCount(axes.front());
}

// Light falls from the upper left front; a face turned away still keeps some of its colour.
QColor Shade(const QColor& colour, QPointF segment, QPointF depth)
{
    const double length = std::hypot(segment.x(), segment.y());
    if (length == 0)
        return colour;
    // Normal of the ribbon's upper side (y up), then the side the viewer actually sees.
    double nx = segment.y() / length;
    double ny = segment.x() / length;
    const bool underside = segment.x() * depth.y() - segment.y() * depth.x() > 0;
    if (underside) {
        nx = -nx;
        ny = -ny;
    }
    const double lambert = std::max(0.0, nx * -0.38 + ny * 0.86);
    const double factor = (underside ? 0.45 : 0.62) + 0.5 * lambert;
    // Lifted a little first, so a dark series colour still shows its shading.
    const auto scale = [factor](int channel) {
        return std::clamp(static_cast<int>((channel + 18) * factor), 0, 255);
    };
    return QColor(scale(colour.red()), scale(colour.green()), scale(colour.blue()));
}

} // namespace

DepthChartView::DepthChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart->setBackgroundVisible(false); // drawBackground paints the chart's background brush
    // Values follow the pointer itself, not only a hit on a two-pixel line, so the viewport
    // must hear moves without a button held.
    viewport()->setMouseTracking(true);
}

void DepthChartView::SetThreeD(bool threeD)
{
    m_threeD = threeD;
    // A zoomed range would carry into the box, whose walls are drawn for the whole chart.
    if (threeD)
        chart()->zoomReset();
    setRubberBand(threeD ? QChartView::NoRubberBand : QChartView::RectangleRubberBand);
    for (QAbstractAxis* axis : chart()->axes())
        axis->setGridLineVisible(!threeD);
    // Hidden by opacity rather than visibility, so the legend keeps its markers. Only lines
    // become ribbons; marked points stay on the front face.
    for (QAbstractSeries* series : chart()->series())
        if (qobject_cast<QLineSeries*>(series))
            series->setOpacity(threeD ? 0.0 : 1.0);
    if (threeD)
        ShowValueAt({-1, -1}, {});
    LayOut();
}

void DepthChartView::LayOut()
{
    // The chart places title, legend and labels only while its plot area is free, and would
    // do so later, after a resize; here it does it now, so the box can take its room from the
    // top and the right of that area.
    if (!isVisible()) {
        m_layoutDue = true;
        return;
    }
    m_layoutDue = false;
    QChart* box = chart();
    box->setPlotArea(QRectF());
    box->layout()->invalidate();
    box->layout()->activate();
    m_depth = {};
    if (m_threeD) {
        const QRectF area = box->plotArea();
        const double dx = std::clamp(area.width() * 0.11, 8.0, 48.0);
        if (area.width() > 4 * dx && area.height() > 4 * dx) {
            m_depth = QPointF(dx, -0.8 * dx);
            box->setPlotArea(area.adjusted(0, -m_depth.y(), -m_depth.x(), 0));
        }
    }
    viewport()->update();
}

void DepthChartView::ResetZoom()
{
    chart()->zoomReset();
    LayOut();
}

void DepthChartView::ShowsValues(QXYSeries* series, ValueText text)
{
    if (!text)
        text = [](const QXYSeries& s, const QPointF& point) {
            return NearestPointText(s, point.x());
        };
    m_shown.push_back({series, std::move(text)});
}

void DepthChartView::SetPlaceholder(const QString& text)
{
    m_placeholder = text;
    viewport()->update();
}

// The nearest point in pixels among the shown series, within reach of the pointer.
void DepthChartView::ShowValueAt(const QPoint& position, const QPoint& global)
{
    constexpr double kReach = 24;
    QString text;
    const QPointF at = chart()->mapFromScene(mapToScene(position));
    if (!m_threeD && chart()->plotArea().adjusted(-kReach, -kReach, kReach, kReach).contains(at)) {
        double best = kReach;
        for (const Shown& shown : m_shown) {
            if (!shown.series || !shown.series->isVisible() || shown.series->opacity() == 0)
                continue;
            const double x = chart()->mapToValue(at, shown.series).x();
            const QList<QPointF> points = shown.series->points();
            // The points run in date order: look at the neighbours of x.
            auto after = std::lower_bound(points.begin(), points.end(), x,
                                          [](const QPointF& p, double v) { return p.x() < v; });
            for (auto it = after == points.begin() ? after : after - 1;
                 it != points.end() && it <= after; ++it) {
                const QPointF pixel = chart()->mapToPosition(*it, shown.series);
                const double distance = std::hypot(pixel.x() - at.x(), pixel.y() - at.y());
                if (distance < best) {
                    best = distance;
                    text = shown.text(*shown.series, *it);
                }
            }
        }
    }
    if (text == m_hoverText)
        return;
    m_hoverText = text;
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(global, text, this);
}

void DepthChartView::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    ShowValueAt(event->position().toPoint(), event->globalPosition().toPoint());
}

bool DepthChartView::viewportEvent(QEvent* event)
{
    // The scene answers the pointer's resting (a tooltip event) with its items' tooltips, and
    // having none it hides ours: a value shown on a real screen vanished after a moment.
    if (event->type() == QEvent::ToolTip) {
        if (!m_hoverText.isEmpty())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), m_hoverText, this);
        event->accept();
        return true;
    }
    return QChartView::viewportEvent(event);
}

void DepthChartView::leaveEvent(QEvent* event)
{
    QChartView::leaveEvent(event);
    ShowValueAt({-1000000, -1000000}, {});
}

void DepthChartView::mouseReleaseEvent(QMouseEvent* event)
{
    // A right click goes back to the whole chart at once, not one zoom step.
    if (event->button() == Qt::RightButton && !m_threeD) {
        ResetZoom();
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
    // A dragged range lands anywhere; its axes get round ticks again.
    if (event->button() == Qt::LeftButton && !m_threeD) {
        RoundAxes(chart());
        LayOut();
    }
}

void DepthChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    LayOut();
}

void DepthChartView::showEvent(QShowEvent* event)
{
    QChartView::showEvent(event);
    if (m_layoutDue)
        LayOut();
}

void DepthChartView::drawBackground(QPainter* painter, const QRectF& rect)
{
    painter->fillRect(rect, chart()->backgroundBrush());
    if (!m_threeD || m_depth.isNull())
        return;
    const QRectF front = chart()->mapRectToScene(chart()->plotArea());
    painter->save();
    DrawBox(*painter, front);
    QList<QXYSeries*> lines;
    for (QAbstractSeries* series : chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series))
            lines.append(line);
    const double rows = static_cast<double>(lines.size());
    // Back rows first, so nearer ribbons cover them.
    for (qsizetype k = lines.size() - 1; k >= 0; --k)
        DrawRibbon(*painter, lines[k], m_depth * (static_cast<double>(k) / rows),
                   m_depth * ((static_cast<double>(k) + kRibbonShare) / rows));
    painter->restore();
}

void DepthChartView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    if (m_placeholder.isEmpty())
        return;
    painter->save();
    QFont font = painter->font();
    font.setPointSize(14);
    painter->setFont(font);
    painter->setPen(QColor(96, 104, 116));
    painter->drawText(chart()->mapRectToScene(chart()->plotArea()), Qt::AlignCenter, m_placeholder);
    painter->restore();
}

void DepthChartView::DrawBox(QPainter& painter, const QRectF& front) const
{
    const QRectF back = front.translated(m_depth);
    const QPointF d = m_depth;
    QLinearGradient wallLight(back.topLeft(), back.bottomLeft());
    wallLight.setColorAt(0, kBackWallTop);
    wallLight.setColorAt(1, kBackWallBottom);
    QLinearGradient floorLight(front.bottomLeft(), back.bottomLeft());
    floorLight.setColorAt(0, kFloorFront);
    floorLight.setColorAt(1, kFloorBack);
    painter.setPen(QPen(kEdge, 1));
    painter.setBrush(wallLight);
    painter.drawRect(back);
    painter.setBrush(kSideWall);
    painter.drawPolygon(
        QPolygonF{front.bottomLeft(), front.topLeft(), back.topLeft(), back.bottomLeft()});
    painter.setBrush(floorLight);
    painter.drawPolygon(
        QPolygonF{front.bottomLeft(), front.bottomRight(), back.bottomRight(), back.bottomLeft()});

    painter.setPen(QPen(kGridLine, 1, Qt::DotLine));
    const int columns = AxisTicks(chart(), Qt::Horizontal);
    for (int i = 1; i + 1 < columns; ++i) {
        const QPointF foot(front.left() + front.width() * i / (columns - 1), front.bottom());
        painter.drawLine(foot, foot + d);
        painter.drawLine(foot + d, QPointF(foot.x() + d.x(), back.top()));
    }
    const int rows = AxisTicks(chart(), Qt::Vertical);
    for (int j = 1; j + 1 < rows; ++j) {
        const QPointF edge(front.left(), front.bottom() - front.height() * j / (rows - 1));
        painter.drawLine(edge, edge + d);
        painter.drawLine(edge + d, QPointF(back.right(), edge.y() + d.y()));
    }
}

void DepthChartView::DrawRibbon(QPainter& painter,
                                QXYSeries* series,
                                QPointF near,
                                QPointF far) const
{
    const QList<QPointF> points = series->points();
    if (points.size() < 2)
        return;
    QPolygonF edge;
    edge.reserve(points.size());
    for (const QPointF& point : points)
        edge << chart()->mapToScene(chart()->mapToPosition(point, series)) + near;
    const QPointF depth = far - near;
    const QColor colour = series->color();

    // Flat faces without smoothing, so neighbouring quads meet without a seam.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (qsizetype i = 0; i + 1 < edge.size(); ++i) {
        const QPointF a = edge[i];
        const QPointF b = edge[i + 1];
        const QColor face = Shade(colour, b - a, depth);
        painter.setPen(face);
        painter.setBrush(face);
        painter.drawPolygon(QPolygonF{a, b, b + depth, a + depth});
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour.darker(115), 1));
    painter.drawPolyline(edge.translated(depth));
    painter.setPen(QPen(colour.darker(150), 1.6));
    painter.drawPolyline(edge);
}

} // namespace lumavo
