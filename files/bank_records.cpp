#include "files/bank_records.h"

#include "common/atomic_file.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/text.h"
#include "files/json_value.h"
#include "files/xlsx_sheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <span>

namespace lumavo {

namespace {

enum class Role
{
    Date,
    Principal,
    Interest,
    Balance,
    Payment,
    Rate,
    Type,
    Period,
};
constexpr std::size_t kRoles = 8;

constexpr std::array<std::span<const char* const>, kRoles> kRoleNames{{
    msg::kBankDateColumns,
    msg::kBankPrincipalColumns,
    msg::kBankInterestColumns,
    msg::kBankBalanceColumns,
    msg::kBankPaymentColumns,
    msg::kBankRateColumns,
    msg::kBankTypeColumns,
    msg::kBankPeriodColumns,
}};

constexpr std::size_t At(Role role)
{
    return static_cast<std::size_t>(role);
}

bool StartsWith(std::string_view text, std::string_view head)
{
    return text.substr(0, head.size()) == head;
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Blanks and controls, and the ideographic and no-break spaces banks pad cells with.
std::string_view TrimBlanks(std::string_view text)
{
    static constexpr std::string_view kWide[] = {"\u3000", "\u00A0"};
    for (;;) {
        const std::size_t before = text.size();
        while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
            text.remove_prefix(1);
        while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
            text.remove_suffix(1);
        for (const std::string_view blank : kWide) {
            if (StartsWith(text, blank))
                text.remove_prefix(blank.size());
            if (EndsWith(text, blank))
                text.remove_suffix(blank.size());
        }
        if (text.size() == before)
            return text;
    }
}

// A header cell as the name lists hold it: "本金（元）" and " 执行利率(%) " give 本金 and 执行利率.
std::string_view ColumnName(std::string_view header)
{
    header = TrimBlanks(header);
    for (const auto& bracket : msg::kBankUnitBrackets) {
        const std::size_t open = header.rfind(bracket[0]);
        if (open != std::string_view::npos && open > 0 && EndsWith(header, bracket[1]))
            return TrimBlanks(header.substr(0, open));
    }
    return header;
}

struct Columns
{
    std::array<int, kRoles> at{}; // 1-based column, 0 when the file has none
    std::array<std::string, kRoles> names;
};

// The columns a row names; nullopt unless it names a date, a principal and an interest column.
// Of two columns with names of one role the first counts.
std::optional<Columns> HeaderOf(const SheetRow& row)
{
    Columns columns;
    for (const SheetCell& cell : row.cells) {
        const std::string_view name = ColumnName(cell.text);
        for (std::size_t role = 0; role < kRoles; ++role) {
            const auto& names = kRoleNames[role];
            if (columns.at[role] == 0 &&
                std::find(names.begin(), names.end(), name) != names.end()) {
                columns.at[role] = cell.column;
                columns.names[role] = std::string(name);
            }
        }
    }
    const bool complete = columns.at[At(Role::Date)] != 0 && columns.at[At(Role::Principal)] != 0 &&
                          columns.at[At(Role::Interest)] != 0;
    return complete ? std::optional(std::move(columns)) : std::nullopt;
}

const SheetCell* CellAt(const SheetRow& row, int column)
{
    const auto cell =
        std::lower_bound(row.cells.begin(), row.cells.end(), column,
                         [](const SheetCell& c, int wanted) { return c.column < wanted; });
    return cell != row.cells.end() && cell->column == column ? &*cell : nullptr;
}

std::string_view FirstText(const SheetRow& row)
{
    for (const SheetCell& cell : row.cells)
        if (const std::string_view text = TrimBlanks(cell.text); !text.empty())
            return text;
    return {};
}

bool IsSummary(const SheetRow& row)
{
    const std::string_view first = FirstText(row);
    return std::any_of(std::begin(msg::kBankSummaryWords), std::end(msg::kBankSummaryWords),
                       [&](const char* word) { return StartsWith(first, word); });
}

// Digits from `at`, at least `least` and at most `most` of them; moves `at` past them.
bool TakeDigits(
    std::string_view text, std::size_t& at, std::size_t least, std::size_t most, int& out)
{
    std::size_t end = at;
    while (end < text.size() && end - at < most && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end - at < least || !ParseDigits(text.substr(at, end - at), out))
        return false;
    at = end;
    return true;
}

bool TakeMark(std::string_view text, std::size_t& at, std::string_view mark)
{
    if (text.substr(at, mark.size()) != mark)
        return false;
    at += mark.size();
    return true;
}

// "2024-10-25", "2024/1/5", "2024.1.5", "20241025", "2024年1月5日", each perhaps followed by a
// time of day ("2024-10-25 00:00:00", "2024-10-25T00:00").
std::optional<Date> ParseRecordDate(std::string_view text)
{
    text = TrimBlanks(text);
    if (const std::size_t time = text.find_first_of(" T"); time != std::string_view::npos) {
        const std::string_view clock = TrimBlanks(text.substr(time + 1));
        if (clock.empty() || clock.find_first_not_of("0123456789:.") != std::string_view::npos)
            return std::nullopt;
        text = text.substr(0, time);
    }
    Date date;
    std::size_t at = 0;
    if (text.size() == 8 && TakeDigits(text, at, 4, 4, date.y) &&
        TakeDigits(text, at, 2, 2, date.m) && TakeDigits(text, at, 2, 2, date.d))
        return IsCalendarDate(date) ? std::optional(date) : std::nullopt;
    at = 0;
    if (!TakeDigits(text, at, 4, 4, date.y) || at == text.size())
        return std::nullopt;
    // One of "-", "/", "." twice, or 年, 月 and 日.
    std::array<std::string_view, 3> marks{text.substr(at, 1), text.substr(at, 1), ""};
    if (marks[0] != "-" && marks[0] != "/" && marks[0] != ".")
        marks = {msg::kBankDateMarks[0], msg::kBankDateMarks[1], msg::kBankDateMarks[2]};
    const bool read = TakeMark(text, at, marks[0]) && TakeDigits(text, at, 1, 2, date.m) &&
                      TakeMark(text, at, marks[1]) && TakeDigits(text, at, 1, 2, date.d) &&
                      TakeMark(text, at, marks[2]) && at == text.size();
    return read && IsCalendarDate(date) ? std::optional(date) : std::nullopt;
}

// A worksheet's date number: days counted from 1900-01-01 as day 1, with the 29 February 1900
// that spreadsheets keep (and this program's calendar has too), or from 1904-01-01 as day 0.
// Years past 2099 are left out: there the two calendars part.
std::optional<Date> SerialDate(double serial, bool date1904)
{
    if (!(serial >= (date1904 ? 0 : 1)) || serial >= 80000)
        return std::nullopt;
    long days = static_cast<long>(std::floor(serial)) - (date1904 ? 0 : 1);
    Date date{date1904 ? 1904 : 1900, 1, 1};
    for (long year = DaysInMonth(date.y, 2) + 337; days >= year;
         year = DaysInMonth(date.y, 2) + 337) {
        days -= year;
        ++date.y;
    }
    for (; days >= DaysInMonth(date.y, date.m); ++date.m)
        days -= DaysInMonth(date.y, date.m);
    date.d += static_cast<int>(days);
    return date.y < 2100 ? std::optional(date) : std::nullopt;
}

// "1,234.56", "¥1 234.56", "-12.5元", "+0.00"; an optional sign before what a pasted number
// field takes.
bool ParseAmount(std::string_view text, double& out)
{
    text = TrimBlanks(text);
    const bool negative = StartsWith(text, "-");
    if (negative || StartsWith(text, "+"))
        text.remove_prefix(1);
    std::string plain;
    if (!NormalizePastedNumber(text, plain) || !ParseNumber(plain, out))
        return false;
    out = negative ? -out : out;
    return true;
}

// "4.2", "4.20%": percent a year.
bool ParseRate(std::string_view text, double& out)
{
    text = TrimBlanks(text);
    for (const std::string_view percent : msg::kBankPercentSigns)
        if (EndsWith(text, percent))
            text = TrimBlanks(text.substr(0, text.size() - percent.size()));
    return ParseNumber(text, out) && out >= 0;
}

// Turns rows into records: passes over what comes before the header, repeated headers, blank
// and summary rows, and refuses the first cell that is not what its column holds.
class Collector
{
  public:
    explicit Collector(bool date1904) : m_date1904(date1904) {}

    bool HasHeader() const { return m_columns.has_value(); }

    std::optional<RecordsError> Take(const SheetRow& row)
    {
        if (FirstText(row).empty())
            return std::nullopt;
        if (!m_columns) {
            m_columns = HeaderOf(row);
            return std::nullopt;
        }
        if (IsSummary(row) || HeaderOf(row))
            return std::nullopt;
        if (m_records.size() == kMostRecordRows)
            return RecordsError{row.line, 0,
                                msg::RecordsTooMany(row.line, static_cast<int>(kMostRecordRows))};
        BankRecord record;
        record.line = row.line;
        if (auto error = Fill(row, record))
            return error;
        m_records.push_back(std::move(record));
        return std::nullopt;
    }

    RecordsRead Finish()
    {
        if (!m_columns)
            return RecordsError{0, 0, msg::RecordsNoHeader()};
        return std::move(m_records);
    }

  private:
    // A cell of the row by its column's role; an absent column reads as an empty cell.
    struct Cell
    {
        int column = 0;
        std::string_view text;
        std::optional<double> number;
        bool percent = false;
    };

    Cell CellFor(const SheetRow& row, Role role) const
    {
        const int column = m_columns->at[At(role)];
        const SheetCell* cell = column == 0 ? nullptr : CellAt(row, column);
        if (!cell)
            return Cell{column, {}, std::nullopt, false};
        return Cell{column, TrimBlanks(cell->text), cell->number, cell->percent};
    }

    RecordsError Refuse(const SheetRow& row, Role role, const Cell& cell, const char* what) const
    {
        return RecordsError{row.line, cell.column,
                            msg::RecordsCellError(row.line, cell.column, m_columns->names[At(role)],
                                                  what, cell.text)};
    }

    std::optional<RecordsError> Fill(const SheetRow& row, BankRecord& record) const;

    bool m_date1904;
    std::optional<Columns> m_columns;
    std::vector<BankRecord> m_records;
};

std::optional<RecordsError> Collector::Fill(const SheetRow& row, BankRecord& record) const
{
    const Cell date = CellFor(row, Role::Date);
    std::optional<Date> day = date.number ? SerialDate(*date.number, m_date1904) : std::nullopt;
    if (!day)
        day = ParseRecordDate(date.text);
    if (!day)
        return Refuse(row, Role::Date, date, msg::kRecordsNotADate);
    record.date = *day;

    // An empty principal or interest is nothing paid of it; the other columns are optional.
    std::optional<double> principal;
    std::optional<double> interest;
    for (const auto& [role, out] :
         {std::pair{Role::Principal, &principal}, std::pair{Role::Interest, &interest},
          std::pair{Role::Balance, &record.balance}, std::pair{Role::Payment, &record.payment}}) {
        const Cell cell = CellFor(row, role);
        double value = 0;
        if (cell.text.empty())
            continue;
        if (!cell.number && !ParseAmount(cell.text, value))
            return Refuse(row, role, cell, msg::kRecordsNotAnAmount);
        *out = cell.number.value_or(value);
    }
    record.principal = principal.value_or(0);
    record.interest = interest.value_or(0);

    if (const Cell rate = CellFor(row, Role::Rate); !rate.text.empty()) {
        double value = 0;
        if (rate.number ? *rate.number < 0 : !ParseRate(rate.text, value))
            return Refuse(row, Role::Rate, rate, msg::kRecordsNotARate);
        record.rate = rate.number ? *rate.number * (rate.percent ? 100 : 1) : value;
    }
    if (const Cell period = CellFor(row, Role::Period); !period.text.empty()) {
        int value = 0;
        if (!ParseDigits(period.text, value))
            return Refuse(row, Role::Period, period, msg::kRecordsNotAPeriod);
        record.period = value;
    }
    record.type = std::string(CellFor(row, Role::Type).text);
    return std::nullopt;
}

// CSV or tab-separated rows: a field that starts with a quote runs to the closing one (a doubled
// quote stands for one, separators and line breaks inside are text); LF or CRLF ends a row.
class TextRows
{
  public:
    explicit TextRows(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_at >= m_text.size(); }

    // A tab when the next line holds one, else a comma: the header line decides for the rows
    // below it.
    char NextSeparator() const
    {
        const std::string_view rest = m_text.substr(m_at);
        return rest.substr(0, rest.find('\n')).find('\t') != std::string_view::npos ? '\t' : ',';
    }

    // False, with the error, at a quote that is never closed.
    bool Next(char separator, SheetRow& row, RecordsError& error)
    {
        row = SheetRow{m_line, {}};
        for (int column = 1;; ++column) {
            std::string field;
            if (!Quoted(field)) {
                error = RecordsError{
                    row.line, column,
                    msg::RecordsCellError(row.line, column, {}, msg::kRecordsOpenQuote, {})};
                return false;
            }
            std::size_t end = m_at;
            while (end < m_text.size() && m_text[end] != separator && m_text[end] != '\n')
                ++end;
            field += m_text.substr(m_at, end - m_at);
            row.cells.push_back(SheetCell{column, std::move(field), std::nullopt});
            m_at = end + 1;
            if (end == m_text.size() || m_text[end] == '\n') {
                ++m_line;
                return true;
            }
        }
    }

  private:
    // The quoted start of a field, if it has one; false when its quote never closes.
    bool Quoted(std::string& field)
    {
        std::size_t start = m_at;
        while (start < m_text.size() && m_text[start] == ' ')
            ++start;
        if (start == m_text.size() || m_text[start] != '"')
            return true;
        for (m_at = start + 1;;) {
            const std::size_t quote = m_text.find('"', m_at);
            if (quote == std::string_view::npos)
                return false;
            const std::string_view part = m_text.substr(m_at, quote - m_at);
            m_line += static_cast<int>(std::count(part.begin(), part.end(), '\n'));
            field += part;
            m_at = quote + 1;
            if (m_at == m_text.size() || m_text[m_at] != '"')
                return true;
            field += '"';
            ++m_at;
        }
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
};

// The text as UTF-8: UTF-8 (its byte-order mark dropped) when the bytes are valid UTF-8,
// else GBK; nullopt with the first line that is neither (or, in a file that mixes the two, the
// first that is not UTF-8).
std::optional<std::string> DecodedText(std::string_view bytes, RecordsError& error)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (json::IsUtf8(bytes))
        return std::string(bytes);
    if (auto text = GbkToUtf8(bytes))
        return text;
    // GBK's trail bytes are never below 0x40, so LF ends a line in the raw bytes too.
    int firstNotUtf8 = 0;
    int neither = 0;
    for (std::size_t at = 0, line = 1; at < bytes.size() && neither == 0; ++line) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string_view text = bytes.substr(at, end - at);
        if (!json::IsUtf8(text)) {
            firstNotUtf8 = firstNotUtf8 == 0 ? static_cast<int>(line) : firstNotUtf8;
            neither = GbkToUtf8(text) ? 0 : static_cast<int>(line);
        }
        at = end + 1;
    }
    const int line = neither != 0 ? neither : firstNotUtf8;
    error = RecordsError{line, 0, msg::RecordsLineError(line, msg::kRecordsNotText)};
    return std::nullopt;
}

RecordsError TooLarge()
{
    return RecordsError{0, 0, msg::RecordsTooLarge(kMostRecordBytes)};
}

} // namespace

RecordsRead ParseBankRecords(std::string_view bytes)
{
    if (bytes.size() > kMostRecordBytes)
        return TooLarge();
    RecordsError error;
    const std::optional<std::string> text = DecodedText(bytes, error);
    if (!text)
        return error;
    TextRows rows(*text);
    Collector collector(false);
    char headerSeparator = ',';
    SheetRow row;
    while (!rows.AtEnd()) {
        const bool hadHeader = collector.HasHeader();
        const char separator = hadHeader ? headerSeparator : rows.NextSeparator();
        if (!rows.Next(separator, row, error))
            return error;
        if (auto refused = collector.Take(row))
            return *refused;
        if (!hadHeader)
            headerSeparator = separator;
    }
    return collector.Finish();
}

RecordsRead ParseBankWorkbook(std::string_view bytes)
{
    if (bytes.size() > kMostRecordBytes)
        return TooLarge();
    auto sheet = ReadFirstSheet(bytes);
    if (const auto* fault = std::get_if<WorkbookFault>(&sheet))
        return RecordsError{0, 0,
                            *fault == WorkbookFault::TooLarge
                                ? msg::RecordsWorkbookTooLarge(kMostWorkbookPartBytes)
                                : std::string(msg::kRecordsWorkbookDamaged)};
    const FirstSheet& first = std::get<FirstSheet>(sheet);
    Collector collector(first.date1904);
    for (const SheetRow& row : first.rows)
        if (auto refused = collector.Take(row))
            return *refused;
    return collector.Finish();
}

RecordsRead ReadBankRecords(const std::string& path)
{
    std::string reason;
    const std::optional<std::string> bytes = ReadWholeFile(path, &reason, kMostRecordBytes);
    if (!bytes)
        return RecordsError{0, 0, msg::kFileUnreadable + reason};
    std::string lower = path.size() >= 5 ? path.substr(path.size() - 5) : std::string();
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == ".xlsx" || StartsWith(*bytes, "PK\x03\x04"))
        return ParseBankWorkbook(*bytes);
    // The compound-file signature of the old binary .xls.
    if (StartsWith(*bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return RecordsError{0, 0, msg::kRecordsOldWorkbook};
    return ParseBankRecords(*bytes);
}

} // namespace lumavo
