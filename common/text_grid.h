#pragma once

#include <string>
#include <vector>

namespace lumavo {

// The texts of a grid as the user sees them, so writers never need a widget.
struct TextGrid
{
    int columns = 0;
    int rows = 0;
    std::vector<std::string> cells; // row-major, UTF-8

    static TextGrid Blank(int columnCount, int rowCount)
    {
        return TextGrid{columnCount, rowCount,
                        std::vector<std::string>(static_cast<std::size_t>(columnCount) *
                                                 static_cast<std::size_t>(rowCount))};
    }

    // Cells the vector does not reach read as empty, like the unfilled cells of a grid.
    const std::string& At(int column, int row) const
    {
        static const std::string empty;
        const std::size_t index = Index(column, row);
        return index < cells.size() ? cells[index] : empty;
    }

    std::string& At(int column, int row)
    {
        const std::size_t index = Index(column, row);
        if (index >= cells.size())
            cells.resize(index + 1);
        return cells[index];
    }

  private:
    std::size_t Index(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
               static_cast<std::size_t>(column);
    }
};

// The cells from (firstColumn, firstRow) to (lastColumn, lastRow) as tab-separated lines for
// pasting into a spreadsheet. The header row and the date column (row 0, column 0) always lead,
// since amounts without their column titles and payment dates mean nothing once pasted. Line
// breaks and tabs inside a text become blanks and the blanks around it go, so headers drawn on
// two lines and amounts padded for alignment paste as plain values. The range is clipped to
// the grid; every line ends in "\n".
std::string
TabSeparatedRange(const TextGrid& grid, int firstColumn, int firstRow, int lastColumn, int lastRow);

} // namespace lumavo
