#include "common/gbk.h"

#include <cerrno>
#include <iconv.h>

namespace lumavo {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view input)
{
    // ASCII is the same in both encodings; most texts (numbers, dates' digits) need no iconv.
    bool ascii = true;
    for (const char c : input)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return std::string(input);

    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string output(input.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG) {
            const std::size_t used = output.size() - outLeft;
            output.resize(output.size() * 2);
            out = output.data() + used;
            outLeft = output.size() - used;
            continue;
        }
        ok = false; // EILSEQ or EINVAL: not representable, or cut in the middle of a character
        break;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

} // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8)
{
    return Convert("GBK", "UTF-8", utf8);
}

std::optional<std::string> GbkToUtf8(std::string_view gbk)
{
    return Convert("UTF-8", "GBK", gbk);
}

} // namespace lumavo
