// The system routines and commands on a real X server and window manager,
// driven through syscmd_helper (a small program of ours, beside this one).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "desktop/fixture.h"

namespace desk {
namespace {

// 0xFFFFFFFF * 144 / 255: the opacity the clock's click-through asks for.
constexpr const char* kOpacity144 = "2425393296";

// The helper with a pipe each way; killed by pid when it goes.
class Helper {
public:
    Helper(const Env& env) {
        const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "syscmd_helper";
        int to_child[2], from_child[2];
        if (pipe2(to_child, O_CLOEXEC) != 0 || pipe2(from_child, O_CLOEXEC) != 0) return;
        std::vector<std::string> env_copy = env;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(to_child[0], 0);
            dup2(from_child[1], 1);
            std::vector<char*> envp;
            for (std::string& e : env_copy) envp.push_back(e.data());
            envp.push_back(nullptr);
            char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
            execve(argv[0], argv, envp.data());
            _exit(127);
        }
        close(to_child[0]);
        close(from_child[1]);
        m_in = to_child[1];
        m_out = from_child[0];
    }
    ~Helper() {
        kill_now(SIGTERM);
        if (m_in >= 0) close(m_in);
        if (m_out >= 0) close(m_out);
    }
    void kill_now(int signal_number) {
        if (m_pid <= 0) return;
        kill(m_pid, signal_number);
        if (signal_number != SIGKILL) {
            for (int i = 0; i < 100 && waitpid(m_pid, nullptr, WNOHANG) == 0; ++i) usleep(20000);
            kill(m_pid, SIGKILL);
        }
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    // One answer line, empty after `timeout`.
    std::string read_line(Millis timeout = 10s) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            if (auto nl = m_buffer.find('\n'); nl != std::string::npos) {
                std::string line = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<Millis>(end - std::chrono::steady_clock::now());
            pollfd p{m_out, POLLIN, 0};
            if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
            char chunk[256];
            const ssize_t n = read(m_out, chunk, sizeof chunk);
            if (n <= 0) return {};
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }
    bool send(const std::string& line) {
        return write(m_in, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    }
    std::string ask(const std::string& command) {
        const std::string line = command + "\n";
        if (write(m_in, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return {};
        return read_line();
    }
    // Waits for "ready LOWER UPPER".
    bool wait_ready(WindowId& lower, WindowId& upper) {
        std::istringstream in(read_line());
        std::string word;
        return static_cast<bool>(in >> word >> lower >> upper) && word == "ready";
    }

private:
    pid_t m_pid = -1;
    int m_in = -1, m_out = -1;
    std::string m_buffer;
};

class SyscmdTest : public DesktopTest {
protected:
    void start_helper(const Env& extra = {}) {
        helper = std::make_unique<Helper>(desktop().env(extra));
        ASSERT_TRUE(helper->wait_ready(lower, upper));
        ASSERT_TRUE(desktop().wait_window([this] { return std::vector<WindowId>{upper}; }, 5s) ||
                    desktop().geometry(upper));
        ASSERT_TRUE(poll_until(
            [this] { return desktop().geometry(upper) && desktop().geometry(upper)->viewable; },
            5s));
    }
    bool state_has(const std::string& atom) {
        return desktop().property(upper, "_NET_WM_STATE").find(atom) != std::string::npos;
    }
    std::string clicks() { return helper->ask("clicks"); }
    bool write_command(const std::string& line) { return helper->send(line); }

    std::unique_ptr<Helper> helper;
    WindowId lower = 0, upper = 0;
};

TEST_F(SyscmdTest, EmbeddingPutsTheWindowInTheBottomBandOnEveryWorkspace) {
    start_helper();
    ASSERT_EQ(helper->ask("embed"), "ok");
    EXPECT_TRUE(poll_until([&] { return state_has("_NET_WM_STATE_BELOW"); }, 3s))
        << desktop().property(upper, "_NET_WM_STATE");
    EXPECT_TRUE(poll_until(
        [&] {
            return desktop().property(upper, "_NET_WM_DESKTOP").find("4294967295") !=
                   std::string::npos;
        },
        3s))
        << desktop().property(upper, "_NET_WM_DESKTOP");
    ASSERT_EQ(helper->ask("unembed"), "ok");
    EXPECT_TRUE(poll_until([&] { return !state_has("_NET_WM_STATE_BELOW"); }, 3s));
    EXPECT_TRUE(poll_until(
        [&] {
            return desktop().property(upper, "_NET_WM_DESKTOP").find("4294967295") ==
                   std::string::npos;
        },
        3s));
}

TEST_F(SyscmdTest, ClickThroughReachesTheWindowUnderneath) {
    start_helper();
    const auto g = desktop().geometry(upper);
    ASSERT_TRUE(g);
    // A point of the upper window away from its button and edit.
    const int x = g->x + g->width - 20, y = g->y + g->height - 20;
    ASSERT_TRUE(desktop().click(x, y));
    EXPECT_TRUE(poll_until([&] { return clicks() == "clicks 0 1"; }, 3s)) << clicks();

    ASSERT_EQ(helper->ask("through"), "ok");
    EXPECT_TRUE(poll_until(
        [&] {
            return desktop().property(upper, "_NET_WM_WINDOW_OPACITY").find(kOpacity144) !=
                   std::string::npos;
        },
        3s))
        << desktop().property(upper, "_NET_WM_WINDOW_OPACITY");
    usleep(300000);  // the window manager applies the new input shape
    ASSERT_TRUE(desktop().click(x, y));
    EXPECT_TRUE(poll_until([&] { return clicks() == "clicks 1 1"; }, 3s)) << clicks();

    ASSERT_EQ(helper->ask("solid"), "ok");
    // The click that went through raised the lower window: bring the upper back.
    ASSERT_TRUE(desktop().xdotool({"windowraise", std::to_string(upper)}));
    usleep(300000);
    ASSERT_TRUE(desktop().click(x, y));
    EXPECT_TRUE(poll_until([&] { return clicks() == "clicks 1 2"; }, 3s)) << clicks();
    EXPECT_EQ(desktop().property(upper, "_NET_WM_WINDOW_OPACITY").find(kOpacity144),
              std::string::npos);
}

TEST_F(SyscmdTest, NamedEventLivesExactlyAsLongAsItsCreator) {
    start_helper();
    Helper second(desktop().env());
    WindowId a = 0, b = 0;
    ASSERT_TRUE(second.wait_ready(a, b));
    const std::string name = "vel-running-" + std::to_string(getpid());
    EXPECT_EQ(second.ask("open " + name), "event 0");
    EXPECT_NE(helper->ask("create " + name), "event 0");
    EXPECT_NE(second.ask("open " + name), "event 0");
    helper->kill_now(SIGKILL);
    EXPECT_EQ(second.ask("open " + name), "event 0");
}

TEST_F(SyscmdTest, AutostartEntriesInPrivateFolders) {
    const fs::path xdg = desktop().make_folder("xdg");
    fs::create_directories(xdg / "etc" / "autostart");
    start_helper({"XDG_CONFIG_DIRS=" + (xdg / "etc").string(),
                  "XDG_CONFIG_HOME=" + (xdg / "home").string()});
    const std::string program = fs::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(helper->ask("autostart clock.exe " + program + " 0"), "ok 1");
    EXPECT_TRUE(fs::exists(xdg / "etc" / "autostart" / "clock.exe.desktop"));
    EXPECT_EQ(helper->ask("autostart clock.exe " + program + " 1"), "ok 1");
    EXPECT_TRUE(fs::exists(xdg / "home" / "autostart" / "clock.exe.desktop"));
    EXPECT_NE(
        read_file(xdg / "home" / "autostart" / "clock.exe.desktop").find("Exec=" + program + "\n"),
        std::string::npos);
    EXPECT_EQ(helper->ask("unautostart clock.exe"), "ok 1");
    EXPECT_FALSE(fs::exists(xdg / "etc" / "autostart" / "clock.exe.desktop"));
    EXPECT_FALSE(fs::exists(xdg / "home" / "autostart" / "clock.exe.desktop"));
    EXPECT_EQ(helper->ask("unautostart clock.exe"), "ok 0");
}

bool same_pixels(const Image& a, const Image& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!(a.at(x, y) == b.at(x, y))) return false;
    return true;
}

TEST_F(SyscmdTest, ControlStyleThenNoneLooksAsBefore) {
    start_helper();
    desktop().move_mouse(5, 5);
    const auto g = desktop().geometry(upper);
    ASSERT_TRUE(g);
    auto shot = [&] {
        auto s = desktop().screenshot();
        return s ? s->crop(g->x, g->y, g->width, g->height) : Image();
    };
    usleep(300000);
    const Image before = shot();
    ASSERT_GT(before.width(), 0);
    EXPECT_EQ(helper->ask("style 3"), "ok 1");
    EXPECT_TRUE(poll_until([&] { return !same_pixels(shot(), before); }, 3s));
    EXPECT_EQ(helper->ask("style 0"), "ok 1");
    Image after;
    EXPECT_TRUE(poll_until([&] { return same_pixels(after = shot(), before); }, 3s));
    if (!same_pixels(after, before)) {
        before.save((desktop().root() / "style_before.png").string());
        after.save((desktop().root() / "style_after.png").string());
    }
}

// Esc and the window manager's close button answer what the box's buttons
// allow: Cancel, else No, else its only button.
TEST_F(SyscmdTest, DismissingAMessageBoxAnswersCancelOrNo) {
    start_helper();
    const struct {
        int style;
        const char* keys;
        const char* answer;
    } rows[] = {
        {4, "Escape", "box 7"},                          // Yes / No: No
        {4, "alt+F4", "box 7"}, {3, "Escape", "box 2"},  // Yes / No / Cancel: Cancel
        {1, "alt+F4", "box 2"},                          // OK / Cancel: Cancel
        {0, "Escape", "box 1"},                          // OK alone
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.style) + " " + row.keys);
        const std::string line = "box " + std::to_string(row.style) + "\n";
        ASSERT_EQ(write_command(line), true);
        auto box = desktop().wait_window([&] { return desktop().windows_named("box-under-test"); });
        ASSERT_TRUE(box);
        ASSERT_TRUE(desktop().key_in(*box, row.keys));
        EXPECT_EQ(helper->read_line(), row.answer);
    }
}

}  // namespace
}  // namespace desk
