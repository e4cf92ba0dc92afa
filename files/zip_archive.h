#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The members of a zip archive held in memory, as an .xlsx workbook is one: the central
// directory read once, each member inflated on demand into a bounded buffer, so a small archive
// that inflates to gigabytes is refused rather than followed.
namespace lumavo {

class ZipArchive
{
  public:
    // nullopt when the bytes hold no central directory that lies inside them.
    static std::optional<ZipArchive> Open(std::string_view bytes);

    enum class Extracted
    {
        Ok,
        Missing,  // no member of that name
        Damaged,  // outside the bytes, encrypted, an unknown method or a broken stream
        TooLarge, // inflates to more than the bound
    };
    // The member's contents into out; out is left empty unless Ok.
    Extracted Extract(std::string_view name, std::size_t maxBytes, std::string& out) const;

  private:
    struct Member
    {
        std::string name;
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        std::uint32_t packedSize = 0;
        std::uint32_t size = 0;
        std::uint32_t localOffset = 0;
    };

    explicit ZipArchive(std::string_view bytes) : m_bytes(bytes) {}

    std::string_view m_bytes;
    std::vector<Member> m_members;
};

} // namespace lumavo
