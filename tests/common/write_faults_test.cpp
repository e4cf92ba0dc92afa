#include "common/archive.h"
#include "common/xls.h"
#include "tests/support/write_faults.h"

namespace lumavo::testing_support {
namespace {

TextGrid Grid(int rows)
{
    TextGrid grid = TextGrid::Blank(8, rows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 8; ++column)
            grid.At(column, row) = "剩余本金" + std::to_string(row * 8 + column);
    return grid;
}

// Large enough that its rewrite does not fit the room a full disk leaves.
const std::string kArchive =
    "[SPERCENTS]\r\npercent0=5.94\r\n;" + std::string(kFreeBytes + 1000, 'x') + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Common,
    WriteFaults,
    testing::Combine(testing::Values(WriterCase{"Worksheet", "schedule.xls",
                                                *WorksheetBytes(Grid(2)),
                                                [](const std::string& path) {
                                                    return WriteWorksheetFile(path, Grid(361));
                                                }},
                                     WriterCase{"ArchiveString", "percents.ini", kArchive,
                                                [](const std::string& path) {
                                                    return WriteArchiveString(path, "GPERCENTS",
                                                                              "percent0", "3.87");
                                                }}),
                     AllWriteFaults()),
    WriteFaultName);

} // namespace
} // namespace lumavo::testing_support
