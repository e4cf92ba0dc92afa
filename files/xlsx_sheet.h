#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Rows of cells as a text file or a worksheet holds them, before any column means anything; and
// the reader of an .xlsx workbook's first sheet into them.
namespace lumavo {

struct SheetCell
{
    int column = 0; // 1-based
    std::string text;
    std::optional<double> number; // a worksheet's number cell: its value, the text as stored
    bool percent = false;         // shown as a percentage: 0.042 for "4.20%"
};

struct SheetRow
{
    int line = 0;                 // 1-based row of the file or the sheet
    std::vector<SheetCell> cells; // ascending columns, empty cells left out or empty
};

struct FirstSheet
{
    std::vector<SheetRow> rows;
    bool date1904 = false; // the workbook counts its date numbers from 1904, not 1900
};

enum class WorkbookFault
{
    Damaged,  // not a zip, no sheet, broken XML or a cell reference that names no cell
    TooLarge, // a part inflates to more than the bound
};

// An XML part of the workbook larger than this, inflated, is refused: a loan's history is far
// smaller, and the bound keeps a zip bomb from costing memory.
inline constexpr std::size_t kMostWorkbookPartBytes = 32u << 20;

// The first sheet named in xl/workbook.xml (xl/worksheets/sheet1.xml when there is none), its
// cells placed by their references, shared and inline strings resolved (rich text runs
// joined, phonetic runs left out), number cells in a percentage format marked.
std::variant<FirstSheet, WorkbookFault> ReadFirstSheet(std::string_view bytes);

} // namespace lumavo
