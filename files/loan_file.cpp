#include "files/loan_file.h"

#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/text.h"
#include "files/json_value.h"

#include <cctype>
#include <cmath>
#include <utility>

namespace lumavo {

namespace {

using json::Value;
using Kind = Value::Kind;

// How a form text stands in the file. The texts stay texts (as the fields show them, so they
// apply back to the same form); the choices that are no field text are typed values.
enum class Shape
{
    Text,     // a picker's text
    Number,   // a number field's text: empty, or a number not below zero
    Whole,    // the same, a whole number
    Mode,     // -1, 0 or 1
    LoanType, // -1 .. 2
    Flag,     // fixed_rate: true or false
};

struct FormKey
{
    FormField field;
    const char* name;
    Shape shape;
};

constexpr std::array<FormKey, kFormFieldsWithLoanType> kFormKeys{{
    {FormField::Mode, "mode", Shape::Mode},
    {FormField::Area, "area", Shape::Number},
    {FormField::Price, "price", Shape::Number},
    {FormField::Ratio, "ratio", Shape::Text},
    {FormField::LoanTotal, "loan_total", Shape::Number},
    {FormField::CommercialShare, "commercial_share", Shape::Number},
    {FormField::Years, "years", Shape::Text},
    {FormField::Periods, "periods", Shape::Whole},
    {FormField::RateKind, "fixed_rate", Shape::Flag},
    {FormField::RateS, "rate_s", Shape::Number},
    {FormField::RateG, "rate_g", Shape::Number},
    {FormField::LendingYear, "lending_year", Shape::Text},
    {FormField::LendingMonth, "lending_month", Shape::Text},
    {FormField::LendingDay, "lending_day", Shape::Text},
    {FormField::FirstYear, "first_payment_year", Shape::Text},
    {FormField::FirstMonth, "first_payment_month", Shape::Text},
    {FormField::FirstDay, "first_payment_day", Shape::Text},
    {FormField::LoanType, "loan_type", Shape::LoanType},
}};

struct RuleName
{
    RuleKind kind;
    const char* name; // as lumavo-cli's --rates-rule and --pf-rule name it
};

constexpr std::array<RuleName, 4> kRuleNames{{
    {RuleKind::LprPlus, "lpr"},
    {RuleKind::BenchmarkTimes, "benchmark"},
    {RuleKind::Converted, "converted"},
    {RuleKind::Provident, "pf"},
}};

const char* MethodName(Method method)
{
    return method == Method::Debx ? "debx" : "debj";
}

// Writing

// Collects the text; a string that is not UTF-8 spoils the whole file.
class Writer
{
  public:
    void Line(int indent, const std::string& text)
    {
        m_text.append(static_cast<std::size_t>(indent) * 2, ' ');
        m_text += text;
        m_text += '\n';
    }
    std::string String(std::string_view text)
    {
        if (!json::IsUtf8(text))
            m_ok = false;
        return json::Quoted(text);
    }
    std::string Number(double value)
    {
        if (!std::isfinite(value)) {
            m_ok = false;
            return "0";
        }
        return json::NumberText(value);
    }
    // "key": value
    std::string Member(std::string_view key, const std::string& value)
    {
        return json::Quoted(key) + ": " + value;
    }
    void Fail() { m_ok = false; }
    std::optional<std::string> Text() const
    {
        return m_ok ? std::optional<std::string>(m_text) : std::nullopt;
    }

