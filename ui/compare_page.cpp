#include "ui/compare_page.h"

#include "calc/compare_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"
#include "ui/depth_chart_view.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QChart>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace lumavo {

namespace {

const QColor kBackground(0xE7, 0xE7, 0xE7);

// A payment day past the end of a shorter month is drawn on that month's last day, as the
// schedule charts do.
qint64 AxisTime(const Date& date)
{
    const QDate first(date.y, std::clamp(date.m, 1, 12), 1);
    const int day = std::clamp(EffectiveDay(date), 1, first.daysInMonth());
    return QDateTime(first.addDays(day - 1), QTime(0, 0)).toMSecsSinceEpoch();
}

QString HoverText(const QLineSeries* series, const QPointF& point)
{
    const QDate date = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(point.x())).date();
    return Utf8(msg::CompareHoverText(series->name().toStdString(),
                                      date.toString(QStringLiteral("yyyy-MM-dd")).toStdString(),
                                      MoneyText(point.y())));
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
    auto* chart = new QChart;
    chart->setTitle(QString::fromUtf8(msg::kCompareBalance));
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    chart->setTitleFont(titleFont);
    chart->setBackgroundBrush(kBackground);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setMargins(QMargins(6, 0, 6, 0));
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_dates = new QDateTimeAxis;
    m_dates->setFormat(QStringLiteral("yyyy-MM"));
    m_dates->setTickCount(6);
    m_amounts = new QValueAxis;
    m_amounts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_amounts, Qt::AlignLeft);
    const char* names[] = {"SeriesDEBXPlan", "SeriesDEBXNoPlan", "SeriesDEBJPlan",
                           "SeriesDEBJNoPlan"};
    const char* captions[] = {msg::kCompareDebxPlan, msg::kCompareDebxNoPlan, msg::kCompareDebjPlan,
                              msg::kCompareDebjNoPlan};
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        auto* series = new QLineSeries;
        series->setObjectName(QString::fromLatin1(names[i]));
        series->setName(QString::fromUtf8(captions[i]));
        chart->addSeries(series);
        series->attachAxis(m_dates);
        series->attachAxis(m_amounts);
        // Without the plan the line is dashed, in the colour of its method.
        QPen pen = series->pen();
        pen.setWidthF(2);
        pen.setColor(i < 2 ? QColor(0x1f, 0x4b, 0x7a) : QColor(0xe0, 0x7a, 0x1f));
        pen.setStyle(i % 2 ? Qt::DashLine : Qt::SolidLine);
        series->setPen(pen);
        QObject::connect(series, &QLineSeries::hovered, series,
                         [series](const QPointF& point, bool entered) {
                             if (entered)
                                 QToolTip::showText(QCursor::pos(), HoverText(series, point));
                             else
                                 QToolTip::hideText();
                         });
        m_series[i] = series;
    }
    m_view = Named(new DepthChartView(chart, parent), QStringLiteral("Chart3"));
    m_view->SetThreeD(false);
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
    qint64 first = 0;
    qint64 last = 0;
    double high = 0;
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const Schedule& schedule = ComparisonColumn(comparison, static_cast<int>(i) + 1).schedule;
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
