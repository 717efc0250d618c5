// Sets of 16-pixel blocks: they must hold the blocks of every pixel given to
// them and no others, and the pixels near a segment must hold every pixel a
// line along it draws, or a copy that compares only them would miss a change.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/raster/draw.h"
#include "platform/raster/row_blocks.h"

namespace {

using plat::raster::Bitmap;
using plat::raster::RowBlocks;
using Mask = std::vector<std::vector<bool>>;

// The pixels the runs cover, checking on the way that runs are whole blocks
// (the last one cut at the edge), sorted and apart.
Mask covered(const RowBlocks& blocks) {
    Mask m(blocks.height(), std::vector<bool>(blocks.width(), false));
    int last_y = -1, last_end = -1;
    blocks.each([&](int y, int x0, int x1) {
        EXPECT_EQ(x0 % RowBlocks::kBlock, 0);
        EXPECT_TRUE(x1 % RowBlocks::kBlock == 0 || x1 == blocks.width());
        EXPECT_LT(x0, x1);
        EXPECT_GE(y, last_y);
        if (y == last_y) {
            EXPECT_LT(last_end, x0) << "runs of row " << y << " touch";
        }
        last_y = y;
        last_end = x1;
        for (int x = x0; x < x1; ++x) m[y][x] = true;
    });
    return m;
}

bool block_marked(const Mask& mask, int x, int y) {
    const int b = RowBlocks::kBlock;
    const int end = std::min<int>((x / b + 1) * b, static_cast<int>(mask[y].size()));
    for (int i = x / b * b; i < end; ++i)
        if (mask[y][i]) return true;
    return false;
}

TEST(RowBlocks, RunsCoverTheBlocksOfEverythingAddedAndNoOthers) {
    std::mt19937 rng(7);
    constexpr int kW = 1100;  // more than one word of blocks a row
    RowBlocks blocks;
    blocks.reset(kW, 6);
    EXPECT_TRUE(blocks.empty());
    Mask want(6, std::vector<bool>(kW, false));
    for (int i = 0; i < 300; ++i) {
        const int y = static_cast<int>(rng() % 8) - 1;  // a row above and below too
        const int x0 = static_cast<int>(rng() % (kW + 40)) - 20;
        const int x1 = x0 + static_cast<int>(rng() % (i % 10 == 0 ? 300 : 12));
        blocks.add(y, x0, x1);
        if (y >= 0 && y < 6)
            for (int x = std::max(x0, 0); x < std::min(x1, kW); ++x) want[y][x] = true;
        if (i % 25 != 0) continue;
        const Mask got = covered(blocks);
        for (int yy = 0; yy < 6; ++yy)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(got[yy][x], block_marked(want, x, yy)) << x << "," << yy;
    }
    blocks.reset(kW, 6);  // empty again
    EXPECT_TRUE(blocks.empty());
    int runs = 0;
    blocks.each([&](int, int, int) { ++runs; });
    EXPECT_EQ(runs, 0);
    blocks.add(plat::raster::Rect{-5, 4, 30, 9});  // cut to the bitmap
    const Mask got = covered(blocks);
    EXPECT_TRUE(got[4][0] && got[5][31] && !got[5][32] && !got[3][0]);
}

// For pens of every width, smooth or not, steep, flat and reaching far
// outside, the pixels a line draws lie within the blocks of its segment.
TEST(RowBlocks, SegmentCoversEveryPixelALineDraws) {
    std::mt19937 rng(11);
    long drawn = 0;
    for (int i = 0; i < 600; ++i) {
        Bitmap bm(96, 80, 0);
        plat::raster::DrawState state;
        state.pen.type = plat::raster::kPenSolid;
        state.pen.width = static_cast<int>(rng() % 14);
        state.pen.colour = 0xFFFFFF;
        state.smooth = rng() % 2;
        const auto coord = [&](int side) { return static_cast<int>(rng() % (side + 60)) - 30; };
        const int x1 = coord(96), y1 = coord(80), x2 = coord(96), y2 = coord(80);
        plat::raster::draw_line(bm, state, x1, y1, x2, y2);
        RowBlocks blocks;
        blocks.reset(96, 80);
        blocks.add_segment(x1, y1, x2, y2, state.pen.pixel_width() / 2 + 3);
        const Mask got = covered(blocks);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 96; ++x) {
                if (bm.pixel(x, y) == 0) continue;
                ++drawn;
                ASSERT_TRUE(got[y][x])
                    << "pixel " << x << "," << y << " of line " << x1 << "," << y1 << " to " << x2
                    << "," << y2 << " width " << state.pen.width;
            }
    }
    EXPECT_GT(drawn, 100000) << "the lines drew";
    // Coordinates at the ends of the integer range neither overflow nor hang.
    RowBlocks far;
    far.reset(50, 50);
    far.add_segment(-2147483647, -2147483647, 2147483647, 2147483647, 3);
    EXPECT_TRUE(covered(far)[25][25]);
}

}  // namespace
