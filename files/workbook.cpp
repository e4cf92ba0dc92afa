#include "files/workbook.h"

#include "calc/schedule_text.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>
#include <xlsxwriter.h>

namespace lumavo {

namespace {

constexpr lxw_row_t kBlockFirstRow = 2;
constexpr lxw_col_t kTotalsColumn = 4;

// Columns a text takes in a spreadsheet's default font: CJK and full-width characters two.
double TextWidth(const std::string& text)
{
    double width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

class Sheet
{
  public:
    explicit Sheet(lxw_workbook* book, const std::string& name)
        : m_sheet(workbook_add_worksheet(book, name.c_str())), m_bold(workbook_add_format(book))
    {
        format_set_bold(m_bold);
        static const char* const masks[] = {"0", "0.0", "0.00", "0.000"};
        for (int i = 0; i < 4; ++i) {
            m_masks[i] = workbook_add_format(book);
            format_set_num_format(m_masks[i], masks[i]);
        }
    }

    bool Ok() const { return m_sheet != nullptr; }
    lxw_worksheet* Handle() const { return m_sheet; }
    lxw_format* Bold() const { return m_bold; }

    void Fit(lxw_col_t column, const std::string& text)
    {
        if (column >= m_widths.size())
            m_widths.resize(column + 1, 0);
        m_widths[column] = std::max(m_widths[column], TextWidth(text) + 2);
    }

    void
    Text(lxw_row_t row, lxw_col_t column, const std::string& text, lxw_format* format = nullptr)
    {
        if (!text.empty())
            worksheet_write_string(m_sheet, row, column, text.c_str(), format);
    }

    // A number in its mask when the text reads as one; otherwise the text as it is.
    void Amount(lxw_row_t row, lxw_col_t column, const std::string& text, int decimals)
    {
        double value = 0;
        if (decimals >= 0 && decimals <= 3 && ParseNumber(text, value))
            worksheet_write_number(m_sheet, row, column, value, m_masks[decimals]);
        else
            Text(row, column, text);
    }

    void Line(lxw_row_t row, lxw_col_t column, const ReportLine& line)
    {
        Text(row, column, line.label, m_bold);
        Fit(column, line.label);
        Amount(row, column + 1, line.text, line.decimals);
        Text(row, column + 2, line.unit);
    }

    void SetWidths()
    {
        for (std::size_t c = 0; c < m_widths.size(); ++c)
            if (m_widths[c] > 0)
                worksheet_set_column(m_sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                     m_widths[c], nullptr);
    }

  private:
    lxw_worksheet* m_sheet;
    lxw_format* m_bold;
    lxw_format* m_masks[4];
    std::vector<double> m_widths;
};

// The loan on the left, the totals on the right, the plan below the loan; returns the first row
// after the block.
lxw_row_t WriteBlock(Sheet& out, const ScheduleReport& report)
{
    out.Text(0, 0, report.title, out.Bold());
    lxw_row_t row = kBlockFirstRow;
    for (const ReportLine& line : report.loan)
        out.Line(row++, 0, line);
    lxw_row_t totalsRow = kBlockFirstRow;
    for (const ReportLine& line : report.totals)
        out.Line(totalsRow++, kTotalsColumn, line);
    out.Text(row, 0, msg::kLabelPlan, out.Bold());
    out.Fit(0, msg::kLabelPlan);
    if (report.plan.empty())
        out.Text(row++, 1, msg::kNoPlan);
    for (const std::string& entry : report.plan)
        out.Text(row++, 1, entry); // long lines spill over the empty cells beside them
    return std::max(row, totalsRow) + 1;
}

// The header on one line each, bold and frozen; dates stay texts, since a day such as
// 2009年02月31日 is no calendar date; amounts are numbers in "0.00".
void WriteTable(Sheet& out, const TextGrid& grid, lxw_row_t top)
{
    for (const ScheduleColumn schedule : kScheduleColumnOrder) {
        const auto column = static_cast<lxw_col_t>(ColumnIndex(schedule));
        const std::string title = ScheduleColumnTitle(schedule);
        out.Text(top, column, title, out.Bold());
        out.Fit(column, title);
        for (int r = 1; r < grid.rows; ++r) {
            const std::string& text = grid.At(ColumnIndex(schedule), r);
            const lxw_row_t row = top + static_cast<lxw_row_t>(r);
            if (schedule == ScheduleColumn::Date)
                out.Text(row, column, text);
            else
                out.Amount(row, column, text, 2);
            out.Fit(column, text);
        }
    }
    worksheet_freeze_panes(out.Handle(), top + 1, 0);
}

// libxlsxwriter writes only to a path; it writes to a scratch file of its own, and the bytes go
// to the target through the one atomic writer like every other file.
class ScratchFile
{
  public:
    ScratchFile()
    {
        std::error_code ignored;
        std::string pattern =
            (std::filesystem::temp_directory_path(ignored) / "lumavo-xlsx-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0) {
            ::close(fd);
            m_path = pattern;
        } else {
            m_reason = std::strerror(errno);
        }
    }
    ~ScratchFile()
    {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }
    const std::string& Reason() const { return m_reason; }

  private:
    std::string m_path;
    std::string m_reason;
};

} // namespace

std::optional<std::string> WorkbookBytes(const ScheduleReport& report, std::string* error)
{
    const ScratchFile scratch;
    if (scratch.Path().empty()) {
        if (error)
            *error = scratch.Reason();
        return std::nullopt;
    }
    lxw_workbook* book = workbook_new(scratch.Path().c_str());
    if (!book) {
        if (error)
            *error = lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE);
        return std::nullopt;
    }
    Sheet sheet(book, report.sheetName);
    if (sheet.Ok()) {
        const lxw_row_t top = WriteBlock(sheet, report);
        WriteTable(sheet, report.grid, top);
        sheet.SetWidths();
    }
    const lxw_error closed = workbook_close(book); // frees the workbook in every case
    if (!sheet.Ok() || closed != LXW_NO_ERROR) {
        if (error)
            *error = lxw_strerror(sheet.Ok() ? closed : LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED);
        return std::nullopt;
    }
    return ReadWholeFile(scratch.Path(), error);
}

std::optional<std::string> WriteWorkbookFile(const std::string& path, const ScheduleReport& report)
{
    std::string reason;
    const auto bytes = WorkbookBytes(report, &reason);
    if (!bytes)
        return path + ": " + reason;
    return WriteFileAtomically(path, *bytes);
}

} // namespace lumavo
