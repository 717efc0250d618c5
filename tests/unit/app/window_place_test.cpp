// The clock window's place: read from coordinate.vel at start-up, kept on
// the monitors and written back whenever the window moves; a second copy
// touches none of it; the tray's double click hides and shows the clock.
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/toggles.h"
#include "app/window/place.h"
#include "platform/named_event.h"
#include "resources/form_ids.h"
#include "window_clock_fixture.h"

namespace vel::test {
namespace {

TEST(Place, ParsedAsLeftCommaTop) {
    const struct {
        std::string text;
        Place place;
    } rows[] = {
        {"100,200", {100, 200}},
        {"100", {0, 0}},
        {",50", {0, 50}},
        {"-50,-20", {-50, -20}},
        {"abc,def", {0, 0}},
        {"", {0, 0}},
        {"99999999999,5", {2147483647, 5}},
        {"12,34,56", {12, 34}},
        {" 7, 8x", {7, 8}},
    };
    for (const auto& row : rows) EXPECT_EQ(parse_place(row.text), row.place) << row.text;
}

TEST(Place, KeptWhereSeenElseBroughtOntoThePrimaryMonitor) {
    const std::vector<ScreenArea> one{{0, 0, 1920, 1080}};
    const std::vector<ScreenArea> side_by_side{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const std::vector<ScreenArea> stacked{{0, 0, 1280, 1024}, {0, -1080, 1920, 1080}};
    const std::vector<ScreenArea> l_shaped{{0, 0, 1280, 1024}, {1280, 0, 1280, 768}};
    const std::vector<ScreenArea> primary_right{{1920, 0, 1280, 1024}, {0, 0, 1920, 1080}};
    const std::vector<ScreenArea> none;
    const struct {
        const char* what;
        const std::vector<ScreenArea>& monitors;
        Place in, out;
    } rows[] = {
        {"on the monitor", one, {100, 200}, {100, 200}},
        {"96 px seen at the corner", one, {1824, 984}, {1824, 984}},
        {"tucked off the left and top", one, {-192, -192}, {-192, -192}},
        {"95 px seen: clamped", one, {1825, 40}, {1632, 40}},
        {"at the right edge", one, {1920, 40}, {0, 40}},
        {"below the bottom", one, {40, 5000}, {40, 0}},
        {"beyond both", one, {2147483647, 5}, {0, 5}},
        {"far left and above", one, {-5000, -5000}, {0, 0}},
        {"on the second monitor", side_by_side, {2500, 300}, {2500, 300}},
        {"beyond the second monitor", side_by_side, {3200, 300}, {0, 300}},
        {"second monitor gone", one, {2500, 300}, {0, 300}},
        {"monitor above the primary", stacked, {500, -900}, {500, -900}},
        {"below the primary only", stacked, {100, 1024}, {100, 0}},
        {"in the corner of an L no monitor shows", l_shaped, {2000, 900}, {0, 736}},
        {"on the shorter monitor of the L", l_shaped, {2000, 400}, {2000, 400}},
        {"across the seam, too little on either", l_shaped, {1200, 900}, {992, 736}},
        {"primary right of the other", primary_right, {5000, 5000}, {1920, 0}},
        {"no monitors known", none, {5000, 5000}, {5000, 5000}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(keep_on_monitors(row.in, 288, 288, row.monitors), row.out) << row.what;
}

class ClockPlace : public ClockWindowTest {};

TEST_F(ClockPlace, StartsAtTheStoredPlaceAndWritesItBackExactly) {
    const std::vector<ScreenArea> screens = screen_areas();
    ASSERT_FALSE(screens.empty());
    const int width = screens[0].width;
    const struct {
        std::string stored;
        Place window;
        std::string saved;
    } rows[] = {
        {"100,200", {100, 200}, "100,200"},
        {"100", {0, 0}, "0,0"},
        {",50", {0, 50}, "0,50"},
        {"abc,def", {0, 0}, "0,0"},
        {"-50,-20", {-50, -20}, "-50,-20"},
        {"99999999999,5", {0, 5}, "0,5"},
        {std::to_string(width) + ",40", {0, 40}, "0,40"},
        {"30,40\r\n12345678901234", {30, 40}, "30,40"},
        {"", {0, 0}, "0,0"},
    };
    for (const auto& row : rows) {
        dir.write("coordinate.vel", row.stored);
        new_session();
        start();
        EXPECT_EQ(geometry().left, row.window.left) << row.stored;
        EXPECT_EQ(geometry().top, row.window.top) << row.stored;
        EXPECT_EQ(dir.bytes("coordinate.vel"), row.saved) << row.stored;
        FormRuntime::instance().destroy_window(ui::clock::kWindow);
        plat::process_pending_events();
    }
}

TEST_F(ClockPlace, EveryMoveIsSaved) {
    dir.write("coordinate.vel", "1500,900");
    start();
    cw::kWindow.set_int(cw::kLeft, 100);
    cw::kWindow.set_int(cw::kTop, 200);
    plat::process_pending_events();
    EXPECT_EQ(dir.bytes("coordinate.vel"), "100,200");
}

TEST_F(ClockPlace, WithoutTheFileNothingIsSaved) {
    start();
    EXPECT_EQ(geometry().left, 0);
    EXPECT_EQ(geometry().top, 0);
    cw::kWindow.set_int(cw::kLeft, 100);
    plat::process_pending_events();
    EXPECT_FALSE(std::filesystem::exists(dir.file("coordinate.vel")));
}

TEST_F(ClockPlace, SecondCopyEndsAtOnceAndLeavesTheRunningCopysFiles) {
    GTEST_FLAG_SET(death_test_style, "fast");
    // The running copy sits on a monitor this copy's screens do not reach:
    // anything this copy saved would move it.
    dir.write("coordinate.vel", "30000,30000");
    dir.write("top.vel", std::string(settings::stored(ui::clock::置于顶层).on) + "\n");
    plat::create_named_event("VEL\xCA\xB1\xD6\xD3\xD4\xCB\xD0\xD0\xD6\xD0");  // VEL时钟运行中
    EXPECT_EXIT(
        {
            FormRuntime::instance().load_window(ui::clock::kWindow, 0, false, true);
            std::_Exit(3);  // not reached by a second copy
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(dir.bytes("coordinate.vel"), "30000,30000");
    EXPECT_EQ(dir.bytes("top.vel"), std::string(settings::stored(ui::clock::置于顶层).on) + "\n");
}

TEST_F(ClockPlace, TrayDoubleClickHidesAndShowsUnlessEmbedded) {
    dir.write("insert.vel", "");
    start();
    ASSERT_TRUE(cw::kWindow.get_int(cw::kVisible));
    tray(2);
    EXPECT_FALSE(cw::kWindow.get_int(cw::kVisible));
    tray(1);
    EXPECT_FALSE(cw::kWindow.get_int(cw::kVisible)) << "a single click does nothing";
    tray(2);
    EXPECT_TRUE(cw::kWindow.get_int(cw::kVisible));
    choose(ui::clock::嵌入桌面);
    tray(2);
    EXPECT_TRUE(cw::kWindow.get_int(cw::kVisible));
}

}  // namespace
}  // namespace vel::test
