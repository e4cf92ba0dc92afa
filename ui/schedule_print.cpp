#include "ui/schedule_print.h"

#include "calc/schedule_text.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "ui/file_commands.h"
#include "ui/user_dialogs.h"
#include "ui/utf8.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <array>
#include <cmath>

namespace lumavo {

namespace {

// A font that holds the Chinese texts, so PDF output embeds it instead of boxes.
QFont ReportFont(double points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Source Han Sans SC")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Shares of the table's width: dates and the two prepayment titles need the most.
constexpr std::array<double, kScheduleColumns> kColumnShares{14,   11.2, 11.2, 11.2,
                                                             11.2, 11.2, 15,   15};

// Sizes in device pixels, from the device's resolution; the painter's origin is the top left of
// the printable area.
struct Layout
{
    QRectF area;
    QFont title = ReportFont(14, true);
    QFont text = ReportFont(9.5);
    QFont bold = ReportFont(9.5, true);
    QFont cell = ReportFont(8);
    QFont head = ReportFont(8, true);
    double textLine = 0;
    double titleLine = 0;
    double row = 0;
    double header = 0;
    double footer = 0;
    double block = 0;
    int firstRows = 0;
    int rowsPerPage = 0;
    std::array<double, kScheduleColumns> columnLeft{};
    std::array<double, kScheduleColumns> columnWidth{};
};

Layout Measure(QPagedPaintDevice& device, const ScheduleReport& report)
{
    Layout layout;
    const double dpi = device.logicalDpiY();
    const QRectF paint = device.pageLayout().paintRectPixels(static_cast<int>(dpi));
    layout.area = QRectF(0, 0, paint.width(), paint.height());
    layout.textLine = QFontMetricsF(layout.text, &device).height() * 1.3;
    layout.titleLine = QFontMetricsF(layout.title, &device).height() * 1.6;
    layout.row = QFontMetricsF(layout.cell, &device).height() * 1.35;
    layout.header = QFontMetricsF(layout.head, &device).height() * 2.6; // two lines, wrapped
    layout.footer = layout.textLine * 1.6;
    const std::size_t blockLines = std::max(report.loan.size(), report.totals.size()) + 1 +
                                   std::max<std::size_t>(report.plan.size(), 1);
    layout.block = layout.titleLine + static_cast<double>(blockLines) * layout.textLine +
                   layout.textLine * 0.6;
    const double tableHeight = layout.area.height() - layout.footer - layout.header;
    layout.rowsPerPage = std::max(1, static_cast<int>(tableHeight / layout.row));
    layout.firstRows = std::max(0, static_cast<int>((tableHeight - layout.block) / layout.row));
    double left = 0;
    for (std::size_t c = 0; c < kColumnShares.size(); ++c) {
        layout.columnLeft[c] = left;
        layout.columnWidth[c] = layout.area.width() * kColumnShares[c] / 100.0;
        left += layout.columnWidth[c];
    }
    return layout;
}

int PageCount(const Layout& layout, int dataRows)
{
    const int rest = std::max(0, dataRows - layout.firstRows);
    return 1 + (rest + layout.rowsPerPage - 1) / layout.rowsPerPage;
}

void PaintLines(QPainter& painter,
                const Layout& layout,
                const std::vector<ReportLine>& lines,
                double left,
                double top)
{
    const double labelWidth = layout.area.width() * 0.2;
    for (const ReportLine& line : lines) {
        painter.setFont(layout.bold);
        painter.drawText(QRectF(left, top, labelWidth, layout.textLine),
                         Qt::AlignLeft | Qt::AlignVCenter, Utf8(line.label));
        painter.setFont(layout.text);
        QString value = Utf8(line.text);
        if (!line.unit.empty())
            value += QChar(' ') + Utf8(line.unit);
        painter.drawText(QRectF(left + labelWidth, top, layout.area.width() * 0.3, layout.textLine),
                         Qt::AlignLeft | Qt::AlignVCenter, value);
        top += layout.textLine;
    }
}

// The title, the loan on the left, the totals on the right, the plan below.
void PaintBlock(QPainter& painter, const Layout& layout, const ScheduleReport& report)
{
    painter.setFont(layout.title);
    painter.drawText(QRectF(0, 0, layout.area.width(), layout.titleLine), Qt::AlignCenter,
                     Utf8(report.title));
    const double top = layout.titleLine;
    PaintLines(painter, layout, report.loan, 0, top);
    PaintLines(painter, layout, report.totals, layout.area.width() * 0.5, top);
    double y = top + static_cast<double>(std::max(report.loan.size(), report.totals.size())) *
                         layout.textLine;
    const std::vector<ReportLine> planHead{{msg::kLabelPlan, "", "", -1}};
    PaintLines(painter, layout, planHead, 0, y);
    y += layout.textLine;
    painter.setFont(layout.text);
    const QString indent(4, QChar(' '));
    if (report.plan.empty())
        painter.drawText(QRectF(0, y, layout.area.width(), layout.textLine), Qt::AlignVCenter,
                         indent + Utf8(msg::kNoPlan));
    for (const std::string& entry : report.plan) {
        painter.drawText(QRectF(0, y, layout.area.width(), layout.textLine), Qt::AlignVCenter,
                         indent + Utf8(entry));
        y += layout.textLine;
    }
}

QRectF Cell(const Layout& layout, ScheduleColumn column, double top, double height)
{
    const auto c = static_cast<std::size_t>(ColumnIndex(column));
    return QRectF(layout.columnLeft[c], top, layout.columnWidth[c], height);
}

void PaintHeader(QPainter& painter, const Layout& layout, double top)
{
    painter.setFont(layout.head);
    for (const ScheduleColumn column : kScheduleColumnOrder) {
        const QRectF cell = Cell(layout, column, top, layout.header);
        painter.fillRect(cell, QColor(0xE7, 0xE7, 0xE7));
        painter.drawRect(cell);
        const double pad = layout.row * 0.15;
        // The unit goes on a line of its own rather than breaking the title.
        QString title = Utf8(ScheduleColumnTitle(column));
        title.replace(Utf8(msg::kUnitOpening), QChar('\n') + Utf8(msg::kUnitOpening));
        painter.drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignCenter | Qt::TextWordWrap, title);
    }
}

void PaintRow(QPainter& painter, const Layout& layout, const TextGrid& grid, int row, double top)
{
    painter.setFont(layout.cell);
    const double pad = layout.row * 0.3;
    for (const ScheduleColumn column : kScheduleColumnOrder) {
        const QRectF cell = Cell(layout, column, top, layout.row);
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        const Qt::Alignment align =
            (column == ScheduleColumn::Date ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter;
        painter.drawText(cell.adjusted(pad, 0, -pad, 0), align,
                         Utf8(grid.At(ColumnIndex(column), row)));
    }
}

void PaintFooter(QPainter& painter, const Layout& layout, int page, int pages)
{
    painter.setFont(layout.text);
    painter.drawText(
        QRectF(0, layout.area.height() - layout.footer, layout.area.width(), layout.footer),
        Qt::AlignHCenter | Qt::AlignBottom, Utf8(msg::PageOfPages(page, pages)));
}

} // namespace

int PaintScheduleReport(QPagedPaintDevice& device, const ScheduleReport& report)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    const Layout layout = Measure(device, report);
    const TextGrid& grid = report.grid;
    const int pages = PageCount(layout, grid.rows - 1);
    QPen thin(Qt::black);
    thin.setWidthF(device.logicalDpiY() / 300.0);
    painter.setPen(thin);
    int row = 1;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            device.newPage();
        double top = 0;
        int rows = layout.rowsPerPage;
        if (page == 1) {
            PaintBlock(painter, layout, report);
            top = layout.block;
            rows = layout.firstRows;
        }
        if (rows > 0 && row < grid.rows) {
            PaintHeader(painter, layout, top);
            top += layout.header;
            for (int i = 0; i < rows && row < grid.rows; ++i, ++row, top += layout.row)
                PaintRow(painter, layout, grid, row, top);
        }
        PaintFooter(painter, layout, page, pages);
    }
    return pages;
}

