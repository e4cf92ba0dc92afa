#include "common/text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumavo {

double RoundToDecimals(double x, int decimals)
{
    // The divisor is the double nearest 10^-decimals, as the archive and the totals expect.
    // Literals, not pow(): the schedule asks this for every part in every month.
    static constexpr double kUnits[] = {1e4, 1e3, 1e2, 1e1, 1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6};
    const double unit =
        decimals >= -4 && decimals <= 6
            ? kUnits[decimals + 4]
            : (decimals >= 0 ? 1.0 / std::pow(10.0, decimals) : std::pow(10.0, -decimals));
    return std::nearbyint(x / unit) * unit;
}

namespace {

std::string FixedText(double x, int decimals)
{
    if (!std::isfinite(x))
        return "0";
    const double magnitude = std::fabs(x);
    // printf rounds exact ties to even; the program rounds them away from zero. An exact tie at
    // 0, 2 or 3 decimals is an odd multiple of 1/2, 1/8 or 1/16, so it is found exactly. Its text
    // one place further is exact and ends in 5, so the tie is rounded up in the text: the next
    // double above a tie lies a whole unit or more away from 2^46 (two decimals) on.
    const double probe = std::ldexp(magnitude, decimals == 2 ? 3 : decimals == 3 ? 4 : 1);
    const bool tie = probe == std::floor(probe) && std::fmod(probe, 2.0) == 1.0;
    char buffer[400]; // room for every digit of the largest double
    std::snprintf(buffer, sizeof buffer, "%.*f", tie ? decimals + 1 : decimals, magnitude);
    std::string text = buffer;
    if (tie) {
        text.pop_back();
        if (decimals == 0)
            text.pop_back();
        bool carry = true;
        for (std::size_t i = text.size(); carry && i-- > 0;) {
            if (text[i] == '.')
                continue;
            carry = text[i] == '9';
            text[i] = carry ? '0' : static_cast<char>(text[i] + 1);
        }
        if (carry)
            text.insert(text.begin(), '1');
    }
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    if (x < 0 && !zero)
        text.insert(text.begin(), '-');
    return text;
}

} // namespace

std::string MoneyText(double x)
{
    return FixedText(x, 2);
}
std::string RateText(double x)
{
    return FixedText(x, 3);
}
std::string CountText(double x)
{
    return FixedText(x, 0);
}

std::string MaskedText(double x, int decimals)
{
    switch (decimals) {
    case 0:
        return CountText(x);
    case 2:
        return MoneyText(x);
    default:
        return RateText(x);
    }
}

std::string GeneralNumberText(double x)
{
    if (x == 0 || !std::isfinite(x))
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", x);
    // buffer: [-]d.dddddddddddddde[+-]xx
    std::string text = buffer;
    const bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const std::size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string result;
    const double magnitude = std::fabs(x);
    if (magnitude >= 1e15 || magnitude < 1e-5) {
        result = digits.substr(0, 1);
        if (digits.size() > 1)
            result.append(1, '.').append(digits, 1);
        result.append(1, 'E').append(std::to_string(exponent));
    } else if (exponent < 0) {
        result = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            result = digits + std::string(intDigits - digits.size(), '0');
        } else {
            result = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    }
    return negative ? "-" + result : result;
}

bool ParseNumber(std::string_view text, double& out)
{
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    if (s.empty())
        return false;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    // strtod, not from_chars: it takes the leading "+" and the "1." form alike.
    errno = 0;
    const double value = std::strtod(trimmed.c_str(), nullptr);
    if (errno == ERANGE && std::fabs(value) > 1.0)
        return false;
    if (!std::isfinite(value))
        return false;
    out = value == 0 ? 0.0 : value;
    return true;
}

