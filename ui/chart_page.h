#pragma once

#include "calc/schedule.h"

#include <QString>
#include <array>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace lumavo {

class DepthChartView;

// The chart page: Chart1 "等额本息" draws tab 1's schedule, Chart2 "等额本金" tab 2's, each with
// an interest and a principal series. A point holds the amounts rounded to the fen as the grid
// shows them, so a chart shows exactly the amounts the grid shows.
class ChartPage
{
  public:
    // Each chart fills its group box. Both start in the 3D view, empty.
    ChartPage(QWidget* debxBox, QWidget* debjBox);

    // 图示: every series is emptied, then gets one point per row of its schedule; a null
    // schedule leaves its chart empty.
    void Draw(const Schedule* debx, const Schedule* debj);
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
    static void Fill(Chart& chart, const Schedule* schedule);

    std::array<Chart, 2> m_charts;
};

} // namespace lumavo
