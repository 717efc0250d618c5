#pragma once
// The desktop the clock's end-to-end tests run on: a private X server (Xvfb,
// 1280 x 1024 x 24 unless told otherwise, black root), a window manager (openbox), a tray host
// (trayer) and a private PulseAudio with a null sink whose monitor can be
// recorded. One desktop is started for the whole test program and stopped at
// its end; tests derive from DesktopTest, which also stops every clock a
// test started, even when the test fails. A test may move onto a desktop of
// its own: another screen size, a bare X server, or a Wayland session.
//
//   TEST_F(DesktopTest, ShowsFace) {
//       Clock& clock = start_clock(at_time("2026-12-07 03:00:00"));
//       auto window = clock.wait_window();
//       ASSERT_TRUE(window);
//       auto shot = desktop().screenshot();
//   }
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/fixture_media.h"
#include "desktop/fixture_process.h"

namespace desk {

namespace fs = std::filesystem;
using WindowId = unsigned long;

struct Geometry {
    int x = 0, y = 0;  // absolute, on the root window
    int width = 0, height = 0;
    bool viewable = false;
};

// A recording of the null sink's monitor; stop() ends it (SIGINT, so the
// WAV header is completed) and reads the result.
class Recording {
public:
    Recording(Process process, fs::path file) : m_process(std::move(process)), m_file(file) {}
    std::optional<Wav> stop();
    const fs::path& file() const { return m_file; }

private:
    Process m_process;
    fs::path m_file;
};

enum class Session {
    openbox,  // Xvfb, openbox and a tray host
    bare,     // Xvfb alone: no window manager, no tray host
    weston,   // headless weston whose Xwayland serves the X clients
};

class Desktop {
public:
    // The test program's desktop, started on first use; nullptr (with the
    // reason in start_error()) when some part would not start.
    static Desktop* shared();
    static const std::string& start_error();

    explicit Desktop(std::string screen = "1280x1024x24", Session session = Session::openbox)
        : m_screen(std::move(screen)), m_session(session) {}
    ~Desktop();
    // False with the reason, and the ends of the programs' logs, in `error`.
    bool start(std::string& error);
    void stop();

    const std::string& display() const { return m_display; }  // ":3"
    const fs::path& root() const { return m_root; }           // private 0700 folder
    const fs::path& home() const { return m_home; }
    const std::string& sink() const { return m_sink; }
    // DISPLAY, HOME, XDG_*, PULSE_* for the desktop's clients, plus `extra`.
    Env env(const Env& extra = {}) const;
    // A command run on this desktop with env().
    RunResult run(const std::vector<std::string>& argv, Millis timeout = 10s) const;
    // A fresh folder under root(), removed with the desktop.
    fs::path make_folder(const std::string& prefix);

    // Windows (client windows: openbox puts each inside a frame).
    std::vector<WindowId> windows_of_pid(int pid, bool only_visible = true) const;
    std::vector<WindowId> windows_named(const std::string& regex, bool only_visible = true) const;
    std::optional<WindowId> wait_window(const std::function<std::vector<WindowId>()>& find,
                                        Millis timeout = 10s) const;
    std::vector<WindowId> client_list() const;  // _NET_CLIENT_LIST of the root
    std::optional<Geometry> geometry(WindowId window) const;
    // xprop's text for one property ("_NET_WM_STATE(ATOM) = _NET_WM_STATE_ABOVE"),
    // empty when it cannot be read. window 0 is the root.
    std::string property(WindowId window, const std::string& name) const;
    std::string window_name(WindowId window) const;  // UTF-8, _NET_WM_NAME or WM_NAME
    bool is_active(WindowId window) const;           // the root's _NET_ACTIVE_WINDOW

    // Input through xdotool (XTEST): button 1 left, 2 middle, 3 right.
    bool xdotool(const std::vector<std::string>& args) const;
    bool move_mouse(int x, int y) const;
    bool click(int x, int y, int button = 1, int repeat = 1) const;
    bool drag(int x0, int y0, int x1, int y1, int button = 1) const;
    bool key(const std::string& keysym) const;                 // "Return", "Escape", "alt+F4"
    bool keys(const std::vector<std::string>& keysyms) const;  // one after another
    // Raises and focuses `window`, then presses `keysym` in it.
    bool key_in(WindowId window, const std::string& keysym) const;
    // Types UTF-8 text into the focused window.
    bool type_text(const std::string& text) const;
    // The UTF-8 text of an X selection ("PRIMARY"), empty when none.
    std::string selection_text(const std::string& selection) const;

    // The whole screen; std::nullopt when it cannot be captured.
    std::optional<Image> screenshot() const;
    // What the screen shows of one window (its client area).
    std::optional<Image> window_image(WindowId window) const;

    // Starts recording the null sink's monitor into a WAV file under root().
    std::optional<Recording> record();
    // Plays a sound file through the server (paplay) and waits for its end.
    bool play(const fs::path& file) const;

