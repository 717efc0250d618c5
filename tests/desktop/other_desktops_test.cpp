// The clock on desktops unlike the shared test desktop, each on an X server
// of its own: a Wayland session (weston with Xwayland), two monitors in an
// L, and a desktop with no tray host.
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

constexpr Millis kAppear = 20s;
const std::string kThrough = "\xCA\xF3\xB1\xEA\xB4\xA9\xCD\xB8";  // 鼠标穿透

// The integer after `label` in xwininfo's report.
std::optional<int> field(const std::string& report, const std::string& label) {
    auto at = report.find(label);
    if (at == std::string::npos) return std::nullopt;
    return std::atoi(report.c_str() + at + label.size());
}

// An X server the test starts and stops itself (by pid): a bare Xvfb or a
// headless weston whose Xwayland answers. No window manager, no tray host.
class OwnDisplay {
public:
    explicit OwnDisplay(Desktop& desktop) : m_desktop(desktop) {}

    bool start_xvfb(const std::string& screen, std::string& error) {
        int fds[2];
        if (pipe(fds) != 0) {
            error = "pipe";
            return false;
        }
        const bool started = m_server.start({"Xvfb", "-displayfd", "3", "-screen", "0", screen,
                                             "-noreset", "-nolisten", "tcp", "-br"},
                                            make_env({}), m_desktop.log("own-xvfb"), fds[1]);
        close(fds[1]);
        // Xvfb writes its display number and a line break to descriptor 3.
        std::string number;
        poll_until(
            [&] {
                pollfd p{fds[0], POLLIN, 0};
                char c;
                while (poll(&p, 1, 0) > 0 && read(fds[0], &c, 1) == 1) {
                    if (c == '\n') return true;
                    number += c;
                }
                return !started || !m_server.running();
            },
            15s, 20ms);
        close(fds[0]);
        if (number.empty()) {
            error = "Xvfb did not start";
            return false;
        }
        m_display = ":" + number;
        return answers(error);
    }

    bool start_weston(std::string& error) {
        m_wayland = "velweston-" + std::to_string(getpid());
        const fs::path log = m_desktop.log("weston");
        if (!m_server.start(
                {"weston", "--backend=headless-backend.so", "--xwayland", "--socket=" + m_wayland,
                 "--width=1280", "--height=1024", "--log=" + log.string()},
                m_desktop.env(), m_desktop.log("weston-out"))) {
            error = "weston did not start";
            return false;
        }
        const std::string said = "xserver listening on display ";
        poll_until(
            [&] {
                const std::string text = read_file(log);
                const auto at = text.find(said);
                if (at == std::string::npos) return !m_server.running();
                m_display = text.substr(at + said.size(), text.find('\n', at) - at - said.size());
                return true;
            },
            10s, 50ms);
        if (m_display.empty()) {
            error = "weston named no X display";
            return false;
        }
        return answers(error);
    }

    const std::string& display() const { return m_display; }
    // What a client of this display gets: a Wayland session's variables too
    // when weston runs.
    Env env() const {
        Env e{"DISPLAY=" + m_display};
        if (!m_wayland.empty())
            e.insert(e.end(), {"WAYLAND_DISPLAY=" + m_wayland, "XDG_SESSION_TYPE=wayland"});
        return e;
    }
    RunResult run(const std::vector<std::string>& argv) const {
        return desk::run(argv, m_desktop.env(env()), 10s);
    }

    std::vector<WindowId> windows_of_pid(int pid) const {
        std::vector<WindowId> ids;
        std::istringstream in(
            run({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)}).out);
        for (WindowId id; in >> id;) ids.push_back(id);
        return ids;
    }
    std::optional<Geometry> geometry(WindowId window) const {
        const auto r = run({"xwininfo", "-id", std::to_string(window)});
        auto x = field(r.out, "Absolute upper-left X:"), y = field(r.out, "Absolute upper-left Y:");
        auto w = field(r.out, "Width:"), h = field(r.out, "Height:");
        if (!r.ok() || !x || !y || !w || !h) return std::nullopt;
        return Geometry{*x, *y, *w, *h, r.out.find("IsViewable") != std::string::npos};
    }
    // The clock's window: its visible window of the clock's size.
    std::optional<Geometry> clock_window(int pid) const {
        std::optional<Geometry> found;
        poll_until(
            [&] {
                for (WindowId w : windows_of_pid(pid)) {
                    found = geometry(w);
                    if (found && found->width == 288 && found->height == 288) return true;
                }
                found.reset();
                return false;
            },
            kAppear, 100ms);
        return found;
    }

private:
    bool answers(std::string& error) {
        if (poll_until([&] { return run({"xdpyinfo"}).ok(); }, 15s, 100ms)) return true;
        error = "X display " + m_display + " does not answer";
        return false;
    }

    Desktop& m_desktop;
    Process m_server;
    std::string m_display, m_wayland;
};

