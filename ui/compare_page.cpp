#include "ui/compare_page.h"

#include "calc/compare_text.h"
#include "common/messages.h"
#include "ui/chart_kit.h"
#include "ui/depth_chart_view.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QChart>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

ComparePage::ComparePage(QWidget* sheet)
{
    m_source = Named(new QLabel(QString::fromUtf8(msg::kCompareNothing), sheet),
                     QStringLiteral("suiLabelDb"));
    QFont bold = m_source->font();
    bold.setBold(true);
    m_source->setFont(bold);
    m_splitter = Named(new QSplitter(Qt::Vertical, sheet), QStringLiteral("Splitter4"));
    QSplitter* splitter = m_splitter;
    m_table = Named(new QTableWidget(splitter), QStringLiteral("suiSGdb"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->verticalHeader()->setDefaultSectionSize(19);
    m_table->verticalHeader()->setVisible(false);
    // Columns share the width, but never so narrow that a heading is cut: then the table scrolls.
    m_table->horizontalHeader()->setMinimumSectionSize(150);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
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
}

void ComparePage::BuildChart(QWidget* parent)
{
    QChart* chart = NewChart(QString::fromUtf8(msg::kCompareBalance));
    chart->setMargins(QMargins(6, 0, 6, 0));
    m_dates = AddDateAxis(chart, 6);
    m_amounts = AddAmountAxis(chart);
    m_view = Named(new DepthChartView(chart, parent), QStringLiteral("Chart3"));
    m_view->SetThreeD(false);
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
        pen.setStyle(plan ? Qt::SolidLine : Qt::DashLine);
        series->setPen(pen);
        QObject::connect(series, &QLineSeries::hovered, series,
                         [series](const QPointF& point, bool entered) {
                             if (entered)
                                 QToolTip::showText(QCursor::pos(), PointText(*series, point));
                             else
                                 QToolTip::hideText();
                         });
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
    // The table keeps its items from one comparison to the next; only their texts change.
    if (m_table->columnCount() != m_texts.columns || m_table->rowCount() != m_texts.rows - 1) {
        m_table->setColumnCount(m_texts.columns);
        m_table->setRowCount(m_texts.rows - 1);
        for (int column = 0; column < m_texts.columns; ++column) {
            m_table->setHorizontalHeaderItem(column, new QTableWidgetItem);
            for (int row = 0; row < m_texts.rows - 1; ++row) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(row, column, item);
            }
        }
    }
    for (int column = 0; column < m_texts.columns; ++column)
        m_table->horizontalHeaderItem(column)->setText(
            QString::fromStdString(m_texts.At(column, 0)));
    for (int row = 1; row < m_texts.rows; ++row) {
        bool empty = true;
        for (int column = 0; column < m_texts.columns; ++column) {
            const std::string& text = m_texts.At(column, row);
            empty = empty && (column == 0 || text.empty());
            m_table->item(row - 1, column)->setText(QString::fromStdString(text));
        }
        // A part the loan does not have leaves its rows empty; they are not shown.
        m_table->setRowHidden(row - 1, empty);
    }
    int height = m_table->horizontalHeader()->height() + 2 * m_table->frameWidth();
    for (int row = 0; row < m_table->rowCount(); ++row)
        height += m_table->isRowHidden(row) ? 0 : m_table->rowHeight(row);
    if (m_table->horizontalScrollBar()->isVisible())
        height += m_table->horizontalScrollBar()->height();
    m_table->setMaximumHeight(height);
    // The first comparison gives the table most of its rows and the chart the rest; later ones
    // keep the split the user chose.
    if (!m_split) {
        // The page may not be laid out yet; the splitter keeps the proportion when it is.
        m_splitter->setSizes({std::min(height, 300), 260});
        m_split = true;
    }
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
    m_amounts->applyNiceNumbers();
    m_view->LayOut();
}

void ComparePage::Repaint()
{
    m_table->viewport()->repaint();
    m_view->viewport()->repaint();
}

} // namespace lumavo
