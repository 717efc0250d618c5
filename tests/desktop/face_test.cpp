// The real clock's face on a real X server: the hands stand where the time
// says, read back from what the screen shows of the clock window.
#include <chrono>
#include <thread>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

class FaceTest : public DesktopTest {};

TEST_F(FaceTest, ThreeOClockShowsTheHourHandRightAndTheMinuteHandUp) {
    // Half a minute past: at second 0 the second hand would cover the
    // minute hand.
    Clock& clock = start_clock(at_time("2026-12-07 03:00:30"));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    std::optional<Image> shot;
    // The first face is drawn when the window is created; allow it to show.
    for (int attempt = 0; attempt < 50; ++attempt) {
        shot = desktop().window_image(*window);
        if (shot && shot->count({128, 0, 0}, 24, 150, 140, 50, 9) > 20) break;
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(shot);
    shot->save(desktop().root() / "face.png");
    EXPECT_EQ(shot->width(), 288);
    // Dark red hour-hand body along (150 ... 200, 144).
    EXPECT_GT(shot->count({128, 0, 0}, 24, 150, 142, 50, 5), 150);
    // Blue minute-hand body along (144, 60 ... 140).
    EXPECT_GT(shot->count({0, 96, 192}, 24, 142, 60, 5, 80), 150);
    // Neither where the other would stand at 12:15.
    EXPECT_EQ(shot->count({128, 0, 0}, 24, 142, 90, 5, 45), 0);
    EXPECT_EQ(shot->count({0, 96, 192}, 24, 160, 142, 70, 5), 0);
}

// Every tick reaches the screen, not only the first face: the second hand's
// violet body comes to lie along the left half of the horizontal at second
// 45 (rows 143 and 144, fully covered with or without smooth edges) and
// leaves it again, while the hour hand stays where it is.
TEST_F(FaceTest, TheScreenFollowsTheSecondHand) {
    Clock& clock = start_clock(at_time("2026-12-07 03:00:38"));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    const Rgb violet{144, 0, 255};
    // Part of the left half of the horizontal through the centre, clear of
    // the disc and the butterfly when the hand stands a second before or
    // after 45.
    auto left_arm = [&](const Image& shot) { return shot.count(violet, 24, 60, 143, 40, 2); };
    auto shoot = [&]() {
        std::optional<Image> shot;
        for (int attempt = 0; attempt < 20 && !shot; ++attempt) {
            shot = desktop().window_image(*window);
            if (!shot) std::this_thread::sleep_for(50ms);
        }
        return shot;
    };
    std::optional<Image> shot;
    for (int attempt = 0; attempt < 50; ++attempt) {
        shot = shoot();
        if (shot && shot->count({128, 0, 0}, 24, 150, 140, 50, 9) > 20) break;
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(shot);
    EXPECT_EQ(left_arm(*shot), 0) << "the second hand stood at 45 before second 45";

    bool reached = false, left = false;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline && !left) {
        std::this_thread::sleep_for(250ms);
        shot = shoot();
        ASSERT_TRUE(shot);
        const int on_arm = left_arm(*shot);
        if (on_arm > 40) reached = true;
        if (reached && on_arm == 0) left = true;
        EXPECT_GT(shot->count({128, 0, 0}, 24, 150, 142, 50, 5), 150) << "hour hand lost";
    }
    shot->save(desktop().root() / "face-ticking.png");
    EXPECT_TRUE(reached) << "the second hand never reached second 45 on the screen";
    EXPECT_TRUE(left) << "the second hand stayed at second 45 on the screen";
}

}  // namespace
}  // namespace desk
