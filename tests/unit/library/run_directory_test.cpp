#include "library/commands/run_directory.h"

#include <gtest/gtest.h>

#include "cmd_util.h"
#include "platform/fs/paths.h"

namespace vel {
namespace {

struct SplitRow {
    const char* path;
    const char* directory;
    const char* name;
};

class SplitExecutablePath : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitExecutablePath, AtTheLastBackslash) {
    std::string directory = "junk";
    std::string name = "junk";
    split_executable_path(GetParam().path, directory, name);
    EXPECT_EQ(directory, GetParam().directory);
    EXPECT_EQ(name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitExecutablePath,
    ::testing::Values(SplitRow{"\\opt\\vel\\velclock", "\\opt\\vel", "velclock"},
                      SplitRow{"\\velclock", "", "velclock"}, SplitRow{"velclock", "", "velclock"},
                      // 乗 ends in 0x5C: not a separator
                      SplitRow{"\\a\\\x81\x5C"
                               "b",
                               "\\a",
                               "\x81\x5C"
                               "b"}));

TEST(RunDirectory, IsTheExecutablesFolderWindowsStyle) {
    const std::string dir = test::take_text(call(cmd_get_run_directory));
    const std::string name = test::take_text(call(cmd_get_executable_file_name));
    EXPECT_EQ(name, "test_library");
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.find('/'), std::string::npos);
    EXPECT_NE(dir.back(), '\\');
    // joined as the logic joins it, the edge finds this very program
    EXPECT_EQ(plat::fs::native_path(dir + "\\" + name), plat::fs::executable_path());
}

}  // namespace
}  // namespace vel
