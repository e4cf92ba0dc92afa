#include "ui/compare_page.h"

#include "calc/compare_text.h"
#include "common/messages.h"
#include "ui/chart_kit.h"
#include "ui/depth_chart_view.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

namespace {

// A table of read-only texts, its columns sharing the width.
QTableWidget* NewTextTable(QWidget* parent, const QString& name)
{
    auto* table = Named(new QTableWidget(parent), name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->verticalHeader()->setDefaultSectionSize(19);
    table->verticalHeader()->setVisible(false);
    // Columns share the width, but never so narrow that a heading is cut: then the table scrolls.
    table->horizontalHeader()->setMinimumSectionSize(150);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

// The grid's first row heads the columns; a row empty but for its caption is not shown (a part
// the loan does not have). Returns the height that shows every shown row.
int FillTextTable(QTableWidget* table, const TextGrid& texts)
{
    // The table keeps its items from one filling to the next; only their texts change.
    if (table->columnCount() != texts.columns || table->rowCount() != texts.rows - 1) {
        table->setColumnCount(texts.columns);
        table->setRowCount(texts.rows - 1);
        for (int column = 0; column < texts.columns; ++column) {
            table->setHorizontalHeaderItem(column, new QTableWidgetItem);
            for (int row = 0; row < texts.rows - 1; ++row) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
                table->setItem(row, column, item);
            }
        }
    }
    for (int column = 0; column < texts.columns; ++column)
        table->horizontalHeaderItem(column)->setText(QString::fromStdString(texts.At(column, 0)));
    for (int row = 1; row < texts.rows; ++row) {
        bool empty = true;
        for (int column = 0; column < texts.columns; ++column) {
            const std::string& text = texts.At(column, row);
            empty = empty && (column == 0 || text.empty());
            table->item(row - 1, column)->setText(QString::fromStdString(text));
        }
        table->setRowHidden(row - 1, empty);
    }
    int height = table->horizontalHeader()->height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row)
        height += table->isRowHidden(row) ? 0 : table->rowHeight(row);
    if (table->horizontalScrollBar()->isVisible())
        height += table->horizontalScrollBar()->height();
    table->setMaximumHeight(height);
    return height;
}

} // namespace

ComparePage::ComparePage(QWidget* sheet)
{
    m_source = Named(new QLabel(QString::fromUtf8(msg::kCompareNothing), sheet),
                     QStringLiteral("suiLabelDb"));
    QFont bold = m_source->font();
    bold.setBold(true);
    m_source->setFont(bold);
    m_splitter = Named(new QSplitter(Qt::Vertical, sheet), QStringLiteral("Splitter4"));
    QSplitter* splitter = m_splitter;
    m_table = NewTextTable(splitter, QStringLiteral("suiSGdb"));
    BuildChart(splitter);
    splitter->addWidget(m_table);
    splitter->addWidget(m_view);
    // The table is as tall as its rows; the chart takes the room they leave.
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    m_view->setMinimumHeight(200);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_source);
    layout->addWidget(splitter, 1);
    BuildPreviewBlock(sheet);
    layout->addWidget(m_previewBlock);
}

// The last 试算 stays below the comparison until the next one; before the first it is hidden.
void ComparePage::BuildPreviewBlock(QWidget* sheet)
{
    m_previewBlock = Named(new QWidget(sheet), QStringLiteral("PanelSs"));
    m_previewRecord = Named(new QLabel(m_previewBlock), QStringLiteral("suiLabelSs"));
    m_previewRecord->setWordWrap(true);
    m_previewTable = NewTextTable(m_previewBlock, QStringLiteral("suiSGss"));
    auto* layout = new QVBoxLayout(m_previewBlock);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(m_previewRecord);
    layout->addWidget(m_previewTable);
    m_previewBlock->setVisible(false);
}

void ComparePage::BuildChart(QWidget* parent)
{
    QChart* chart = NewChart(QString::fromUtf8(msg::kCompareBalance));
    chart->setMargins(QMargins(6, 0, 6, 0));
    m_dates = AddDateAxis(chart, 6);
    m_amounts = AddAmountAxis(chart);
    m_view = Named(new DepthChartView(chart, parent), QStringLiteral("Chart3"));
    m_view->SetThreeD(false);
    // Each legend mark is a piece of its line, so the dashed lines without the plan read apart
    // from the solid ones with it.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    DrawLinesFor(StandardScenarios());
}

