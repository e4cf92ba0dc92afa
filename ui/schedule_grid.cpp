#include "ui/schedule_grid.h"

#include "calc/schedule_text.h"
#include "common/messages.h"
#include "ui/screen_fit.h"
#include "ui/user_dialogs.h"
#include "ui/utf8.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace lumavo {

namespace {

constexpr int kStartRows = 25;
constexpr int kHeaderHeight = 40;

// The grid fixes each header's depth, so a header need not measure every section's text (which
// the view asks for at every change of geometry) for a size it never takes.
class FixedDepthHeader : public QHeaderView
{
  public:
    using QHeaderView::QHeaderView;

    QSize sizeHint() const override
    {
        const bool across = orientation() == Qt::Horizontal;
        const int least = across ? minimumHeight() : minimumWidth();
        const int most = across ? maximumHeight() : maximumWidth();
        if (least != most)
            return QHeaderView::sizeHint();
        return across ? QSize(length(), least) : QSize(least, length());
    }
};
constexpr int kRowHeight = 18;
constexpr int kColumnWidths[kScheduleColumns] = {96, 136, 136, 112, 112, 112, 170, 178};
constexpr int kDatePadding = 12;
// Room around a header's text (the section's margins and border) or a cell's amount.
constexpr int kHeaderPadding = 12;

const QColor kCellColour(231, 231, 231);
const QColor kFixedColour(94, 95, 236);
const QColor kSelectedColour(135, 206, 235); // sky blue
const QColor kFocusColour(0, 255, 0);        // lime

QString Shown(const std::string& text)
{
    return DisplayText(QString::fromStdString(text));
}

// Amounts stand flush right with one blank after them; an empty cell is only background.
class AmountDelegate : public QStyledItemDelegate
{
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter,
               const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QColor background = kCellColour;
        if (option.state & QStyle::State_HasFocus)
            background = kFocusColour;
        else if (option.state & QStyle::State_Selected)
            background = kSelectedColour;
        painter->fillRect(option.rect, background);
        const QString text = index.data().toString();
        if (text.isEmpty())
            return;
        const auto* grid = qobject_cast<const ScheduleGrid*>(option.widget);
        painter->setPen(grid && grid->Stale() ? QColor(Qt::gray) : QColor(Qt::black));
        painter->setFont(option.font);
        painter->drawText(option.rect, Qt::AlignRight | Qt::AlignVCenter, text + QChar(' '));
    }
};

} // namespace

ScheduleGridModel::ScheduleGridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent), m_texts(TextGrid::Blank(columns, rows))
{
}

int ScheduleGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_texts.rows - 1;
}

int ScheduleGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_texts.columns - 1;
}

QVariant ScheduleGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::ToolTipRole)
        return RowTip(index.row() + 1);
    if (role != Qt::DisplayRole)
        return {};
    return Shown(m_texts.At(index.column() + 1, index.row() + 1));
}

QVariant ScheduleGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    if (role == Qt::ToolTipRole && orientation == Qt::Vertical)
        return RowTip(section + 1);
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return Shown(m_texts.At(section + 1, 0));
    return Shown(m_texts.At(0, section + 1));
}

void ScheduleGridModel::SetTexts(TextGrid texts)
{
    beginResetModel();
    m_texts = std::move(texts);
    m_texts.cells.resize(static_cast<std::size_t>(m_texts.columns) *
                         static_cast<std::size_t>(m_texts.rows));
    endResetModel();
}

void ScheduleGridModel::SetRowTips(std::vector<QString> tips)
{
    m_rowTips = std::move(tips);
}

QString ScheduleGridModel::RowTip(int row) const
{
    const auto index = static_cast<std::size_t>(row - 1);
    return row >= 1 && index < m_rowTips.size() ? m_rowTips[index] : QString();
}

void ScheduleGridModel::SetCell(int column, int row, const std::string& text)
{
    m_texts.At(column, row) = text;
    if (row == 0 && column > 0)
        emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
}

ScheduleGrid::ScheduleGrid(QWidget* parent)
    : QTableView(parent), m_model(new ScheduleGridModel(kScheduleColumns, kStartRows, this))
{
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        auto* header = new FixedDepthHeader(orientation, this);
        header->setSectionsClickable(true); // as the view's own headers are
        if (orientation == Qt::Horizontal)
            setHorizontalHeader(header);
        else
            setVerticalHeader(header);
    }
    setModel(m_model);
    setItemDelegate(new AmountDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    // Arrows move between cells; Tab leaves the grid instead of trapping the keyboard in it.
    setTabKeyNavigation(false);
    setStyleSheet(
        QStringLiteral("QTableView { background: #E7E7E7; gridline-color: #A0A0A0; }"
                       "QHeaderView::section { background: #5E5FEC; color: white; border: 0px;"
                       " border-right: 1px solid #3C3DB0; border-bottom: 1px solid #3C3DB0; }"
                       "QTableCornerButton::section { background: #5E5FEC; border: 0px;"
                       " border-right: 1px solid #3C3DB0; border-bottom: 1px solid #3C3DB0; }"));

    QHeaderView* top = horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setDefaultSectionSize(144);
    top->setHighlightSections(false);
    QHeaderView* side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultSectionSize(kRowHeight);
    side->setMinimumSectionSize(kRowHeight);
    side->setDefaultAlignment(Qt::AlignCenter);
    side->setHighlightSections(false);
    side->setFixedWidth(144);

    // The corner cell is the header of the date column.
    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
}

