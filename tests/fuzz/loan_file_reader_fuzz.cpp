// Whatever file a user picks as a 贷款方案: the reader gives a file or an error naming a line of
// it, never crashes, and what it gives writes out as a file it reads back the same; opening it
// on a page either works or names the text the page refuses.
#include "files/loan_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = lumavo::ParseLoanFile(bytes);
    if (const auto* error = std::get_if<lumavo::LoanFileError>(&parsed)) {
        const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        if (error->reason.empty() || error->line < 0 ||
            static_cast<std::size_t>(error->line) > lines + 1)
            std::abort();
        return 0;
    }
    const auto& file = std::get<lumavo::LoanFile>(parsed);
    const auto text = lumavo::LoanFileText(file);
    if (!text)
        std::abort(); // every text read was UTF-8, so it writes
    const auto again = lumavo::ParseLoanFile(*text);
    if (!std::holds_alternative<lumavo::LoanFile>(again) ||
        lumavo::LoanFileText(std::get<lumavo::LoanFile>(again)) != text)
        std::abort();
    const auto document = lumavo::DocumentFromLoanFile(file, 2026, std::nullopt);
    if (const auto* error = std::get_if<lumavo::LoanFileError>(&document))
        if (error->key.empty() || error->reason.empty())
            std::abort();
    return 0;
}
