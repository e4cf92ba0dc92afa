#include "files/zip_archive.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>
#include <unzip.h>

namespace lumavo {

namespace {

constexpr uLong kEncrypted = 1;

// The archive's bytes as the file minizip reads through its I/O calls: Debian's minizip 1.1 has
// no reader over memory of its own.
struct MemoryFile
{
    std::string_view bytes;
    std::size_t at = 0;
};

MemoryFile& FileOf(voidpf stream)
{
    return *static_cast<MemoryFile*>(stream);
}

voidpf OpenMemory(voidpf opaque, const void*, int)
{
    return opaque;
}

uLong ReadMemory(voidpf, voidpf stream, void* buffer, uLong size)
{
    MemoryFile& file = FileOf(stream);
    const std::size_t count = std::min<std::size_t>(size, file.bytes.size() - file.at);
    std::memcpy(buffer, file.bytes.data() + file.at, count);
    file.at += count;
    return count;
}

ZPOS64_T TellMemory(voidpf, voidpf stream)
{
    return FileOf(stream).at;
}

// A seek outside the bytes fails, so minizip refuses an offset that points past them.
long SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    MemoryFile& file = FileOf(stream);
    std::size_t from = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        from = file.at;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        from = file.bytes.size();
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    if (offset > file.bytes.size() - from)
        return -1;
    file.at = from + offset;
    return 0;
}

int CloseMemory(voidpf, voidpf)
{
    return 0;
}

int ErrorOfMemory(voidpf, voidpf)
{
    return 0;
}

struct CloseZip
{
    void operator()(unzFile zip) const { unzClose(zip); }
};
using Zip = std::unique_ptr<std::remove_pointer_t<unzFile>, CloseZip>;

// Null when the bytes are no zip archive. `file` must outlive the result.
Zip OpenZip(MemoryFile& file)
{
    zlib_filefunc64_def calls{OpenMemory, ReadMemory,  nullptr,       TellMemory,
                              SeekMemory, CloseMemory, ErrorOfMemory, &file};
    return Zip(unzOpen2_64("", &calls));
}

// The member opened last into out, in chunks, stopping at the bound. minizip checks the CRC
// only once the recorded size has been read, so a stream that ends short is damaged too.
ZipArchive::Extracted
ReadCurrent(unzFile zip, ZPOS64_T recordedSize, std::size_t maxBytes, std::string& out)
{
    char chunk[65536];
    int made = 0;
    while ((made = unzReadCurrentFile(zip, chunk, sizeof chunk)) > 0) {
        if (static_cast<std::size_t>(made) > maxBytes - out.size()) {
            unzCloseCurrentFile(zip);
            return ZipArchive::Extracted::TooLarge;
        }
        out.append(chunk, static_cast<std::size_t>(made));
    }
    int closed = unzCloseCurrentFile(zip);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // The fuzzer changes a member's bytes, not its CRC: let it reach the XML behind them.
    if (closed == UNZ_CRCERROR)
        closed = UNZ_OK;
#endif
    return made == 0 && closed == UNZ_OK && out.size() == recordedSize
               ? ZipArchive::Extracted::Ok
               : ZipArchive::Extracted::Damaged;
}

} // namespace

std::optional<ZipArchive> ZipArchive::Open(std::string_view bytes)
{
    MemoryFile file{bytes};
    const Zip zip = OpenZip(file);
    if (!zip)
        return std::nullopt;
    // minizip reads one directory entry at a time; walking them all refuses a broken directory
    // here, as a whole, rather than member by member.
    int status = unzGoToFirstFile(zip.get());
    while (status == UNZ_OK)
        status = unzGoToNextFile(zip.get());
    if (status != UNZ_END_OF_LIST_OF_FILE)
        return std::nullopt;
    return ZipArchive(bytes);
}

ZipArchive::Extracted
ZipArchive::Extract(std::string_view name, std::size_t maxBytes, std::string& out) const
{
    out.clear();
    // minizip keeps its place in the directory, so each extraction opens its own reading.
    MemoryFile file{m_bytes};
    const Zip zip = OpenZip(file);
    if (!zip)
        return Extracted::Damaged;
    switch (unzLocateFile(zip.get(), std::string(name).c_str(), 1)) {
    case UNZ_OK:
        break;
    case UNZ_END_OF_LIST_OF_FILE:
    case UNZ_PARAMERROR: // longer than any name minizip holds
        return Extracted::Missing;
    default:
        return Extracted::Damaged;
    }
    unz_file_info64 info{};
    // minizip would read an encrypted member's bytes as if they were plain.
    if (unzGetCurrentFileInfo64(zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        (info.flag & kEncrypted) != 0 || unzOpenCurrentFile(zip.get()) != UNZ_OK)
        return Extracted::Damaged;
    const Extracted result = ReadCurrent(zip.get(), info.uncompressed_size, maxBytes, out);
    if (result != Extracted::Ok)
        out.clear();
    return result;
}

} // namespace lumavo
