#pragma once

#include "common/atomic_file.h"
#include "common/text_grid.h"
#include "tests/support/outside.h"
#include "tests/support/temp_dir.h"

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace lumavo::testing_support {

struct WorkbookCheck
{
    int status = 0; // 0 matches, 1 differs, 77 no openpyxl
    std::string output;
};

// Reads the workbook back with openpyxl under Debian's own python3 (another python earlier on
// PATH may lack it): every amount a number equal to the grid's text, the block's lines present,
// the header bold and frozen.
inline WorkbookCheck CheckWorkbook(const TempDir& dir,
                                   const std::string& workbook,
                                   const std::string& sheet,
                                   const TextGrid& grid,
                                   const std::vector<std::pair<std::string, std::string>>& lines)
{
    if (!HaveExecutable("/usr/bin/python3"))
        return {77, "Debian's /usr/bin/python3 is not installed; the workbook was not read back"};
    std::string block;
    for (const auto& [label, text] : lines)
        block += label + "\t" + text + "\n";
    const std::string gridFile = dir.File("expected-grid.tsv");
    const std::string linesFile = dir.File("expected-lines.tsv");
    WriteFileAtomically(gridFile, TabSeparatedRange(grid, 0, 0, grid.columns - 1, grid.rows - 1));
    WriteFileAtomically(linesFile, block);
    const std::string command =
        "/usr/bin/python3 '" LUMAVO_TEST_DATA "/../support/check_workbook.py' '" + workbook +
        "' '" + sheet + "' '" + gridFile + "' '" + linesFile + "' 2>&1";
    WorkbookCheck check;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {1, "cannot run python3"};
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        check.output += buffer;
    const int status = ::pclose(pipe);
    check.status = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    return check;
}

} // namespace lumavo::testing_support