bool ScheduleGrid::eventFilter(QObject* watched, QEvent* event)
{
    const bool handled = QTableView::eventFilter(watched, event);
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QWidget* corner = m_corner;
        QPainter painter(corner);
        painter.fillRect(corner->rect(), kFixedColour);
        painter.setPen(Qt::white);
        painter.setFont(horizontalHeader()->font());
        painter.drawText(corner->rect(), Qt::AlignCenter, Shown(m_model->Texts().At(0, 0)));
        return true;
    }
    return handled;
}

QString ScheduleGrid::Cell(int column, int row) const
{
    return QString::fromStdString(m_model->Texts().At(column, row));
}

void ScheduleGrid::SetUpColumns()
{
    horizontalHeader()->setFixedHeight(kHeaderHeight);
    // The dates are drawn in whatever font the system gives the grid; a CJK face may need
    // more than the usual width.
    const int dateWidth =
        verticalHeader()->fontMetrics().horizontalAdvance(Utf8(msg::kRowDateSample)) + kDatePadding;
    verticalHeader()->setFixedWidth(std::max(kColumnWidths[0], dateWidth));
    const auto& headers = ScheduleHeaderTexts();
    m_model->SetCell(0, 0, headers[0]);
    m_naturalWidths.clear();
    m_leastWidths.clear();
    const QFontMetrics headerText = horizontalHeader()->fontMetrics();
    const int amount = fontMetrics().horizontalAdvance(QStringLiteral("-999999999.99 "));
    for (int column = 1; column < kScheduleColumns; ++column) {
        m_model->SetCell(column, 0, headers[static_cast<std::size_t>(column)]);
        setColumnWidth(column - 1, kColumnWidths[column]);
        int least = amount;
        for (const QString& line : Shown(headers[static_cast<std::size_t>(column)]).split('\n'))
            least = std::max(least, headerText.horizontalAdvance(line));
        m_naturalWidths.push_back(kColumnWidths[column]);
        m_leastWidths.push_back(std::min(kColumnWidths[column], least + kHeaderPadding));
    }
    FitColumns();
    viewport()->update();
}

void ScheduleGrid::FitColumns()
{
    if (m_naturalWidths.empty())
        return;
    m_fittedWidth = viewport()->width();
    const std::vector<int> widths = FitColumnWidths(m_naturalWidths, m_leastWidths, m_fittedWidth);
    for (std::size_t i = 0; i < widths.size(); ++i)
        setColumnWidth(static_cast<int>(i), widths[i]);
}

bool ScheduleGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        FitColumns();
    return QTableView::viewportEvent(event);
}

// A header's new width can narrow the viewport from inside a resize, when the viewport hears of
// it no more.
void ScheduleGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (viewport()->width() != m_fittedWidth)
        FitColumns();
}

void ScheduleGrid::ClearRows()
{
    TextGrid texts = TextGrid::Blank(GridColumnCount(), GridRowCount());
    for (int column = 0; column < GridColumnCount(); ++column)
        texts.At(column, 0) = m_model->Texts().At(column, 0);
    m_model->SetRowTips({});
    m_model->SetTexts(std::move(texts));
}

void ScheduleGrid::ShowRows(TextGrid texts, std::vector<QString> rowTips)
{
    m_model->SetRowTips(std::move(rowTips));
    m_model->SetTexts(std::move(texts));
}

int ScheduleGrid::GridColumnWidth(int column) const
{
    return column == 0 ? verticalHeader()->width() : columnWidth(column - 1);
}

int ScheduleGrid::MissingWidth() const
{
    int natural = 0;
    for (const int width : m_naturalWidths)
        natural += width;
    return std::max(0, natural - viewport()->width());
}

int ScheduleGrid::HeaderHeight() const
{
    return horizontalHeader()->height();
}

QString ScheduleGrid::SelectionText() const
{
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells.append(currentIndex());
    if (cells.isEmpty())
        return {};
    int left = cells.front().column(), right = left, top = cells.front().row(), bottom = top;
    for (const QModelIndex& cell : cells) {
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
    }
    // The model leaves out the header row and the date column: grid indexes are one higher.
    return QString::fromStdString(
        TabSeparatedRange(m_model->Texts(), left + 1, top + 1, right + 1, bottom + 1));
}

void ScheduleGrid::keyPressEvent(QKeyEvent* event)
{
    // The view's own copy takes the current cell alone.
    if (event->matches(QKeySequence::Copy)) {
        if (const QString text = SelectionText(); !text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ScheduleGrid::ShowStale(bool stale)
{
    if (stale == m_stale)
        return;
    m_stale = stale;
    viewport()->update();
}

} // namespace lumavo