    // The log of one of the desktop's programs ("xvfb", "openbox" ...).
    fs::path log(const std::string& name) const { return m_root / (name + ".log"); }

private:
    bool start_x(std::string& error);
    bool start_wm_and_tray(std::string& error);
    bool start_weston(std::string& error);
    bool start_sound(std::string& error);

    fs::path m_root, m_home, m_runtime;
    std::string m_screen;
    Session m_session;
    std::string m_display, m_wayland, m_sink = "vel_null", m_pulse_socket;
    int m_folders = 0;
    Process m_server, m_wm, m_tray, m_pulse, m_keep_sink_busy;
};

struct ClockOptions {
    // The local time the clock starts at, "2026-12-07 03:00:00"; it ticks on
    // from there in real time. Empty: the real time.
    std::string fake_time;
    // Extra "NAME=value" entries (TZ defaults to UTC).
    Env env;
    // Called with the fresh run directory before the clock starts, e.g. to
    // write settings files into VEL文件/.
    std::function<void(const fs::path&)> prepare;
    // Settings files (name, bytes) written into VEL文件/ before `prepare`.
    std::vector<std::pair<std::string, std::string>> files;
    // Another program of ours started in the clock's place, in the same
    // fresh run directory (empty: the clock itself), with `args`.
    fs::path program;
    std::vector<std::string> args;
    // The folder the copy goes into, made when missing (empty: a fresh one
    // under the desktop's root).
    fs::path folder;
};

// Options for a clock started at `local_time` (-Wextra warns about
// designated initializers that leave members out).
inline ClockOptions at_time(const std::string& local_time,
                            std::vector<std::pair<std::string, std::string>> files = {}) {
    ClockOptions options;
    options.fake_time = local_time;
    options.files = std::move(files);
    return options;
}
// Options for a clock on the real time whose settings folder holds `files`.
inline ClockOptions with_files(std::vector<std::pair<std::string, std::string>> files) {
    return at_time("", std::move(files));
}

// The real clock (env VELCLOCK) started in a fresh copy of its run
// directory. Stopped by pid when the object goes.
class Clock {
public:
    Clock(Desktop& desktop, Process process, fs::path run_dir)
        : m_desktop(desktop), m_process(std::move(process)), m_run_dir(std::move(run_dir)) {}
    Process& process() { return m_process; }
    int pid() const { return m_process.pid(); }
    const fs::path& run_dir() const { return m_run_dir; }
    fs::path settings_file(const std::string& name) const { return m_run_dir / "VEL文件" / name; }
    fs::path log_file() const { return m_run_dir / "velclock.log"; }
    // Its visible top-level windows (the clock window, the alarm editor,
    // message boxes) in the order they were first mapped.
    std::vector<WindowId> windows();
    // The first of them (the clock window), waiting for it.
    std::optional<WindowId> wait_window(Millis timeout = 10s);
    // Its top-level window whose title matches `regex` (UTF-8), waiting for it.
    std::optional<WindowId> wait_window_named(const std::string& regex, Millis timeout = 10s);
    // Its visible window of `width` x `height`, waiting for it; found without
    // the window manager's client list, so also on a bare X server.
    std::optional<WindowId> wait_window_sized(int width, int height, Millis timeout = 20s);
    // Opens its pop-up menu with a right click on its first window and
    // presses `keys`, then Return.
    bool choose(const std::vector<std::string>& keys);
    // Whether a right click at (x, y) opens a window of it within `timeout`.
    bool right_click_opens(int x, int y, Millis timeout);
    // Whether settings file `name` comes to hold `bytes`; says what it holds
    // when not.
    ::testing::AssertionResult settings_become(const std::string& name, const std::string& bytes,
                                               Millis timeout = 5s);
    // Its icon docked in the tray host, waiting for it.
    std::optional<WindowId> wait_tray_icon(Millis timeout = 10s);
    void stop() { m_process.stop(); }

private:
    Desktop& m_desktop;
    Process m_process;
    fs::path m_run_dir;
};

// Bytes of a file (settings are GBK), empty when it cannot be read.
std::string read_file(const fs::path& path);
bool write_file(const fs::path& path, const std::string& bytes);

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    Desktop& desktop() { return *m_desktop; }
    // Moves this test, and the clocks it starts from now on, onto a desktop
    // of its own, stopped at the test's end.
    ::testing::AssertionResult use_own_desktop(const std::string& screen, Session session);
    // Starts the clock; the test fails (and the returned clock is not
    // running) when VELCLOCK is unset or the program cannot be started.
    Clock& start_clock(const ClockOptions& options = {});

private:
    Desktop* m_desktop = nullptr;
    std::unique_ptr<Desktop> m_own;
    std::vector<std::unique_ptr<Clock>> m_clocks;
};

// Starts Xvfb with a screen ("1280x1024x24") on a free display that it alone
// answers, and names the display (":3").
bool start_xvfb(Process& server, const std::string& screen, const fs::path& log,
                std::string& display, std::string& error);

}  // namespace desk
