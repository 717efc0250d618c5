// The settings folder's store operations and whole-value reads, on real
// files in a temporary run directory.
#include <gtest/gtest.h>

#include <string>

#include "app/settings/settings_file.h"
#include "settings_run_dir.h"

namespace vel {
namespace {

const std::string kOnTop = "\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3";    // 置于顶层
const std::string kCircle = "\xD4\xB2\xD0\xCE";                   // 圆形
const std::string kRounded = "\xD4\xB2\xBD\xC7\xB7\xBD\xD0\xCE";  // 圆角方形

TEST(SettingsFile, StoreOperationsLeaveExactBytes) {
    enum Op { set, clear, replace8 };
    const struct {
        const char* what;
        Op op;
        std::string before, value, after;
    } rows[] = {
        {"set over empty", set, "", kOnTop, kOnTop},
        {"set over a hand-added line break", set, kOnTop + "\r\n", kOnTop, kOnTop},
        {"set over longer text", set, "something much longer", kOnTop, kOnTop},
        {"clear a value", clear, kOnTop, "", ""},
        {"clear takes 8 bytes only", clear, kOnTop + "\r\n", "", "\r\n"},
        {"circle over rounded square", replace8, kRounded, kCircle, kCircle},
        {"replace over a long hand-edited text", replace8, kRounded + "\r\nmore", kCircle, kCircle},
    };
    for (const auto& row : rows) {
        test::SettingsRunDir dir;
        dir.write("top.vel", row.before);
        settings::StoreFile file("top.vel");
        if (row.op == set) file.set(row.value);
        if (row.op == clear) file.clear();
        if (row.op == replace8) file.replace(8, row.value);
        EXPECT_EQ(dir.bytes("top.vel"), row.after) << row.what;
    }
}

TEST(SettingsFile, OnlyTheExactValueHoldsAndReadingChangesNothing) {
    const struct {
        const char* what;
        std::string content;
        bool on;
    } rows[] = {
        {"the value", kOnTop, true},
        {"empty", "", false},
        {"trailing line break", kOnTop + "\n", false},
        {"trailing two-byte character", kOnTop + kCircle, false},
        {"trailing lone lead byte", kOnTop + "\xD6", false},
        {"byte-order mark first", "\xEF\xBB\xBF" + kOnTop, false},
        {"first half only", kOnTop.substr(0, 4), false},
    };
    for (const auto& row : rows) {
        test::SettingsRunDir dir;
        dir.write("top.vel", row.content);
        EXPECT_EQ(settings::holds("top.vel", kOnTop), row.on) << row.what;
        EXPECT_EQ(dir.bytes("top.vel"), row.content) << row.what;
    }
    test::SettingsRunDir dir;
    settings::StoreFile("top.vel").set(kOnTop);
    EXPECT_EQ(dir.bytes("top.vel"), "<missing>") << "a settings file is never created";
}

}  // namespace
}  // namespace vel
