#include "library/commands/run_directory.h"

#include <gtest/gtest.h>

#include "cmd_util.h"
#include "platform/fs/paths.h"

namespace vel {
namespace {

TEST(RunDirectory, SplitsAtTheLastBackslashOnly) {
    std::string directory;
    std::string name;
    split_executable_path(
        "\\a\\\x81\x5C"
        "b",
        directory, name);  // 乗 ends in 0x5C
    EXPECT_EQ(directory, "\\a");
    EXPECT_EQ(name,
              "\x81\x5C"
              "b");
    split_executable_path("velclock", directory, name);
    EXPECT_EQ(directory, "");
    EXPECT_EQ(name, "velclock");
}

TEST(RunDirectory, FromTheExecutablesNativePath) {
    const struct {
        const char* native;
        const char* directory;
        const char* name;
    } rows[] = {
        {"/opt/vel/velclock", "\\opt\\vel", "velclock"},
        {"/velclock", "", "velclock"},
        {"/rd/\xE6\x97\xB6\xE9\x92\x9F/velclock", "\\rd\\\xCA\xB1\xD6\xD3", "velclock"},
        // A real backslash in a folder name never opens another folder.
        {"/rd/a\\b/velclock", "\\?", "velclock"},
        {"/rd/a\\b/c/velclock", "\\?", "velclock"},
        // No GBK form (a lone continuation byte): nothing opens either.
        {"/rd/\x80x/velclock", "\\?", ""},
    };
    for (const auto& row : rows) {
        std::string directory;
        std::string name;
        split_native_executable_path(row.native, directory, name);
        EXPECT_EQ(directory, row.directory) << row.native;
        EXPECT_EQ(name, row.name) << row.native;
        if (directory == "\\?") {
            EXPECT_FALSE(plat::fs::native_path(directory + "\\VEL\xCE\xC4\xBC\xFE\\top.vel")
                             ->starts_with("/rd/"));
        }
    }
}

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
