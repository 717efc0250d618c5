// The window's shape, background and tray icon.
#include <string>

#include "forms/appearance/shape_region.h"
#include "forms/appearance/tray_command.h"
#include "library/call.h"
#include "platform/appearance.h"
#include "resources/embedded.h"
#include "tests/unit/forms/appearance_fixture.h"

namespace vel::appearance_test {
namespace {

bool inside(const std::vector<plat::Rect>& region, int x, int y) {
    for (const plat::Rect& r : region)
        if (x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height) return true;
    return false;
}

TEST(ShapeRegion, CornersOfTheShapesAt288) {
    struct Row {
        int shape, x, y;
        bool in;
    };
    const Row rows[] = {
        // Rounded: 57-pixel corner ellipses cut the corners only.
        {2, 0, 0, false},
        {2, 3, 3, false},
        {2, 287, 287, false},
        {2, 287, 0, false},
        {2, 10, 10, true},
        {2, 40, 40, true},
        {2, 144, 0, true},
        {2, 0, 144, true},
        // The top row of a 57-pixel circle is about 10 pixels wide: the flat
        // edge starts some 5 pixels before the corner circle's centre (28).
        {2, 25, 0, true},
        {2, 21, 0, false},
        // Ellipse: touches the middle of each edge, leaves the corners.
        {1, 144, 0, true},
        {1, 0, 144, true},
        {1, 287, 144, true},
        {1, 144, 287, true},
        {1, 40, 40, false},
        {1, 287, 287, false},
        {1, 50, 50, true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(inside(shape_region(r.shape, 288, 288), r.x, r.y), r.in)
            << "shape " << r.shape << " at " << r.x << "," << r.y;
    EXPECT_EQ(rounded_corner(288, 288), 57);
    EXPECT_TRUE(shape_region(0, 288, 288).empty());
    EXPECT_TRUE(shape_region(3, 288, 288).empty());
    EXPECT_TRUE(shape_region(1, 0, 288).empty());
}

TEST_F(AppearanceTest, ShapeFollowsThePropertyAndTheSize) {
    plat::Widget* w = rt().window_widget(kWin);
    set_int(kWinUnit, prop::kWindowShape, 1);
    EXPECT_FALSE(plat::window_region_contains(w, 2, 2));
    EXPECT_TRUE(plat::window_region_contains(w, 144, 1));
    set_int(kWinUnit, prop::kWindowShape, 0);
    EXPECT_TRUE(plat::window_region_contains(w, 2, 2)) << "shape 0 restores the rectangle";
    set_int(kWinUnit, prop::kWindowShape, 2);
    EXPECT_FALSE(plat::window_region_contains(w, 1, 1));
    EXPECT_TRUE(plat::window_region_contains(w, 12, 12));
    set_int(kWinUnit, prop::kWidth, 400);  // wider: the region is made again
    plat::process_pending_events();
    EXPECT_TRUE(plat::window_region_contains(w, 350, 144));
    EXPECT_FALSE(plat::window_region_contains(w, 399, 0));
}

TEST_F(AppearanceTest, WindowBackgroundColourAndPicture) {
    plat::Widget* w = rt().window_widget(kWin);
    EXPECT_EQ(plat::surface_pixel(w, 200, 200), 0u) << "black, not the system colour";
    set_int(kWinUnit, prop::kWindowBackColour, static_cast<std::int64_t>(0xFF000000u));
    EXPECT_EQ(plat::surface_pixel(w, 200, 200), plat::system_face_colour());
    set_int(kWinUnit, prop::kWindowBackColour, 0x00000080);
    // Mode 0: the picture once at the top-left, the colour elsewhere.
    set_int(kWinUnit, prop::kWindowPictureMode, 0);
    set_bytes(kWinUnit, prop::kWindowPicture, tiny_bmp(8, 8, 0x0000FF00, 0x00FF0000));
    EXPECT_EQ(plat::surface_pixel(w, 0, 0), 0x00FF0000u);
    EXPECT_EQ(plat::surface_pixel(w, 9, 0), 0x00000080u);
    // Mode 1: tiled.
    set_int(kWinUnit, prop::kWindowPictureMode, 1);
    EXPECT_EQ(plat::surface_pixel(w, 8, 16), 0x00FF0000u);
    EXPECT_EQ(plat::surface_pixel(w, 9, 17), 0x0000FF00u);
    // Of a picture wider than the window only what shows is kept; widened,
    // the window shows the rest of it.
    set_int(kWinUnit, prop::kWindowPictureMode, 0);
    set_bytes(kWinUnit, prop::kWindowPicture, tiny_bmp(320, 8, 0x0000FF00, 0x00FF0000));
    EXPECT_EQ(plat::surface_pixel(w, 287, 0), 0x0000FF00u);
    set_int(kWinUnit, prop::kWidth, 400);
    plat::process_pending_events();
    EXPECT_EQ(plat::surface_pixel(w, 319, 0), 0x0000FF00u);
    EXPECT_EQ(plat::surface_pixel(w, 320, 0), 0x00000080u);
    // A picture that does not decode paints the colour only.
    std::vector<std::uint8_t> broken = tiny_bmp(8, 8, 0x0000FF00, 0x00FF0000);
    broken.resize(40);
    set_bytes(kWinUnit, prop::kWindowPicture, broken);
    EXPECT_EQ(plat::surface_pixel(w, 0, 0), 0x00000080u);
}

// The program's own icon, as carried in the executable.
const std::uint8_t* clock_icon() {
    return embedded_byteset("clock.ico");
}

TEST_F(AppearanceTest, TrayIconTipAndRemoval) {
    plat::Widget* w = rt().window_widget(kWin);
    ASSERT_NE(clock_icon(), nullptr);
    call(cmd_set_tray_icon, ref(kWinUnit), arg_byteset(nullptr));  // never added: harmless
    EXPECT_FALSE(plat::has_tray_icon(w));
    const std::string tip70(70, 'x');
    const std::string tip = std::string(60, 'a') + "bcdefghijk";
    call(cmd_set_tray_icon, ref(kWinUnit), arg_byteset(clock_icon()), arg_text(tip.c_str()));
    ASSERT_TRUE(plat::has_tray_icon(w));
    EXPECT_EQ(plat::tray_tip(w), tip.substr(0, 62));
    // Both sizes, so that a high-density tray takes the sharp one.
    std::vector<int> sizes;
    for (const plat::Size& s : plat::tray_icon_sizes(w)) sizes.push_back(s.width);
    EXPECT_EQ(sizes, (std::vector<int>{48, 64}));
    // Empty icons, whether a byte set or a file name, remove it.
    call(cmd_set_tray_icon, ref(kWinUnit), arg_text(""));
    EXPECT_FALSE(plat::has_tray_icon(w));
    // Data that is not an icon gives no icon.
    const std::uint8_t junk[] = {0, 0, 1, 0, 0, 0};
    std::uint8_t* block = make_byteset(junk);
    call(cmd_set_tray_icon, ref(kWinUnit), arg_byteset(block));
    release(block);
    EXPECT_FALSE(plat::has_tray_icon(w));
}

TEST_F(AppearanceTest, TrayClicksRaiseEventNineUntilTheWindowGoes) {
    plat::Widget* w = rt().window_widget(kWin);
    call(cmd_set_tray_icon, ref(kWinUnit), arg_byteset(clock_icon()), arg_text("tip"));
    for (int kind : {1, 2, 3}) plat::send_tray_click(w, kind);
    EXPECT_EQ(g_tray_kinds, (std::vector<std::int32_t>{1, 2, 3}));
    rt().destroy_window(kWin);
    EXPECT_FALSE(plat::has_tray_icon(w));
    plat::send_tray_click(w, 1);
    EXPECT_EQ(g_tray_kinds.size(), 3u);
}

}  // namespace
}  // namespace vel::appearance_test
