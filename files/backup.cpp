#include "files/backup.h"

#include "common/atomic_file.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/text.h"

#include <array>
#include <cmath>
#include <utility>

namespace lumavo {

namespace {

constexpr std::size_t kPeriodsField = 7;

struct NumberField
{
    std::size_t index;
    const char* name;
};

// The fields of line 1 that land in number controls; the others are combo texts, checked by the
// next calculation.
constexpr std::array<NumberField, 7> kInputNumberFields{{
    {1, "面积"},
    {2, "单价"},
    {4, "贷款总额"},
    {5, "商业贷款比例"},
    {7, "按揭期数"},
    {9, "商业贷款年利率"},
    {10, "公积金贷款年利率"},
}};

// Bytes 0..32: every blank and control character. UTF-8 multibyte bytes are all >= 0x80, so a
// Chinese character is never taken apart.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string LineText(std::size_t line)
{
    return "第" + std::to_string(line) + "行";
}

std::string FieldText(std::size_t line, std::size_t index, const char* name)
{
    return LineText(line) + "第" + std::to_string(index + 1) + "个字段（" + name + "）";
}

BackupError Refuse(std::size_t line, std::string reason)
{
    return BackupError{static_cast<int>(line), std::move(reason)};
}

// Lines end at LF; a CR before it belongs to the ending. A final LF does not open another line.
// Walks the text instead of listing its lines, so a file of millions of empty lines costs nothing.
class LineReader
{
  public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        line = m_text.substr(m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = end + 1;
        return true;
    }