void ComparePage::DrawLinesFor(const std::vector<Scenario>& scenarios)
{
    if (scenarios == m_scenarios)
        return;
    QChart* chart = m_view->chart();
    for (QLineSeries* series : m_series) {
        chart->removeSeries(series);
        delete series;
    }
    m_series.clear();
    m_scenarios = scenarios;
    for (const Scenario& scenario : scenarios) {
        const bool debx = scenario.method == Method::Debx;
        const bool plan = scenario.plan == PlanChoice::PagePlan;
        const QString name = QStringLiteral("Series") +
                             (debx ? QStringLiteral("DEBX") : QStringLiteral("DEBJ")) +
                             (plan ? QStringLiteral("Plan") : QStringLiteral("NoPlan"));
        QLineSeries* series = AddSeries(
            chart, name, QString::fromStdString(ScenarioTitle(scenario)), m_dates, m_amounts);
        // Without the plan the line is dashed, in the colour of its method.
        QPen pen = series->pen();
        pen.setWidthF(2);
        pen.setColor(debx ? QColor(0x1f, 0x4b, 0x7a) : QColor(0xe0, 0x7a, 0x1f));
        // Short dashes, so even the legend's short piece of the line shows two of them.
        if (!plan)
            pen.setDashPattern({3, 2});
        series->setPen(pen);
        for (QLegendMarker* marker : chart->legend()->markers(series))
            marker->setPen(pen);
        m_view->ShowsValues(series, PointText);
        m_series.push_back(series);
    }
}

QString ComparePage::Source() const
{
    return m_source->text();
}

void ComparePage::Show(const Comparison& comparison, const QString& source)
{
    m_source->setText(source);
    m_texts = ComparisonGridTexts(comparison);
    FillTable();
    FillChart(comparison);
}

void ComparePage::FillTable()
{
    const int height = FillTextTable(m_table, m_texts);
    // The first comparison gives the table most of its rows and the chart the rest; later ones
    // keep the split the user chose.
    if (!m_split) {
        // The page may not be laid out yet; the splitter keeps the proportion when it is.
        m_splitter->setSizes({std::min(height, 300), 260});
        m_split = true;
    }
}

void ComparePage::ShowPreview(const PrepaymentPreview& preview,
                              Method method,
                              const QString& pageName,
                              const QString& when)
{
    m_previewTexts = PreviewGridTexts(preview, method);
    m_previewRecord->setText(QString::fromStdString(
        PreviewRecordText(preview, method, pageName.toStdString(), when.toStdString())));
    m_previewBlock->setVisible(true);
    m_previewTable->setMinimumHeight(FillTextTable(m_previewTable, m_previewTexts));
}

void ComparePage::FillChart(const Comparison& comparison)
{
    std::vector<Scenario> scenarios;
    for (const ScenarioFigures& figures : comparison.scenarios)
        scenarios.push_back(figures.scenario);
    DrawLinesFor(scenarios);
    qint64 first = 0;
    qint64 last = 0;
    double high = 0;
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const Schedule& schedule = comparison.scenarios[i].schedule;
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(schedule.rows.size()));
        const auto& rows = schedule.rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const ScheduleRow& row = rows[r];
            // Between prepayments the balance falls smoothly: every third month draws the same
            // line at a third of the cost. The ends and both sides of a prepayment stay.
            const bool edge = r == 0 || r + 1 == rows.size() || row.kind == RowKind::Prepayment ||
                              rows[r + 1].kind == RowKind::Prepayment;
            if (!edge && r % 3 != 0)
                continue;
            const qint64 x = AxisTime(row.date);
            points.append(QPointF(static_cast<double>(x), row.balance));
            first = first == 0 ? x : std::min(first, x);
            last = std::max(last, x);
            high = std::max(high, row.balance);
        }
        m_series[i]->replace(points);
    }
    if (first == last)
        last = first + 86400000LL * 30;
    m_dates->setRange(QDateTime::fromMSecsSinceEpoch(first), QDateTime::fromMSecsSinceEpoch(last));
    m_amounts->setRange(0, high > 0 ? high : 100);
    RoundAxes(m_view->chart());
    m_view->LayOut();
}

void ComparePage::Repaint()
{
    m_table->viewport()->repaint();
    m_view->viewport()->repaint();
}

} // namespace lumavo
