// The window and lumavo-cli must never compute different schedules from the same file: every
// golden case of the command line is imported through 导入, calculated with 计算 and written
// back as the command line's JSON from what the window shows.
#include "common/atomic_file.h"
#include "tests/ui/window_fixture.h"

#include <QLineEdit>
#include <algorithm>
#include <filesystem>

namespace lumavo::testing_support {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = fs::path(LUMAVO_TEST_DATA) / "cli";

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Json(const QString& text)
{
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

class WindowMatchesCommandLine : public WindowTest,
                                 public ::testing::WithParamInterface<std::string>
{
  protected:
    void SetUp() override
    {
        const fs::path rates = kCases / GetParam() / "percents.ini";
        if (fs::exists(rates))
            fs::copy_file(rates, ArchivePath());
        WindowTest::SetUp();
    }

    // What the command line prints for the page, from the page's grid and totals.
    std::string PageJson(const QString& s, bool debx) const
    {
        std::string out =
            std::string("{\"method\":\"") + (debx ? "debx" : "debj") + "\",\"rows\":[";
        const QString grid = debx ? "suiSG1" : "suiSG2";
        for (int row = 1; row < Grid(grid)->GridRowCount() && !Grid(grid)->Cell(0, row).isEmpty();
             ++row) {
            out += row > 1 ? ",[" : "[";
            for (int column = 0; column < 8; ++column)
                out += (column ? "," : "") + Json(Grid(grid)->Cell(column, row));
            out += "]";
        }
        NumberEdit* summary = Field(debx ? "suiNEyhke" : "suiNEybjhke2");
        out += "],\"totals\":{\"summary\":" + Json(summary->text());
        out += std::string(",\"summary_enabled\":") + (summary->isEnabled() ? "true" : "false");
        out += ",\"total_repayment\":" + Json(Text("suiNEhkze" + s));
        out += ",\"total_interest\":" + Json(Text("suiNElxze" + s));
        out += ",\"end_date\":" + Json(Text("suiEjzrq" + s).trimmed()) + "}}\n";
        return out;
    }
};

TEST_P(WindowMatchesCommandLine, ImportAndCalculate)
{
    const bool debx = GetParam().rfind("debj", 0) != 0;
    const QString s = debx ? "" : "2";
    ShowPage(debx ? 0 : 1);
    dialogs.chosenFile = QString::fromStdString((kCases / GetParam() / "input.bak").string());
    Press("TBdr");
    ASSERT_EQ(dialogs.Texts().last(), "导入成功！");
    dialogs.boxes.clear();
    Press("TBjs");

    const std::string expected =
        ReadWholeFile((kCases / GetParam() / "expected.json").string()).value_or("");
    if (dialogs.boxes.empty())
        EXPECT_EQ(PageJson(s, debx), expected);
    else
        EXPECT_EQ("{\"error\":" + Json(dialogs.Texts().last()) + "}\n", expected);
}

INSTANTIATE_TEST_SUITE_P(GoldenCases,
                         WindowMatchesCommandLine,
                         ::testing::ValuesIn(CaseNames()),
                         [](const auto& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace lumavo::testing_support
