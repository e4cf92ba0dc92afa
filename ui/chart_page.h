#pragma once

#include "common/text_grid.h"

#include <QString>
#include <array>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace lumavo {

class DepthChartView;

// The chart page: Chart1 "等额本息" draws suiSG1, Chart2 "等额本金" draws suiSG2, each with an
// interest and a principal series. The points are read back from the grid texts, the only
// store of a schedule, so a chart shows exactly the amounts the grid shows.
class ChartPage
{
  public:
    // Each chart fills its group box. Both start in the 3D view, empty.
    ChartPage(QWidget* debxBox, QWidget* debjBox);

    // 图示: every series is emptied, then gets one point per grid row that has a date.
    void Draw(const TextGrid& debx, const TextGrid& debj);
    // 清除: the charts stay, empty.
    void Clear();
    // 2D or 3D, for both charts at once; the points stay.
    void SetThreeD(bool threeD);
    // 复位: both charts show their whole range again.
    void ResetZoom();

  private:
    struct Chart
    {
        DepthChartView* view = nullptr;
        QLineSeries* interest = nullptr;  // 利息/元
        QLineSeries* principal = nullptr; // 本金/元
        QDateTimeAxis* dates = nullptr;
        QValueAxis* amounts = nullptr;
    };

    static Chart Build(QWidget* box, const QString& name, const QString& title, const char* method);
    static void Fill(Chart& chart, const TextGrid& rows);

    std::array<Chart, 2> m_charts;
};

} // namespace lumavo
