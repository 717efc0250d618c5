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
    const fs::path own = home / ".local" / "share" / "velclock";
    ClockOptions options;
    options.folder = home / "velclock";
    options.env = {"HOME=" + home.string(), "XDG_DATA_HOME=" + (home / ".local/share").string()};
    options.files = {{"coordinate.vel", "100,120"}};
    Clock& clock = start_clock(options);
    auto window = clock.wait_window(20s);
    ASSERT_TRUE(window);
    std::optional<Geometry> g;
    ASSERT_TRUE(poll_until(
        [&] {
            g = desktop().geometry(*window);
            return g && g->viewable && g->x == 100 && g->y == 120;
        },
        5s))
        << "the copied place was not read: " << (g ? std::to_string(g->x) : "gone");
    ASSERT_TRUE(desktop().drag(g->x + 150, g->y + 100, g->x + 150 + 230, g->y + 100 + 170));
    EXPECT_TRUE(
        poll_until([&] { return read_file(own / "VEL文件" / "coordinate.vel") == "330,290"; }, 5s))
        << read_file(own / "VEL文件" / "coordinate.vel");
    EXPECT_EQ(read_file(clock.settings_file("coordinate.vel")), "100,120");
}

}  // namespace
}  // namespace desk
