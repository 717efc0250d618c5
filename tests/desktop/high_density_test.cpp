// The clock on a high-density screen (QT_SCALE_FACTOR=2): its window has
// twice the pixels each way, and the face is drawn at them, not drawn at
// scale 1 and each pixel doubled.
#include <string>
#include <tuple>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

// The share of the image's aligned 2 x 2 blocks whose four pixels are not
// all one colour. A face drawn at half the pixels and doubled has none.
double detailed_blocks(const Image& image) {
    int blocks = 0, detailed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2, ++blocks)
            detailed += image.count(image.at(x, y), 0, x, y, 2, 2) != 4;
    return blocks ? double(detailed) / blocks : 0;
}

TEST_F(DesktopTest, AtScaleTwoTheFaceIsDrawnAtTheScreensOwnPixels) {
    ClockOptions options = at_time("2026-12-07 10:09:30");
    options.env.push_back("QT_SCALE_FACTOR=2");
    Clock& clock = start_clock(options);
    auto window = clock.wait_window_sized(576, 576);
    ASSERT_TRUE(window) << "no clock window of 576 x 576";
    // About 12 % of the blocks carry detail at scale 1; the face is drawn
    // once the window shows, so it is looked at until then.
    double share = 0;
    Image shot;
    poll_until(
        [&] {
            auto image = desktop().window_image(*window);
            if (!image || image->width() != 576 || image->height() != 576) return false;
            shot = *image;
            share = detailed_blocks(shot);
            return share >= 0.05;
        },
        5s, 200ms);
    shot.save((desktop().root() / "face-scale-2.png").string());
    EXPECT_GE(share, 0.05) << "aligned 2 x 2 blocks with detail; see "
                           << (desktop().root() / "face-scale-2.png");
}

// Moved from a monitor at scale 1 to one at scale 2 (Qt's per-screen
// factors), the window keeps its client size, so it doubles its pixels, and
// shows the face in all of them; moved back, it is 288 again.
TEST_F(DesktopTest, MovedToAScreenOfScaleTwoTheWindowDoublesItsPixels) {
    ASSERT_TRUE(use_own_desktop("2560x1024x24", Session::bare));
    for (const auto& [name, geometry, output] :
         {std::tuple{"A", "1280/338x1024/270+0+0", "screen"},
          std::tuple{"B", "1280/338x1024/270+1280+0", "none"}})
        ASSERT_TRUE(desktop().run({"xrandr", "--setmonitor", name, geometry, output}).ok());
    ClockOptions options = with_files({{"coordinate.vel", "100,100"}});
    options.env.push_back("QT_SCREEN_SCALE_FACTORS=A=1;B=2");
    Clock& clock = start_clock(options);
    auto window = clock.wait_window_sized(288, 288);
    ASSERT_TRUE(window) << read_file(clock.log_file());

    ASSERT_TRUE(desktop().xdotool({"windowmove", std::to_string(*window), "1500", "100"}));
    ASSERT_TRUE(clock.wait_window_sized(576, 576, 5s)) << "the window kept its pixels";
    // Every part of it is painted: an unpainted part shows the black root.
    double black = 1;
    poll_until(
        [&] {
            auto shot = desktop().window_image(*window);
            if (!shot || shot->width() != 576) return false;
            black = shot->count({0, 0, 0}, 0, 288, 288, 288, 288) / (288.0 * 288.0);
            return black < 0.1;
        },
        3s, 100ms);
    EXPECT_LT(black, 0.1) << "of the bottom-right quarter is black";

    ASSERT_TRUE(desktop().xdotool({"windowmove", std::to_string(*window), "100", "100"}));
    EXPECT_TRUE(clock.wait_window_sized(288, 288, 5s)) << "back at scale 1";
}

}  // namespace
}  // namespace desk
