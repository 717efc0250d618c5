// The clock works in its run directory whatever folder it was started from,
// and stores its settings whatever language the folders are named in.
#include <unistd.h>

#include "desktop/fixture.h"

namespace desk {
namespace {

class RunDirectoryTest : public DesktopTest {};

TEST_F(RunDirectoryTest, TheRunDirectoryBecomesTheCurrentOne) {
    Clock& clock = start_clock();
    ASSERT_TRUE(clock.wait_window(20s));
    // The test program runs elsewhere, and the clock inherits its folder.
    ASSERT_NE(fs::current_path(), fs::canonical(clock.run_dir()));
    std::error_code ec;
    const fs::path cwd = fs::read_symlink("/proc/" + std::to_string(clock.pid()) + "/cwd", ec);
    EXPECT_FALSE(ec) << ec.message();
    EXPECT_EQ(cwd, fs::canonical(clock.run_dir()));
}

// A user named jörg: the program, home and data folder have no GBK name. The
// clock reads the settings copied into the user's own folder and stores
// there what changes.
TEST_F(RunDirectoryTest, FoldersNamedInAnyLanguageStillKeepTheSettings) {
    const fs::path home = desktop().make_folder("user") / "jörg";
    const fs::path stored = home / ".local/share/velclock/VEL文件/coordinate.vel";
    ClockOptions options;
    options.folder = home / "velclock";
    options.env = {"HOME=" + home.string(), "XDG_DATA_HOME=" + (home / ".local/share").string()};
    options.files = {{"coordinate.vel", "100,120"}};
    Clock& clock = start_clock(options);
    auto window = clock.wait_window(20s);
    ASSERT_TRUE(window);
    ASSERT_TRUE(poll_until(
        [&] {
            auto g = desktop().geometry(*window);
            return g && g->viewable && g->x == 100 && g->y == 120;
        },
        5s))
        << "the copied place was not read";
    ASSERT_TRUE(desktop().drag(250, 220, 250 + 230, 220 + 170));
    EXPECT_TRUE(poll_until([&] { return read_file(stored) == "330,290"; }, 5s))
        << read_file(stored);
    EXPECT_EQ(read_file(clock.settings_file("coordinate.vel")), "100,120");
}

}  // namespace
}  // namespace desk
