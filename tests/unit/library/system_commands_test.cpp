// Message box, delay and autostart commands through the real call gate, with
// a scripted responder in place of a person and private XDG folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "library/call.h"
#include "library/commands/system.h"
#include "platform/message_box.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

class MessageBoxCommand : public ::testing::Test {
protected:
    void SetUp() override {
        plat::set_message_box_responder([this](const plat::MessageBoxRequest& r) {
            requests.push_back(r);
            return answer;
        });
    }
    void TearDown() override { plat::set_message_box_responder({}); }

    std::vector<plat::MessageBoxRequest> requests;
    int answer = plat::kIdOk;
};

struct StyleRow {
    int flags;
    unsigned expected_style;
};

TEST_F(MessageBoxCommand, BoxIsTaskModalUnlessSystemModal) {
    const StyleRow rows[] = {
        {0, 0x2000},                       // OK only, no icon: task-modal
        {0x1000, 0x1000},                  // system-modal is not made task-modal as well
        {0x1024, 0x1024}, {0x24, 0x2024},  // yes/no with a question mark
        {0x7, 0x2007},                     // unknown button set: passed on, shown as a plain box
    };
    for (const StyleRow& row : rows) {
        requests.clear();
        call(cmd_message_box, arg_text("x"), arg_int(row.flags), arg_text("c"));
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].style, row.expected_style) << "flags " << row.flags;
    }
}

TEST_F(MessageBoxCommand, PressedButtonMapsToCode) {
    const std::pair<int, int> rows[] = {
        {plat::kIdOk, 0},
        {plat::kIdCancel, 1},
        {plat::kIdAbort, 2},
        {plat::kIdRetry, 3},
        {plat::kIdIgnore, 4},
        {plat::kIdYes, 5},
        {plat::kIdNo, 6},
        {0, 0},
        {10, 0},  // "try again" and anything unknown give 0
    };
    for (auto [pressed, code] : rows) {
        answer = pressed;
        EXPECT_EQ(call(cmd_message_box, arg_text("x"), arg_int(3)).as_int(), code) << pressed;
    }
}

TEST_F(MessageBoxCommand, CaptionDefaultsToInformation) {
    call(cmd_message_box, arg_text("hello"));
    call(cmd_message_box, arg_text("hello"), arg_none(), arg_none());
    // 闹铃提示, given explicitly
    call(cmd_message_box, arg_text("\xC6\xF0\xB4\xB2"), arg_int(0),
         arg_text("\xC4\xD6\xC1\xE5\xCC\xE1\xCA\xBE"));
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].caption, "\xD0\xC5\xCF\xA2\xA3\xBA");  // 信息：
    EXPECT_EQ(requests[0].style, 0x2000u);
    EXPECT_EQ(requests[1].caption, "\xD0\xC5\xCF\xA2\xA3\xBA");
    EXPECT_EQ(requests[2].caption, "\xC4\xD6\xC1\xE5\xCC\xE1\xCA\xBE");
    EXPECT_EQ(requests[2].text, "\xC6\xF0\xB4\xB2");
}

TEST_F(MessageBoxCommand, CaptionThatIsNotTextReadsAsEmpty) {
    call(cmd_message_box, arg_text("hello"), arg_int(0), arg_int(0x4D2));
    call(cmd_message_box, arg_text("hello"), arg_int(0), arg_double(2.5));
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].caption, "");
    EXPECT_EQ(requests[1].caption, "");
}

TEST(MessageBoxContent, ValuesAreFormattedAsText) {
    const std::uint8_t bytes[] = {1, 0, 0, 0, 2, 0, 0, 0, 'h', 'i'};
    const std::string long_text(300, 'a');
    const std::pair<ArgRecord, std::string> rows[] = {
        {arg_int(-42), "-42"},
        {arg_long(1234567890123LL), "1234567890123"},
        {arg_double(2.5), "2.5"},
        {arg_double(1.0 / 3), "0.3333333333333"},
        {arg_float(0.1f), "0.1"},
        {arg_logical(true), "\xD5\xE6"},   // 真
        {arg_logical(false), "\xBC\xD9"},  // 假
        {arg_datetime(39569.5),
         "2008\xC4\xEA"
         "5\xD4\xC2"
         "1\xC8\xD5"
         "12\xCA\xB1"},
        {arg_datetime(39569.0),
         "2008\xC4\xEA"
         "5\xD4\xC2"
         "1\xC8\xD5"},
        {arg_byteset(bytes), ""},                  // other types show nothing
        {arg_text(long_text.c_str()), long_text},  // texts are not cut to the buffer
        {arg_none(), ""},
    };
    for (const auto& [arg, expected] : rows) EXPECT_EQ(message_box_content(arg), expected);
    // A huge number still fits the 100-byte buffer.
    EXPECT_LT(message_box_content(arg_double(1e300)).size(), 100u);
}

