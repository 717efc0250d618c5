// Client and device pixels: the rounding every layer shares.
#include <gtest/gtest.h>

#include "platform/device_pixels.h"

namespace {

using plat::Rect;

TEST(DevicePixels, RoundOutwardsAndLengthsToTheNearest) {
    struct Row {
        double ratio;
        Rect client, device;  // to_device(client), and to_client(device) covers client
        int length;           // device_length(288)
    };
    const Row rows[] = {
        {1, {3, 4, 5, 6}, {3, 4, 5, 6}, 288},       {2, {3, 4, 5, 6}, {6, 8, 10, 12}, 576},
        {1.25, {1, 1, 1, 1}, {1, 1, 2, 2}, 360},     // 1.25 ... 2.5
        {1.5, {1, 0, 1, 3}, {1, 0, 2, 5}, 432},      // 1.5 ... 3, 0 ... 4.5
        {1.75, {2, 2, 2, 2}, {3, 3, 4, 4}, 504},     // 3.5 ... 7
        {1.1, {10, 0, 10, 1}, {11, 0, 11, 2}, 317},  // 11 and 22 exactly, not a hair above
    };
    for (const Row& r : rows) {
        EXPECT_EQ(plat::to_device(r.client, r.ratio), r.device) << r.ratio;
        EXPECT_EQ(plat::device_length(288, r.ratio), r.length) << r.ratio;
        const Rect back = plat::to_client(r.device, r.ratio);
        EXPECT_LE(back.left, r.client.left) << r.ratio;
        EXPECT_GE(back.left + back.width, r.client.left + r.client.width) << r.ratio;
    }
    // Off-grid device boxes: outwards to client pixels, or the pixels inside.
    EXPECT_EQ(plat::to_client(Rect{3, 3, 2, 2}, 2), (Rect{1, 1, 2, 2}));
    EXPECT_EQ(plat::client_pixels_in({0, 0, 4, 3}, 1.5), (Rect{0, 0, 3, 2}));
}

}  // namespace
