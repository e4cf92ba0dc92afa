#include "files/json_value.h"

#include "common/messages.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <unordered_set>

namespace lumavo::json {

namespace {

// Length of the UTF-8 sequence at the start of bytes, 0 when it is not a valid one.
std::size_t SequenceLength(std::string_view bytes)
{
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong below
        else if (lead == 0xED)
            high = 0x9F; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // past U+10FFFF above
    } else
        return 0;
    if (bytes.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// Where the first invalid byte is, or npos.
std::size_t FirstNonUtf8(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = SequenceLength(bytes.substr(at));
        if (length == 0)
            return at;
        at += length;
    }
    return std::string_view::npos;
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Parser
{
  public:
    explicit Parser(std::string_view text) : m_text(text) {}

    std::variant<Value, Error> Run()
    {
        Value value;
        SkipSpace();
        if (auto error = ParseValue(value, 0))
            return *error;
        SkipSpace();
        if (m_pos != m_text.size())
            return Fail(msg::kJsonTrailing);
        return value;
    }

  private:
    Error Fail(std::string reason) const { return Error{m_line, std::move(reason)}; }

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return m_text[m_pos]; }

    void SkipSpace()
    {
        while (!AtEnd()) {
            const char c = Peek();
            if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++m_pos;
        }
    }

    bool Take(char c)
    {
        if (AtEnd() || Peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    bool TakeWord(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    std::optional<Error> ParseValue(Value& out, std::size_t depth)
    {
        if (++m_values > kMaxValues)
            return Fail(msg::JsonTooManyValues(kMaxValues));
        out.line = m_line;
        if (AtEnd())
            return Fail(msg::kJsonExpectedValue);
        switch (Peek()) {
        case '{':
            return ParseObject(out, depth + 1);
        case '[':
            return ParseArray(out, depth + 1);
        case '"':
            out.kind = Value::Kind::String;
            return ParseString(out.text);
        case 't':
        case 'f':
            out.kind = Value::Kind::Bool;
            out.boolean = Peek() == 't';
            if (TakeWord(out.boolean ? "true" : "false"))
                return std::nullopt;
            return Fail(msg::kJsonExpectedValue);
        case 'n':
            if (TakeWord("null"))
                return std::nullopt;
            return Fail(msg::kJsonExpectedValue);
        default:
            return ParseNumber(out);
        }
    }

    std::optional<Error> ParseArray(Value& out, std::size_t depth)
    {
        if (depth > kMaxDepth)
            return Fail(msg::JsonTooDeep(kMaxDepth));
        out.kind = Value::Kind::Array;
        ++m_pos; // '['
        SkipSpace();
        if (Take(']'))
            return std::nullopt;
        while (true) {
            SkipSpace();
            if (auto error = ParseValue(out.items.emplace_back(), depth))
                return error;
            SkipSpace();
            if (Take(']'))
                return std::nullopt;
            if (!Take(','))
                return Fail(msg::kJsonExpectedArrayEnd);
        }
    }

    std::optional<Error> ParseObject(Value& out, std::size_t depth)
    {
        if (depth > kMaxDepth)
            return Fail(msg::JsonTooDeep(kMaxDepth));
        out.kind = Value::Kind::Object;
        ++m_pos; // '{'
        SkipSpace();
        if (Take('}'))
            return std::nullopt;
        // A set, not a search of the keys so far: an object of a hundred thousand keys stays cheap.
        std::unordered_set<std::string> seen;
        while (true) {
            SkipSpace();
            if (AtEnd() || Peek() != '"')
                return Fail(msg::kJsonExpectedKey);
            std::string key;
            if (auto error = ParseString(key))
                return error;
            if (!seen.insert(key).second)
                return Fail(msg::JsonDuplicateKey(key));
            SkipSpace();
            if (!Take(':'))
                return Fail(msg::kJsonExpectedColon);
            SkipSpace();
            out.keys.push_back(std::move(key));
            if (auto error = ParseValue(out.items.emplace_back(), depth))
                return error;
            SkipSpace();
            if (Take('}'))
                return std::nullopt;
            if (!Take(','))
                return Fail(msg::kJsonExpectedObjectEnd);
        }
    }

    // Four hex digits after "\u".
    std::optional<std::uint32_t> Hex4()
    {
        if (m_text.size() - m_pos < 4)
            return std::nullopt;
        std::uint32_t code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= static_cast<std::uint32_t>(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return code;
    }

    // A "\u" escape, with the second half of a surrogate pair when the first asks for one.
    std::optional<Error> ParseUnicodeEscape(std::string& out)
    {
        auto code = Hex4();
        if (!code || (*code >= 0xDC00 && *code <= 0xDFFF))
            return Fail(msg::kJsonBadEscape);
        if (*code >= 0xD800 && *code <= 0xDBFF) {
            if (!TakeWord("\\u"))
                return Fail(msg::kJsonBadEscape);
            const auto low = Hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF)
                return Fail(msg::kJsonBadEscape);
            code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        AppendUtf8(out, *code);
        return std::nullopt;
    }

    std::optional<Error> ParseString(std::string& out)
    {
        ++m_pos; // '"'
        while (true) {
            if (AtEnd())
                return Fail(msg::kJsonUnterminatedString);
            const char c = m_text[m_pos++];
            if (c == '"')
                return std::nullopt;
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail(c == '\n' ? msg::kJsonUnterminatedString : msg::kJsonControlCharacter);
            if (c != '\\') {
                out += c;
                continue;
            }
            if (AtEnd())
                return Fail(msg::kJsonUnterminatedString);
            switch (m_text[m_pos++]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                if (auto error = ParseUnicodeEscape(out))
                    return error;
                break;
            default:
                return Fail(msg::kJsonBadEscape);
            }
        }
    }

    std::size_t Digits()
    {
        const std::size_t start = m_pos;
        while (!AtEnd() && Peek() >= '0' && Peek() <= '9')
            ++m_pos;
        return m_pos - start;
    }

    std::optional<Error> ParseNumber(Value& out)
    {
        const std::size_t start = m_pos;
        Take('-');
        if (AtEnd() || Peek() < '0' || Peek() > '9')
            return Fail(msg::kJsonExpectedValue);
        if (Take('0')) {
            if (!AtEnd() && Peek() >= '0' && Peek() <= '9')
                return Fail(msg::kJsonBadNumber); // no leading zeros
        } else
            Digits();
        if (Take('.') && Digits() == 0)
            return Fail(msg::kJsonBadNumber);
        if (Take('e') || Take('E')) {
            if (!Take('+'))
                Take('-');
            if (Digits() == 0)
                return Fail(msg::kJsonBadNumber);
        }
        const std::string_view written = m_text.substr(start, m_pos - start);
        const auto [end, error] =
            std::from_chars(written.data(), written.data() + written.size(), out.number);
        if (error != std::errc() || end != written.data() + written.size())
            return Fail(msg::kJsonBadNumber);
        out.kind = Value::Kind::Number;
        out.text.assign(written);
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    std::size_t m_values = 0;
};

} // namespace

const Value* Value::Find(std::string_view key) const
{
    if (kind != Kind::Object)
        return nullptr;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return &items[i];
    return nullptr;
}

std::variant<Value, Error> Parse(std::string_view text)
{
    if (const std::size_t bad = FirstNonUtf8(text); bad != std::string_view::npos) {
        const std::string_view before = text.substr(0, bad);
        const auto line = 1 + std::count(before.begin(), before.end(), '\n');
        return Error{static_cast<int>(line), msg::kJsonNotUtf8};
    }
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    return Parser(text).Run();
}

std::string Quoted(std::string_view utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string NumberText(double value)
{
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

bool IsUtf8(std::string_view bytes)
{
    return FirstNonUtf8(bytes) == std::string_view::npos;
}

} // namespace lumavo::json
