#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The members of a zip archive held in memory, as an .xlsx workbook is one, read with minizip:
// each member inflated on demand into a bounded buffer, so a small archive that inflates to
// gigabytes is refused rather than followed, and checked against its recorded size and CRC.
namespace lumavo {

class ZipArchive
{
  public:
    // nullopt when the bytes hold no central directory, or one whose entries do not lie inside
    // them. The archive refers to the bytes; they must outlive it.
    static std::optional<ZipArchive> Open(std::string_view bytes);

    enum class Extracted
    {
        Ok,
        Missing,  // no member of that name
        Damaged,  // outside the bytes, encrypted, an unknown method, a broken stream or a wrong CRC
        TooLarge, // inflates to more than the bound
    };
    // The member's contents into out; out is left empty unless Ok.
    Extracted Extract(std::string_view name, std::size_t maxBytes, std::string& out) const;

  private:
    explicit ZipArchive(std::string_view bytes) : m_bytes(bytes) {}

    std::string_view m_bytes;
};

} // namespace lumavo
