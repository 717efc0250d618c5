// The paths that work on whole rows several pixels at a time: same-size
// transparent copies, block copies that report what changed, plain fills
// and presenting a panel's pixels.
// Widths and offsets that are not multiples of four catch lanes and tails
// mixed up.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "platform/raster/blit.h"
#include "platform/raster/draw.h"
#include "platform/window_system.h"
#include "raster_test_util.h"

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
    // The general keyed copy and the copy along the picture's stored runs.
    Bitmap by_blit(p.target_w, 4, kGround), by_runs(p.target_w, 4, kGround);
    transparent_blit(by_blit, Rect{p.at_x, 1, p.width, 3}, pic, Rect{0, 0, p.width, 3}, kWhite);
    keyed_blit(by_runs, p.at_x, 1, pic, keyed_runs(pic, kWhite));
    for (const Bitmap* dst : {&by_blit, &by_runs})
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < p.target_w; ++x) {
                const int sx = x - p.at_x, sy = y - 1;
                const bool inside = sx >= 0 && sx < p.width && sy >= 0;
                const Colour want = inside && pattern(sx, sy) != kWhite ? pattern(sx, sy) : kGround;
                ASSERT_EQ(dst->pixel(x, y), want)
                    << (dst == &by_runs ? "runs" : "blit") << " at " << x << "," << y;
            }
}

TEST(KeyedRuns, FarOffPlacesAndOtherSizesDrawNothing) {
    Bitmap pic(5, 2, 0x123456);
    const KeyedRuns runs = keyed_runs(pic, kWhite);
    Bitmap dst(6, 6, kGround);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {INT_MIN, 0}, {0, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {-5, 0}, {6, 6}})
        keyed_blit(dst, x, y, pic, runs);
    keyed_blit(dst, 0, 0, Bitmap(5, 3, 0x123456), runs);  // runs of another picture
    EXPECT_EQ(raster_test::count(dst, kGround), 36);
    keyed_blit(dst, -3, 5, pic, runs);
    EXPECT_EQ(raster_test::bounds(dst, 0x123456), "0,5-1,5");

    // Rows cut off at the top: the rows below still take their own pixels.
    Bitmap rows(4, 3, kWhite);
    rows.set_pixel(1, 0, 0x000001);
    rows.set_pixel(2, 1, 0x000002);
    rows.set_pixel(0, 2, 0x000003);
    rows.set_pixel(3, 2, 0x000004);
    Bitmap top(4, 2, kGround);
    keyed_blit(top, 0, -1, rows, keyed_runs(rows, kWhite));
    EXPECT_EQ(raster_test::bounds(top, 0x000002), "2,0-2,0");
    EXPECT_EQ(raster_test::bounds(top, 0x000003), "0,1-0,1");
    EXPECT_EQ(raster_test::bounds(top, 0x000004), "3,1-3,1");
    EXPECT_EQ(raster_test::count(top, kGround), 5);
}

// A picture stretched once and then placed gives the pixels a fresh smooth
// transparent copy gives, wherever it lands, clipped or not, shrunk or grown.
TEST(ScaledKeyed, MatchesAFreshSmoothCopyAtEveryPlace) {
    struct Case {
        int sw, sh, w, h;
        bool white_disc;  // a white field with a round figure, like the butterfly
    };
    for (const Case c : {Case{60, 60, 18, 18, true}, Case{60, 60, 17, 19, false},
                         Case{5, 5, 9, 7, false}, Case{7, 3, 7, 3, false}}) {
        Bitmap pic(c.sw, c.sh);
        for (int y = 0; y < c.sh; ++y)
            for (int x = 0; x < c.sw; ++x) {
                const int dx = x - c.sw / 2, dy = y - c.sh / 2;
                const bool field = c.white_disc && dx * dx + dy * dy > 20 * 20;
                pic.set_pixel(x, y, field ? kWhite : pattern(x, y));
            }
        const ScaledKeyed scaled = scale_keyed(pic, c.w, c.h, kWhite);
        ASSERT_EQ(scaled.image.width(), c.w);
        if (c.white_disc) {
            EXPECT_GT(std::count(scaled.drawn.begin(), scaled.drawn.end(), 0), 40)
                << "the white field is left out";
        }
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{
                 {0, 0}, {3, 2}, {-4, 1}, {1, -5}, {20, 20}, {-100, 0}, {INT_MIN, INT_MAX}}) {
            Bitmap fresh(24, 24, kGround), placed(24, 24, kGround);
            transparent_blit(fresh, Rect{x, y, c.w, c.h}, pic, Rect{0, 0, c.sw, c.sh}, kWhite,
                             Stretch::smooth);
            scaled_keyed_blit(placed, x, y, scaled);
            for (int py = 0; py < 24; ++py)
                for (int px = 0; px < 24; ++px)
                    ASSERT_EQ(placed.pixel(px, py), fresh.pixel(px, py))
                        << c.sw << "x" << c.sh << " to " << c.w << "x" << c.h << " at " << x << ","
                        << y << ": pixel " << px << "," << py;
        }
    }
    // Sizes beyond what is worth keeping are not made.
    EXPECT_TRUE(scale_keyed(Bitmap(4, 4), 300, 300, kWhite).image.empty());
    EXPECT_TRUE(scale_keyed(Bitmap(4, 4), 0, 5, kWhite).image.empty());
}

