#include "files/backup.h"

#include "calc/plan.h"
#include "common/atomic_file.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/text.h"

#include <array>
#include <cmath>
#include <utility>

namespace lumavo {

namespace {

struct NumberInput
{
    InputField field;
    const char* name;
};

// The fields of line 1 that land in number controls; the others are combo texts, checked by the
// next calculation.
constexpr std::array<NumberInput, 7> kInputNumberFields{{
    {InputField::Area, msg::kFieldArea},
    {InputField::Price, msg::kFieldPrice},
    {InputField::LoanTotal, msg::kFieldLoanTotal},
    {InputField::CommercialShare, msg::kFieldCommercialShare},
    {InputField::Periods, msg::kFieldPeriods},
    {InputField::RateS, msg::kFieldRateS},
    {InputField::RateG, msg::kFieldRateG},
}};

// Bytes 0..32: every blank and control character. UTF-8 multibyte bytes are all >= 0x80, so a
// Chinese character is never taken apart.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Users count fields from 1.
std::string FieldText(std::size_t line, std::size_t index, const char* name)
{
    return msg::FieldText(line, index + 1, name);
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
        return Refuse(1, msg::LineText(1) +
                             msg::TooFewFields(fields.size(), kInputFieldsWithoutLoanType));
    constexpr std::size_t mode = Index(InputField::Mode);
    constexpr std::size_t loanType = Index(InputField::LoanType);
    int index = 0;
    if (!ParseWholeNumber(fields[mode], index))
        return Refuse(1, FieldText(1, mode, msg::kFieldMode) + msg::kFieldNotWhole);
    for (const NumberInput& number : kInputNumberFields) {
        const std::size_t at = Index(number.field);
        // An empty number field leaves the control as it was.
        if (fields[at].empty())
            continue;
        double value = 0;
        if (auto error = CheckNumber(fields[at], 1, at, number.name, value))
            return error;
        // The periods field takes digits only; a fraction would need one more row than the
        // schedule grid has.
        if (number.field == InputField::Periods && value != std::floor(value))
            return Refuse(1, FieldText(1, at, number.name) + msg::kFieldNotWhole);
    }
    if (fields.size() > loanType && !ParseWholeNumber(fields[loanType], index))
        return Refuse(1, FieldText(1, loanType, msg::kFieldLoanType) + msg::kFieldNotWhole);
    return std::nullopt;
}

std::variant<BackupPlanLine, BackupError> ReadPlanLine(const std::vector<std::string>& fields,
                                                       std::size_t line)
{
    if (fields.size() < kPlanFields)
        return Refuse(line, msg::LineText(line) + msg::TooFewFields(fields.size(), kPlanFields));
    constexpr std::size_t amount = Index(PlanField::Amount);
    constexpr std::size_t shorten = Index(PlanField::Shorten);
    constexpr std::size_t part = Index(PlanField::Part);
    BackupPlanLine plan;
    plan.tqdate = fields[Index(PlanField::Date)];
    if (auto error = CheckNumber(fields[amount], line, amount, msg::kFieldPlanAmount, plan.tqse))
        return *error;
    if (auto error =
            CheckNumber(fields[shorten], line, shorten, msg::kFieldPlanShorten, plan.sdajqs))
        return *error;
    if (fields[part].empty())
        return Refuse(line, FieldText(line, part, msg::kFieldPlanPart) + msg::kFieldEmpty);
    plan.tqhdType = fields[part].substr(0, FirstCharacterLength(fields[part]));
    plan.oneoverText = fields[Index(PlanField::OneOver)];
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
    if (const std::optional<LoanPart> part = PartOfLetter(tqhdType))
        entry.tqhdType = *part;
    else
        entry.tqhdType = tqhdType;
    entry.oneover = oneoverText == "Y";
    return entry;
}

std::string BackupPlanLine::ItemText() const
{
    return PlanItemText(tqdate, tqhdType, tqse, sdajqs, oneoverText);
}

BackupPlanLine FromEntry(const Ttqhd& entry)
{
    BackupPlanLine line;
    line.tqdate = entry.tqdate;
    line.tqse = entry.tqse;
    line.sdajqs = entry.sdajqs;
    line.tqhdType = TypeText(entry);
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
        return Refuse(line, msg::LineText(line) + msg::kLineNotGbk);
    }

    LineReader reader(*text);
    std::string_view line;
    reader.Next(line); // the text is not empty, so there is a line 1
    std::vector<std::string> inputFields = SplitFields(line, kInputFieldsWithLoanType);
    if (inputFields.empty())
        return Refuse(1, msg::LineText(1) + msg::kLineBlank);
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
            return Refuse(firstBlank, msg::LineText(firstBlank) + msg::kLineBlankBeforeMore);
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
        std::vector<std::string> fields(kPlanFields);
        fields[Index(PlanField::Date)] = line.tqdate;
        fields[Index(PlanField::Amount)] = GeneralNumberText(line.tqse);
        fields[Index(PlanField::Shorten)] = GeneralNumberText(line.sdajqs);
        fields[Index(PlanField::Part)] = line.tqhdType;
        fields[Index(PlanField::OneOver)] = line.oneoverText;
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
