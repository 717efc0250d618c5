#include "desktop/fixture.h"

#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace desk {
namespace {

// The system interpreter: a python3 earlier in PATH may lack nothing we use,
// but its ctypes may not find the system's libX11.
constexpr const char* kPython = "/usr/bin/python3";

fs::path tools_folder() {
    if (const char* source = std::getenv("VEL_SOURCE_DIR"))
        return fs::path(source) / "tests" / "desktop" / "tools";
    return fs::path(__FILE__).parent_path() / "tools";
}

// Reads the display number Xvfb writes to its -displayfd pipe.
std::string read_display_number(int fd, Millis timeout) {
    std::string number;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        char c;
        if (read(fd, &c, 1) != 1) break;
        if (c == '\n') return number;
        number += c;
    }
    return {};
}

// Whether `pid` itself listens on X display `number`'s abstract socket, the
// one clients try first. Xvfb's own pick of a free display (-displayfd) was
// seen, with another desktop starting at the same time, to report a number
// whose abstract socket another Xvfb held: its clients then reach the other
// server. The socket's inode must be one of the process's descriptors.
bool listens_on_display(pid_t pid, const std::string& number) {
    const std::string name = "@/tmp/.X11-unix/X" + number;
    std::ifstream table("/proc/net/unix");
    std::set<std::string> inodes;
    for (std::string line; std::getline(table, line);) {
        const auto at = line.find(name);
        if (at == std::string::npos || line.size() != at + name.size()) continue;
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 7 && fields >> field; ++i) {
        }
        inodes.insert("socket:[" + field + "]");
    }
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        std::error_code link_ec;
        if (inodes.count(fs::read_symlink(fd.path(), link_ec).string())) return true;
    }
    return false;
}

Desktop* g_shared = nullptr;
std::string g_start_error;

void stop_shared() {
    delete g_shared;
    g_shared = nullptr;
}

}  // namespace

Desktop* Desktop::shared() {
    static bool tried = false;
    if (!tried) {
        tried = true;
        auto* desktop = new Desktop;
        if (desktop->start(g_start_error)) {
            g_shared = desktop;
            std::atexit(stop_shared);
        } else {
            delete desktop;
        }
    }
    return g_shared;
}

const std::string& Desktop::start_error() {
    return g_start_error;
}

Desktop::~Desktop() {
    stop();
}

bool Desktop::start(std::string& error) {
    char pattern[] = "/tmp/veldesk.XXXXXX";
    if (!mkdtemp(pattern)) {
        error = "cannot make a temporary folder";
        return false;
    }
    m_root = pattern;  // mkdtemp makes it 0700
    m_home = m_root / "home";
    m_runtime = m_root / "runtime";
    std::error_code ec;
    fs::create_directories(m_home / ".config", ec);
    fs::create_directories(m_root / "xdg" / "autostart", ec);
    fs::create_directories(m_runtime, ec);
    fs::permissions(m_runtime, fs::perms::owner_all, ec);
    if ((m_session == Session::weston ? start_weston(error) : start_x(error)) && start_sound(error))
        return true;
    // The logs go with the private folder: keep their ends in the reason.
    for (const char* name : {"xvfb", "weston", "openbox", "trayer", "pulseaudio"}) {
        std::string text = read_file(log(name));
        if (text.size() > 1500) text = text.substr(text.size() - 1500);
        if (!text.empty()) error += std::string("\n--- ") + name + ":\n" + text;
    }
    return false;
}

bool Desktop::start_weston(std::string& error) {
    int width = 0, height = 0;
    std::sscanf(m_screen.c_str(), "%dx%d", &width, &height);
    const fs::path said_where = log("weston");
    // The socket goes into the desktop's own XDG_RUNTIME_DIR.
    if (!m_server.start({"weston", "--backend=headless-backend.so", "--xwayland",
                         "--socket=wayland-vel", "--width=" + std::to_string(width),
                         "--height=" + std::to_string(height), "--log=" + said_where.string()},
                        env(), log("weston-out"))) {
        error = "weston did not start";
        return false;
    }
    m_wayland = "wayland-vel";
    const std::string said = "xserver listening on display ";
    poll_until(
        [&] {
            const std::string text = read_file(said_where);
            const auto at = text.find(said);
            if (at == std::string::npos) return !m_server.running();
            m_display = text.substr(at + said.size(), text.find('\n', at) - at - said.size());
            return true;
        },
        10s, 50ms);
    if (m_display.empty())
        error = "weston named no X display";
    else if (!poll_until([&] { return run({"xdpyinfo"}, 2s).ok(); }, 15s, 100ms))
        error = "X server " + m_display + " does not answer";
    else
        return true;
    return false;
}