namespace {

// The code points of UTF-8 text; empty for text that is not UTF-8.
std::u32string CodePoints(std::string_view text)
{
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80       ? 1
                                   : lead >> 5 == 6  ? 2
                                   : lead >> 4 == 14 ? 3
                                   : lead >> 3 == 30 ? 4
                                                     : 0;
        if (length == 0 || i + length > text.size())
            return {};
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next >> 6 != 2)
                return {};
            point = point << 6 | (next & 0x3F);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

constexpr char32_t kYen = 0xA5;
constexpr char32_t kFullWidthYen = 0xFFE5;
constexpr char32_t kYuan = 0x5143;        // 元
constexpr char32_t kTenThousand = 0x4E07; // 万

// Full-width digits, point and comma as their ASCII forms; every kind of blank as " ".
char32_t Narrowed(char32_t c)
{
    if (c >= 0xFF10 && c <= 0xFF19)
        return U'0' + (c - 0xFF10);
    switch (c) {
    case 0xFF0E:
        return U'.';
    case 0xFF0C:
        return U',';
    case kFullWidthYen:
        return kYen;
    case U'\t':
    case 0xA0:   // no-break space
    case 0x2009: // thin space
    case 0x202F: // narrow no-break space
    case 0x3000: // ideographic space
        return U' ';
    default:
        return c;
    }
}

void TrimBlanks(std::u32string& s)
{
    while (!s.empty() && s.back() == U' ')
        s.pop_back();
    const std::size_t first = s.find_first_not_of(U' ');
    s.erase(0, first == std::u32string::npos ? s.size() : first);
}

bool IsDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// "1,234,567.5" or "1 234 567.5" as whole digits and fraction digits; one kind of separator,
// between groups of three.
bool SplitGroupedNumber(const std::u32string& s, std::string& whole, std::string& fraction)
{
    const std::size_t point = s.find(U'.');
    const std::u32string head = s.substr(0, point);
    const std::u32string tail = point == std::u32string::npos ? U"" : s.substr(point + 1);
    char32_t separator = 0;
    std::size_t group = 0;
    bool firstGroup = true;
    for (const char32_t c : head) {
        if (IsDigit(c)) {
            whole.push_back(static_cast<char>(c));
            ++group;
            continue;
        }
        if ((c != U',' && c != U' ') || (separator != 0 && c != separator) || group == 0 ||
            group > 3 || (!firstGroup && group != 3))
            return false;
        separator = c;
        firstGroup = false;
        group = 0;
    }
    if (separator != 0 && group != 3)
        return false;
    for (const char32_t c : tail) {
        if (!IsDigit(c))
            return false;
        fraction.push_back(static_cast<char>(c));
    }
    return !whole.empty() || !fraction.empty();
}

} // namespace

bool NormalizePastedNumber(std::string_view text, std::string& out)
{
    std::u32string s = CodePoints(text);
    for (char32_t& c : s)
        c = Narrowed(c);
    TrimBlanks(s);
    if (!s.empty() && s.front() == kYen)
        s.erase(0, 1);
    if (!s.empty() && s.back() == kYuan)
        s.pop_back();
    TrimBlanks(s);
    const bool tenThousands = !s.empty() && s.back() == kTenThousand;
    if (tenThousands)
        s.pop_back();
    TrimBlanks(s);
    std::string whole;
    std::string fraction;
    if (!SplitGroupedNumber(s, whole, fraction))
        return false;
    if (tenThousands) {
        // Moving the point in the text keeps 100.5万 exact, as multiplying a double would not.
        fraction.resize(std::max<std::size_t>(fraction.size(), 4), '0');
        whole += fraction.substr(0, 4);
        fraction.erase(0, 4);
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    out = (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction);
    return true;
}

bool ParseWholeNumber(std::string_view text, int& out)
{
    std::size_t start = 0;
    if (!text.empty() && text[0] == '+')
        start = 1;
    if (start == text.size() || (text[start] == '-' && start == 1))
        return false;
    int value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return false;
    out = value;
    return true;
}

bool ParseDigits(std::string_view text, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    out = value;
    return true;
}

std::string PadNumber(int value, int width)
{
    std::string digits = std::to_string(value < 0 ? -static_cast<long>(value) : value);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return std::string(text.substr(begin, end - begin));
}

} // namespace lumavo
