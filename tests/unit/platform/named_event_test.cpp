// Named events live exactly as long as their creator: within one process,
// across processes, and after the creator is killed; and only this user can
// hold them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/named_event.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

// 12 GBK bytes: VEL时钟运行中
const char kRunning[] = "VEL\xCA\xB1\xD6\xD3\xD4\xCB\xD0\xD0\xD6\xD0";

std::string unique_name(const char* tag) {
    return std::string(tag) + std::to_string(getpid());
}

// Each test gets runtime and data folders of its own under a folder that
// others may enter but not write.
class NamedEvent : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vel-event-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        chmod(pattern, 0755);
        fs::create_directory(root / "run");
        chmod((root / "run").c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", (root / "run").c_str(), 1);
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("XDG_DATA_HOME");
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path root;
};

TEST_F(NamedEvent, ExistsWhileItsCreatorHoldsIt) {
    const std::string names[] = {unique_name(kRunning), unique_name("plain"),
                                 unique_name(std::string(300, 'n').c_str())};
    for (const std::string& name : names) {
        EXPECT_EQ(open_named_event(name), 0);
        const EventHandle created = create_named_event(name);
        ASSERT_NE(created, 0);
        const EventHandle opened = open_named_event(name);
        EXPECT_NE(opened, 0);
        EXPECT_NE(opened, created);
        // Creating it again hands out the existing event.
        const EventHandle again = create_named_event(name);
        EXPECT_NE(again, 0);
        EXPECT_TRUE(close_event_handle(created));
        EXPECT_EQ(open_named_event(name), 0);
        EXPECT_TRUE(close_event_handle(opened));
        EXPECT_TRUE(close_event_handle(again));
        EXPECT_FALSE(close_event_handle(again));
    }
}

// A start-up script run every minute for days: every check finds the event.
TEST_F(NamedEvent, ThousandsOfChecksAllFindIt) {
    const std::string name = unique_name("checked");
    const EventHandle created = create_named_event(name);
    ASSERT_NE(created, 0);
    int found = 0;
    for (int i = 0; i < 6000; ++i) {
        const EventHandle opened = open_named_event(name);
        if (opened != 0) ++found;
        close_event_handle(opened);
    }
    EXPECT_EQ(found, 6000);
    EXPECT_TRUE(close_event_handle(created));
    EXPECT_EQ(open_named_event(name), 0);
}

TEST_F(NamedEvent, UnnamedAndEmptyNames) {
    EXPECT_EQ(open_named_event(""), 0);
    const EventHandle unnamed = create_named_event("");
    EXPECT_NE(unnamed, 0);
    EXPECT_TRUE(close_event_handle(unnamed));
}

// A folder someone else could have put a file into is passed over.
TEST_F(NamedEvent, LockFolderIsTheUsersOwn) {
    const fs::path run = root / "run", mine = run / "velclock", data = root / "data" / "velclock";
    EXPECT_EQ(named_event_folder(), mine.string()) << "the runtime folder";
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(named_event_folder(), data.string()) << "no runtime folder";
    setenv("XDG_RUNTIME_DIR", "run", 1);
    EXPECT_EQ(named_event_folder(), data.string()) << "a relative runtime folder";
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    fs::remove_all(mine);
    fs::create_directory(mine);
    chmod(mine.c_str(), 0777);
    EXPECT_EQ(named_event_folder(), data.string()) << "writable by others";
    fs::remove_all(mine);
    fs::create_directory(root / "elsewhere");
    fs::create_directory_symlink(root / "elsewhere", mine);
    EXPECT_EQ(named_event_folder(), data.string()) << "a link to a private folder";
}

TEST_F(NamedEvent, FileNamesCarryTheDisplay) {
    setenv("DISPLAY", ":7.0", 1);
    EXPECT_EQ(named_event_file(kRunning), "VEL时钟运行中@:7.lock");
    setenv("DISPLAY", ":8", 1);
    EXPECT_EQ(named_event_file(kRunning), "VEL时钟运行中@:8.lock");
    // Names that cannot be file names as they are become distinct hashes.
    const std::string odd[] = {std::string(500, 'x'), std::string(500, 'y'), "a/b", "\xFF\xFF"};
    for (const std::string& name : odd) {
        const std::string file = named_event_file(name);
        EXPECT_LE(file.size(), 255u) << name;
        EXPECT_EQ(file.find('/'), std::string::npos) << name;
    }
    EXPECT_NE(named_event_file(odd[0]), named_event_file(odd[1]));
    unsetenv("DISPLAY");
}

TEST(DisplayIdentity, SpellingsOfOneDisplayGiveOneName) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } rows[] = {
        {":77", ":77.0", true}, {":77", "unix:77.1", true}, {":77", ":077", true},
        {":7", ":77", false},   {":77", "box:77", false},   {"box:77.0", "box:77", true},
        {"", ":0", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(display_identity(row.a) == display_identity(row.b), row.same)
            << row.a << " / " << row.b;
    }
}

// The runtime folder given is shared (like /tmp), and another user has made
// the lock folder and file there first and holds the lock: it neither stands
// in for our event nor keeps us from creating one.
TEST_F(NamedEvent, AnotherUsersLockIsNotOurEvent) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const fs::path shared = root / "shared";
    fs::create_directory(shared);
    chmod(shared.c_str(), 01777);
    setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
    const std::string name = unique_name(kRunning);
    const std::string folder = (shared / "velclock").string();
    const std::string file = folder + "/" + named_event_file(name);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char ok = '0';
        struct flock lock {};
        lock.l_type = F_WRLCK;
        if (setgid(65534) == 0 && setuid(65534) == 0 && mkdir(folder.c_str(), 0755) == 0) {
            const int fd = open(file.c_str(), O_RDWR | O_CREAT, 0644);
            if (fd >= 0 && fcntl(fd, F_OFD_SETLK, &lock) == 0) ok = '1';
        }
        (void)!write(ready[1], &ok, 1);
        for (;;) pause();
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, '1');
    EXPECT_EQ(open_named_event(name), 0);
    const EventHandle created = create_named_event(name);
    EXPECT_NE(created, 0);
    EXPECT_EQ(named_event_folder(), (root / "data" / "velclock").string());
    const EventHandle opened = open_named_event(name);
    EXPECT_NE(opened, 0);
    EXPECT_TRUE(close_event_handle(created));
    EXPECT_TRUE(close_event_handle(opened));
    EXPECT_EQ(open_named_event(name), 0);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
}

TEST_F(NamedEvent, SeenFromAnotherProcessAndGoneWhenItIsKilled) {
    const std::string name = unique_name(kRunning);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const char ok = create_named_event(name) ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        for (;;) pause();
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, '1');
    const EventHandle seen = open_named_event(name);
    EXPECT_NE(seen, 0);
    // A second creator finds the first one's event.
    EXPECT_NE(create_named_event(name), 0);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(open_named_event(name), 0);
    close(ready[0]);
    close(ready[1]);
}

}  // namespace
}  // namespace plat
