#include "tests/ui/window_fixture.h"
#include "ui/screen_fit.h"

#include <QHeaderView>
#include <QScreen>
#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

namespace lumavo {
namespace {

constexpr QSize kDefault(915, 690);
// What the grid asks for on a wide screen: every column at its own width.
constexpr QSize kWidened(1443, 690);
constexpr QSize kSmallest(270, 400);

struct ScreenCase
{
    std::string name;
    QRect available; // the screen less its panels, in logical pixels
    QSize preferred;
    QSize minimum;
    QSize size;
    QPoint framePosition;
};

class WindowPlacementTest : public testing::TestWithParam<ScreenCase>
{
};

// At 800×600 the window once opened at 915×690 with its title bar above the screen.
TEST_P(WindowPlacementTest, InsideTheAvailableAreaTitleBarInView)
{
    const ScreenCase& c = GetParam();
    const WindowPlacement place = PlaceWindow(c.available, c.preferred, c.minimum);
    EXPECT_EQ(place.size, c.size);
    EXPECT_EQ(place.framePosition, c.framePosition);
    EXPECT_GE(place.framePosition.x(), c.available.left());
    EXPECT_GE(place.framePosition.y(), c.available.top());
}

INSTANTIATE_TEST_SUITE_P(
    Screens,
    WindowPlacementTest,
    testing::Values(
        ScreenCase{"FullHd", {0, 0, 1920, 1040}, kDefault, kSmallest, kDefault, {498, 157}},
        ScreenCase{"FullHdWidened", {0, 0, 1920, 1040}, kWidened, kSmallest, kWidened, {234, 157}},
        ScreenCase{"Laptop1366x768", {0, 0, 1366, 738}, kWidened, kSmallest, {1358, 690}, {0, 6}},
        ScreenCase{
            "Laptop1366x768At125", {0, 0, 1093, 584}, kWidened, kSmallest, {1085, 548}, {0, 0}},
        ScreenCase{"Screen800x600", {0, 0, 800, 570}, kDefault, kSmallest, {792, 534}, {0, 0}},
        ScreenCase{"PanelAbove", {0, 30, 800, 570}, kDefault, kSmallest, {792, 534}, {0, 30}},
        ScreenCase{"SecondScreen", {1920, 0, 1366, 738}, kDefault, kSmallest, kDefault, {2141, 6}},
        ScreenCase{
            "MinimumWiderThanScreen", {0, 0, 800, 570}, kDefault, {900, 300}, {900, 534}, {0, 0}}),
    [](const auto& c) { return c.param.name; });

struct ColumnCase
{
    std::string name;
    std::vector<int> natural;
    std::vector<int> least;
    int room;
    std::vector<int> widths;
};

class ColumnFitTest : public testing::TestWithParam<ColumnCase>
{
};

TEST_P(ColumnFitTest, NaturalWhenRoomElseSharedShrinkNeverBelowLeast)
{
    const ColumnCase& c = GetParam();
    const std::vector<int> widths = FitColumnWidths(c.natural, c.least, c.room);
    EXPECT_EQ(widths, c.widths);
    for (std::size_t i = 0; i < widths.size(); ++i)
        EXPECT_GE(widths[i], c.least[i]) << i;
}

const std::vector<int> kGrid = {136, 136, 112, 112, 112, 170, 178};
const std::vector<int> kHeads = {116, 116, 92, 92, 92, 146, 158};

INSTANTIATE_TEST_SUITE_P(
    Rooms,
    ColumnFitTest,
    testing::Values(ColumnCase{"Wider", kGrid, kHeads, 1200, kGrid},
                    ColumnCase{"Exact", kGrid, kHeads, 956, kGrid},
                    ColumnCase{
                        "HalfTheSlack", kGrid, kHeads, 884, {126, 126, 102, 102, 102, 158, 168}},
                    ColumnCase{"LeftoverPixels", {100, 100, 100}, {90, 90, 90}, 290, {96, 97, 97}},
                    ColumnCase{"NoSlackInOne", {100, 100}, {100, 50}, 170, {100, 70}},
                    ColumnCase{"NarrowerThanHeads", kGrid, kHeads, 500, kHeads}),
    [](const auto& c) { return c.param.name; });

using testing_support::WindowTest;

TEST_F(WindowTest, OpensInsideTheScreensFreeAreaNoLargerThanItsDefault)
{
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window->frameGeometry())) << available.width();
    EXPECT_LE(window->height(), 690);
}

class GridFitTest : public WindowTest, public testing::WithParamInterface<int>
{
};

// At 1366×768 the default window once cut the grid after 剩余本金.
TEST_P(GridFitTest, EveryColumnInViewWithItsHeaderWhole)
{
    window->resize(GetParam(), 690);
    for (const char* name : {"suiSG1", "suiSG2"}) {
        SCOPED_TRACE(name);
        ShowPage(name[5] == '1' ? 0 : 1);
        QApplication::processEvents();
        ScheduleGrid* grid = Grid(name);
        const QFontMetrics heads = grid->horizontalHeader()->fontMetrics();
        int total = 0;
        for (int column = 1; column < 8; ++column) {
            const QString head = grid->Cell(column, 0).mid(1);
            EXPECT_GT(grid->GridColumnWidth(column), heads.horizontalAdvance(head)) << column;
            total += grid->GridColumnWidth(column);
        }
        EXPECT_LE(total, grid->viewport()->width());
    }
}

// 1358: a 1366 screen less the frame; 1093: the same at 125 % is narrower than the heads.
INSTANTIATE_TEST_SUITE_P(Widths, GridFitTest, testing::Values(1358, 1600));

} // namespace
} // namespace lumavo
