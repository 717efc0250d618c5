// The desktop the other end-to-end tests stand on: an X program can be found,
// measured, moved, clicked and photographed; a sound played on the server
// shows up in the recording; a program starts in its own run directory at a
// chosen time of day.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "desktop/fixture.h"

namespace desk {
namespace {

class FixtureTest : public DesktopTest {};

TEST_F(FixtureTest, WindowManagerAndTrayHostRun) {
    EXPECT_NE(desktop().property(0, "_NET_SUPPORTING_WM_CHECK").find("window id #"),
              std::string::npos);
    auto screen = desktop().run({"xdpyinfo"});
    ASSERT_TRUE(screen.ok());
    EXPECT_NE(screen.out.find("1280x1024 pixels"), std::string::npos);
    EXPECT_NE(screen.out.find("depth of root window:    24 planes"), std::string::npos);
}

TEST_F(FixtureTest, FindsMeasuresMovesAndPhotographsAWindow) {
    Process xclock;
    ASSERT_TRUE(
        xclock.start({"xclock", "-bg", "#00ff00", "-geometry", "200x180+300+200", "-update", "1"},
                     desktop().env()));
    auto window = desktop().wait_window([&] { return desktop().windows_named("^xclock$"); });
    ASSERT_TRUE(window) << "xclock's window did not appear";
    EXPECT_NE(desktop().property(*window, "WM_CLASS").find("XClock"), std::string::npos);
    auto clients = desktop().client_list();
    EXPECT_NE(std::find(clients.begin(), clients.end(), *window), clients.end());

    auto placed = desktop().geometry(*window);
    ASSERT_TRUE(placed);
    EXPECT_TRUE(placed->viewable);
    EXPECT_EQ(placed->width, 200);
    EXPECT_EQ(placed->height, 180);

    ASSERT_TRUE(desktop().xdotool({"windowmove", std::to_string(*window), "500", "400"}));
    std::optional<Geometry> moved;
    ASSERT_TRUE(poll_until(
        [&] {
            moved = desktop().geometry(*window);
            return moved && moved->x != placed->x;
        },
        5s));
    // openbox places the frame at the requested point; the client sits inside it.
    EXPECT_GE(moved->x, 500);
    EXPECT_LE(moved->x, 510);
    EXPECT_GE(moved->y, 400);
    EXPECT_LE(moved->y, 430);

    auto shot = desktop().screenshot();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width(), 1280);
    EXPECT_EQ(shot->height(), 1024);
    Rgb green{0, 255, 0};
    // The corners of xclock's window show its background; the black hands
    // and minute marks are inside.
    EXPECT_EQ(shot->at(moved->x + 2, moved->y + 2), green)
        << to_string(shot->at(moved->x + 2, moved->y + 2));
    EXPECT_EQ(shot->at(moved->x + 197, moved->y + 177), green);
    EXPECT_GT(shot->count({0, 0, 0}, 60, moved->x, moved->y, 200, 180), 50);
    EXPECT_EQ(shot->at(5, 5), (Rgb{0, 0, 0})) << "the root is black";

    // A click lands on the window: xclock ignores it, but the pointer is there.
    ASSERT_TRUE(desktop().click(moved->x + 100, moved->y + 90));
    auto pointer = desktop().run({"xdotool", "getmouselocation", "--shell"});
    EXPECT_NE(pointer.out.find("X=" + std::to_string(moved->x + 100)), std::string::npos);

    // Keys reach the focused window: xmessage closes on Return.
    Process message;
    ASSERT_TRUE(message.start(
        {"xmessage", "-buttons", "OK:3", "-default", "OK", "-geometry", "+700+100", "fixture"},
        desktop().env()));
    auto box = desktop().wait_window([&] { return desktop().windows_named("^xmessage$"); });
    ASSERT_TRUE(box);
    ASSERT_TRUE(desktop().key_in(*box, "Return"));
    EXPECT_TRUE(message.wait_exit(5s));
    EXPECT_EQ(message.exit_code(), 3) << "the OK button's exit code";

