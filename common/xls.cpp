#include "common/xls.h"

#include "common/atomic_file.h"
#include "common/gbk.h"
#include "common/messages.h"

#include <cstdint>

namespace lumavo {

namespace {

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kWorksheet = 0x0010;
constexpr std::uint16_t kGbkCodePage = 936;
constexpr std::size_t kLabelHead = 8;
constexpr std::size_t kMaxField = 0xFFFF;

void PutU16(std::string& stream, std::size_t value)
{
    stream += static_cast<char>(value & 0xFF);
    stream += static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

void WriteXlsLabel(std::string& stream, int column, int row, std::string_view gbkText)
{
    PutU16(stream, kLabel);
    PutU16(stream, kLabelHead + gbkText.size());
    PutU16(stream, static_cast<std::size_t>(row));
    PutU16(stream, static_cast<std::size_t>(column));
    PutU16(stream, 0);
    PutU16(stream, gbkText.size());
    stream += gbkText;
}

std::optional<std::string> WorksheetBytes(const TextGrid& grid)
{
    if (grid.columns < 0 || grid.rows < 0 ||
        static_cast<std::size_t>(grid.columns) > kMaxField + 1 ||
        static_cast<std::size_t>(grid.rows) > kMaxField + 1)
        return std::nullopt;

    std::string stream;
    PutU16(stream, kBof);
    PutU16(stream, 8);
    PutU16(stream, 0);
    PutU16(stream, kWorksheet);
    PutU16(stream, 0);
    PutU16(stream, 0);
    // Without it a spreadsheet program outside a Chinese locale reads the GBK texts in its own
    // code page and shows garbage.
    PutU16(stream, kCodePage);
    PutU16(stream, 2);
    PutU16(stream, kGbkCodePage);

    for (int column = 0; column < grid.columns; ++column) {
        for (int row = 0; row < grid.rows; ++row) {
            const auto gbk = Utf8ToGbk(grid.At(column, row));
            if (!gbk || gbk->size() > kMaxField - kLabelHead)
                return std::nullopt;
            WriteXlsLabel(stream, column, row, *gbk);
        }
    }

    PutU16(stream, kEof);
    PutU16(stream, 0);
    return stream;
}

std::optional<std::string> WriteWorksheetFile(const std::string& path, const TextGrid& grid)
{
    const auto bytes = WorksheetBytes(grid);
    if (!bytes)
        return path + ": " + msg::kWorksheetUnwritable;
    return WriteFileAtomically(path, *bytes);
}

} // namespace lumavo
