// The per-second paths that work on whole rows several pixels at a time:
// same-size transparent copies, plain fills and presenting a panel's pixels.
// Widths and offsets that are not multiples of four catch lanes and tails
// mixed up.
#include <gtest/gtest.h>

#include <vector>

#include "platform/raster/blit.h"
#include "platform/raster/draw.h"
#include "platform/window_system.h"

namespace {

using namespace plat::raster;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kGround = 0x00FF00;

// A pattern with the key at irregular places, near-keys beside it.
Colour pattern(int x, int y) {
    if ((x * 7 + y * 3) % 5 == 0) return kWhite;
    if (x % 4 == 3) return 0xFEFFFF;
    return static_cast<Colour>(0x010203 * (x + 1) + 0x100000 * y);
}

struct Placement {
    int width;     // of the picture
    int at_x;      // where it is drawn; parts may fall outside the target
    int target_w;  // of the target
};

class KeyedRows : public ::testing::TestWithParam<Placement> {};

TEST_P(KeyedRows, EveryPixelButTheKeyReplacesTheTarget) {
    const Placement p = GetParam();
    Bitmap pic(p.width, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < p.width; ++x) pic.set_pixel(x, y, pattern(x, y));
    Bitmap dst(p.target_w, 4, kGround);
    transparent_blit(dst, Rect{p.at_x, 1, p.width, 3}, pic, Rect{0, 0, p.width, 3}, kWhite);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < p.target_w; ++x) {
            const int sx = x - p.at_x, sy = y - 1;
            const bool inside = sx >= 0 && sx < p.width && sy >= 0;
            const Colour want = inside && pattern(sx, sy) != kWhite ? pattern(sx, sy) : kGround;
            ASSERT_EQ(dst.pixel(x, y), want) << "at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Widths, KeyedRows,
                         ::testing::Values(Placement{3, 0, 3}, Placement{13, 2, 20},
                                           Placement{16, 0, 16}, Placement{17, -5, 9},
                                           Placement{9, 4, 11}));

TEST(FillRows, FillsExactlyTheRectangle) {
    for (int w : {1, 4, 5, 7, 8, 11}) {
        Bitmap bm(14, 3, kGround);
        fill_rect(bm, Rect{1, 1, w, 1}, 0x123456);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 14; ++x) {
                const bool in = y == 1 && x >= 1 && x < 1 + w;
                ASSERT_EQ(bm.pixel(x, y), in ? 0x123456u : kGround)
                    << "width " << w << " at " << x << "," << y;
            }
    }
}

TEST(Present, BothLayoutsShowTheColoursTheyHold) {
    ASSERT_TRUE(plat::init_window_system());
    plat::Widget* w = plat::create_window({});
    plat::set_geometry(w, {0, 0, 16, 4});
    plat::set_background_colour(w, 0x000000);
    // 0x00BBGGRR words and 0x00RRGGBB words of the same colours, 11 wide.
    std::vector<std::uint32_t> bgr(11), rgb(11);
    for (int i = 0; i < 11; ++i) {
        const std::uint32_t r = 10 + i, g = 100 + i, b = 200 + i;
        bgr[i] = b << 16 | g << 8 | r;
        rgb[i] = r << 16 | g << 8 | b;
    }
    plat::present(w, {bgr.data(), 11, 1, 11, plat::PixelLayout::kXBGR}, {0, 0, 11, 1}, {2, 0});
    plat::present(w, {rgb.data(), 11, 1, 11, plat::PixelLayout::kXRGB}, {0, 0, 11, 1}, {3, 2});
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(plat::surface_pixel(w, 2 + i, 0), bgr[i]) << i;
        EXPECT_EQ(plat::surface_pixel(w, 3 + i, 2), bgr[i]) << i;
    }
    // Beside what was presented the background stays.
    EXPECT_EQ(plat::surface_pixel(w, 1, 0), 0u);
    EXPECT_EQ(plat::surface_pixel(w, 13, 0), 0u);
    EXPECT_EQ(plat::surface_pixel(w, 14, 2), 0u);
    plat::destroy_widget(w);
}

}  // namespace
