// Client and device pixels: the rounding every layer shares, and a surface
// showing device pixels at whatever ratio the platform gives (ctest runs
// these again with QT_SCALE_FACTOR=2 and 1.5).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/device_pixels.h"
#include "platform/window_system.h"

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
    // Device boxes back to client pixels, outwards; and the client pixels
    // whose own device pixel lies inside.
    EXPECT_EQ(plat::to_client(Rect{3, 3, 2, 2}, 2), (Rect{1, 1, 2, 2}));
    EXPECT_EQ(plat::to_client(Rect{3, 0, 1, 3}, 1.5), (Rect{2, 0, 1, 2}));
    EXPECT_EQ(plat::client_pixels_in({3, 3, 2, 2}, 2), (Rect{2, 2, 1, 1}));
    EXPECT_EQ(plat::client_pixels_in({3, 0, 1, 1}, 2).width, 0) << "no client pixel starts there";
    EXPECT_EQ(plat::client_pixels_in({0, 0, 4, 3}, 1.5), (Rect{0, 0, 3, 2}));
}

// What the window's buffer shows is the attached device pixels, one for one,
// and the background colour beyond them, after a paint and after presenting
// a box alone.
TEST(DevicePixels, ASurfaceShowsItsDevicePixelsOneForOne) {
    ASSERT_TRUE(plat::init_window_system());
    plat::Widget* w = plat::create_window({});
    plat::set_geometry(w, {0, 0, 10, 6});
    plat::set_background_colour(w, 0x0000FF);  // red
    const double ratio = plat::device_ratio(w);
    const int dw = plat::device_length(10, ratio), dh = plat::device_length(6, ratio);
    // Pixels for 8 x 6 client pixels: the last two columns show the background.
    const int aw = plat::device_length(8, ratio);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(aw) * dh);
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < aw; ++x)
            pixels[y * aw + x] = static_cast<std::uint32_t>(x * 7 + y * 50);
    plat::attach_pixels(w, {pixels.data(), aw, dh, aw, plat::PixelLayout::kXBGR, ratio});
    plat::set_visible(w, true);
    plat::process_pending_events();
    auto expect_shown = [&](const char* when) {
        const std::vector<std::uint32_t> shown = plat::presented_pixels(w);
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(dw) * dh) << when << " at " << ratio;
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x)
                ASSERT_EQ(shown[y * dw + x], x < aw ? pixels[y * aw + x] : 0x0000FFu)
                    << when << " at " << ratio << ": device pixel " << x << "," << y;
    };
    expect_shown("painted");
    // A box alone, with odd device edges.
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) pixels[y * aw + x] = 0x123456;
    plat::present_attached(w, {1, 1, 3, 3});
    plat::process_pending_events();
    expect_shown("presented");
    const plat::Rect corner = plat::to_device(plat::Rect{1, 1, 1, 1}, ratio);
    EXPECT_EQ(plat::surface_pixel(w, 1, 1), pixels[corner.top * aw + corner.left]);
    EXPECT_EQ(plat::surface_pixel(w, 9, 5), 0x0000FFu);
    plat::destroy_widget(w);
}

}  // namespace
