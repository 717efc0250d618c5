// Lines: the end point is left out, dashes, wide round pens, clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/raster/draw.h"
#include "raster_test_util.h"

namespace {

using namespace plat::raster;
using raster_test::bounds;
using raster_test::count;

constexpr Colour kWhite = 0xFFFFFF, kRed = 0x0000FF;

DrawState pen(int width, Colour c = kRed, int type = kPenSolid) {
    DrawState s;
    s.pen = Pen{type, width, c};
    return s;
}

struct ThinRow {
    int x1, y1, x2, y2;
    int pixels;  // the longer axis span: the end point is not drawn
};

class ThinLine : public ::testing::TestWithParam<ThinRow> {};

TEST_P(ThinLine, DrawsEveryStepButTheEndPoint) {
    const ThinRow r = GetParam();
    Bitmap bm(40, 40, kWhite);
    draw_line(bm, pen(1), r.x1, r.y1, r.x2, r.y2);
    EXPECT_EQ(count(bm, kRed), r.pixels);
    EXPECT_EQ(bm.pixel(r.x1, r.y1), kRed);
    EXPECT_EQ(bm.pixel(r.x2, r.y2), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Directions, ThinLine,
                         ::testing::Values(ThinRow{2, 5, 30, 5, 28},    // right
                                           ThinRow{30, 5, 2, 5, 28},    // left
                                           ThinRow{7, 1, 7, 35, 34},    // down
                                           ThinRow{7, 35, 7, 1, 34},    // up
                                           ThinRow{0, 0, 20, 20, 20},   // diagonal
                                           ThinRow{20, 3, 5, 9, 15},    // shallow, left
                                           ThinRow{3, 30, 9, 2, 28}));  // steep, up

TEST(Line, ZeroLengthAndNonePenDrawNothing) {
    Bitmap bm(10, 10, kWhite);
    draw_line(bm, pen(1), 4, 4, 4, 4);
    draw_line(bm, pen(8, kRed, kPenNone), 0, 0, 9, 9);
    EXPECT_EQ(count(bm, kWhite), 100);
}

TEST(Line, JoinedLinesDrawSharedPointOnceUnderXor) {
    // With exclusive-or a point drawn twice would vanish.
    Bitmap bm(20, 20, 0);
    DrawState s = pen(1, 0xFFFFFF);
    s.mix = kMixXorPen;
    draw_line(bm, s, 2, 2, 10, 2);
    draw_line(bm, s, 10, 2, 10, 12);
    EXPECT_EQ(bm.pixel(10, 2), 0xFFFFFFu);
    EXPECT_EQ(count(bm, 0xFFFFFF), 18);
}

TEST(Line, WidePenCoversItsWidthWithRoundEnds) {
    // Even width 8 is centred on the pixel corner: columns 140 ... 147.
    Bitmap bm(288, 288, kWhite);
    draw_line(bm, pen(8), 144, 144, 144, 80);
    EXPECT_EQ(bounds(bm, kRed), "140,76-147,147");
    EXPECT_EQ(bm.pixel(140, 120), kRed);
    EXPECT_EQ(bm.pixel(139, 120), kWhite);
    // Round ends: the caps' corners stay empty.
    EXPECT_EQ(bm.pixel(140, 76), kWhite);
    EXPECT_EQ(bm.pixel(143, 76), kRed);

    // Odd width 3 is centred on the pixel: columns 143 ... 145.
    Bitmap odd(50, 50, kWhite);
    draw_line(odd, pen(3), 25, 40, 25, 10);
    EXPECT_EQ(bounds(odd, kRed), "24,9-26,41");
}

TEST(Line, DashedPenLeavesGapsAndOptionallyFillsThem) {
    Bitmap bm(60, 3, kWhite);
    draw_line(bm, pen(1, kRed, kPenDash), 0, 1, 60, 1);
    const int dashes = count(bm, kRed);
    EXPECT_GT(dashes, 30);
    EXPECT_LT(dashes, 60);
    EXPECT_EQ(bm.pixel(0, 1), kRed);

    DrawState s = pen(1, kRed, kPenDot);
    s.background = 0x00FF00;
    Bitmap gaps(60, 3, kWhite);
    draw_line(gaps, s, 0, 1, 60, 1);
    EXPECT_EQ(count(gaps, kRed) + count(gaps, 0x00FF00), 60);
    // A wide pen is always solid.
    Bitmap wide(60, 9, kWhite);
    draw_line(wide, pen(3, kRed, kPenDash), 1, 4, 58, 4);
    EXPECT_EQ(wide.pixel(30, 4), kRed);
    EXPECT_EQ(count(wide, kRed), 3 * 60);  // 58 columns of body, a 3 x 3 cap each end
}

TEST(Line, FarCoordinatesAreClippedWithoutWalkingThePath) {
    Bitmap bm(32, 32, kWhite);
    draw_line(bm, pen(1), -2000000000, 16, 2000000000, 16);
    EXPECT_EQ(count(bm, kRed), 32);
    draw_line(bm, pen(1, 0x00FF00), 2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1);
    EXPECT_EQ(count(bm, 0x00FF00), 32);
    draw_line(bm, pen(32767, 0x123456), -2000000000, -5, 2000000000, -5);
    EXPECT_GT(count(bm, 0x123456), 0);
}

TEST(Line, SmoothEdgesBlendButKeepTheCore) {
    Bitmap hard(40, 40, kWhite), soft(40, 40, kWhite);
    DrawState s = pen(6, 0);
    draw_line(hard, s, 5, 5, 35, 25);
    s.smooth = true;
    draw_line(soft, s, 5, 5, 35, 25);
    EXPECT_EQ(soft.pixel(20, 15), 0u);  // inside the stroke
    int grey = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const Colour c = soft.pixel(x, y);
            grey += c != 0 && c != kWhite;
        }
    EXPECT_GT(grey, 20);
    // Smoothing applies to plain copy only.
    Bitmap xored(40, 40, kWhite);
    s.mix = kMixXorPen;
    draw_line(xored, s, 5, 5, 35, 25);
    s.smooth = false;
    draw_line(xored, s, 5, 5, 35, 25);
    EXPECT_EQ(count(xored, kWhite), 1600);
}

struct SmoothRow {
    int width, x1, y1, x2, y2;
};

class SmoothLine : public ::testing::TestWithParam<SmoothRow> {};

// A pixel whose centre lies within half a pixel inside the pen's edge takes
// the pen colour exactly, one half a pixel or more outside it is untouched,
// and the ones between are mixes: nothing else is painted.
TEST_P(SmoothLine, CoverageFollowsTheDistanceToTheSegment) {
    const SmoothRow l = GetParam();
    Bitmap bm(48, 48, kWhite);
    DrawState s = pen(l.width, 0);
    s.smooth = true;
    draw_line(bm, s, l.x1, l.y1, l.x2, l.y2);
    const double o = (l.width % 2) ? 0.5 : 0.0, r = l.width / 2.0;
    const double ax = l.x1 + o, ay = l.y1 + o, bx = l.x2 + o, by = l.y2 + o;
    const double vx = bx - ax, vy = by - ay, l2 = vx * vx + vy * vy;
    int full = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double t =
                l2 > 0 ? std::clamp(((px - ax) * vx + (py - ay) * vy) / l2, 0.0, 1.0) : 0;
            const double d = std::hypot(px - ax - t * vx, py - ay - t * vy);
            const Colour c = bm.pixel(x, y);
            SCOPED_TRACE(::testing::Message() << "pixel " << x << "," << y << " at " << d);
            if (d <= r - 0.5 - 1e-6) {
                EXPECT_EQ(c, 0u);
                ++full;
            } else if (d >= r + 0.5 + 1e-6) {
                EXPECT_EQ(c, kWhite);
            } else if (d > r - 0.5 + 0.01 && d < r + 0.5 - 0.01) {
                // the grey of one coverage, all three channels alike
                EXPECT_NE(c, 0u);
                EXPECT_NE(c, kWhite);
                EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
                EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
            }
        }
    EXPECT_GT(full, 0);
}

INSTANTIATE_TEST_SUITE_P(WidthsAndAngles, SmoothLine,
                         ::testing::Values(SmoothRow{2, 24, 24, 40, 9}, SmoothRow{3, 24, 24, 24, 4},
                                           SmoothRow{3, 24, 24, 5, 30},
                                           SmoothRow{6, 24, 24, 44, 33},
                                           SmoothRow{8, 24, 24, 24, 24},   // a dot
                                           SmoothRow{8, 24, 24, 9, 2},     // steep, up and left
                                           SmoothRow{6, -10, 40, 60, 30},  // through both sides
                                           SmoothRow{9, 2, 2, 46, 46}));

}  // namespace
