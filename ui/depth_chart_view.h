#pragma once

#include <QChartView>

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
    // Shows the date and value of the series' point nearest to where the pointer is.
    void ShowsValues(QXYSeries* series);
    // Fits the box again after the axis ranges changed (their labels may have grown).
    void LayOut();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;

  private:
    void DrawBox(QPainter& painter, const QRectF& front) const;
    void DrawRibbon(QPainter& painter, QXYSeries* series, QPointF near, QPointF far) const;

    bool m_threeD = true;
    QPointF m_depth; // from a front corner to the matching back corner, in view pixels
};

} // namespace lumavo