QByteArray SchedulePdfBytes(const ScheduleReport& report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(ReportPageLayout());
        pdf.setResolution(600);
        pdf.setTitle(Utf8(report.title));
        pdf.setCreator(QStringLiteral("Lumavo"));
        if (PaintScheduleReport(pdf, report) == 0)
            return {};
    } // the writer finishes the file when it goes
    return bytes;
}

void PrintSchedule(const std::optional<ScheduleReport>& report, const FileCommandContext& context)
{
    if (!report) {
        context.dialogs.Inform(context.parent, Utf8(msg::kNothingToPrint));
        return;
    }
    context.dialogs.ShowPrintPreview(context.parent, Utf8(report->title),
                                     [report](QPrinter* printer) {
                                         if (printer)
                                             PaintScheduleReport(*printer, *report);
                                     });
}

void ExportScheduleToPdf(const std::optional<ScheduleReport>& report,
                         const QString& name,
                         const FileCommandContext& context)
{
    if (!report) {
        context.dialogs.Inform(context.parent, Utf8(msg::kNothingToPrint));
        return;
    }
    const QString path =
        AskSaveTarget(context, {Utf8(msg::kExportTitle) + name + Utf8(msg::kToPdfFile), name,
                                QStringLiteral("pdf"), Utf8(msg::kPdfFilter), context.folder});
    if (path.isEmpty())
        return;
    const QByteArray bytes = SchedulePdfBytes(*report);
    std::optional<std::string> failure;
    if (bytes.isEmpty())
        failure = path.toStdString();
    else
        failure = WriteFileAtomically(
            path.toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (failure)
        context.dialogs.Fail(context.parent, Utf8(msg::kExportFailed),
                             QString::fromStdString(*failure));
    else
        context.dialogs.Inform(context.parent, Utf8(msg::kExportOk));
}

} // namespace lumavo