  private:
    std::string m_text;
    bool m_ok = true;
};

std::string FormValue(Writer& out, const std::string& text, Shape shape)
{
    int whole = 0;
    switch (shape) {
    case Shape::Mode:
    case Shape::LoanType:
        if (!ParseWholeNumber(text, whole))
            out.Fail();
        return std::to_string(whole);
    case Shape::Flag:
        return text == "1" ? "true" : "false";
    default:
        return out.String(text);
    }
}

void WriteForm(Writer& out, const FormTexts& form)
{
    out.Line(2, "\"form\": {");
    for (std::size_t i = 0; i < kFormKeys.size(); ++i) {
        const FormKey& key = kFormKeys[i];
        const std::string text =
            Index(key.field) < form.fields.size() ? form.Field(key.field) : std::string();
        out.Line(3, out.Member(key.name, FormValue(out, text, key.shape)) +
                        (i + 1 < kFormKeys.size() ? "," : ""));
    }
    out.Line(2, "},");
}

// One entry per line, so a plan reads as the list shows it.
void WritePlan(Writer& out, const std::vector<Ttqhd>& plan)
{
    if (plan.empty()) {
        out.Line(2, "\"plan\": [],");
        return;
    }
    out.Line(2, "\"plan\": [");
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Ttqhd& entry = plan[i];
        out.Line(3, "{" + out.Member("date", out.String(entry.tqdate)) + ", " +
                        out.Member("amount", out.Number(entry.tqse)) + ", " +
                        out.Member("shorten", out.Number(entry.sdajqs)) + ", " +
                        out.Member("part", out.String(TypeText(entry))) + ", " +
                        out.Member("pay_off", entry.oneover ? "true" : "false") + "}" +
                        (i + 1 < plan.size() ? "," : ""));
    }
    out.Line(2, "],");
}

std::string RuleValue(Writer& out, const RateRule& rule)
{
    const char* name = "";
    for (const RuleName& known : kRuleNames)
        if (known.kind == rule.kind)
            name = known.name;
    return "{" + out.Member("kind", json::Quoted(name)) + ", " +
           out.Member("number", out.Number(rule.number)) + "}";
}

void WriteTable(Writer& out,
                const char* part,
                const RateTable& table,
                const std::optional<RateRule>& rule,
                bool last)
{
    out.Line(3, json::Quoted(part) + ": {");
    if (rule)
        out.Line(4, out.Member("rule", RuleValue(out, *rule)) + ",");
    // Entries are rounded to three decimals, and reading rounds them again: the shorter text
    // ("5.31", not the double's "5.3100000000000005") gives the same entry back.
    std::string rates;
    for (int n = 0; n < RateTable::kEntries; ++n)
        rates += (n > 0 ? ", " : "") + GeneralNumberText(table.At(n));
    out.Line(4, out.Member("rates", "[" + rates + "]"));
    out.Line(3, last ? "}" : "},");
}

void WriteAdjustments(Writer& out, const std::vector<RateAdjustment>& adjustments)
{
    if (adjustments.empty()) {
        out.Line(2, "\"rate_adjustments\": [],");
        return;
    }
    out.Line(2, "\"rate_adjustments\": [");
    for (std::size_t i = 0; i < adjustments.size(); ++i) {
        const RateAdjustment& adjustment = adjustments[i];
        out.Line(3, "{" + out.Member("date", json::Quoted(IsoDateText(adjustment.date))) + ", " +
                        out.Member("part", json::Quoted(PartLetter(adjustment.part))) + ", " +
                        out.Member("rate", out.Number(adjustment.rate)) + "}" +
                        (i + 1 < adjustments.size() ? "," : ""));
    }
    out.Line(2, "],");
}

// One record per line, its optional values only when the bank gave them.
std::string RecordValue(Writer& out, const BankRecord& record)
{
    std::string text = "{" + out.Member("date", json::Quoted(IsoDateText(record.date))) + ", " +
                       out.Member("principal", out.Number(record.principal)) + ", " +
                       out.Member("interest", out.Number(record.interest));
    const std::pair<const char*, const std::optional<double>*> optional[] = {
        {"balance", &record.balance}, {"payment", &record.payment}, {"rate", &record.rate}};
    for (const auto& [name, value] : optional)
        if (*value)
            text += ", " + out.Member(name, out.Number(**value));
    if (record.period)
        text += ", " + out.Member("period", std::to_string(*record.period));
    if (!record.type.empty())
        text += ", " + out.Member("type", out.String(record.type));
    return text + "}";
}

// The last member of the loan: the bank rounding always, the statement when it has rows.
void WriteBankRows(Writer& out, bool bankRounding, const BankStatement& statement)
{
    const bool rows = !statement.records.empty();
    out.Line(2, out.Member("bank_rounding", bankRounding ? "true" : "false") + (rows ? "," : ""));
    if (!rows)
        return;
    out.Line(2, "\"bank_statement\": {");
    out.Line(3, out.Member("part", json::Quoted(PartLetter(statement.part))) + ",");
    out.Line(3, "\"records\": [");
    for (std::size_t i = 0; i < statement.records.size(); ++i)
        out.Line(4, RecordValue(out, statement.records[i]) +
                        (i + 1 < statement.records.size() ? "," : ""));
    out.Line(3, "]");
    out.Line(2, "}");
}

// Reading

LoanFileError Refuse(const Value& at, std::string key, std::string reason)
{
    return LoanFileError{at.line, std::move(key), std::move(reason)};
}

std::string Child(const std::string& path, std::string_view name)
{
    return path.empty() ? std::string(name) : path + "." + std::string(name);
}

std::string Item(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index + 1) + "]";
}

