#include "common/atomic_file.h"
#include "tests/support/outside.h"
#include "tests/ui/window_fixture.h"

#include <QPushButton>
#include <algorithm>
#include <cstdlib>

// Opens a saved worksheet in LibreOffice Calc, where it is installed, and compares every cell
// with the grid: the proof that a real spreadsheet reads our Chinese text and dates.
namespace lumavo::testing_support {
namespace {

// Rows of fields from LibreOffice's CSV: quoted fields may hold commas and line breaks.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            rows.back().push_back(field);
            field.clear();
        } else if (!quoted && c == '\n') {
            rows.back().push_back(field);
            field.clear();
            rows.emplace_back();
        } else {
            field += c;
        }
    }
    if (rows.back().empty())
        rows.pop_back();
    return rows;
}

class SpreadsheetCheck : public WindowTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(SpreadsheetCheck, CalcReadsEveryCellAsTheGridShowsIt)
{
    if (!HaveProgram("soffice"))
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; the worksheet was not opened in "
                        "a spreadsheet program";
    if (!HaveLocale(GetParam()))
        GTEST_SKIP() << "the locale " << GetParam() << " is not generated (locale -a); the "
                     << "worksheet was not opened under it";
    EnterWorkedLoan(0);
    Choose("suiCBtqyear", "2009");
    Choose("suiCBtqmonth", "05");
    Enter("suiNEtqse", "20000");
    Find<QPushButton>("suiButton2")->click();
    Press("TBjs");
    dialogs.chosenFile = QString::fromStdString(dir.File("表.xls"));
    Press("TBbc");
    ASSERT_EQ(dialogs.boxes.back().text, "保存成功！");

    // LC_ALL, not LANG alone: a LC_ALL of the caller's would otherwise win.
    const std::string command = "cd '" + dir.Path() + "' && LC_ALL=" + GetParam() +
                                " LANG=" + GetParam() + " HOME='" + dir.Path() +
                                "' soffice -env:UserInstallation=file://" + dir.Path() +
                                "/profile --headless --convert-to " +
                                "'csv:Text - txt - csv (StarCalc):44,34,76' 表.xls >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto csv = ReadWholeFile(dir.File("表.csv"));
    ASSERT_TRUE(csv);
    const auto rows = ParseCsv(*csv);

    const ScheduleGrid* grid = Grid("suiSG1");
    ASSERT_GE(rows.size(), 14u);
    for (int row = 0; row < grid->GridRowCount(); ++row) {
        for (int column = 0; column < grid->GridColumnCount(); ++column) {
            // A line break inside a cell comes back as LF, whichever the grid used.
            std::string expected = grid->Texts().At(column, row);
            std::replace(expected.begin(), expected.end(), '\r', '\n');
            const auto& fields = rows[static_cast<std::size_t>(row)];
            const std::string actual = static_cast<std::size_t>(column) < fields.size()
                                           ? fields[static_cast<std::size_t>(column)]
                                           : "";
            EXPECT_EQ(actual, expected) << "row " << row << " column " << column;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales,
                         SpreadsheetCheck,
                         ::testing::Values("C.UTF-8", "zh_CN.UTF-8"),
                         [](const auto& locale) {
                             return std::string(locale.param[0] == 'C' ? "CUtf8" : "ZhCnUtf8");
                         });

class WorkbookCalcCheck : public WindowTest
{
};

// The .xlsx opens in Calc without complaint, and its amounts come out in the grid's mask.
TEST_F(WorkbookCalcCheck, CalcConvertsTheWorkbook)
{
    if (!HaveProgram("soffice"))
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; the workbook was not opened in "
                        "a spreadsheet program";
    EnterWorkedLoan(0);
    Press("TBjs");
    dialogs.chosenFile = QString::fromStdString(dir.File("book.xlsx"));
    Press("TBbc");
    ASSERT_EQ(dialogs.boxes.back().text, "保存成功！");
    const std::string command =
        // Calc writes numbers in its locale's form; the expected texts are the C locale's.
        "cd '" + dir.Path() + "' && LC_ALL=C.UTF-8 LANG=C.UTF-8 HOME='" + dir.Path() +
        "' soffice -env:UserInstallation=file://" + dir.Path() +
        "/profile --headless --convert-to " +
        "'csv:Text - txt - csv (StarCalc):44,34,76' book.xlsx >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto csv = ReadWholeFile(dir.File("book.csv"));
    ASSERT_TRUE(csv);
    const auto rows = ParseCsv(*csv);
    const std::vector<std::string> first{"2009年02月15日", "516.67", "8106.64", "8623.31",
                                         "91893.36",       "516.67", "",        ""};
    EXPECT_NE(std::find(rows.begin(), rows.end(), first), rows.end()) << *csv;
}

} // namespace
} // namespace lumavo::testing_support