    xclock.stop();
    EXPECT_TRUE(poll_until([&] { return desktop().windows_named("^xclock$").empty(); }, 5s));
}

TEST_F(FixtureTest, RecordsWhatIsPlayed) {
    fs::path tone = desktop().make_folder("tone") / "tone.wav";
    ASSERT_TRUE(desktop()
                    .run({"sox", "-n", "-r", "44100", "-c", "1", "-b", "16", tone.string(), "synth",
                          "0.5", "sine", "440", "vol", "0.5"})
                    .ok());
    auto recording = desktop().record();
    ASSERT_TRUE(recording);
    usleep(300'000);
    ASSERT_TRUE(desktop().play(tone));
    usleep(300'000);
    auto wav = recording->stop();
    ASSERT_TRUE(wav) << "no readable recording in " << recording->file();

    EXPECT_GT(wav->seconds(), 0.9);
    auto start = wav->first_sound(0.05);
    auto end = wav->last_sound(0.05);
    ASSERT_TRUE(start && end);
    EXPECT_GT(*start, 0.1) << "silence before the tone";
    EXPECT_NEAR(*end - *start, 0.5, 0.06);
    EXPECT_NEAR(wav->sounding_seconds(0.05), 0.5, 0.06);
    // A sine of amplitude 0.5 has an RMS of 0.5 / sqrt(2).
    EXPECT_NEAR(wav->rms(*start + 0.1, *end - 0.1), 0.354, 0.03);
    EXPECT_LT(wav->rms(0, *start - 0.02), 0.001);
}

// The clock helper with a stand-in program: it must run in a fresh copy of
// the executable's folder, with the settings folder copied and prepared, on
// this desktop, at the chosen time of day.
TEST_F(FixtureTest, StartsAProgramInItsOwnRunDirectoryAtAChosenTime) {
    fs::path build = desktop().make_folder("build");
    fs::create_directories(build / "VEL文件");
    fs::create_directories(build / "image");
    write_file(build / "VEL文件" / "top.vel", "original");
    fs::path program = build / "stand-in";
    write_file(program,
               "#!/bin/sh\n"
               "cd \"$(dirname \"$0\")\"\n"
               "date '+%Y-%m-%d %H:%M' > VEL文件/now.txt\n"
               "echo \"$DISPLAY $TZ\" > VEL文件/env.txt\n"
               "exec sleep 60\n");
    fs::permissions(program, fs::perms::owner_all);

    const char* saved = std::getenv("VELCLOCK");
    std::string previous = saved ? saved : "";
    setenv("VELCLOCK", program.c_str(), 1);
    Clock& clock = start_clock({.fake_time = "2026-12-07 03:00:00",
                                .env = {},
                                .prepare =
                                    [](const fs::path& run_dir) {
                                        write_file(run_dir / "VEL文件" / "top.vel", "prepared");
                                    },
                                .files = {},
                                .program = {},
                                .args = {},
                                .folder = {}});
    if (saved)
        setenv("VELCLOCK", previous.c_str(), 1);
    else
        unsetenv("VELCLOCK");

    ASSERT_TRUE(clock.process().running());
    EXPECT_NE(clock.run_dir(), build);
    ASSERT_TRUE(poll_until([&] { return !read_file(clock.settings_file("env.txt")).empty(); }, 5s));
    EXPECT_EQ(read_file(clock.settings_file("now.txt")), "2026-12-07 03:00\n");
    EXPECT_EQ(read_file(clock.settings_file("env.txt")), desktop().display() + " UTC\n");
    EXPECT_EQ(read_file(clock.settings_file("top.vel")), "prepared");
    EXPECT_EQ(read_file(build / "VEL文件" / "top.vel"), "original") << "the source is untouched";
    EXPECT_FALSE(fs::exists(build / "VEL文件" / "now.txt"));

    int pid = clock.pid();
    clock.stop();
    EXPECT_FALSE(clock.process().running());
    EXPECT_NE(kill(pid, 0), 0) << "stopped by pid";
}

// The real program through the same helper: its window appears, its icon
// docks in the tray, and its settings folder is a private copy.
TEST_F(FixtureTest, StartsTheRealClock) {
    Clock& clock = start_clock(at_time("2026-12-07 03:00:00"));
    ASSERT_TRUE(clock.process().running());
    EXPECT_TRUE(fs::exists(clock.settings_file("top.vel")));
    auto window = clock.wait_window(15s);
    ASSERT_TRUE(window) << "no window from " << clock.run_dir();
    auto placed = desktop().geometry(*window);
    ASSERT_TRUE(placed);
    EXPECT_TRUE(placed->viewable);
    EXPECT_EQ(placed->width, 288);
    EXPECT_EQ(placed->height, 288);
    // The tray host embeds the clock's icon: a small window outside the
    // window manager's client list.
    auto icon = clock.wait_tray_icon();
    ASSERT_TRUE(icon);
    EXPECT_NE(*icon, *window);
    EXPECT_EQ(clock.windows().size(), 1u);
    int pid = clock.pid();
    clock.stop();
    EXPECT_TRUE(poll_until([&] { return desktop().windows_of_pid(pid).empty(); }, 5s));
}

}  // namespace
}  // namespace desk
