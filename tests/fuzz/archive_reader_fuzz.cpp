// A hand-edited "percents.ini": start-up loads both tables through the real file path, and
// saving one table keeps every value of the other.
#include "common/archive.h"
#include "common/text.h"
#include "files/rate_archive.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// An in-memory file, so each input costs no disk write; the reader opens it by path.
int ArchiveFd()
{
    static const int fd = ::memfd_create("percents.ini", 0);
    if (fd < 0)
        std::abort();
    return fd;
}

std::string Key(int index)
{
    return "percent" + std::to_string(index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumavo;
    const int fd = ArchiveFd();
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const RateTable commercial = LoadRateTable(path, kCommercialRateSection);
    const RateTable provident = LoadRateTable(path, kProvidentRateSection);

    // The rewrite SaveRateTable does, minus the atomic file replacement.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document = IniDocument::Parse(bytes);
    RateTable saved = provident;
    saved.Set(0, commercial.At(0) + 1.5);
    for (int index = 0; index < RateTable::kEntries; ++index)
        document.SetValue(kCommercialRateSection, Key(index), GeneralNumberText(saved.At(index)));
    const IniDocument reread = IniDocument::Parse(document.Bytes());
    const IniDocument original = IniDocument::Parse(bytes);
    for (int index = 0; index < RateTable::kEntries; ++index) {
        if (reread.Value(kProvidentRateSection, Key(index)) !=
            original.Value(kProvidentRateSection, Key(index)))
            std::abort();
        if (reread.Value(kCommercialRateSection, Key(index)) != GeneralNumberText(saved.At(index)))
            std::abort();
    }
    return 0;
}
