// The clock on a high-density screen (QT_SCALE_FACTOR=2): its window has
// twice the pixels each way, and the face is drawn at them, not drawn at
// scale 1 and each pixel doubled.
#include <string>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

// The share of the image's aligned 2 x 2 blocks whose four pixels are not
// all one colour. A face drawn at half the pixels and doubled has none.
double detailed_blocks(const Image& image) {
    int blocks = 0, detailed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const Rgb c = image.at(x, y);
            ++blocks;
            if (image.at(x + 1, y) != c || image.at(x, y + 1) != c || image.at(x + 1, y + 1) != c)
                ++detailed;
        }
    return blocks ? double(detailed) / blocks : 0;
}

TEST_F(DesktopTest, AtScaleTwoTheFaceIsDrawnAtTheScreensOwnPixels) {
    ClockOptions options = at_time("2026-12-07 10:09:30");
    options.env.push_back("QT_SCALE_FACTOR=2");
    Clock& clock = start_clock(options);
    auto window = clock.wait_window_sized(576, 576);
    ASSERT_TRUE(window) << "no clock window of 576 x 576";
    auto g = desktop().geometry(*window);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->width, 576);
    EXPECT_EQ(g->height, 576);
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

}  // namespace
}  // namespace desk
