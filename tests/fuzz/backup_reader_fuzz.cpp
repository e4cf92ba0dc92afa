// Whatever file a user picks for import: the reader gives a parsed file or an error that names a
// line of that file, and never crashes or reads outside the bytes.
#include "files/backup.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = lumavo::ParseBackup(bytes);
    if (const auto* error = std::get_if<lumavo::BackupError>(&parsed)) {
        const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        if (error->reason.empty() || error->line < 0 ||
            static_cast<std::size_t>(error->line) > lines + 1)
            std::abort();
        return 0;
    }
    const auto& file = std::get<lumavo::BackupFile>(parsed);
    if (file.inputFields.size() < 17 || file.inputFields.size() > 18)
        std::abort();
    // What the save button does with an imported file must not crash either.
    (void)lumavo::BackupBytes(file);
    return 0;
}
