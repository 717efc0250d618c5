// Bitmap sizes and fills: every pixel gets the colour, whatever the count of
// pixels left over after whole groups.
#include <gtest/gtest.h>

#include "platform/raster/bitmap.h"

namespace {

using plat::raster::Bitmap;

TEST(Bitmap, FillReachesEveryPixelForAnyCount) {
    for (const auto& [w, h] : {std::pair{1, 1}, {3, 1}, {5, 3}, {7, 7}, {288, 284}, {61, 2}}) {
        Bitmap b(w, h, 0x123456);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) wrong += b.pixel(x, y) != 0x123456;
        EXPECT_EQ(wrong, 0) << w << "x" << h;
        b.fill(0xFF000000u | 0x0000FF);  // the top byte never reaches memory
        EXPECT_EQ(b.data()[std::size_t(w) * h - 1], 0x00FF0000u) << w << "x" << h;
        EXPECT_EQ(b.data()[0], 0x00FF0000u);
    }
}

TEST(Bitmap, UnfilledBitmapKeepsTheSizeChecks) {
    const Bitmap ok(300, 2, plat::raster::kUnfilled);
    EXPECT_EQ(ok.width(), 300);
    EXPECT_EQ(ok.height(), 2);
    for (const auto& [w, h] :
         {std::pair{0, 5}, {5, -1}, {Bitmap::kMaxSide + 1, 1}, {32767, 32767}}) {
        const Bitmap b(w, h, plat::raster::kUnfilled);
        EXPECT_TRUE(b.empty()) << w << "x" << h;
        EXPECT_EQ(b.width(), 0);
    }
    // Copies carry the pixels.
    Bitmap a(4, 3, 0x0A0B0C);
    const Bitmap c = a;
    EXPECT_EQ(c.pixel(3, 2), 0x0A0B0Cu);
}

}  // namespace