  private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Only called once the whole file failed to decode, to tell the user where. GBK trail bytes are
// never below 0x40, so LF always ends a line in the raw bytes too.
std::size_t FirstNonGbkLine(std::string_view bytes)
{
    LineReader reader(bytes);
    std::string_view line;
    std::size_t number = 0;
    while (reader.Next(line)) {
        ++number;
        if (!GbkToUtf8(line))
            return number;
    }
    return number;
}

std::size_t FirstCharacterLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return length < text.size() ? length : text.size();
}

std::optional<BackupError> CheckNumber(
    std::string_view text, std::size_t line, std::size_t index, const char* name, double& value)
{
    if (!ParseNumber(text, value))
        return Refuse(line, FieldText(line, index, name) + msg::kFieldNotNumber);
    // Negative amounts, rates or counts would only be refused later by the calculation, after
    // the import had already replaced the user's inputs.
    if (value < 0)
        return Refuse(line, FieldText(line, index, name) + msg::kFieldNegative);
    return std::nullopt;
}

std::optional<BackupError> CheckInputLine(const std::vector<std::string>& fields)
{
    if (fields.size() < kInputFieldsWithoutLoanType)
        return Refuse(1, LineText(1) + "只有" + std::to_string(fields.size()) + "个字段，至少需要" +
                             std::to_string(kInputFieldsWithoutLoanType) + "个");
    int index = 0;
    if (!ParseWholeNumber(fields[0], index))
        return Refuse(1, FieldText(1, 0, "计算方式") + msg::kFieldNotWhole);
    for (const NumberField& field : kInputNumberFields) {
        // An empty number field leaves the control as it was.
        if (fields[field.index].empty())
            continue;
        double value = 0;
        if (auto error = CheckNumber(fields[field.index], 1, field.index, field.name, value))
            return error;
        // The periods field takes digits only; a fraction would need one more row than the
        // schedule grid has.
        if (field.index == kPeriodsField && value != std::floor(value))
            return Refuse(1, FieldText(1, field.index, field.name) + msg::kFieldNotWhole);
    }
    if (fields.size() >= kInputFieldsWithLoanType && !ParseWholeNumber(fields[17], index))
        return Refuse(1, FieldText(1, 17, "贷款类型") + msg::kFieldNotWhole);
    return std::nullopt;
}

std::variant<BackupPlanLine, BackupError> ReadPlanLine(const std::vector<std::string>& fields,
                                                       std::size_t line)
{
    if (fields.size() < kPlanFields)
        return Refuse(line, LineText(line) + "只有" + std::to_string(fields.size()) +
                                "个字段，至少需要" + std::to_string(kPlanFields) + "个");
    BackupPlanLine plan;
    plan.tqdate = fields[0];
    if (auto error = CheckNumber(fields[1], line, 1, "提前还贷数额", plan.tqse))
        return *error;
    if (auto error = CheckNumber(fields[2], line, 2, "缩短按揭期数", plan.sdajqs))
        return *error;
    if (fields[3].empty())
        return Refuse(line, FieldText(line, 3, "还贷类型") + msg::kFieldEmpty);
    plan.tqhdType = fields[3].substr(0, FirstCharacterLength(fields[3]));
    plan.oneoverText = fields[4];
    return plan;
}

// A text that would end its line early reads back as something else.
bool BreaksLine(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool AppendLine(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (BreaksLine(fields[i]))
            return false;
        if (i > 0)
            out += ',';
        out += fields[i];
    }
    out += "\r\n";
    return true;
}

// Stops after maxFields: the reader needs no more, and a line of a million commas must not
// become a million strings.
std::vector<std::string> SplitFields(std::string_view line, std::size_t maxFields)
{
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> fields;
    const std::size_t n = line.size();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < n && IsBlank(line[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            // Runs to the closing quote, or to the end of the line when there is none.
            while (i < n) {
                const std::size_t quote = line.find('"', i);
                if (quote == std::string_view::npos) {
                    field.append(line.substr(i));
                    i = n;
                    break;
                }
                field.append(line.substr(i, quote - i));
                i = quote + 1;
                if (i < n && line[i] == '"') {
                    field += '"';
                    ++i;
                    continue;
                }
                break;
            }
        } else {
            const std::size_t start = i;
            while (i < n && !IsBlank(line[i]) && line[i] != ',')
                ++i;
            field.assign(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        if (fields.size() >= maxFields)
            break;
        skipBlanks();
        if (i < n && line[i] == ',') {
            // Only a comma that is the very last character opens a trailing empty field; "a, "
            // is one field, as older releases read it.
            if (i + 1 == n)
                fields.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return fields;
}

} // namespace

std::vector<std::string> SplitBackupLine(std::string_view line)
{
    return SplitFields(line, std::string_view::npos);
}

Ttqhd BackupPlanLine::ToEntry() const
{
    Ttqhd entry;
    entry.tqdate = tqdate;
    entry.tqse = tqse;
    entry.sdajqs = sdajqs;
    entry.tqhdType = tqhdType;
    entry.oneover = oneoverText == "Y";
    return entry;
}

std::string BackupPlanLine::ItemText() const
{
    return tqdate + " " + tqhdType + "<=> " + GeneralNumberText(tqse) + " 元 " +
           GeneralNumberText(sdajqs) + " 期 " + oneoverText;
}

BackupPlanLine FromEntry(const Ttqhd& entry)
{
    BackupPlanLine line;
    line.tqdate = entry.tqdate;
    line.tqse = entry.tqse;
    line.sdajqs = entry.sdajqs;
    line.tqhdType = entry.tqhdType;
    line.oneoverText = entry.oneover ? 'Y' : 'N';
    return line;
}

std::variant<BackupFile, BackupError> ParseBackup(std::string_view fileBytes)
{
    if (fileBytes.empty())
        return Refuse(0, msg::kFileEmpty);
    const std::optional<std::string> text = GbkToUtf8(fileBytes);
    if (!text) {
        const std::size_t line = FirstNonGbkLine(fileBytes);
        return Refuse(line, LineText(line) + msg::kLineNotGbk);
    }

    LineReader reader(*text);
    std::string_view line;
    reader.Next(line); // the text is not empty, so there is a line 1
    std::vector<std::string> inputFields = SplitFields(line, kInputFieldsWithLoanType);
    if (inputFields.empty())
        return Refuse(1, LineText(1) + msg::kLineBlank);
    if (auto error = CheckInputLine(inputFields))
        return *error;
    BackupFile file;
    file.inputFields = std::move(inputFields);

    // Blank lines at the end are what editors leave behind; only those are forgiven.
    std::size_t lineNumber = 1;
    std::size_t firstBlank = 0;
    while (reader.Next(line)) {
        ++lineNumber;
        const std::vector<std::string> fields = SplitFields(line, kPlanFields);
        if (fields.empty()) {
            if (firstBlank == 0)
                firstBlank = lineNumber;
            continue;
        }
        if (firstBlank != 0)
            return Refuse(firstBlank, LineText(firstBlank) + msg::kLineBlankBeforeMore);
        auto plan = ReadPlanLine(fields, lineNumber);
        if (auto* error = std::get_if<BackupError>(&plan))
            return std::move(*error);
        file.plan.push_back(std::move(std::get<BackupPlanLine>(plan)));
    }
    return file;
}

std::optional<std::string> BackupBytes(const BackupFile& file)
{
    std::string text;
    if (!AppendLine(text, file.inputFields))
        return std::nullopt;
    for (const BackupPlanLine& line : file.plan) {
        const std::vector<std::string> fields{line.tqdate, GeneralNumberText(line.tqse),
                                              GeneralNumberText(line.sdajqs), line.tqhdType,
                                              line.oneoverText};
        if (!AppendLine(text, fields))
            return std::nullopt;
    }
    return Utf8ToGbk(text);
}

std::optional<std::string> WriteBackupFile(const std::string& path, const BackupFile& file)
{
    const std::optional<std::string> bytes = BackupBytes(file);
    if (!bytes)
        return std::string(msg::kBackupUnwritable);
    return WriteFileAtomically(path, *bytes);
}

std::variant<BackupFile, BackupError> ReadBackupFile(const std::string& path)
{
    std::string reason;
    const std::optional<std::string> bytes = ReadWholeFile(path, &reason);
    if (!bytes)
        return Refuse(0, msg::kFileUnreadable + reason);
    return ParseBackup(*bytes);
}

std::string BackupErrorText(const std::string& path, const BackupError& error)
{
    const std::string where = error.line > 0 ? path + ":" + std::to_string(error.line) : path;
    return where + ": " + msg::kNotABackupFile + error.reason;
}

} // namespace lumavo
