// Block transfers: copy modes, stretching, transparent drawing, clipping.
#include <gtest/gtest.h>

#include "platform/raster/blit.h"
#include "raster_test_util.h"

namespace {

using namespace plat::raster;
using raster_test::bounds;
using raster_test::count;

constexpr Colour kWhite = 0xFFFFFF;

struct CopyRow {
    int mode;
    Colour src, dst, expected;
};

class Copy : public ::testing::TestWithParam<CopyRow> {};

TEST_P(Copy, CombinesSourceAndDestination) {
    const CopyRow r = GetParam();
    Bitmap src(3, 3, r.src), dst(5, 5, r.dst);
    stretch_blit(dst, Rect{1, 1, 3, 3}, src, Rect{0, 0, 3, 3}, copy_mode_from(r.mode));
    EXPECT_EQ(dst.pixel(2, 2), r.expected);
    EXPECT_EQ(dst.pixel(0, 0), r.dst);
    EXPECT_EQ(dst.pixel(4, 4), r.dst);
}

INSTANTIATE_TEST_SUITE_P(Modes, Copy,
                         ::testing::Values(CopyRow{1, 0x123456, 0xABCDEF, 0x123456},
                                           CopyRow{2, 0x0F0F0F, 0xABCDEF, 0xF0F0F0},
                                           CopyRow{3, 0x00FF0F, 0x0F0F0F, 0x0FF000},
                                           CopyRow{4, 0x0000F0, 0x00000F, 0x0000FF},
                                           CopyRow{5, 0x0F0FF0, 0x00FFFF, 0x000FF0},
                                           CopyRow{0, 0x123456, 0, 0x123456},  // unknown: copy
                                           CopyRow{9, 0x123456, 0, 0x123456}));

Bitmap quadrants() {  // 4 x 4: red, green / blue, white quadrants of 2 x 2
    Bitmap bm(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            bm.set_pixel(x, y, y < 2 ? (x < 2 ? 0x0000FF : 0x00FF00) : (x < 2 ? 0xFF0000 : kWhite));
    return bm;
}

TEST(Stretch, EnlargingRepeatsPixels) {
    Bitmap dst(8, 8, 0);
    stretch_blit(dst, Rect{0, 0, 8, 8}, quadrants(), Rect{0, 0, 4, 4});
    EXPECT_EQ(bounds(dst, 0x0000FF), "0,0-3,3");
    EXPECT_EQ(bounds(dst, kWhite), "4,4-7,7");
}

TEST(Stretch, SmoothShrinkingAveragesAreas) {
    Bitmap checker(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) checker.set_pixel(x, y, (x + y) % 2 ? kWhite : 0);
    Bitmap nearest(2, 2, 0x123456), smooth(2, 2, 0x123456);
    stretch_blit(nearest, Rect{0, 0, 2, 2}, checker, Rect{0, 0, 4, 4});
    stretch_blit(smooth, Rect{0, 0, 2, 2}, checker, Rect{0, 0, 4, 4}, CopyMode::copy,
                 Stretch::smooth);
    EXPECT_TRUE(nearest.pixel(0, 0) == 0 || nearest.pixel(0, 0) == kWhite);
    EXPECT_EQ(smooth.pixel(0, 0), 0x808080u);  // half black, half white, rounded
    EXPECT_EQ(count(smooth, 0x808080), 4);
    // Uneven ratio: 3 -> 2 splits the middle pixel between both outputs.
    Bitmap row(3, 1);
    row.set_pixel(0, 0, 0), row.set_pixel(1, 0, 0x0000FF), row.set_pixel(2, 0, kWhite);
    Bitmap out(2, 1);
    stretch_blit(out, Rect{0, 0, 2, 1}, row, Rect{0, 0, 3, 1}, CopyMode::copy, Stretch::smooth);
    EXPECT_EQ(out.pixel(0, 0), 0x000055u);
    EXPECT_EQ(out.pixel(1, 0), 0xAAAAFFu);
}

TEST(Stretch, PartsOutsideEitherBitmapAreLeftAlone) {
    Bitmap dst(6, 6, 0x111111);
    stretch_blit(dst, Rect{-2, 4, 4, 4}, quadrants(), Rect{0, 0, 4, 4});
    EXPECT_EQ(bounds(dst, 0x00FF00), "0,4-1,5");  // the right half only
    EXPECT_EQ(count(dst, 0x0000FF), 0);
    // Source rectangle hanging off the source: the missing part draws nothing.
    Bitmap d2(4, 4, 0x111111);
    stretch_blit(d2, Rect{0, 0, 4, 4}, quadrants(), Rect{2, 2, 4, 4});
    EXPECT_EQ(bounds(d2, kWhite), "0,0-1,1");
    EXPECT_EQ(count(d2, 0x111111), 12);
    // Empty rectangles and far-off or forged sizes draw nothing and end quickly.
    Bitmap d3(4, 4, 0x111111);
    stretch_blit(d3, Rect{0, 0, 0, 4}, quadrants(), Rect{0, 0, 4, 4});
    stretch_blit(d3, Rect{0, 0, 4, 4}, quadrants(), Rect{0, 0, -4, 4});
    stretch_blit(d3, Rect{2000000000, 0, 2000000000, 4}, quadrants(), Rect{0, 0, 4, 4});
    EXPECT_EQ(count(d3, 0x111111), 16);
    stretch_blit(d3, Rect{0, 0, 4, 4}, quadrants(), Rect{-2000000000, 0, 2147483647, 4},
                 CopyMode::copy, Stretch::smooth);
    stretch_blit(d3, Rect{-2000000000, -5, 2147483647, 2147483647}, quadrants(), Rect{0, 0, 4, 4});
}

TEST(Stretch, OverlappingCopyOntoItselfReadsTheOriginal) {
    Bitmap bm(6, 1);
    for (int x = 0; x < 6; ++x) bm.set_pixel(x, 0, static_cast<Colour>(x + 1));
    stretch_blit(bm, Rect{1, 0, 5, 1}, bm, Rect{0, 0, 5, 1});
    for (int x = 1; x < 6; ++x) EXPECT_EQ(bm.pixel(x, 0), static_cast<Colour>(x));
}

TEST(Transparent, LeavesPureWhiteOutAndOnlyPureWhite) {
    Bitmap pic(3, 1);
    pic.set_pixel(0, 0, kWhite), pic.set_pixel(1, 0, 0xFEFFFF), pic.set_pixel(2, 0, 0x7E0041);
    Bitmap dst(3, 1, 0x00FF00);
    transparent_blit(dst, Rect{0, 0, 3, 1}, pic, Rect{0, 0, 3, 1}, kWhite);
    EXPECT_EQ(dst.pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(dst.pixel(1, 0), 0xFEFFFFu);
    EXPECT_EQ(dst.pixel(2, 0), 0x7E0041u);
}

TEST(Transparent, SmoothShrinkDrawsMostlyOpaqueAreasInTheirOwnColour) {
    // A 60 x 60 white picture with a dark 30 x 30 block in its top-left
    // corner, shrunk to 18 x 18 like the butterfly.
    Bitmap pic(60, 60, kWhite);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) pic.set_pixel(x, y, 0x7E0041);
    Bitmap dst(20, 20, 0x00FF00);
    transparent_blit(dst, Rect{1, 1, 18, 18}, pic, Rect{0, 0, 60, 60}, kWhite, Stretch::smooth);
    EXPECT_EQ(bounds(dst, 0x7E0041), "1,1-9,9");
    EXPECT_EQ(count(dst, 0x00FF00), 400 - 81);  // never a blend with white
}

}  // namespace
