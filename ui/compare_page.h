#pragma once

#include "calc/compare.h"
#include "common/text_grid.h"

#include <QString>
#include <array>

class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QSplitter;
class QTableWidget;
class QValueAxis;
class QWidget;

namespace lumavo {

class DepthChartView;

// The 方案对比 page: which page's inputs it shows and when they were compared, the figures of
// both methods with and without the plan, and the remaining balance of the four over time. It
// keeps what it was last given; the loan pages never change it.
class ComparePage
{
  public:
    explicit ComparePage(QWidget* sheet);

    void Show(const Comparison& comparison, const QString& source);
    const TextGrid& Texts() const { return m_texts; }
    QString Source() const;
    // Repaints the table and the chart at once; for measuring.
    void Repaint();

  private:
    void BuildChart(QWidget* parent);
    void FillTable();
    void FillChart(const Comparison& comparison);

    QLabel* m_source = nullptr;
    QSplitter* m_splitter = nullptr;
    bool m_split = false;
    QTableWidget* m_table = nullptr;
    DepthChartView* m_view = nullptr;
    std::array<QLineSeries*, 4> m_series{}; // the columns of the table, in order
    QDateTimeAxis* m_dates = nullptr;
    QValueAxis* m_amounts = nullptr;
    TextGrid m_texts;
};

} // namespace lumavo
