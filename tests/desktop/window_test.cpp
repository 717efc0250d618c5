// The clock's windows on a real desktop: the borderless clock window without
// a taskbar button, its right-click menu driven by keyboard and mouse, the
// alarm editor (centred, kept on top, closed by its button or by the window
// manager), and "关闭程序" ending the process with exit code 0.
#include <unistd.h>

#include <algorithm>

#include "desktop/fixture.h"

namespace desk {
namespace {

constexpr Millis kAppear = 20s;  // a fresh machine on two busy cores is slow
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

// Rows of the clock's menu, in order: 开机启动, 半点报时, 设定闹铃, separator,
// 置于顶层, 鼠标穿透, 嵌入桌面, 改变造型, 更换背景, separator, 使用说明,
// 关闭程序, 关于VEL.
constexpr int kMenuItems = 11;
constexpr int kMenuSeparators = 2;
constexpr int kSetAlarmsRow = 2;

class WindowTest : public DesktopTest {
protected:
    std::vector<WindowId> visible(Clock& clock) { return desktop().windows_of_pid(clock.pid()); }

    // The clock window: its largest visible managed window (a tray icon is
    // far smaller; the face inside is a window of its own, not managed).
    std::optional<WindowId> wait_clock_window(Clock& clock) {
        std::optional<WindowId> found;
        poll_until(
            [&] {
                for (WindowId w : clock.windows()) {
                    auto g = desktop().geometry(w);
                    if (g && g->viewable && g->width >= 100) found = w;
                }
                return found.has_value();
            },
            kAppear, 50ms);
        return found;
    }

    // A visible window of the clock that was not there before.
    std::optional<WindowId> wait_new_window(Clock& clock, const std::vector<WindowId>& before) {
        std::optional<WindowId> found;
        poll_until(
            [&] {
                for (WindowId w : visible(clock))
                    if (std::find(before.begin(), before.end(), w) == before.end()) found = w;
                return found.has_value();
            },
            kAppear, 50ms);
        return found;
    }

    bool wait_gone(WindowId window) {
        return poll_until(
            [&] {
                auto g = desktop().geometry(window);
                return !g || !g->viewable;
            },
            kAppear, 50ms);
    }

    // Right-clicks at (x, y) and waits for the pop-up menu.
    std::optional<Geometry> open_menu(Clock& clock, int x, int y) {
        auto before = visible(clock);
        if (!desktop().click(x, y, 3)) return std::nullopt;
        auto menu = wait_new_window(clock, before);
        if (!menu) return std::nullopt;
        m_menu = *menu;
        return desktop().geometry(*menu);
    }

    std::optional<Geometry> centre_of_clock(Clock& clock) {
        auto window = wait_clock_window(clock);
        if (!window) return std::nullopt;
        m_clock_window = *window;
        return desktop().geometry(*window);
    }

