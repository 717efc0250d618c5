// Every way the clock is ended from outside ends it quietly: no display at
// start, a display that goes away (the X server of a closed session dies),
// and the termination signals of a logout or a kill. None of them may end the
// process by a signal (an abort leaves a core dump at every logout).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "desktop/fixture.h"

namespace desk {
namespace {

constexpr Millis kAppear = 20s;

class EndingTest : public DesktopTest {};

// A private X server of our own that the test may kill.
struct PrivateX {
    Process server;
    std::string display;

    bool start(const fs::path& log) {
        std::string error;
        return start_xvfb(server, "640x480x24", log, display, error);
    }
};

// The clock has a mapped 288 x 288 window on `display`.
bool clock_shown_on(const std::string& display) {
    RunResult tree = run({"xwininfo", "-root", "-tree"}, make_env({"DISPLAY=" + display}), 5s);
    return tree.ok() && tree.out.find("288x288") != std::string::npos;
}

// The display is killed as soon as the window is seen, which is often while
// the clock is still making it; a few rounds meet both moments.
TEST_F(EndingTest, LosingTheDisplayEndsWithoutASignal) {
    for (int round = 0; round < 8; ++round) {
        PrivateX x;
        ASSERT_TRUE(x.start(desktop().root() / "private-xvfb.log"));
        ClockOptions options;
        options.env = {"DISPLAY=" + x.display};
        Clock& clock = start_clock(options);
        ASSERT_TRUE(poll_until([&] { return clock_shown_on(x.display); }, kAppear, 10ms))
            << "the clock did not appear on " << x.display;
        x.server.stop(SIGKILL);
        ASSERT_TRUE(clock.process().wait_exit(kAppear)) << "the clock outlived its display";
        const int status = clock.process().status();
        EXPECT_FALSE(WIFSIGNALED(status))
            << "round " << round << " ended by signal " << WTERMSIG(status) << "\n"
            << read_file(clock.log_file());
        EXPECT_EQ(read_file(clock.log_file()).find("free()"), std::string::npos)
            << read_file(clock.log_file());
    }
}

// The reason is readable in the UTF-8 terminal it was started from.
TEST_F(EndingTest, NoDisplayAtStartEndsWithoutASignal) {
    ClockOptions options;
    options.env = {"DISPLAY=:65000", "LANG=C.UTF-8", "LC_ALL=", "LC_CTYPE="};
    Clock& clock = start_clock(options);
    ASSERT_TRUE(clock.process().wait_exit(kAppear));
    const int status = clock.process().status();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "wait status " << status;
    const std::string log = read_file(clock.log_file());
    EXPECT_NE(log.find("No X display answers"), std::string::npos) << log;
    EXPECT_NE(log.find("运行时出错!\n\n错误信息："), std::string::npos) << log;
    EXPECT_EQ(log.find('\r'), std::string::npos) << log;
}

TEST_F(EndingTest, TerminationSignalsEndWithStatusZero) {
    for (int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
        Clock& clock = start_clock();
        ASSERT_TRUE(clock.wait_window(kAppear)) << "signal " << signal_number;
        ASSERT_TRUE(clock.process().send(signal_number));
        ASSERT_TRUE(clock.process().wait_exit(kAppear)) << "signal " << signal_number;
        const int status = clock.process().status();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "signal " << signal_number << ": wait status " << status;
    }
}

}  // namespace
}  // namespace desk
