#pragma once

#include <QChartView>
#include <QPointF>
#include <QPointer>
#include <functional>
#include <vector>

class QXYSeries;

namespace lumavo {

// A line chart that can also be seen as a box in oblique perspective: a floor, a left wall and
// a back wall carry the grid, and every series becomes a ribbon in a depth row of its own, the
// first series in front. Qt Charts still lays out the title, the legend and the axis labels
// against the front face; the box and the ribbons are painted beneath them.
class DepthChartView : public QChartView
{
    Q_OBJECT

  public:
    explicit DepthChartView(QChart* chart, QWidget* parent = nullptr);

    bool IsThreeD() const { return m_threeD; }
    // The 3D view always shows the whole chart; the flat one can be zoomed with the mouse.
    void SetThreeD(bool threeD);
    // Back to the whole chart after zooming.
    void ResetZoom();
    // Shows the date and value of the point nearest to the pointer, among the series given here,
    // in the 2D view; text makes the tooltip's text (by default the date, the series' name and
    // the amount).
    using ValueText = std::function<QString(const QXYSeries&, const QPointF&)>;
    void ShowsValues(QXYSeries* series, ValueText text = {});
    // What the pointer's position last showed; empty when it showed nothing.
    QString HoverText() const { return m_hoverText; }
    // A line shown over an empty chart, such as "请先计算"; empty for none.
    void SetPlaceholder(const QString& text);
    QString Placeholder() const { return m_placeholder; }
    // Fits the box again after the axis ranges changed (their labels may have grown).
    void LayOut();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

  private:
    void DrawBox(QPainter& painter, const QRectF& front) const;
    void DrawRibbon(QPainter& painter, QXYSeries* series, QPointF near, QPointF far) const;
    void ShowValueAt(const QPoint& position, const QPoint& global);

    struct Shown
    {
        QPointer<QXYSeries> series; // a series removed from the chart drops out
        ValueText text;
    };
    std::vector<Shown> m_shown;
    QString m_hoverText;
    QString m_placeholder;

    bool m_threeD = true;
    // A hidden chart is laid out when it is first shown, at the size it is shown at.
    bool m_layoutDue = false;
    QPointF m_depth; // from a front corner to the matching back corner, in view pixels
};

} // namespace lumavo