// Reads the values of a file that passed the JSON syntax, key by key. Unknown keys are refused
// in a file of this version (a typo would otherwise pass unnoticed) and skipped in a newer
// minor version, whose additions this reader cannot know.
class Reader
{
  public:
    using Result = std::optional<LoanFileError>;

    void SkipUnknownKeys(bool skip) { m_skipUnknown = skip; }

    Result Expect(const Value& value, const std::string& key, Kind kind) const
    {
        if (value.kind == kind)
            return std::nullopt;
        const char* reason = msg::kExpectString;
        if (kind == Kind::Number)
            reason = msg::kExpectNumber;
        else if (kind == Kind::Bool)
            reason = msg::kExpectBool;
        else if (kind == Kind::Object)
            reason = msg::kExpectObject;
        else if (kind == Kind::Array)
            reason = msg::kExpectArray;
        return Refuse(value, key, reason);
    }

    // The object's keys are all among the known ones.
    Result Keys(const Value& object,
                const std::string& path,
                const std::vector<std::string_view>& known) const
    {
        if (m_skipUnknown)
            return std::nullopt;
        for (std::size_t i = 0; i < object.keys.size(); ++i) {
            const std::string& name = object.keys[i];
            bool found = false;
            for (const std::string_view k : known)
                found = found || k == name;
            if (!found)
                return Refuse(object.items[i], Child(path, name), msg::kKeyUnknown);
        }
        return std::nullopt;
    }

    // A member that must be there, of that kind.
    Result Required(const Value& object,
                    const std::string& path,
                    std::string_view name,
                    Kind kind,
                    const Value*& out) const
    {
        out = object.Find(name);
        if (!out)
            return Refuse(object, Child(path, name), msg::kKeyMissing);
        return Expect(*out, Child(path, name), kind);
    }

    // A member that may be left out (out stays null), of that kind when it is there.
    Result Optional(const Value& object,
                    const std::string& path,
                    std::string_view name,
                    Kind kind,
                    const Value*& out) const
    {
        out = object.Find(name);
        return out ? Expect(*out, Child(path, name), kind) : std::nullopt;
    }

  private:
    bool m_skipUnknown = false;
};

// "1.0" -> 1, 0; nothing for another shape.
bool ParseVersion(const std::string& text, int& major, int& minor)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos)
        return false;
    const std::string majorText = text.substr(0, dot);
    const std::string minorText = text.substr(dot + 1);
    return ParseDigits(majorText, major) && ParseDigits(minorText, minor);
}