    WindowId m_clock_window = 0;
    WindowId m_menu = 0;
};

bool has_state(const std::string& states, const std::string& state) {
    return states.find(state) != std::string::npos;
}

TEST_F(WindowTest, ClockWindowIsBorderless288WithoutTaskbarButton) {
    Clock& clock = start_clock();
    auto window = wait_clock_window(clock);
    ASSERT_TRUE(window) << "the clock window did not appear";
    auto g = desktop().geometry(*window);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->width, 288);
    EXPECT_EQ(g->height, 288);
    // The state is put on after the window is mapped: poll for it.
    std::string states;
    EXPECT_TRUE(poll_until(
        [&] {
            states = desktop().property(*window, "_NET_WM_STATE");
            return has_state(states, "_NET_WM_STATE_SKIP_TASKBAR");
        },
        5s))
        << states;
    EXPECT_FALSE(has_state(states, "_NET_WM_STATE_ABOVE")) << "not on top by default";
    // No title bar: the window manager's frame adds nothing around it.
    std::string extents = desktop().property(*window, "_NET_FRAME_EXTENTS");
    EXPECT_NE(extents.find("= 0, 0, 0, 0"), std::string::npos) << extents;
}

TEST_F(WindowTest, RightClickAnywhereShowsTheMenuAtTheMousePlusThree) {
    Clock& clock = start_clock();
    auto g = centre_of_clock(clock);
    ASSERT_TRUE(g) << "the clock window did not appear";
    // On the visible drawing panel, then on the strip below it that only the
    // window itself covers.
    const int x = g->x + g->width / 2;
    for (int y : {g->y + g->height / 2, g->y + g->height - 2}) {
        auto menu = open_menu(clock, x, y);
        ASSERT_TRUE(menu) << "no menu after a right-click at " << x << "," << y;
        EXPECT_NEAR(menu->x, x + 3, 2);
        EXPECT_NEAR(menu->y, y + 3, 2);
        EXPECT_GT(menu->height, 11 * 12) << "all thirteen rows are shown";
        ASSERT_TRUE(desktop().key("Escape"));
        EXPECT_TRUE(wait_gone(m_menu)) << "Escape closes the menu";
    }
    EXPECT_TRUE(clock.process().running());
}

// Title, width, centred place, kept on top, no taskbar button.
void check_alarm_editor(Desktop& desktop, WindowId editor) {
    auto g = desktop.geometry(editor);
    ASSERT_TRUE(g);
    EXPECT_EQ(desktop.window_name(editor), "设定闹铃");
    EXPECT_EQ(g->width, 184);
    // Centred on the screen although its stored place is 50, 50; the window
    // manager's title bar may push the client down a little.
    EXPECT_NEAR(g->x + g->width / 2, kScreenWidth / 2, 12);
    EXPECT_NEAR(g->y + g->height / 2, kScreenHeight / 2, 40);
    std::string states;
    EXPECT_TRUE(poll_until(
        [&] {
            states = desktop.property(editor, "_NET_WM_STATE");
            return has_state(states, "_NET_WM_STATE_ABOVE") &&
                   has_state(states, "_NET_WM_STATE_SKIP_TASKBAR");
        },
        5s))
        << states;
}

TEST_F(WindowTest, MenuChosenByKeyboardOpensTheAlarmEditorWhichClosesWithItsButton) {
    Clock& clock = start_clock();
    auto g = centre_of_clock(clock);
    ASSERT_TRUE(g) << "the clock window did not appear";
    auto clock_window = wait_clock_window(clock);
    ASSERT_TRUE(clock_window);
    const int cx = g->x + g->width / 2, cy = g->y + g->height / 2;
    ASSERT_TRUE(open_menu(clock, cx, cy));
    auto before = visible(clock);
    // The first Down enters the menu at its first row.
    for (int i = 0; i <= kSetAlarmsRow; ++i) ASSERT_TRUE(desktop().key("Down"));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(wait_gone(m_menu));
    auto editor = wait_new_window(clock, before);
    ASSERT_TRUE(editor) << "the alarm editor did not open";
    check_alarm_editor(desktop(), *editor);
    auto e = desktop().geometry(*editor);
    ASSERT_TRUE(e);
    // The editor shows the icon its form carries, not the stock icon every
    // window without one gets (the clock window's).
    const std::string icon = desktop().property(*editor, "_NET_WM_ICON");
    EXPECT_NE(icon.find("Icon ("), std::string::npos) << icon;
    EXPECT_NE(icon, desktop().property(*clock_window, "_NET_WM_ICON"));

    // The editor is modal: the clock's menu does not open meanwhile.
    before = visible(clock);
    ASSERT_TRUE(desktop().click(cx, cy, 3));
    usleep(500'000);  // nothing to poll for: the menu must stay away
    EXPECT_EQ(visible(clock).size(), before.size()) << "the clock answered while modal";
    desktop().key("Escape");

    // "关闭" sits at 96, 128 (72 x 24) in the editor's client area.
    ASSERT_TRUE(desktop().click(e->x + 96 + 36, e->y + 128 + 12));
    EXPECT_TRUE(wait_gone(*editor)) << "the close button did not close the editor";
    EXPECT_TRUE(clock.process().running());

    // The clock answers again once the editor is gone.
    EXPECT_TRUE(open_menu(clock, cx, cy)) << "the clock stayed disabled";
    desktop().key("Escape");
}

TEST_F(WindowTest, MenuChosenByMouseOpensTheAlarmEditorWhichTheWindowManagerCloses) {
    Clock& clock = start_clock();
    auto g = centre_of_clock(clock);
    ASSERT_TRUE(g) << "the clock window did not appear";
    auto menu = open_menu(clock, g->x + g->width / 2, g->y + g->height / 2);
    ASSERT_TRUE(menu);
    // Rows share one height; a separator is about a third of a row, and the
    // frame takes a few pixels. The third row's middle is well inside it.
    const double row = (menu->height - 8) / (kMenuItems + kMenuSeparators / 3.0);
    const int y = menu->y + 4 + static_cast<int>(row * (kSetAlarmsRow + 0.5));
    auto before = visible(clock);
    ASSERT_TRUE(desktop().move_mouse(menu->x + menu->width / 2, y));
    ASSERT_TRUE(desktop().click(menu->x + menu->width / 2, y));
    ASSERT_TRUE(wait_gone(m_menu));
    auto editor = wait_new_window(clock, before);
    ASSERT_TRUE(editor) << "the alarm editor did not open";
    check_alarm_editor(desktop(), *editor);

    // The window manager's close (its title-bar button or Alt+F4) asks the
    // editor to close, and the editor agrees.
    ASSERT_TRUE(desktop().xdotool({"windowactivate", "--sync", std::to_string(*editor)}));
    ASSERT_TRUE(desktop().key("alt+F4"));
    EXPECT_TRUE(wait_gone(*editor)) << "the editor ignored the window manager's close";
    EXPECT_TRUE(clock.process().running()) << "closing the editor ended the program";
}

TEST_F(WindowTest, CloseProgramEndsTheProcessWithExitCodeZero) {
    Clock& clock = start_clock();
    auto g = centre_of_clock(clock);
    ASSERT_TRUE(g) << "the clock window did not appear";
    ASSERT_TRUE(open_menu(clock, g->x + g->width / 2, g->y + g->height / 2));
    // From no current row, Up starts at the last one: 关于VEL, then 关闭程序.
    ASSERT_TRUE(desktop().key("Up"));
    ASSERT_TRUE(desktop().key("Up"));
    ASSERT_TRUE(desktop().key("Return"));
    ASSERT_TRUE(clock.process().wait_exit(kAppear)) << "the clock did not end";
    EXPECT_EQ(clock.process().exit_code(), 0);
}

}  // namespace
}  // namespace desk