TEST(DelayCommand, NegativeReturnsAtOnceAndPositiveBlocks) {
    using Clock = std::chrono::steady_clock;
    auto t0 = Clock::now();
    call(cmd_delay, arg_int(-5));
    call(cmd_delay, arg_int(0));
    EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(20));
    t0 = Clock::now();
    call(cmd_delay, arg_int(40));
    EXPECT_GE(Clock::now() - t0, std::chrono::milliseconds(40));
}

// Private XDG folders: the machine-wide one exists only when a test makes it.
class AutostartCommand : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vel-autostart-XXXXXX";
        root = mkdtemp(pattern);
        machine = root / "etc";
        user = root / "home";
        fs::create_directories(machine);
        setenv("XDG_CONFIG_DIRS", (machine.string() + ":/etc/xdg").c_str(), 1);
        setenv("XDG_CONFIG_HOME", user.c_str(), 1);
        program = root / "bin" / "VEL clock.exe";
        fs::create_directories(program.parent_path());
        std::ofstream(program) << "x";
    }
    void TearDown() override {
        fs::remove_all(root);
        unsetenv("XDG_CONFIG_DIRS");
        unsetenv("XDG_CONFIG_HOME");
    }
    fs::path machine_entry(const std::string& name) {
        return machine / "autostart" / (name + ".desktop");
    }
    fs::path user_entry(const std::string& name) {
        return user / "autostart" / (name + ".desktop");
    }

    fs::path root, machine, user, program;
};

TEST_F(AutostartCommand, MachineWideEntryWhenItsFolderExists) {
    fs::create_directories(machine / "autostart");
    // Method 5 behaves as method 0.
    for (int method : {0, 5}) {
        EXPECT_TRUE(call(cmd_set_autostart, arg_text("clock.exe"), arg_text(program.c_str()),
                         arg_int(method))
                        .as_logical());
        EXPECT_TRUE(fs::exists(machine_entry("clock.exe")));
        EXPECT_FALSE(fs::exists(user_entry("clock.exe")));
        fs::remove(machine_entry("clock.exe"));
    }
}

TEST_F(AutostartCommand, MachineWideFallsBackToTheUsersEntry) {
    // No machine-wide autostart folder: it is not created; the user's is.
    EXPECT_TRUE(
        call(cmd_set_autostart, arg_text("clock.exe"), arg_text(program.c_str())).as_logical());
    EXPECT_FALSE(fs::exists(machine / "autostart"));
    EXPECT_TRUE(fs::exists(user_entry("clock.exe")));
}

TEST_F(AutostartCommand, MissingProgramGivesFalseAndWritesNothing) {
    fs::create_directories(machine / "autostart");
    const std::string missing = (root / "bin" / "nothing.exe").string();
    for (int method : {0, 1})
        EXPECT_FALSE(call(cmd_set_autostart, arg_text("clock.exe"), arg_text(missing.c_str()),
                          arg_int(method))
                         .as_logical());
    EXPECT_TRUE(fs::is_empty(machine / "autostart"));
    EXPECT_FALSE(fs::exists(user / "autostart"));
}

TEST_F(AutostartCommand, ArgumentsThatAreNotTextReadAsEmpty) {
    fs::create_directories(machine / "autostart");
    const std::pair<ArgRecord, ArgRecord> rows[] = {
        {arg_int(0x4D2), arg_text(program.c_str())},
        {arg_text("clock.exe"), arg_int(0x4D2)},
        {arg_double(1e10), arg_logical(true)},
    };
    for (const auto& [name, path] : rows) {
        EXPECT_FALSE(call(cmd_set_autostart, name, path, arg_int(1)).as_logical());
        EXPECT_FALSE(call(cmd_remove_autostart, name).as_logical());
    }
    EXPECT_TRUE(fs::is_empty(machine / "autostart"));
    EXPECT_FALSE(fs::exists(user / "autostart"));
}

TEST_F(AutostartCommand, RemoveDeletesBothEntries) {
    EXPECT_FALSE(call(cmd_remove_autostart, arg_text("clock.exe")).as_logical());
    fs::create_directories(machine / "autostart");
    ASSERT_TRUE(
        call(cmd_set_autostart, arg_text("clock.exe"), arg_text(program.c_str()), arg_int(0))
            .as_logical());
    ASSERT_TRUE(
        call(cmd_set_autostart, arg_text("clock.exe"), arg_text(program.c_str()), arg_int(1))
            .as_logical());
    EXPECT_TRUE(call(cmd_remove_autostart, arg_text("clock.exe")).as_logical());
    EXPECT_FALSE(fs::exists(machine_entry("clock.exe")));
    EXPECT_FALSE(fs::exists(user_entry("clock.exe")));
    EXPECT_FALSE(call(cmd_remove_autostart, arg_text("clock.exe")).as_logical());
}

TEST_F(AutostartCommand, WindowsStylePathIsAccepted) {
    std::string windows_path = program.string();
    for (char& c : windows_path)
        if (c == '/') c = '\\';
    EXPECT_TRUE(
        call(cmd_set_autostart, arg_text("clock.exe"), arg_text(windows_path.c_str()), arg_int(1))
            .as_logical());
    std::ifstream in(user_entry("clock.exe"));
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("Exec=\"" + program.string() + "\"\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace vel
