// The settings folder's store operations, on real files in a temporary run
// directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/settings/settings_file.h"
#include "settings_run_dir.h"

namespace vel {
namespace {

const std::string kOnTop = "\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3";    // 置于顶层
const std::string kCircle = "\xD4\xB2\xD0\xCE";                   // 圆形
const std::string kRounded = "\xD4\xB2\xBD\xC7\xB7\xBD\xD0\xCE";  // 圆角方形
const std::string kSquare = "\xD5\xFD\xB7\xBD\xD0\xCE";           // 正方形

struct StoreCase {
    const char* what;
    std::string before;
    std::string after;
};

TEST(SettingsFile, SetLeavesExactlyTheValue) {
    const StoreCase cases[] = {
        {"empty file", "", kOnTop},
        {"same value", kOnTop, kOnTop},
        {"value and a line break", kOnTop + "\r\n", kOnTop},
        {"longer hand-edited text", "something much longer than eight", kOnTop},
        {"shorter text", "ab", kOnTop},
    };
    for (const StoreCase& c : cases) {
        test::SettingsRunDir dir;
        dir.write("top.vel", c.before);
        settings::StoreFile("top.vel").set(kOnTop);
        EXPECT_EQ(dir.bytes("top.vel"), c.after) << c.what;
        EXPECT_TRUE(settings::holds("top.vel", kOnTop)) << c.what;
    }
}

TEST(SettingsFile, ClearRemovesTheFirstEightBytes) {
    const StoreCase cases[] = {
        {"stored value", kOnTop, ""},
        {"value and a line break", kOnTop + "\r\n", "\r\n"},
        {"empty file", "", ""},
        {"short text", "abc", ""},
    };
    for (const StoreCase& c : cases) {
        test::SettingsRunDir dir;
        dir.write("top.vel", c.before);
        settings::StoreFile("top.vel").clear();
        EXPECT_EQ(dir.bytes("top.vel"), c.after) << c.what;
        EXPECT_FALSE(settings::holds("top.vel", kOnTop)) << c.what;
    }
}

TEST(SettingsFile, ReplaceLeavesExactlyTheNewValue) {
    const StoreCase cases[] = {
        {"circle over rounded square", kRounded, kCircle},
        {"square over circle", kCircle, kSquare},
        {"over a longer hand-edited text", kRounded + "\r\nmore", kCircle},
        {"empty file", "", kCircle},
    };
    for (const StoreCase& c : cases) {
        test::SettingsRunDir dir;
        dir.write("outline.vel", c.before);
        settings::StoreFile("outline.vel").replace(8, c.after);
        EXPECT_EQ(dir.bytes("outline.vel"), c.after) << c.what;
    }
}

TEST(SettingsFile, OnlyTheExactValueHolds) {
    struct Row {
        const char* what;
        std::string content;
        bool on;
    };
    const Row rows[] = {
        {"the value", kOnTop, true},
        {"empty", "", false},
        {"trailing line break", kOnTop + "\n", false},
        {"trailing space", kOnTop + " ", false},
        {"trailing two-byte character", kOnTop + kCircle, false},
        {"trailing lone lead byte", kOnTop + "\xD6", false},
        {"byte-order mark first", "\xEF\xBB\xBF" + kOnTop, false},
        {"garbage", "\x01\x02\xFF\xFEgarbage", false},
        {"first half only", kOnTop.substr(0, 4), false},
    };
    for (const Row& r : rows) {
        test::SettingsRunDir dir;
        dir.write("top.vel", r.content);
        EXPECT_EQ(settings::holds("top.vel", kOnTop), r.on) << r.what;
        EXPECT_EQ(dir.bytes("top.vel"), r.content) << r.what << ": reading changed the file";
    }
}

TEST(SettingsFile, MissingFileOrFolderIsNeverCreated) {
    test::SettingsRunDir dir;
    EXPECT_FALSE(settings::holds("top.vel", kOnTop));
    EXPECT_EQ(settings::read("coordinate.VEL"), "");
    settings::StoreFile("top.vel").set(kOnTop);
    EXPECT_EQ(dir.bytes("top.vel"), "<missing>");

    // A folder where the file should be: off, and left alone.
    std::filesystem::create_directory(dir.file("insert.vel"));
    settings::StoreFile("insert.vel").set(kOnTop);
    EXPECT_FALSE(settings::holds("insert.vel", kOnTop));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("insert.vel")));

    std::filesystem::remove_all(dir.folder());
    settings::StoreFile("top.vel").set(kOnTop);
    EXPECT_FALSE(std::filesystem::exists(dir.folder()));
}

TEST(SettingsFile, NamesMatchWithoutRegardToCase) {
    test::SettingsRunDir dir;
    dir.write("coordinate.vel", "100,200");
    EXPECT_EQ(settings::read("coordinate.VEL"), "100,200");
}

}  // namespace
}  // namespace vel
