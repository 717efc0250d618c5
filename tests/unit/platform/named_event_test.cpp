// Named events live exactly as long as their creator: within one process,
// across processes, and after the creator is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <string>

#include "platform/named_event.h"

namespace plat {
namespace {

// 12 GBK bytes: VEL时钟运行中
const char kRunning[] = "VEL\xCA\xB1\xD6\xD3\xD4\xCB\xD0\xD0\xD6\xD0";

std::string unique_name(const char* tag) {
    return std::string(tag) + std::to_string(getpid());
}

TEST(NamedEvent, ExistsWhileItsCreatorHoldsIt) {
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

// More checks than a listener's queue holds (a start-up script run every
// minute for days) all still find the event.
TEST(NamedEvent, ThousandsOfChecksAllFindIt) {
    const std::string name = unique_name("checked");
    const EventHandle created = create_named_event(name);
    ASSERT_NE(created, 0);
    int found = 0;
    for (int i = 0; i < 6000; ++i) {
        if (i % 500 == 0) usleep(10'000);  // the creator's side gets its turn
        const EventHandle opened = open_named_event(name);
        if (opened != 0) ++found;
        close_event_handle(opened);
    }
    EXPECT_EQ(found, 6000);
    EXPECT_TRUE(close_event_handle(created));
    EXPECT_EQ(open_named_event(name), 0);
}

TEST(NamedEvent, UnnamedAndEmptyNames) {
    EXPECT_EQ(open_named_event(""), 0);
    const EventHandle unnamed = create_named_event("");
    EXPECT_NE(unnamed, 0);
    EXPECT_TRUE(close_event_handle(unnamed));
}

TEST(NamedEvent, NameCarriesUserAndDisplay) {
    const char* original = std::getenv("DISPLAY");
    const std::string saved = original ? original : "";
    setenv("DISPLAY", ":7", 1);
    const std::string a = named_event_address("x");
    setenv("DISPLAY", ":8", 1);
    const std::string b = named_event_address("x");
    EXPECT_NE(a, b);
    EXPECT_NE(a.find("/" + std::to_string(getuid()) + "/"), std::string::npos);
    EXPECT_LE(named_event_address(std::string(500, 'x')).size(), 107u);
    EXPECT_NE(named_event_address(std::string(500, 'x')),
              named_event_address(std::string(500, 'y')));
    if (original)
        setenv("DISPLAY", saved.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

TEST(NamedEvent, SpellingsOfOneDisplayGiveOneName) {
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

// Another user binds the name built for us, on a listening stream socket and
// on a datagram socket alike. Neither counts as our event: we run without
// the guard instead of refusing to start.
TEST(NamedEvent, AnotherUsersSocketOnOurNameIsNotOurEvent) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const std::string name = unique_name(kRunning);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string path = named_event_address(name);
    path.copy(addr.sun_path + 1, path.size());
    const auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        char ok = '0';
        if (setgid(65534) == 0 && setuid(65534) == 0) {
            const int stream = socket(AF_UNIX, SOCK_STREAM, 0);
            const int datagram = socket(AF_UNIX, SOCK_DGRAM, 0);
            if (bind(stream, reinterpret_cast<sockaddr*>(&addr), len) == 0 &&
                listen(stream, 4) == 0 &&
                bind(datagram, reinterpret_cast<sockaddr*>(&addr), len) == 0)
                ok = '1';
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
    EXPECT_EQ(open_named_event(name), 0);
    EXPECT_TRUE(close_event_handle(created));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
}

TEST(NamedEvent, SeenFromAnotherProcessAndGoneWhenItIsKilled) {
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
