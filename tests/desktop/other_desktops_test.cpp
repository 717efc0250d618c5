// The clock on desktops unlike the shared test desktop, each on an X server
// of its own: a Wayland session (weston with Xwayland), two monitors in an
// L, and a desktop with no tray host.
#include <optional>
#include <string>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

const std::string kThrough = "\xCA\xF3\xB1\xEA\xB4\xA9\xCD\xB8";  // 鼠标穿透

class OtherDesktopTest : public DesktopTest {
protected:
    // An L of two monitors on a bare X server: 1280 x 1024 at 0,0 (the
    // primary) and 1280 x 768 to its right.
    ::testing::AssertionResult use_l_shaped_pair() {
        auto started = use_own_desktop("2560x1024x24", Session::bare);
        auto monitor = [&](const char* name, const char* geometry, const char* output) {
            return desktop().run({"xrandr", "--setmonitor", name, geometry, output}).ok();
        };
        if (started && !(monitor("A", "1280/338x1024/270+0+0", "screen") &&
                         monitor("B", "1280/338x768/203+1280+0", "none")))
            return ::testing::AssertionFailure() << "xrandr made no monitors";
        return started;
    }
    // The clock's window reaches (x, y), and coordinate.vel says so.
    void expect_at(Clock& clock, int x, int y) {
        const auto window = clock.wait_window_sized(288, 288);
        ASSERT_TRUE(window) << read_file(clock.log_file());
        EXPECT_TRUE(poll_until(
            [&] {
                auto g = desktop().geometry(*window);
                return g && g->x == x && g->y == y;
            },
            5s, 100ms))
            << read_file(clock.log_file());
        EXPECT_TRUE(
            clock.settings_become("coordinate.vel", std::to_string(x) + "," + std::to_string(y)));
    }
};

TEST_F(OtherDesktopTest, WaylandSessionGetsAnXWindowThroughXwayland) {
    ASSERT_TRUE(use_own_desktop("1280x1024x24", Session::weston));
    // Not told which platform to use: the session says Wayland, and Qt's
    // Wayland platform is installed.
    ClockOptions options;
    options.env = {"QT_QPA_PLATFORM="};
    Clock& clock = start_clock(options);
    ASSERT_TRUE(clock.wait_window_sized(288, 288))
        << "no visible X window of 288 x 288 on " << desktop().display() << "\n"
        << read_file(clock.log_file());
}

TEST_F(OtherDesktopTest, PlaceNoMonitorShowsComesOntoThePrimary) {
    ASSERT_TRUE(use_l_shaped_pair());
    expect_at(start_clock(with_files({{"coordinate.vel", "2000,900"}})), 0, 1024 - 288);
}

TEST_F(OtherDesktopTest, MonitorGoingAwayTakesTheClockOntoThePrimary) {
    ASSERT_TRUE(use_l_shaped_pair());
    Clock& clock = start_clock(with_files({{"coordinate.vel", "2000,400"}}));
    expect_at(clock, 2000, 400);
    ASSERT_TRUE(desktop().run({"xrandr", "--delmonitor", "B"}).ok());
    expect_at(clock, 0, 400);
}

TEST_F(OtherDesktopTest, WithoutATrayStoredClickThroughIsNotApplied) {
    ASSERT_TRUE(use_own_desktop("1280x1024x24", Session::bare));
    Clock& clock =
        start_clock(with_files({{"mouse.vel", kThrough}, {"coordinate.vel", "100,100"}}));
    const auto window = clock.wait_window_sized(288, 288);
    const auto g = window ? desktop().geometry(*window) : std::nullopt;
    ASSERT_TRUE(g) << read_file(clock.log_file());
    // A right click on the face reaches the clock: its menu opens.
    EXPECT_TRUE(clock.right_click_opens(g->x + 144, g->y + 144, 3s))
        << "the click went through the clock";
    desktop().key("Escape");
    EXPECT_EQ(read_file(clock.settings_file("mouse.vel")), kThrough);
    EXPECT_NE(read_file(clock.log_file()).find("mouse.vel"), std::string::npos)
        << "no word on stderr of why";
}

}  // namespace
}  // namespace desk