std::optional<LoanFileError> ReadVersion(const Value& root, Reader& reader)
{
    const Value* format = nullptr;
    if (auto error = reader.Required(root, "", "format", Kind::String, format))
        return error;
    if (format->text != kLoanFileFormat)
        return Refuse(*format, "format", msg::kLoanFileNotOurs);
    const Value* version = nullptr;
    if (auto error = reader.Required(root, "", "version", Kind::String, version))
        return error;
    int major = 0, minor = 0;
    if (!ParseVersion(version->text, major, minor) || major < 1)
        return Refuse(*version, "version", msg::kLoanFileBadVersion);
    if (major > kLoanFileMajor)
        return Refuse(*version, "version", msg::LoanFileNewerMajor(version->text, kLoanFileMajor));
    reader.SkipUnknownKeys(minor > kLoanFileMinor);
    return std::nullopt;
}

std::optional<LoanFileError> ReadNumberText(const Value& value, const std::string& key, bool whole)
{
    if (value.text.empty())
        return std::nullopt; // the field keeps the value it holds, as in a .bak
    double number = 0;
    if (!ParseNumber(value.text, number))
        return Refuse(value, key, msg::kFieldNotNumber);
    if (number < 0)
        return Refuse(value, key, msg::kFieldNegative);
    if (whole && number != std::floor(number))
        return Refuse(value, key, msg::kFieldNotWhole);
    return std::nullopt;
}

std::optional<LoanFileError> ReadChoice(const Value& value,
                                        const std::string& key,
                                        int low,
                                        int high,
                                        const char* reason,
                                        std::string& text)
{
    const double n = value.number;
    if (n != std::floor(n) || n < low || n > high)
        return Refuse(value, key, reason);
    text = std::to_string(static_cast<int>(n));
    return std::nullopt;
}