bool Desktop::start_x(std::string& error) {
    if (!start_xvfb(m_server, m_screen, log("xvfb"), m_display, error)) return false;
    if (!poll_until([&] { return run({"xdpyinfo"}, 2s).ok(); }, 10s, 50ms)) {
        error = "X server " + m_display + " does not answer";
        return false;
    }
    if (m_session == Session::bare) return true;

    // Now and then an openbox that has claimed the screen manages no window
    // at all, not even the tray's panel: such a desktop is made again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!start_wm_and_tray(error)) return false;
        if (poll_until(
                [&] { return property(0, "_NET_CLIENT_LIST").find("0x") != std::string::npos; }, 5s,
                50ms))
            return true;
        std::fprintf(stderr, "openbox on %s manages no window: started again on a new X server\n",
                     m_display.c_str());
        m_tray.stop();
        m_wm.stop();
        // A new server, started while the old one still holds its display,
        // so that it gets another.
        Process fresh;
        std::string display;
        if (!start_xvfb(fresh, m_screen, log("xvfb"), display, error)) return false;
        m_server.stop();
        m_server = std::move(fresh);
        m_display = display;
        if (!poll_until([&] { return run({"xdpyinfo"}, 2s).ok(); }, 10s, 50ms)) {
            error = "X server " + m_display + " does not answer";
            return false;
        }
    }
    error = "openbox manages no window";
    return false;
}

bool Desktop::start_wm_and_tray(std::string& error) {
    // openbox reads its own configuration from the system folder.
    if (!m_wm.start({"openbox", "--sm-disable"}, env({"XDG_CONFIG_DIRS=/etc/xdg"}),
                    log("openbox")) ||
        !poll_until(
            [&] {
                return !m_wm.running() ||
                       property(0, "_NET_SUPPORTING_WM_CHECK").find("window id #") !=
                           std::string::npos;
            },
            10s, 50ms) ||
        !m_wm.running()) {
        error = "openbox did not start";
        return false;
    }

    auto tool = tools_folder() / "selection.py";
    if (!m_tray.start({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                       "--height", "28", "--SetDockType", "true", "--transparent", "false"},
                      env(), log("trayer")) ||
        !poll_until(
            [&] {
                return !m_tray.running() ||
                       run({kPython, tool.string(), "owner", "_NET_SYSTEM_TRAY_S0"}, 3s).ok();
            },
            10s, 50ms) ||
        !m_tray.running()) {
        error = "trayer did not take the tray selection";
        return false;
    }
    return true;
}

bool Desktop::start_sound(std::string& error) {
    fs::path pulse = m_root / "pulse";
    std::error_code ec;
    fs::create_directories(pulse, ec);
    m_pulse_socket = (pulse / "native").string();
    fs::path config = pulse / "server.pa";
    {
        std::ofstream out(config);
        out << "load-module module-native-protocol-unix auth-anonymous=1 socket=" << m_pulse_socket
            << "\n"
            << "load-module module-null-sink sink_name=" << m_sink << " rate=44100 channels=2\n"
            << "set-default-sink " << m_sink << "\n"
            << "set-default-source " << m_sink << ".monitor\n";
    }
    write_file(pulse / "cookie", std::string(256, '\0'));
    if (!m_pulse.start(
            {"pulseaudio", "--daemonize=no", "-n", "-F", config.string(), "--exit-idle-time=-1",
             "--use-pid-file=no", "--realtime=no", "--high-priority=no", "--log-target=stderr"},
            env(), log("pulseaudio")) ||
        !poll_until(
            [&] {
                return !m_pulse.running() || run({"pactl", "info"}, 2s).ok();
            },
            10s, 50ms) ||
        !m_pulse.running()) {
        error = "pulseaudio did not start";
        return false;
    }
    // An idle null sink renders in blocks of up to 2 s; a connected reader
    // keeps its latency short, so recordings start when the sound does.
    if (!m_keep_sink_busy.start({"parec", "--latency-msec=20", "-d", m_sink + ".monitor"}, env())) {
        error = "parec did not start";
        return false;
    }
    return true;
}

