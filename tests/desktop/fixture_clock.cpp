// Starting the real clock on the test desktop, each time in a fresh copy of
// its run directory so that no test sees another's settings and none writes
// into the build tree.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "desktop/fixture.h"

namespace desk {
namespace {

// The multi-threaded build of libfaketime: the clock plays sound on worker
// threads that read the time too.
const char* const kFaketimeLibraries[] = {
    "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1",
    "/usr/lib/aarch64-linux-gnu/faketime/libfaketimeMT.so.1",
    "/usr/lib/faketime/libfaketimeMT.so.1",
};

std::string faketime_library() {
    for (const char* path : kFaketimeLibraries)
        if (fs::exists(path)) return path;
    return {};
}

// The executable and the supplied folders beside it; the executable is
// copied too because the program finds its folders through /proc/self/exe.
bool copy_run_directory(const fs::path& executable, const fs::path& to, std::string& error) {
    std::error_code ec;
    fs::path from = executable.parent_path();
    fs::copy_file(executable, to / executable.filename(), fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy " + executable.string() + ": " + ec.message();
        return false;
    }
    fs::permissions(to / executable.filename(), fs::perms::owner_all, fs::perm_options::add, ec);
    for (const char* folder : {"VEL文件", "image"}) {
        if (!fs::exists(from / folder)) continue;
        fs::copy(from / folder, to / folder, fs::copy_options::recursive, ec);
        if (ec) {
            error = std::string("cannot copy ") + folder + ": " + ec.message();
            return false;
        }
    }
    return true;
}

}  // namespace

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string();
}

bool write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<WindowId> Clock::windows() {
    if (pid() <= 0) return {};
    auto mine = m_desktop.windows_of_pid(pid());
    std::vector<WindowId> out;
    for (WindowId client : m_desktop.client_list())
        if (std::find(mine.begin(), mine.end(), client) != mine.end()) out.push_back(client);
    return out;
}

std::optional<WindowId> Clock::wait_window(Millis timeout) {
    return m_desktop.wait_window([&] { return windows(); }, timeout);
}

std::optional<WindowId> Clock::wait_window_named(const std::string& regex, Millis timeout) {
    return m_desktop.wait_window(
        [&] {
            auto named = m_desktop.windows_named(regex);
            auto mine = windows();
            std::vector<WindowId> out;
            for (WindowId id : named)
                if (std::find(mine.begin(), mine.end(), id) != mine.end()) out.push_back(id);
            return out;
        },
        timeout);
}

std::optional<WindowId> Clock::wait_window_sized(int width, int height, Millis timeout) {
    return m_desktop.wait_window(
        [&] {
            std::vector<WindowId> found;
            if (pid() <= 0) return found;
            for (WindowId id : m_desktop.windows_of_pid(pid())) {
                auto g = m_desktop.geometry(id);
                if (g && g->viewable && g->width == width && g->height == height)
                    found.push_back(id);
            }
            return found;
        },
        timeout);
}

bool Clock::choose(const std::vector<std::string>& keys) {
    auto window = wait_window();
    auto g = window ? m_desktop.geometry(*window) : std::nullopt;
    if (!g) return false;
    // A busy machine may map the window before the clock answers clicks.
    const int x = g->x + g->width / 2, y = g->y + g->height / 2;
    return (right_click_opens(x, y, 5s) || right_click_opens(x, y, 5s)) && m_desktop.keys(keys) &&
           m_desktop.key("Return");
}

bool Clock::right_click_opens(int x, int y, Millis timeout) {
    const auto before = m_desktop.windows_of_pid(pid()).size();
    return m_desktop.click(x, y, 3) &&
           poll_until([&] { return m_desktop.windows_of_pid(pid()).size() > before; }, timeout);
}

::testing::AssertionResult Clock::settings_become(const std::string& name, const std::string& bytes,
                                                  Millis timeout) {
    std::string stored;
    if (poll_until([&] { return (stored = read_file(settings_file(name))) == bytes; }, timeout))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " holds \"" << stored << "\"";
}

