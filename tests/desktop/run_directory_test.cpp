// The clock works in its run directory whatever folder it was started from.
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

}  // namespace
}  // namespace desk
