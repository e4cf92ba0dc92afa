// Floating rates filled by rule and never kept were lost on closing without a word; the next
// start computed with the rates of 0 an empty archive gives.
#include "calc/rate_table.h"
#include "files/rate_archive.h"
#include "tests/ui/window_fixture.h"

#include <QPushButton>
#include <filesystem>
#include <functional>

namespace lumavo::testing_support {
namespace {

class ClosingTest;

struct CloseCase
{
    const char* name;
    std::function<void(ClosingTest&)> act; // what the user does before closing
    SaveAnswer answer;
    bool asked;       // whether closing asks 存档 / 不存档 / 取消
    bool closes;      // whether the window then closes
    double archivedS; // 商业 entry 1 in percents.ini afterwards
    double archivedG; // 公积金 entry 1
};

class ClosingTest : public WindowTest, public ::testing::WithParamInterface<CloseCase>
{
  public:
    using WindowTest::Enter;
    using WindowTest::Find;
    using WindowTest::Press;
    using WindowTest::ShowPage;

    void SetRates(int page, const char* rate)
    {
        ShowPage(page);
        Enter(page == 2 ? "suiNEperone" : "suiNEperGone", rate);
        Find<QPushButton>(page == 2 ? "suiButton1" : "suiButton8")->click();
    }
    double Archived(const char* section) const
    {
        return LoadRateTable(ArchivePath(), section).At(1);
    }
};

TEST_P(ClosingTest, UnkeptRatesAskBeforeClosing)
{
    const CloseCase& c = GetParam();
    c.act(*this);
    dialogs.boxes.clear();
    dialogs.saveAnswer = c.answer;
    const bool closed = window->close();
    EXPECT_EQ(closed, c.closes);
    EXPECT_EQ(window->isVisible(), !c.closes);
    const bool asked = !dialogs.boxes.empty() && dialogs.boxes.front().kind == "save-changes";
    EXPECT_EQ(asked, c.asked);
    if (asked) {
        EXPECT_EQ(DisplayText(dialogs.boxes.front().text),
                  "浮动年利率已修改，尚未存档。\n关闭前是否存档？");
    }
    EXPECT_DOUBLE_EQ(Archived(kCommercialRateSection), c.archivedS);
    EXPECT_DOUBLE_EQ(Archived(kProvidentRateSection), c.archivedG);
}

INSTANTIATE_TEST_SUITE_P(
    Answers,
    ClosingTest,
    ::testing::Values(CloseCase{"NothingChanged", [](ClosingTest&) {}, SaveAnswer::Cancel, false,
                                true, 0, 0},
                      CloseCase{"SaveKeepsBothTables",
                                [](ClosingTest& w) {
                                    w.SetRates(2, "4.9");
                                    w.SetRates(3, "3.25");
                                },
                                SaveAnswer::Save, true, true, 4.9, 3.25},
                      CloseCase{"DiscardCloses", [](ClosingTest& w) { w.SetRates(3, "3.25"); },
                                SaveAnswer::Discard, true, true, 0, 0},
                      CloseCase{"CancelStaysOpen", [](ClosingTest& w) { w.SetRates(2, "4.9"); },
                                SaveAnswer::Cancel, true, false, 0, 0},
                      // 存档 on the page keeps the table: nothing is left to ask about.
                      CloseCase{"ArchivedOnThePage",
                                [](ClosingTest& w) {
                                    w.SetRates(2, "4.9");
                                    w.Press("TBcdnll");
                                },
                                SaveAnswer::Cancel, false, true, 4.9, 0},
                      // A table changed and changed back is what the archive holds.
                      CloseCase{"ChangedBack",
                                [](ClosingTest& w) {
                                    w.SetRates(2, "4.9");
                                    w.SetRates(2, "0");
                                },
                                SaveAnswer::Cancel, false, true, 0, 0}),
    [](const auto& p) { return std::string(p.param.name); });

class ClosingFailure : public WindowTest
{
};

// A write that fails says so and keeps the window, and the rates, open.
TEST_F(ClosingFailure, AFailedSaveKeepsTheWindowOpen)
{
    ShowPage(2);
    Enter("suiNEperone", "4.9");
    Find<QPushButton>("suiButton1")->click();
    // A folder where the archive should be: no file can be written there.
    std::filesystem::create_directory(ArchivePath());
    dialogs.boxes.clear();
    dialogs.saveAnswer = SaveAnswer::Save;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.Texts(), (QStringList{"浮动年利率已修改，尚未存档。\r关闭前是否存档？",
                                            "保存商业贷款浮动年利率失败！"}));
    EXPECT_EQ(Text("suiNEper1"), "4.900");
}

} // namespace
} // namespace lumavo::testing_support
