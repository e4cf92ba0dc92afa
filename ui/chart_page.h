#pragma once

#include "calc/schedule.h"

#include <QString>
#include <array>

class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QWidget;

namespace lumavo {

class DepthChartView;

// The chart page: Chart1 "等额本息" draws tab 1's schedule, Chart2 "等额本金" tab 2's, each with
// an interest and a principal line of the regular rows, and the prepayments as marked points
// on an axis of their own at the right: one prepayment is often a hundred monthly payments, and
// on one scale it would flatten every monthly value. A point holds the amounts rounded to the
// fen as the grid shows them, so a chart shows exactly the amounts the grid shows.
class ChartPage
{
  public:
    // Each chart fills its group box. Both start in the 3D view, empty.
    ChartPage(QWidget* debxBox, QWidget* debjBox);

    // 图示: every series is emptied, then the lines get one point per regular row of its
    // schedule and the prepayments one per prepayment row; a null schedule leaves its chart
    // empty, saying "请先计算".
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
        QLineSeries* interest = nullptr;   // 利息/元
        QLineSeries* principal = nullptr;  // 本金/元
        QScatterSeries* prepaid = nullptr; // 提前还款/元
        QDateTimeAxis* dates = nullptr;
        QValueAxis* amounts = nullptr;
        QValueAxis* prepaidAmounts = nullptr; // at the right
    };

    static Chart Build(QWidget* box, const QString& name, const QString& title, const char* method);
    static void Fill(Chart& chart, const Schedule* schedule);

    std::array<Chart, 2> m_charts;
};

} // namespace lumavo
