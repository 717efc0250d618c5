// Named events live exactly as long as their creator: within one process,
// across processes, and after the creator is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