std::optional<LoanFileError> ReadFormValue(const Reader& reader,
                                           const Value& value,
                                           const std::string& key,
                                           Shape shape,
                                           std::string& text)
{
    const Kind kind = shape == Shape::Flag                               ? Kind::Bool
                      : shape == Shape::Mode || shape == Shape::LoanType ? Kind::Number
                                                                         : Kind::String;
    if (auto error = reader.Expect(value, key, kind))
        return error;
    switch (shape) {
    case Shape::Mode:
        return ReadChoice(value, key, -1, 1, msg::kExpectMode, text);
    case Shape::LoanType:
        return ReadChoice(value, key, -1, 2, msg::kExpectLoanType, text);
    case Shape::Flag:
        text = value.boolean ? "1" : "0";
        return std::nullopt;
    case Shape::Number:
    case Shape::Whole:
        text = value.text;
        return ReadNumberText(value, key, shape == Shape::Whole);
    case Shape::Text:
        text = value.text;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<LoanFileError> ReadForm(const Reader& reader, const Value& loan, LoanFile& file)
{
    const std::string path = "loan.form";
    const Value* form = nullptr;
    if (auto error = reader.Required(loan, "loan", "form", Kind::Object, form))
        return error;
    file.form.fields.assign(kFormFieldsWithLoanType, std::string());
    std::vector<std::string_view> known;
    for (const FormKey& key : kFormKeys) {
        known.push_back(key.name);
        const Value* value = form->Find(key.name);
        if (!value)
            return Refuse(*form, Child(path, key.name), msg::kKeyMissing);
        std::string& text = file.form.fields[Index(key.field)];
        if (auto error = ReadFormValue(reader, *value, Child(path, key.name), key.shape, text))
            return error;
        file.formLines[Index(key.field)] = value->line;
    }
    return reader.Keys(*form, path, known);
}

// A number not below zero.
std::optional<LoanFileError> ReadAmount(const Reader& reader,
                                        const Value& object,
                                        const std::string& path,
                                        std::string_view name,
                                        double& out)
{
    const Value* value = nullptr;
    if (auto error = reader.Required(object, path, name, Kind::Number, value))
        return error;
    if (value->number < 0)
        return Refuse(*value, Child(path, name), msg::kFieldNegative);
    out = value->number;
    return std::nullopt;
}

std::optional<LoanFileError>
ReadPlanEntry(const Reader& reader, const Value& item, const std::string& path, Ttqhd& entry)
{
    if (auto error = reader.Expect(item, path, Kind::Object))
        return error;
    const Value* date = nullptr;
    const Value* part = nullptr;
    const Value* payOff = nullptr;
    if (auto error = reader.Required(item, path, "date", Kind::String, date))
        return error;
    if (auto error = ReadAmount(reader, item, path, "amount", entry.tqse))
        return error;
    if (auto error = ReadAmount(reader, item, path, "shorten", entry.sdajqs))
        return error;
    if (auto error = reader.Required(item, path, "part", Kind::String, part))
        return error;
    if (part->text.empty())
        return Refuse(*part, Child(path, "part"), msg::kFieldEmpty);
    if (auto error = reader.Required(item, path, "pay_off", Kind::Bool, payOff))
        return error;
    entry.tqdate = date->text;
    // A part the .bak's plan line named otherwise stays as written, as the plan list shows it.
    if (const auto letter = PartOfLetter(part->text))
        entry.tqhdType = *letter;
    else
        entry.tqhdType = part->text;
    entry.oneover = payOff->boolean;
    return reader.Keys(item, path, {"date", "amount", "shorten", "part", "pay_off"});
}

std::optional<LoanFileError> ReadPlan(const Reader& reader, const Value& loan, LoanFile& file)
{
    const Value* plan = nullptr;
    if (auto error = reader.Optional(loan, "loan", "plan", Kind::Array, plan); error || !plan)
        return error;
    for (std::size_t i = 0; i < plan->items.size(); ++i) {
        if (auto error = ReadPlanEntry(reader, plan->items[i], Item("loan.plan", i),
                                       file.plan.emplace_back()))
            return error;
    }
    return std::nullopt;
}

std::optional<LoanFileError> ReadRule(const Reader& reader,
                                      const Value& rule,
                                      const std::string& path,
                                      std::optional<RateRule>& out)
{
    if (auto error = reader.Expect(rule, path, Kind::Object))
        return error;
    const Value* kind = nullptr;
    const Value* number = nullptr;
    if (auto error = reader.Required(rule, path, "kind", Kind::String, kind))
        return error;
    if (auto error = reader.Required(rule, path, "number", Kind::Number, number))
        return error;
    for (const RuleName& known : kRuleNames)
        if (kind->text == known.name)
            out = RateRule{known.kind, number->number};
    if (!out)
        return Refuse(*kind, Child(path, "kind"), msg::kExpectRuleKind);
    return reader.Keys(rule, path, {"kind", "number"});
}

std::optional<LoanFileError> ReadTable(const Reader& reader,
                                       const Value& floating,
                                       const std::string& path,
                                       std::string_view part,
                                       RateTable& table,
                                       std::optional<RateRule>& rule)
{
    const Value* entry = nullptr;
    if (auto error = reader.Optional(floating, path, part, Kind::Object, entry); error || !entry)
        return error;
    const std::string at = Child(path, part);
    const Value* rates = nullptr;
    if (auto error = reader.Required(*entry, at, "rates", Kind::Array, rates))
        return error;
    if (rates->items.size() != static_cast<std::size_t>(RateTable::kEntries))
        return Refuse(*rates, Child(at, "rates"), msg::ExpectRates(RateTable::kEntries));
    for (int n = 0; n < RateTable::kEntries; ++n) {
        const Value& rate = rates->items[static_cast<std::size_t>(n)];
        if (auto error = reader.Expect(rate, Item(Child(at, "rates"), static_cast<std::size_t>(n)),
                                       Kind::Number))
            return error;
        table.Set(n, rate.number);
    }
    if (const Value* filled = entry->Find("rule"))
        if (auto error = ReadRule(reader, *filled, Child(at, "rule"), rule))
            return error;
    return reader.Keys(*entry, at, {"rule", "rates"});
}

std::optional<LoanFileError> ReadFloating(const Reader& reader, const Value& loan, LoanFile& file)
{
    const Value* floating = nullptr;
    if (auto error = reader.Optional(loan, "loan", "floating", Kind::Object, floating);
        error || !floating)
        return error;
    const std::string path = "loan.floating";
    FloatingTables tables;
    if (auto error = ReadTable(reader, *floating, path, "S", tables.s, tables.ruleS))
        return error;
    if (auto error = ReadTable(reader, *floating, path, "G", tables.g, tables.ruleG))
        return error;
    file.floating = tables;
    return reader.Keys(*floating, path, {"S", "G"});
}

// A calendar day written YYYY-MM-DD.
std::optional<LoanFileError>
ReadIsoDate(const Reader& reader, const Value& object, const std::string& path, Date& out)
{
    const Value* date = nullptr;
    if (auto error = reader.Required(object, path, "date", Kind::String, date))
        return error;
    const std::optional<Date> day = ParseIsoDate(date->text);
    if (!day || !IsCalendarDate(*day))
        return Refuse(*date, Child(path, "date"), msg::kExpectIsoDate);
    out = *day;
    return std::nullopt;
}

std::optional<LoanFileError>
ReadPart(const Reader& reader, const Value& object, const std::string& path, LoanPart& out)
{
    const Value* part = nullptr;
    if (auto error = reader.Required(object, path, "part", Kind::String, part))
        return error;
    const std::optional<LoanPart> letter = PartOfLetter(part->text);
    if (!letter)
        return Refuse(*part, Child(path, "part"), msg::kExpectPart);
    out = *letter;
    return std::nullopt;
}

std::optional<LoanFileError> ReadAdjustment(const Reader& reader,
                                            const Value& item,
                                            const std::string& path,
                                            RateAdjustment& adjustment)
{
    if (auto error = reader.Expect(item, path, Kind::Object))
        return error;
    if (auto error = ReadIsoDate(reader, item, path, adjustment.date))
        return error;
    if (auto error = ReadPart(reader, item, path, adjustment.part))
        return error;
    if (auto error = ReadAmount(reader, item, path, "rate", adjustment.rate))
        return error;
    return reader.Keys(item, path, {"date", "part", "rate"});
}

std::optional<LoanFileError>
ReadAdjustments(const Reader& reader, const Value& loan, LoanFile& file)
{
    const Value* list = nullptr;
    if (auto error = reader.Optional(loan, "loan", "rate_adjustments", Kind::Array, list);
        error || !list)
        return error;
    for (std::size_t i = 0; i < list->items.size(); ++i)
        if (auto error = ReadAdjustment(reader, list->items[i], Item("loan.rate_adjustments", i),
                                        file.adjustments.emplace_back()))
            return error;
    return std::nullopt;
}

// Amounts as the bank booked them: a reversal may be negative, so only the kind is checked.
std::optional<LoanFileError> ReadRecordNumbers(const Reader& reader,
                                               const Value& item,
                                               const std::string& path,
                                               BankRecord& record)
{
    const Value* value = nullptr;
    for (const auto& [name, out] :
         {std::pair{"principal", &record.principal}, std::pair{"interest", &record.interest}}) {
        if (auto error = reader.Required(item, path, name, Kind::Number, value))
            return error;
        *out = value->number;
    }
    const std::pair<const char*, std::optional<double>*> optional[] = {
        {"balance", &record.balance}, {"payment", &record.payment}, {"rate", &record.rate}};
    for (const auto& [name, out] : optional) {
        if (auto error = reader.Optional(item, path, name, Kind::Number, value))
            return error;
        if (value)
            *out = value->number;
    }
    if (auto error = reader.Optional(item, path, "period", Kind::Number, value))
        return error;
    if (value) {
        if (value->number != std::floor(value->number) || value->number < 0 || value->number > 1e6)
            return Refuse(*value, Child(path, "period"), msg::kFieldNotWhole);
        record.period = static_cast<int>(value->number);
    }
    return std::nullopt;
}

std::optional<LoanFileError>
ReadRecord(const Reader& reader, const Value& item, const std::string& path, BankRecord& record)
{
    if (auto error = reader.Expect(item, path, Kind::Object))
        return error;
    // Messages about a kept row name where it stands in this file.
    record.line = item.line;
    if (auto error = ReadIsoDate(reader, item, path, record.date))
        return error;
    if (auto error = ReadRecordNumbers(reader, item, path, record))
        return error;
    const Value* type = nullptr;
    if (auto error = reader.Optional(item, path, "type", Kind::String, type))
        return error;
    if (type)
        record.type = type->text;
    return reader.Keys(
        item, path,
        {"date", "principal", "interest", "balance", "payment", "rate", "period", "type"});
}

std::optional<LoanFileError> ReadBankRows(const Reader& reader, const Value& loan, LoanFile& file)
{
    const Value* rounding = nullptr;
    if (auto error = reader.Optional(loan, "loan", "bank_rounding", Kind::Bool, rounding))
        return error;
    file.bankRounding = rounding && rounding->boolean;
    const Value* statement = nullptr;
    if (auto error = reader.Optional(loan, "loan", "bank_statement", Kind::Object, statement);
        error || !statement)
        return error;
    const std::string path = "loan.bank_statement";
    if (auto error = ReadPart(reader, *statement, path, file.statement.part))
        return error;
    const Value* records = nullptr;
    if (auto error = reader.Required(*statement, path, "records", Kind::Array, records))
        return error;
    for (std::size_t i = 0; i < records->items.size(); ++i)
        if (auto error = ReadRecord(reader, records->items[i], Item(Child(path, "records"), i),
                                    file.statement.records.emplace_back()))
            return error;
    return reader.Keys(*statement, path, {"part", "records"});
}

std::optional<LoanFileError> ReadMethod(const Reader& reader, const Value& loan, LoanFile& file)
{
    const Value* method = nullptr;
    if (auto error = reader.Optional(loan, "loan", "method", Kind::String, method);
        error || !method)
        return error;
    if (method->text != "debx" && method->text != "debj")
        return Refuse(*method, "loan.method", msg::kExpectMethod);
    file.method = method->text == "debx" ? Method::Debx : Method::Debj;
    return std::nullopt;
}

std::optional<LoanFileError> ReadLoan(Reader& reader, const Value& root, LoanFile& file)
{
    if (auto error = reader.Expect(root, "", Kind::Object))
        return error;
    if (auto error = ReadVersion(root, reader))
        return error;
    const Value* loan = nullptr;
    if (auto error = reader.Required(root, "", "loan", Kind::Object, loan))
        return error;
    for (auto read : {ReadMethod, ReadForm, ReadPlan, ReadFloating, ReadAdjustments, ReadBankRows})
        if (auto error = read(reader, *loan, file))
            return error;
    if (auto error = reader.Keys(*loan, "loan",
                                 {"method", "form", "plan", "floating", "rate_adjustments",
                                  "bank_rounding", "bank_statement"}))
        return error;
    return reader.Keys(root, "", {"format", "version", "loan"});
}

} // namespace

LoanFile LoanFileOf(const LoanDocument& document)
{
    LoanFile file;
    file.method = document.CalculationMethod();
    file.form = TextsOf(document.Form());
    file.plan = document.Plan().Entries();
    if (!document.Form().fixedRate)
        file.floating = document.Floating();
    file.adjustments = document.Adjustments();
    file.bankRounding = document.BankRounding();
    file.statement = document.Statement();
    return file;
}

std::optional<std::string> LoanFileText(const LoanFile& file)
{
    Writer out;
    out.Line(0, "{");
    out.Line(1, out.Member("format", json::Quoted(kLoanFileFormat)) + ",");
    out.Line(1, out.Member("version", json::Quoted(std::to_string(kLoanFileMajor) + "." +
                                                   std::to_string(kLoanFileMinor))) +
                    ",");
    out.Line(1, "\"loan\": {");
    if (file.method)
        out.Line(2, out.Member("method", json::Quoted(MethodName(*file.method))) + ",");
    WriteForm(out, file.form);
    WritePlan(out, file.plan);
    if (file.floating) {
        out.Line(2, "\"floating\": {");
        WriteTable(out, "S", file.floating->s, file.floating->ruleS, false);
        WriteTable(out, "G", file.floating->g, file.floating->ruleG, true);
        out.Line(2, "},");
    }
    WriteAdjustments(out, file.adjustments);
    WriteBankRows(out, file.bankRounding, file.statement);
    out.Line(1, "}");
    out.Line(0, "}");
    return out.Text();
}

std::variant<LoanFile, LoanFileError> ParseLoanFile(std::string_view bytes)
{
    if (bytes.size() > kMaxReadBytes)
        return LoanFileError{0, "", msg::FileTooLarge(kMaxReadBytes)};
    if (bytes.empty())
        return LoanFileError{0, "", msg::kFileEmpty};
    auto parsed = json::Parse(bytes);
    if (const auto* error = std::get_if<json::Error>(&parsed))
        return LoanFileError{error->line, "", error->reason};
    Reader reader;
    LoanFile file;
    if (auto error = ReadLoan(reader, std::get<Value>(parsed), file))
        return *error;
    return file;
}

std::optional<std::string> WriteLoanFile(const std::string& path, const LoanFile& file)
{
    const std::optional<std::string> text = LoanFileText(file);
    if (!text)
        return std::string(msg::kLoanFileUnwritable);
    return WriteFileAtomically(path, *text);
}

std::variant<LoanFile, LoanFileError> ReadLoanFile(const std::string& path)
{
    std::string reason;
    const std::optional<std::string> bytes = ReadWholeFile(path, &reason);
    if (!bytes)
        return LoanFileError{0, "", msg::kFileUnreadable + reason};
    return ParseLoanFile(*bytes);
}

std::string LoanFileErrorText(const std::string& path, const LoanFileError& error)
{
    const std::string where = error.line > 0 ? path + ":" + std::to_string(error.line) : path;
    const std::string reason =
        error.key.empty() ? error.reason : msg::LoanFileKeyError(error.key, error.reason);
    return where + ": " + msg::kNotALoanFile + reason;
}

bool IsLoanFileName(std::string_view path)
{
    if (path.size() < kLoanFileSuffix.size())
        return false;
    const std::string_view tail = path.substr(path.size() - kLoanFileSuffix.size());
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kLoanFileSuffix[i])
            return false;
    return true;
}

