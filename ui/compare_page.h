#pragma once

#include "calc/compare.h"
#include "common/text_grid.h"

#include <QString>
#include <vector>

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
// each scenario, and the remaining balance of each over time. It keeps what it was last given;
// the loan pages never change it.
class ComparePage
{
  public:
    explicit ComparePage(QWidget* sheet);

    void Show(const Comparison& comparison, const QString& source);
    const TextGrid& Texts() const { return m_texts; }
    // The last 试算 of either loan page, kept until the next one: both ways with their figures.
    void ShowPreview(const PrepaymentPreview& preview,
                     Method method,
                     const QString& pageName,
                     const QString& when);
    const TextGrid& PreviewTexts() const { return m_previewTexts; }
    QString Source() const;
    // Repaints the table and the chart at once; for measuring.
    void Repaint();

  private:
    void BuildChart(QWidget* parent);
    void BuildPreviewBlock(QWidget* sheet);
    void FillTable();
    void FillChart(const Comparison& comparison);
    // One line per scenario, in order; the lines stay while the scenarios do.
    void DrawLinesFor(const std::vector<Scenario>& scenarios);

    QLabel* m_source = nullptr;
    QSplitter* m_splitter = nullptr;
    bool m_split = false;
    QTableWidget* m_table = nullptr;
    DepthChartView* m_view = nullptr;
    std::vector<Scenario> m_scenarios;
    std::vector<QLineSeries*> m_series; // one per scenario
    QDateTimeAxis* m_dates = nullptr;
    QValueAxis* m_amounts = nullptr;
    TextGrid m_texts;
    QWidget* m_previewBlock = nullptr;
    QLabel* m_previewRecord = nullptr;
    QTableWidget* m_previewTable = nullptr;
    TextGrid m_previewTexts;
};

} // namespace lumavo
