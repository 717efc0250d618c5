// Ellipses, brushes, rectangle fills and mix modes.
#include <gtest/gtest.h>

#include "platform/raster/draw.h"
#include "raster_test_util.h"

namespace {

using namespace plat::raster;
using raster_test::bounds;
using raster_test::count;

constexpr Colour kWhite = 0xFFFFFF, kPen = 0x9000FF, kFill = 0xF0F0FF;

DrawState disc_state(int pen_width = 1) {
    DrawState s;
    s.pen = Pen{kPenSolid, pen_width, kPen};
    s.brush = Brush{kBrushSolid, kFill};
    return s;
}

TEST(Ellipse, ThinOutlineTouchesEveryInnerEdgeOfTheBox) {
    Bitmap bm(40, 40, kWhite);
    draw_ellipse(bm, disc_state(), 5, 7, 25, 19);
    // Right and bottom coordinates are outside the ellipse.
    EXPECT_EQ(bounds(bm, kPen), "5,7-24,18");
    EXPECT_EQ(bm.pixel(15, 13), kFill);
    EXPECT_EQ(bm.pixel(5, 7), kWhite);  // corners of the box stay empty
}

TEST(Ellipse, CornerOrderDoesNotMatter) {
    Bitmap reference(60, 60, kWhite);
    draw_ellipse(reference, disc_state(2), 10, 20, 30, 40);
    const int corners[][4] = {{30, 40, 10, 20}, {30, 20, 10, 40}, {10, 40, 30, 20}};
    for (const auto& c : corners) {
        Bitmap bm(60, 60, kWhite);
        draw_ellipse(bm, disc_state(2), c[0], c[1], c[2], c[3]);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_EQ(bm.pixel(x, y), reference.pixel(x, y)) << x << "," << y;
    }
}

TEST(Ellipse, OutlineAndFillEachTouchAPixelOnceUnderXor) {
    Bitmap bm(50, 50, 0);
    DrawState s = disc_state(5);
    s.mix = kMixXorPen;
    draw_ellipse(bm, s, 8, 8, 40, 30);
    EXPECT_GT(count(bm, kPen), 0);
    EXPECT_GT(count(bm, kFill), 0);
    draw_ellipse(bm, s, 8, 8, 40, 30);
    EXPECT_EQ(count(bm, 0), 2500);
}

TEST(Ellipse, HollowBrushNonePenAndEmptyBoxes) {
    Bitmap bm(30, 30, kWhite);
    DrawState s = disc_state();
    s.brush.type = kBrushHollow;
    draw_ellipse(bm, s, 2, 2, 28, 28);
    EXPECT_EQ(bm.pixel(15, 15), kWhite);
    EXPECT_EQ(count(bm, kFill), 0);

    Bitmap filled(30, 30, kWhite);
    s = disc_state();
    s.pen.type = kPenNone;
    draw_ellipse(filled, s, 2, 2, 28, 28);
    EXPECT_EQ(count(filled, kPen), 0);
    EXPECT_EQ(filled.pixel(15, 15), kFill);

    Bitmap empty(30, 30, kWhite);
    draw_ellipse(empty, disc_state(4), 5, 5, 5, 20);
    draw_ellipse(empty, disc_state(4), 5, 9, 20, 9);
    EXPECT_EQ(count(empty, kWhite), 900);
}

TEST(Ellipse, HugeBoxIsClipped) {
    Bitmap bm(20, 20, kWhite);
    draw_ellipse(bm, disc_state(), -2000000000, -2000000000, 2000000000, 2000000000);
    EXPECT_EQ(count(bm, kFill), 400);
}

TEST(Ellipse, SmoothAddsAFringeOutsideOnly) {
    Bitmap hard(40, 40, kWhite), soft(40, 40, kWhite);
    DrawState s = disc_state(2);
    draw_ellipse(hard, s, 5, 5, 35, 30);
    s.smooth = true;
    draw_ellipse(soft, s, 5, 5, 35, 30);
    int blended = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const Colour h = hard.pixel(x, y), c = soft.pixel(x, y);
            if (h != kWhite) {
                EXPECT_EQ(c, h) << x << "," << y;
            }
            blended += h == kWhite && c != kWhite;
        }
    EXPECT_GT(blended, 20);
}

