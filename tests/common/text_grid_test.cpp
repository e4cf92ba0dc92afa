#include "common/text_grid.h"

#include <gtest/gtest.h>
#include <string>

namespace lumavo {
namespace {

// Three schedule rows as the grid holds them: headers drawn on a second line, amounts padded.
TextGrid Schedule()
{
    TextGrid grid = TextGrid::Blank(4, 4);
    const char* cells[4][4] = {
        {"\r还款日期", "\r月利息还款额（元）", "\r月本金\r还款额（元）", "\r剩余本金（元）"},
        {"2009年02月15日", "516.67 ", "8106.64", "91893.36"},
        {"2009年03月15日", "463.94", "\t8147.20 ", "83746.16"},
        {"2009年04月15日", "418.73", "8187.91", ""}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            grid.At(column, row) = cells[row][column];
    return grid;
}

struct RangeCase
{
    const char* name;
    int firstColumn, firstRow, lastColumn, lastRow;
    std::string expected;
};

class CopiedRange : public testing::TestWithParam<RangeCase>
{
};

TEST_P(CopiedRange, LedByHeadersAndDates)
{
    const RangeCase& c = GetParam();
    EXPECT_EQ(TabSeparatedRange(Schedule(), c.firstColumn, c.firstRow, c.lastColumn, c.lastRow),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    CopiedRange,
    testing::Values(
        RangeCase{"OneCell", 1, 1, 1, 1, "还款日期\t月利息还款额（元）\n2009年02月15日\t516.67\n"},
        RangeCase{"BlockWithBreaksAndPadding", 2, 2, 3, 3,
                  "还款日期\t月本金 还款额（元）\t剩余本金（元）\n"
                  "2009年03月15日\t8147.20\t83746.16\n2009年04月15日\t8187.91\t\n"},
        RangeCase{"HeaderAndDatesNotRepeated", 0, 0, 1, 1,
                  "还款日期\t月利息还款额（元）\n2009年02月15日\t516.67\n"},
        RangeCase{"ClippedToTheGrid", 3, 3, 9, 9, "还款日期\t剩余本金（元）\n2009年04月15日\t\n"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace
} // namespace lumavo
