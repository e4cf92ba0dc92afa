#include "cli/output.h"

#include "calc/schedule_text.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cstdio>

namespace lumavo::cli {

namespace {

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string HeaderTitle(int column)
{
    const std::string& header = ScheduleHeaderTexts()[static_cast<std::size_t>(column)];
    return header.substr(header.find('\r') + 1);
}

std::string SummaryLabel(Method method)
{
    // The window's captions, without the blanks that line them up there.
    return Trim(method == Method::Debx ? msg::kCaptionSummaryDebx : msg::kCaptionSummaryDebj);
}

// Terminal columns a text takes: CJK characters and full-width forms take two.
std::size_t DisplayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead;
        if (length == 3 && i + 2 < text.size())
            code = ((lead & 0x0Fu) << 12) |
                   ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        width += length >= 3 && code >= 0x2E80 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Padded(const std::string& text, std::size_t width, bool right)
{
    const std::size_t shown = DisplayWidth(text);
    const std::string fill(width > shown ? width - shown : 0, ' ');
    return right ? fill + text : text + fill;
}

} // namespace

std::string JsonOutput(const Schedule& schedule, Method method)
{
    std::string out = "{\"method\":";
    out += method == Method::Debx ? "\"debx\"" : "\"debj\"";
    out += ",\"rows\":[";
    for (std::size_t r = 0; r < schedule.rows.size(); ++r) {
        out += r ? ",[" : "[";
        const auto cells = ScheduleRowTexts(schedule.rows[r]);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c)
                out += ',';
            out += JsonString(cells[c]);
        }
        out += "]";
    }
    const ScheduleTotals& totals = schedule.totals;
    out += "],\"totals\":{\"summary\":" + JsonString(MoneyText(totals.summary));
    out += ",\"summary_enabled\":";
    out += totals.summaryEnabled ? "true" : "false";
    out += ",\"total_repayment\":" + JsonString(MoneyText(totals.hkze));
    out += ",\"total_interest\":" + JsonString(MoneyText(totals.lxze));
    out += ",\"end_date\":" + JsonString(Trim(totals.endDate)) + "}}\n";
    return out;
}

std::string JsonError(const std::string& message)
{
    return "{\"error\":" + JsonString(message) + "}\n";
}

std::string CsvOutput(const Schedule& schedule)
{
    std::string out;
    for (int c = 0; c < kScheduleColumns; ++c) {
        if (c)
            out += ',';
        out += HeaderTitle(c);
    }
    out += "\n";
    for (const ScheduleRow& row : schedule.rows) {
        const auto cells = ScheduleRowTexts(row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c)
                out += ',';
            out += cells[c];
        }
        out += "\n";
    }
    return out;
}

std::string TableOutput(const Schedule& schedule, Method method)
{
    std::vector<std::array<std::string, kScheduleColumns>> lines;
    std::array<std::string, kScheduleColumns> header;
    for (int c = 0; c < kScheduleColumns; ++c)
        header[static_cast<std::size_t>(c)] = HeaderTitle(c);
    lines.push_back(header);
    for (const ScheduleRow& row : schedule.rows)
        lines.push_back(ScheduleRowTexts(row));

    std::array<std::size_t, kScheduleColumns> widths{};
    for (const auto& line : lines)
        for (std::size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(line[c]));

    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c)
                text += "  ";
            text += Padded(line[c], widths[c], c > 0);
        }
        out += text.substr(0, text.find_last_not_of(' ') + 1) + "\n";
    }
    const ScheduleTotals& totals = schedule.totals;
    out += '\n';
    out += SummaryLabel(method);
    out += totals.summaryEnabled ? MoneyText(totals.summary) : std::string(msg::kCliNotApplicable);
    out += '\n';
    out += msg::kCaptionTotalRepayment + MoneyText(totals.hkze) + "\n";
    out += msg::kCaptionTotalInterest + MoneyText(totals.lxze) + "\n";
    out += Trim(msg::kCaptionEndDate) + Trim(totals.endDate) + "\n";
    return out;
}

} // namespace lumavo::cli