class OtherDesktopTest : public DesktopTest {
protected:
    // The clock on `own`, its settings folder holding `files` (name, bytes).
    Clock& start_on(const OwnDisplay& own,
                    const std::vector<std::pair<std::string, std::string>>& files,
                    const Env& extra = {}) {
        ClockOptions options;
        options.env = own.env();
        options.env.insert(options.env.end(), extra.begin(), extra.end());
        options.prepare = [files](const fs::path& run_dir) {
            for (const auto& [name, bytes] : files) write_file(run_dir / "VEL文件" / name, bytes);
        };
        return start_clock(options);
    }
};

TEST_F(OtherDesktopTest, WaylandSessionGetsAnXWindowThroughXwayland) {
    OwnDisplay own(desktop());
    std::string error;
    ASSERT_TRUE(own.start_weston(error)) << error << "\n" << read_file(desktop().log("weston"));
    // Not told which platform to use: the session says Wayland, and Qt's
    // Wayland platform is installed.
    Clock& clock = start_on(own, {}, {"QT_QPA_PLATFORM="});
    const auto g = own.clock_window(clock.pid());
    ASSERT_TRUE(g) << "no X window of 288 x 288 on " << own.display() << "\n"
                   << read_file(clock.log_file());
    EXPECT_TRUE(g->viewable);
}

// An L of two monitors: 1280 x 1024 at 0,0 (the primary) and 1280 x 768 to
// its right.
bool start_l_shaped_pair(OwnDisplay& own, std::string& error) {
    if (!own.start_xvfb("2560x1024x24", error)) return false;
    if (own.run({"xrandr", "--setmonitor", "A", "1280/338x1024/270+0+0", "screen"}).ok() &&
        own.run({"xrandr", "--setmonitor", "B", "1280/338x768/203+1280+0", "none"}).ok())
        return true;
    error = "xrandr made no monitors";
    return false;
}

// The clock's window reaches (x, y), and coordinate.vel says so.
void expect_at(const OwnDisplay& own, Clock& clock, int x, int y) {
    std::optional<Geometry> g;
    EXPECT_TRUE(poll_until(
        [&] {
            g = own.clock_window(clock.pid());
            return g && g->x == x && g->y == y;
        },
        5s, 100ms))
        << (g ? std::to_string(g->x) + "," + std::to_string(g->y) : "no window") << "\n"
        << read_file(clock.log_file());
    const std::string place = std::to_string(x) + "," + std::to_string(y);
    EXPECT_TRUE(
        poll_until([&] { return read_file(clock.settings_file("coordinate.vel")) == place; }, 5s))
        << read_file(clock.settings_file("coordinate.vel"));
}

TEST_F(OtherDesktopTest, PlaceNoMonitorShowsComesOntoThePrimary) {
    OwnDisplay own(desktop());
    std::string error;
    ASSERT_TRUE(start_l_shaped_pair(own, error)) << error;
    Clock& clock = start_on(own, {{"coordinate.vel", "2000,900"}});
    expect_at(own, clock, 0, 1024 - 288);
}

TEST_F(OtherDesktopTest, MonitorGoingAwayTakesTheClockOntoThePrimary) {
    OwnDisplay own(desktop());
    std::string error;
    ASSERT_TRUE(start_l_shaped_pair(own, error)) << error;
    Clock& clock = start_on(own, {{"coordinate.vel", "2000,400"}});
    expect_at(own, clock, 2000, 400);
    ASSERT_TRUE(own.run({"xrandr", "--delmonitor", "B"}).ok());
    expect_at(own, clock, 0, 400);
}

TEST_F(OtherDesktopTest, WithoutATrayStoredClickThroughIsNotApplied) {
    OwnDisplay own(desktop());
    std::string error;
    ASSERT_TRUE(own.start_xvfb("1280x1024x24", error)) << error;
    Clock& clock = start_on(own, {{"mouse.vel", kThrough}, {"coordinate.vel", "100,100"}});
    const auto g = own.clock_window(clock.pid());
    ASSERT_TRUE(g) << read_file(clock.log_file());
    // A right click on the face reaches the clock: its menu opens.
    const auto before = own.windows_of_pid(clock.pid()).size();
    ASSERT_TRUE(own.run({"xdotool", "mousemove", std::to_string(g->x + 144),
                         std::to_string(g->y + 144), "sleep", "0.05", "click", "3"})
                    .ok());
    EXPECT_TRUE(poll_until([&] { return own.windows_of_pid(clock.pid()).size() > before; }, 3s))
        << "the click went through the clock";
    own.run({"xdotool", "key", "Escape"});
    EXPECT_EQ(read_file(clock.settings_file("mouse.vel")), kThrough);
    EXPECT_NE(read_file(clock.log_file()).find("mouse.vel"), std::string::npos)
        << "no word on stderr of why";
}

}  // namespace
}  // namespace desk