// The docked icon is a small window of ours that the window manager does not
// manage: the tray host has embedded it.
std::optional<WindowId> Clock::wait_tray_icon(Millis timeout) {
    return m_desktop.wait_window(
        [&] {
            std::vector<WindowId> out;
            if (pid() <= 0) return out;
            auto clients = m_desktop.client_list();
            for (WindowId id : m_desktop.windows_of_pid(pid())) {
                if (std::find(clients.begin(), clients.end(), id) != clients.end()) continue;
                auto placed = m_desktop.geometry(id);
                if (placed && placed->viewable && placed->width > 1 && placed->width <= 64 &&
                    placed->height <= 64)
                    out.push_back(id);
            }
            return out;
        },
        timeout);
}

void DesktopTest::SetUp() {
    m_desktop = Desktop::shared();
    if (!m_desktop) GTEST_FAIL() << "no test desktop: " << Desktop::start_error();
}

void DesktopTest::TearDown() {
    for (auto& clock : m_clocks) {
        if (HasFailure()) {
            std::string log = read_file(clock->log_file());
            if (!log.empty()) std::fprintf(stderr, "--- clock log:\n%s\n", log.c_str());
        }
        clock->stop();
    }
    m_clocks.clear();
    m_own.reset();
}

::testing::AssertionResult DesktopTest::use_own_desktop(const std::string& screen,
                                                        Session session) {
    auto own = std::make_unique<Desktop>(screen, session);
    std::string error;
    if (!own->start(error)) return ::testing::AssertionFailure() << error;
    m_own = std::move(own);
    m_desktop = m_own.get();
    return ::testing::AssertionSuccess();
}

Clock& DesktopTest::start_clock(const ClockOptions& options) {
    auto fail = [&](const std::string& why) -> Clock& {
        ADD_FAILURE() << why;
        m_clocks.push_back(std::make_unique<Clock>(*m_desktop, Process{}, fs::path{}));
        return *m_clocks.back();
    };
    const char* velclock = std::getenv("VELCLOCK");
    if (!velclock || !*velclock) return fail("VELCLOCK is not set");
    fs::path executable = velclock;
    fs::path run_dir = options.folder.empty() ? m_desktop->make_folder("run") : options.folder;
    std::error_code made;
    fs::create_directories(run_dir, made);
    std::string error;
    if (!copy_run_directory(executable, run_dir, error)) return fail(error);
    if (!options.program.empty()) {
        // The supplied folders come from beside the clock; the program itself
        // is copied in, as the clock is, to find them through /proc/self/exe.
        std::error_code ec;
        fs::copy_file(options.program, run_dir / options.program.filename(),
                      fs::copy_options::overwrite_existing, ec);
        if (ec) return fail("cannot copy " + options.program.string() + ": " + ec.message());
        executable = options.program;
    }
    for (const auto& [name, bytes] : options.files) write_file(run_dir / "VEL文件" / name, bytes);
    if (options.prepare) options.prepare(run_dir);

    Env extra{"TZ=UTC", "QT_QPA_PLATFORM=xcb"};
    if (!options.fake_time.empty()) {
        std::string library = faketime_library();
        if (library.empty()) return fail("libfaketime is not installed");
        std::string when = options.fake_time;
        if (when.front() != '@' && when.front() != '+' && when.front() != '-') when = "@" + when;
        // Timers keep real monotonic time; only the time of day is moved.
        extra.insert(extra.end(), {"LD_PRELOAD=" + library, "FAKETIME=" + when,
                                   "FAKETIME_DONT_FAKE_MONOTONIC=1"});
    }
    extra.insert(extra.end(), options.env.begin(), options.env.end());

    Process process;
    fs::path program = run_dir / executable.filename();
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), options.args.begin(), options.args.end());
    if (!process.start(argv, m_desktop->env(extra), (run_dir / "velclock.log").string()))
        return fail("cannot start " + program.string());
    m_clocks.push_back(std::make_unique<Clock>(*m_desktop, std::move(process), run_dir));
    return *m_clocks.back();
}

}  // namespace desk
