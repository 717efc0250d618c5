// Autostart entries: the Exec line for awkward program paths, awkward entry
// names, and the files written into private XDG folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/autostart.h"
#include "platform/text/gbk.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

TEST(AutostartEntry, ExecLineQuotesAndEscapes) {
    const std::pair<std::string, std::string> rows[] = {
        {"/opt/vel/velclock", "Exec=/opt/vel/velclock"},
        {"/opt/VEL clock/velclock", "Exec=\"/opt/VEL clock/velclock\""},
        // Inside quotes ", `, $ and \ get a backslash; the file format then
        // doubles every backslash.
        {"/opt/a\"b/c", "Exec=\"/opt/a\\\\\"b/c\""},
        {"/opt/a$b/c", "Exec=\"/opt/a\\\\$b/c\""},
        {"/opt/a\\b/c", "Exec=\"/opt/a\\\\\\\\b/c\""},
        {"/opt/it's/c", "Exec=\"/opt/it's/c\""},
        {"/opt/100%/c", "Exec=/opt/100%%/c"},
        {"/opt/\xE6\x97\xB6\xE9\x92\x9F/velclock", "Exec=/opt/\xE6\x97\xB6\xE9\x92\x9F/velclock"},
    };
    for (const auto& [path, exec] : rows) {
        const auto text = autostart_entry_text("clock", path);
        ASSERT_TRUE(text) << path;
        EXPECT_NE(text->find("\n" + exec + "\n"), std::string::npos) << *text;
        EXPECT_EQ(text->rfind("[Desktop Entry]\n", 0), 0u);
    }
    // A line break would end the Exec line early: refused.
    EXPECT_FALSE(autostart_entry_text("clock", "/opt/a\nb"));
    EXPECT_FALSE(autostart_entry_text("clo\nck", "/opt/a"));
    EXPECT_FALSE(autostart_entry_text("clock", ""));
}

TEST(AutostartEntry, NamesThatCannotNameAFileAreRefused) {
    setenv("XDG_CONFIG_HOME", "/tmp/vel-xdg-home", 1);
    const char* bad[] = {"", ".", "..", "a/b", "tab\there", "\xFF\xFF"};
    for (const char* name : bad)
        EXPECT_FALSE(autostart_entry_path(name, AutostartMethod::user)) << name;
    EXPECT_FALSE(autostart_entry_path(std::string(250, 'a'), AutostartMethod::user));
    // GBK names become UTF-8 file names: 时钟
    EXPECT_EQ(autostart_entry_path("\xCA\xB1\xD6\xD3 1", AutostartMethod::user),
              "/tmp/vel-xdg-home/autostart/\xE6\x97\xB6\xE9\x92\x9F 1.desktop");
    // A relative XDG folder is not valid: the default is used.
    setenv("XDG_CONFIG_DIRS", "relative/dir", 1);
    EXPECT_FALSE(autostart_entry_path("clock", AutostartMethod::machine));
    unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(autostart_entry_path("clock", AutostartMethod::machine),
              "/etc/xdg/autostart/clock.desktop");
    unsetenv("XDG_CONFIG_HOME");
}

class AutostartFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vel-autostart-XXXXXX";
        root = mkdtemp(pattern);
        setenv("XDG_CONFIG_DIRS", (root / "nowhere").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }
    void TearDown() override {
        fs::remove_all(root);
        unsetenv("XDG_CONFIG_DIRS");
        unsetenv("XDG_CONFIG_HOME");
    }
    std::string program(const std::string& name) {
        fs::create_directories(root / "bin");
        const fs::path p = root / "bin" / name;
        std::ofstream(p) << "x";
        return p.string();
    }
    fs::path folder() { return root / "config" / "autostart"; }
    fs::path root;
};

TEST_F(AutostartFiles, AwkwardNamesAndPathsGiveCompleteEntries) {
    struct Row {
        const char* name_gbk;
        const char* file_utf8;
        const char* program_utf8;
    };
    const Row rows[] = {
        {"VEL clock.exe", "VEL clock.exe", "VEL clock.exe"},
        {"say \"hi\"", "say \"hi\"", "it's \"quoted\".exe"},
        {"VEL\xCA\xB1\xD6\xD3.exe", "VEL\xE6\x97\xB6\xE9\x92\x9F.exe",
         "\xE6\x97\xB6\xE9\x92\x9F.exe"},
    };
    for (const Row& row : rows) {
        const std::string path = program(row.program_utf8);
        // Program paths arrive in GBK, like every text inside.
        ASSERT_TRUE(set_autostart(row.name_gbk, *utf8_to_gbk(path), AutostartMethod::user))
            << row.file_utf8;
        const fs::path entry = folder() / (std::string(row.file_utf8) + ".desktop");
        ASSERT_TRUE(fs::exists(entry)) << entry;
        std::ifstream in(entry);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(text, *autostart_entry_text(row.file_utf8, path));
        struct stat st {};
        ASSERT_EQ(stat(entry.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0644u);
    }
    // Rewriting replaces the entry and leaves no temporary file behind.
    ASSERT_TRUE(set_autostart("VEL clock.exe", program("VEL clock.exe"), AutostartMethod::user));
    int files = 0;
    for (const auto& e : fs::directory_iterator(folder())) {
        ++files;
        EXPECT_EQ(e.path().extension(), ".desktop") << e.path();
    }
    EXPECT_EQ(files, 3);
}

TEST_F(AutostartFiles, UnwritableFolderGivesCleanFalse) {
    // A file where the configuration folder should be: nothing can be made.
    std::ofstream(root / "config") << "not a folder";
    EXPECT_FALSE(set_autostart("clock", program("clock"), AutostartMethod::user));
    EXPECT_FALSE(set_autostart("clock", program("clock"), AutostartMethod::machine));
    EXPECT_FALSE(remove_autostart("clock"));
    // A program path that names a folder is no program.
    EXPECT_FALSE(set_autostart("clock", (root / "bin").string(), AutostartMethod::user));
}

}  // namespace
}  // namespace plat