// A copy that writes only what differs must still leave an exact copy, and
// name exactly the columns it wrote.
TEST(ChangedRows, CopyAndReportTheChangedColumns) {
    for (int n : {1, 3, 4, 9, 16}) {
        for (int a = 0; a < n; ++a) {
            for (int b = a; b < n; ++b) {
                std::vector<std::uint32_t> in(n, 7), out(n, 7);
                in[a] = 1;
                in[b] = 2;
                const auto [first, last] = copy_changed(in.data(), out.data(), n);
                ASSERT_EQ(out, in) << n << " " << a << " " << b;
                // Whole groups of four may be reported, never less than changed.
                EXPECT_LE(first, a);
                EXPECT_GE(last, b + 1);
                EXPECT_GE(first, a / 4 * 4);
                EXPECT_LE(last, std::min(n, (b / 4 + 1) * 4));
            }
        }
        std::vector<std::uint32_t> same(n, 5), copy = same;
        const auto [first, last] = copy_changed(same.data(), copy.data(), n);
        EXPECT_GE(first, last) << n;
    }
}

// A block copy leaves what stretch_blit would, and its boxes cover every
// pixel it changed; a thin slanted line goes out as narrow boxes.
TEST(ChangedBoxes, CoverEveryChangedPixel) {
    struct Row {
        const char* what;
        int x, y;   // where the block lands
        Rect from;  // of the source
        CopyMode mode;
        bool same_bitmap;
    };
    const Row rows[] = {
        {"whole", 0, 0, {0, 0, 40, 30}, CopyMode::copy, false},
        {"moved, clipped both sides", 7, -4, {-3, 2, 40, 30}, CopyMode::copy, false},
        {"off the target", 50, 0, {0, 0, 40, 30}, CopyMode::copy, false},
        {"mixing mode", 2, 3, {0, 0, 20, 20}, CopyMode::exclusive_or, false},
        {"overlapping itself", 1, 1, {0, 0, 40, 30}, CopyMode::copy, true},
    };
    for (const Row& row : rows) {
        Bitmap src(40, 30, kGround), dst(40, 30, kGround);
        for (int i = 0; i < 30; ++i) src.set_pixel(i + 5, i, 0x123456);  // a slanted line
        Bitmap& target = row.same_bitmap ? src : dst;
        Bitmap want = target;
        stretch_blit(want, {row.x, row.y, row.from.w, row.from.h}, src, row.from, row.mode);
        const Bitmap before = target;
        const std::vector<Rect> boxes = copy_block(target, row.x, row.y, src, row.from, row.mode);
        std::int64_t boxed = 0;
        for (const Rect& b : boxes) boxed += std::int64_t{b.w} * b.h;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(target.pixel(x, y), want.pixel(x, y)) << row.what << " " << x << "," << y;
                if (target.pixel(x, y) == before.pixel(x, y)) continue;
                ASSERT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                                        [&](const Rect& b) {
                                            return x >= b.x && x < b.x + b.w && y >= b.y &&
                                                   y < b.y + b.h;
                                        }))
                    << row.what << " " << x << "," << y;
            }
        }
        if (row.mode == CopyMode::copy && !row.same_bitmap) {
            EXPECT_LT(boxed, 30 * 30 * 2 / 3) << row.what << ": near the line's whole bounding box";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, KeyedRows,
                         ::testing::Values(Placement{3, 0, 3}, Placement{13, 2, 20},
                                           Placement{16, 0, 16}, Placement{17, -5, 9},
                                           Placement{9, 4, 11}));

TEST(FillRows, FullWidthAreasStopAtTheirLastRow) {
    Bitmap bm(7, 5, kGround);
    fill_rect(bm, Rect{0, 1, 7, 2}, 0x123456);
    fill_rect(bm, Rect{-3, 4, 20, 9}, 0x654321);  // clipped to the last row
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const Colour want = y == 1 || y == 2 ? 0x123456u : y == 4 ? 0x654321u : kGround;
            ASSERT_EQ(bm.pixel(x, y), want) << x << "," << y;
        }
}

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

// A surface showing its owner's own pixels reads them as they are now, in
// either layout, shows its background beyond them, and again after detaching.
TEST(AttachedPixels, ShownWithoutACopy) {
    ASSERT_TRUE(plat::init_window_system());
    plat::Widget* w = plat::create_window({});
    plat::set_geometry(w, {0, 0, 8, 4});
    plat::set_background_colour(w, 0x000000);
    std::vector<std::uint32_t> rgb(6 * 3, 0x0A64C8);  // red 10, green 100, blue 200
    plat::attach_pixels(w, {rgb.data(), 6, 3, 6, plat::PixelLayout::kXRGB});
    EXPECT_EQ(plat::surface_pixel(w, 5, 2), 0xC8640Au);
    EXPECT_EQ(plat::surface_pixel(w, 6, 0), 0u) << "beyond the pixels: background";
    rgb[1] = 0x010203;
    plat::present_attached(w, {1, 0, 1, 1});
    EXPECT_EQ(plat::surface_pixel(w, 1, 0), 0x030201u);
    std::vector<std::uint32_t> bgr(4, 0x123456);
    plat::attach_pixels(w, {bgr.data(), 2, 2, 2, plat::PixelLayout::kXBGR});
    EXPECT_EQ(plat::surface_pixel(w, 1, 1), 0x123456u);
    EXPECT_EQ(plat::surface_pixel(w, 5, 2), 0u);
    plat::detach_pixels(w);
    EXPECT_EQ(plat::surface_pixel(w, 1, 1), 0u);
    plat::destroy_widget(w);
}

}  // namespace
