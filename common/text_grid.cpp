#include "common/text_grid.h"

#include "common/text.h"

#include <algorithm>

namespace lumavo {

namespace {

std::string PlainCell(const std::string& text)
{
    std::string plain = text;
    std::replace_if(
        plain.begin(), plain.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
        ' ');
    return Trim(plain);
}

} // namespace

std::string
TabSeparatedRange(const TextGrid& grid, int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    // Index 0 first, then the range from 1 on, clipped to the count.
    const auto span = [](int first, int last, int count) {
        std::vector<int> indexes;
        if (count > 0)
            indexes.push_back(0);
        for (int i = std::max(first, 1); i <= std::min(last, count - 1); ++i)
            indexes.push_back(i);
        return indexes;
    };
    const std::vector<int> columns = span(firstColumn, lastColumn, grid.columns);
    std::string out;
    if (columns.empty())
        return out;
    for (const int row : span(firstRow, lastRow, grid.rows)) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                out += '\t';
            out += PlainCell(grid.At(columns[i], row));
        }
        out += '\n';
    }
    return out;
}

} // namespace lumavo