void Desktop::stop() {
    m_keep_sink_busy.stop();
    m_pulse.stop();
    m_tray.stop();
    m_wm.stop();
    m_server.stop();
    if (!m_root.empty()) {
        std::error_code ec;
        fs::remove_all(m_root, ec);
        m_root.clear();
    }
}

Env Desktop::env(const Env& extra) const {
    Env base{"DISPLAY=" + m_display,
             "HOME=" + m_home.string(),
             "XDG_RUNTIME_DIR=" + m_runtime.string(),
             "XDG_CONFIG_HOME=" + (m_home / ".config").string(),
             "XDG_CONFIG_DIRS=" + (m_root / "xdg").string(),
             "XAUTHORITY=",
             "WAYLAND_DISPLAY=" + m_wayland,
             "PULSE_SERVER=unix:" + m_pulse_socket,
             "PULSE_COOKIE=" + (m_root / "pulse" / "cookie").string(),
             "PULSE_RUNTIME_PATH=" + (m_root / "pulse").string(),
             "PULSE_STATE_PATH=" + (m_root / "pulse").string()};
    if (!m_wayland.empty()) base.push_back("XDG_SESSION_TYPE=wayland");
    base.insert(base.end(), extra.begin(), extra.end());
    return make_env(base);
}

RunResult Desktop::run(const std::vector<std::string>& argv, Millis timeout) const {
    return desk::run(argv, env(), timeout);
}

std::string Desktop::selection_text(const std::string& selection) const {
    return run({kPython, (tools_folder() / "selection.py").string(), "text", selection}, 5s).out;
}

fs::path Desktop::make_folder(const std::string& prefix) {
    fs::path folder;
    std::error_code ec;
    do folder = m_root / (prefix + std::to_string(++m_folders));
    while (fs::exists(folder));
    fs::create_directories(folder, ec);
    return folder;
}

std::optional<Recording> Desktop::record() {
    fs::path file = make_folder("recording") / "monitor.wav";
    Process recorder;
    if (!recorder.start(
            {"parecord", "--latency-msec=20", "-d", m_sink + ".monitor", "--file-format=wav",
             "--format=s16le", "--rate=44100", "--channels=2", file.string()},
            env(), log("parecord")))
        return std::nullopt;
    // The header is written before the stream connects: wait for samples.
    std::error_code ec;
    if (!poll_until([&] { return fs::file_size(file, ec) > 44 + 4 * 441 && !ec; }, 5s, 5ms))
        return std::nullopt;
    return Recording(std::move(recorder), file);
}

bool Desktop::play(const fs::path& file) const {
    return run({"paplay", "--latency-msec=20", file.string()}, 60s).ok();
}

std::optional<Wav> Recording::stop() {
    m_process.stop(SIGINT, 3000ms);
    return Wav::load(m_file.string());
}

bool start_xvfb(Process& server, const std::string& screen, const fs::path& log,
                std::string& display, std::string& error) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        int fds[2];
        if (pipe(fds) != 0) {
            error = "pipe";
            return false;
        }
        const bool started = server.start({"Xvfb", "-displayfd", "3", "-screen", "0", screen,
                                           "-noreset", "-nolisten", "tcp", "-br"},
                                          make_env({}), log.string(), fds[1]);
        close(fds[1]);
        const std::string number = started ? read_display_number(fds[0], 15s) : "";
        close(fds[0]);
        if (!number.empty() && listens_on_display(server.pid(), number)) {
            display = ":" + number;
            return true;
        }
        server.stop();
    }
    error = "Xvfb did not start on a display of its own";
    return false;
}

}  // namespace desk
