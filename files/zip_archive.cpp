#include "files/zip_archive.h"

#include <algorithm>
#include <utility>
#include <zlib.h>

namespace lumavo {

namespace {

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint16_t kEncrypted = 1;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

// Little-endian integer of `width` bytes at `at`; the caller has checked the range.
std::uint32_t Le(std::string_view bytes, std::size_t at, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

bool HasSignature(std::string_view bytes, std::size_t at, char kind, char version)
{
    return at + 4 <= bytes.size() && bytes[at] == 'P' && bytes[at + 1] == 'K' &&
           bytes[at + 2] == kind && bytes[at + 3] == version;
}

// The end-of-central-directory record, searched from the end past a comment of up to 64 KiB.
std::optional<std::size_t> EndRecord(std::string_view bytes)
{
    if (bytes.size() < kEndRecordSize)
        return std::nullopt;
    const std::size_t last = bytes.size() - kEndRecordSize;
    const std::size_t first = last > 0xFFFF ? last - 0xFFFF : 0;
    for (std::size_t at = last + 1; at-- > first;)
        if (HasSignature(bytes, at, 5, 6))
            return at;
    return std::nullopt;
}

ZipArchive::Extracted Inflate(std::string_view packed, std::size_t maxBytes, std::string& out)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return ZipArchive::Extracted::Damaged;
    // zlib's interface takes non-const input; it does not write to it.
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    char chunk[65536];
    int status = Z_OK;
    auto result = ZipArchive::Extracted::Damaged;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        const std::size_t made = sizeof chunk - stream.avail_out;
        if (out.size() + made > maxBytes) {
            result = ZipArchive::Extracted::TooLarge;
            break;
        }
        out.append(chunk, made);
        if (status == Z_STREAM_END)
            result = ZipArchive::Extracted::Ok;
    }
    inflateEnd(&stream);
    return result;
}

} // namespace

std::optional<ZipArchive> ZipArchive::Open(std::string_view bytes)
{
    const std::optional<std::size_t> end = EndRecord(bytes);
    if (!end)
        return std::nullopt;
    const std::size_t entries = Le(bytes, *end + 10, 2);
    const std::size_t directorySize = Le(bytes, *end + 12, 4);
    const std::size_t directory = Le(bytes, *end + 16, 4);
    if (directory > *end || directorySize > *end - directory)
        return std::nullopt;
    ZipArchive archive(bytes);
    std::size_t at = directory;
    for (std::size_t i = 0; i < entries; ++i) {
        if (at + kDirectoryEntrySize > *end || !HasSignature(bytes, at, 1, 2))
            return std::nullopt;
        const std::size_t nameLength = Le(bytes, at + 28, 2);
        const std::size_t extraLength = Le(bytes, at + 30, 2);
        const std::size_t commentLength = Le(bytes, at + 32, 2);
        const std::size_t next =
            at + kDirectoryEntrySize + nameLength + extraLength + commentLength;
        if (next > *end)
            return std::nullopt;
        Member member;
        member.name = std::string(bytes.substr(at + kDirectoryEntrySize, nameLength));
        member.flags = static_cast<std::uint16_t>(Le(bytes, at + 8, 2));
        member.method = static_cast<std::uint16_t>(Le(bytes, at + 10, 2));
        member.packedSize = Le(bytes, at + 20, 4);
        member.size = Le(bytes, at + 24, 4);
        member.localOffset = Le(bytes, at + 42, 4);
        archive.m_members.push_back(std::move(member));
        at = next;
    }
    return archive;
}

ZipArchive::Extracted
ZipArchive::Extract(std::string_view name, std::size_t maxBytes, std::string& out) const
{
    out.clear();
    const auto member = std::find_if(m_members.begin(), m_members.end(),
                                     [&](const Member& m) { return m.name == name; });
    if (member == m_members.end())
        return Extracted::Missing;
    const std::size_t local = member->localOffset;
    if (local + kLocalHeaderSize > m_bytes.size() || !HasSignature(m_bytes, local, 3, 4) ||
        (member->flags & kEncrypted) != 0)
        return Extracted::Damaged;
    // The local header's sizes may be zero (written after the data); the directory's are not.
    const std::size_t data =
        local + kLocalHeaderSize + Le(m_bytes, local + 26, 2) + Le(m_bytes, local + 28, 2);
    if (data > m_bytes.size() || member->packedSize > m_bytes.size() - data)
        return Extracted::Damaged;
    const std::string_view packed = m_bytes.substr(data, member->packedSize);
    // No CRC check: every member read is parsed as XML, which refuses what a damaged one holds.
    Extracted result = Extracted::Damaged;
    if (member->method == kStored && packed.size() > maxBytes)
        result = Extracted::TooLarge;
    else if (member->method == kStored) {
        out = packed;
        result = Extracted::Ok;
    } else if (member->method == kDeflated)
        result = Inflate(packed, maxBytes, out);
    if (result != Extracted::Ok)
        out.clear();
    return result;
}

} // namespace lumavo