std::variant<FormMessages, LoanFileError> ApplyLoanFile(LoanForm& form, const LoanFile& file)
{
    auto applied = ApplyTexts(form, file.form);
    if (auto* error = std::get_if<FormTextsError>(&applied)) {
        if (!error->field)
            return LoanFileError{0, "loan.form", std::move(error->reason)};
        const std::size_t at = Index(*error->field);
        return LoanFileError{file.formLines[at], "loan.form." + std::string(kFormKeys[at].name),
                             std::move(error->reason)};
    }
    return std::get<FormMessages>(std::move(applied));
}

PlanList PlanOf(const LoanFile& file)
{
    PlanList plan;
    for (const Ttqhd& entry : file.plan)
        plan.Add(entry);
    return plan;
}

std::variant<LoanDocument, LoanFileError>
DocumentFromLoanFile(const LoanFile& file, int currentYear, std::optional<Method> method)
{
    LoanDocument document(method ? *method : file.method.value_or(Method::Debx));
    document.StartUp(currentYear + 3);
    LoanForm form = document.Form();
    const auto applied = ApplyLoanFile(form, file);
    if (const auto* error = std::get_if<LoanFileError>(&applied))
        return *error;
    document.Replace(std::move(form), PlanOf(file), file.adjustments);
    if (file.floating)
        document.Floating() = *file.floating;
    document.SetBankRounding(file.bankRounding);
    document.SetStatement(file.statement);
    return document;
}

} // namespace lumavo