struct BrushRow {
    int type;
    int set_in_8x8;  // pixels of the brush colour in one 8 x 8 cell
};

class BrushFill : public ::testing::TestWithParam<BrushRow> {};

TEST_P(BrushFill, PatternRepeatsEveryEightPixels) {
    const BrushRow r = GetParam();
    DrawState s;
    s.brush = Brush{r.type, 0x0000FF};
    Bitmap bm(16, 16, kWhite);
    fill_rect(bm, Rect{0, 0, 16, 16}, s);
    EXPECT_EQ(count(bm, 0x0000FF), 4 * r.set_in_8x8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(bm.pixel(x, y), bm.pixel(x + 8, y + 8));
    // Clear bits take the background colour when one is given.
    s.background = 0x00FF00;
    fill_rect(bm, Rect{0, 0, 16, 16}, s);
    EXPECT_EQ(count(bm, 0x0000FF) + count(bm, 0x00FF00), 256);
}

INSTANTIATE_TEST_SUITE_P(Types, BrushFill,
                         ::testing::Values(BrushRow{1, 64}, BrushRow{2, 8}, BrushRow{3, 8},
                                           BrushRow{4, 8}, BrushRow{5, 8}, BrushRow{6, 15},
                                           BrushRow{7, 16}, BrushRow{10, 32}));

TEST(Brush, HollowFillsNothing) {
    DrawState s;
    s.brush = Brush{kBrushHollow, 0};
    Bitmap bm(8, 8, kWhite);
    fill_rect(bm, Rect{0, 0, 8, 8}, s);
    EXPECT_EQ(count(bm, kWhite), 64);
}

struct MixRow {
    int mode;
    Colour pen, dst, expected;
};

class Mix : public ::testing::TestWithParam<MixRow> {};

TEST_P(Mix, CombinesPenAndDestination) {
    const MixRow r = GetParam();
    DrawState s;
    s.brush = Brush{kBrushSolid, r.pen};
    s.mix = r.mode;
    Bitmap bm(4, 4, r.dst);
    fill_rect(bm, Rect{1, 1, 2, 2}, s);
    EXPECT_EQ(bm.pixel(1, 1), r.expected);
    EXPECT_EQ(bm.pixel(0, 0), r.dst);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Mix,
    ::testing::Values(MixRow{kMixBlack, 0x123456, 0xABCDEF, 0}, MixRow{kMixWhite, 0, 0, 0xFFFFFF},
                      MixRow{kMixCopyPen, 0x123456, 0xABCDEF, 0x123456},
                      MixRow{kMixNotCopyPen, 0x0F0F0F, 0, 0xF0F0F0},
                      MixRow{kMixNop, 0x123456, 0xABCDEF, 0xABCDEF},
                      MixRow{kMixNot, 0x123456, 0x00FF00, 0xFF00FF},
                      MixRow{kMixXorPen, 0x0000FF, 0x00FFFF, 0x00FF00},
                      MixRow{kMixMaskPen, 0x0F0FFF, 0xFF00F0, 0x0F00F0},
                      MixRow{kMixMergePen, 0x0000F0, 0x00000F, 0x0000FF},
                      MixRow{kMixNotMergePen, 0x0000F0, 0x00000F, 0xFFFF00},
                      MixRow{kMixMergePenNot, 0x000000, 0xFF00FF, 0x00FF00},
                      MixRow{0, 0x123456, 0xABCDEF, 0x123456},  // out of range: copy
                      MixRow{17, 0x123456, 0xABCDEF, 0x123456}));

}  // namespace
