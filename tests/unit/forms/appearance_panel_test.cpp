// Drawing panels through their methods: the memory bitmap, clearing, lines,
// ellipses, pictures and block copies, read back as pixels.
#include <utility>

#include "forms/appearance/panel_methods.h"
#include "forms/pictures/picture_table.h"
#include "library/call.h"
#include "tests/unit/forms/appearance_fixture.h"

namespace vel::appearance_test {
namespace {

constexpr plat::raster::Colour kBack = 0x00102030;
constexpr plat::raster::Colour kRed = 0x000000FF;

void line(UnitId panel, int x1, int y1, int x2, int y2) {
    call(cmd_panel_draw_line, arg_unit(kWin, panel, TAG_UNIT_DRAWPANEL), arg_int(x1), arg_int(y1),
         arg_int(x2), arg_int(y2));
}

// A picture of w x h pixels of `fill` with a white pixel at (0, 0).
int add_picture(int w, int h, plat::raster::Colour fill) {
    Picture p;
    p.kind = PictureKind::bmp;
    p.image = plat::raster::Bitmap(w, h, fill);
    p.image.set_pixel(0, 0, 0xFFFFFF);
    return picture_table().add(std::move(p));
}

TEST_F(AppearanceTest, MemoryBitmapIsRebuiltWhenTheBackgroundChanges) {
    line(kBuffer, 5, 5, 20, 5);
    ASSERT_EQ(at(kBuffer, 10, 5), kRed);
    set_int(kBuffer, prop::kPanelBackColour, 0x00445566);
    EXPECT_EQ(at(kBuffer, 10, 5), 0x00445566u) << "the drawing is lost with the old background";
    EXPECT_EQ(at(kBuffer, 99, 79), 0x00445566u);
    // A background picture rebuilds it too, painted from the top-left.
    line(kBuffer, 5, 5, 20, 5);
    set_bytes(kBuffer, prop::kPanelPicture, tiny_bmp(4, 4, 0x0000FF00, 0x00FF0000));
    EXPECT_EQ(at(kBuffer, 0, 0), 0x00FF0000u);
    EXPECT_EQ(at(kBuffer, 10, 5), 0x00445566u) << "mode 0: the rest is the colour";
}

TEST_F(AppearanceTest, ResizeKeepsTheOldImageFromTheTopLeft) {
    line(kBuffer, 5, 5, 20, 5);
    set_int(kBuffer, prop::kWidth, 150);
    set_int(kBuffer, prop::kHeight, 40);
    const plat::raster::Bitmap& c = panel_of(kBuffer).canvas();
    EXPECT_EQ(c.width(), 150);
    EXPECT_EQ(c.height(), 40);
    EXPECT_EQ(at(kBuffer, 10, 5), kRed);
    EXPECT_EQ(at(kBuffer, 120, 5), kBack) << "new area gets the background";
}

TEST_F(AppearanceTest, ClearWithOmittedArgumentsReachesTheEdges) {
    call(cmd_panel_draw_ellipse, ref(kBuffer), arg_int(0), arg_int(0), arg_int(100), arg_int(80));
    ASSERT_NE(at(kBuffer, 50, 40), kBack);
    ASSERT_NE(at(kBuffer, 5, 40), kBack);
    call(cmd_panel_clear, ref(kBuffer), arg_int(10), arg_int(10));
    EXPECT_NE(at(kBuffer, 5, 40), kBack) << "left of the cleared rectangle";
    EXPECT_EQ(at(kBuffer, 50, 40), kBack);
    EXPECT_EQ(at(kBuffer, 95, 75), kBack);
    EXPECT_EQ(panel_of(kBuffer).position().x, 10);
    EXPECT_EQ(panel_of(kBuffer).position().y, 10);
    call(cmd_panel_clear, ref(kBuffer));
    EXPECT_EQ(at(kBuffer, 5, 40), kBack);
}

TEST_F(AppearanceTest, EllipseCornersMayComeInAnyOrder) {
    call(cmd_panel_draw_ellipse, ref(kBuffer), arg_int(60), arg_int(50), arg_int(20), arg_int(10));
    const plat::raster::Bitmap first = panel_of(kBuffer).canvas();
    call(cmd_panel_clear, ref(kBuffer));
    call(cmd_panel_draw_ellipse, ref(kBuffer), arg_int(20), arg_int(10), arg_int(60), arg_int(50));
    const plat::raster::Bitmap& second = panel_of(kBuffer).canvas();
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(first.pixel(x, y), second.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(second.pixel(40, 30), 0x0000FF00u) << "filled with the brush";
}

TEST_F(AppearanceTest, CopyTakesTheHiddenPanelsMemoryBitmap) {
    line(kBuffer, 0, 3, 50, 3);
    call(cmd_panel_copy, ref(kBuffer), arg_int(0), arg_int(0), arg_none(), arg_none(), ref(kShown),
         arg_int(7), arg_int(0), arg_int(1));
    plat::Widget* shown = rt().unit_widget(kWin, kShown);
    EXPECT_EQ(plat::surface_pixel(shown, 20, 3), kRed) << "shown on screen";
    EXPECT_EQ(plat::surface_pixel(shown, 3, 3), kBack) << "moved right by 7";
    EXPECT_EQ(at(kShown, 20, 3), kRed);
    // Nothing for an empty rectangle or one wholly outside the source.
    call(cmd_panel_clear, ref(kShown));
    call(cmd_panel_copy, ref(kBuffer), arg_int(0), arg_int(0), arg_int(0), arg_int(80),
         ref(kShown));
    call(cmd_panel_copy, ref(kBuffer), arg_int(500), arg_int(0), arg_int(50), arg_int(50),
         ref(kShown));
    EXPECT_EQ(at(kShown, 20, 3), kBack);
}

TEST_F(AppearanceTest, CopyModesCombineWithTheTarget) {
    const std::pair<int, plat::raster::Colour> rows[] = {
        {1, kRed},          // plain
        {2, 0x00FFFF00},    // inverted
        {3, kRed ^ kBack},  // exclusive-or
        {4, kRed | kBack},  // or
        {5, kRed & kBack},  // and
    };
    for (auto [mode, expected] : rows) {
        call(cmd_panel_clear, ref(kShown));
        line(kBuffer, 0, 3, 50, 3);
        call(cmd_panel_copy, ref(kBuffer), arg_int(0), arg_int(0), arg_int(100), arg_int(80),
             ref(kShown), arg_int(0), arg_int(0), arg_int(mode));
        EXPECT_EQ(at(kShown, 20, 3), expected) << "copy mode " << mode;
    }
}

TEST_F(AppearanceTest, TransparentPictureLeavesPureWhiteOut) {
    const int number = add_picture(4, 4, kRed);
    call(cmd_panel_draw_picture, ref(kBuffer), arg_int(number), arg_int(10), arg_int(10),
         arg_none(), arg_none(), arg_int(-0xFFFFFF));
    EXPECT_EQ(at(kBuffer, 10, 10), kBack) << "the white pixel is left out";
    EXPECT_EQ(at(kBuffer, 11, 10), kRed);
    EXPECT_EQ(at(kBuffer, 14, 10), kBack) << "own size: 4 pixels";
    // Plain copy brings the white along; stretched to 8 x 8.
    call(cmd_panel_draw_picture, ref(kBuffer), arg_int(number), arg_int(30), arg_int(30),
         arg_int(8), arg_int(8));
    EXPECT_EQ(at(kBuffer, 30, 30), 0x00FFFFFFu);
    EXPECT_EQ(at(kBuffer, 37, 37), kRed);
    EXPECT_EQ(at(kBuffer, 38, 38), kBack);
    picture_table().remove(number);
}

// The same picture drawn again and again (the dial, every second), also with
// another key in between, keeps leaving out exactly its key colour.
TEST_F(AppearanceTest, RepeatedTransparentDrawingsLeaveOutTheKey) {
    const int number = add_picture(4, 4, kRed);
    for (int round = 0; round < 4; ++round) {
        const int key = round == 2 ? -static_cast<int>(kRed) : -0xFFFFFF;
        call(cmd_panel_clear, ref(kBuffer));
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(number), arg_int(10), arg_int(10),
             arg_none(), arg_none(), arg_int(key));
        if (round == 2) {
            EXPECT_EQ(at(kBuffer, 10, 10), 0x00FFFFFFu) << "red left out, white drawn";
            EXPECT_EQ(at(kBuffer, 11, 10), kBack);
        } else {
            EXPECT_EQ(at(kBuffer, 10, 10), kBack) << "round " << round;
            EXPECT_EQ(at(kBuffer, 11, 10), kRed) << "round " << round;
            EXPECT_EQ(at(kBuffer, 13, 13), kRed) << "round " << round;
        }
        EXPECT_EQ(at(kBuffer, 14, 10), kBack);
    }
    // Stretched to 8 x 8, again and again and at another size in between: the
    // white corner pixel's share is left out each time.
    for (int round = 0; round < 4; ++round) {
        const int size = round == 2 ? 12 : 8;
        call(cmd_panel_clear, ref(kBuffer));
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(number), arg_int(20), arg_int(20),
             arg_int(size), arg_int(size), arg_int(-0xFFFFFF));
        EXPECT_EQ(at(kBuffer, 20, 20), kBack) << "round " << round;
        EXPECT_EQ(at(kBuffer, 20 + size / 2, 20 + size / 2), kRed) << "round " << round;
        EXPECT_EQ(at(kBuffer, 19 + size, 19 + size), kRed) << "round " << round;
        EXPECT_EQ(at(kBuffer, 20 + size, 20 + size), kBack) << "round " << round;
    }
    picture_table().remove(number);
}

TEST_F(AppearanceTest, MissingPicturesDrawNothing) {
    const int number = add_picture(4, 4, kRed);
    call(cmd_unload_picture, arg_int(number));
    call(cmd_unload_picture, arg_int(number));  // harmless the second time
    const std::uint8_t not_a_picture[] = {'G', 'I', 'F', '8', '9'};
    std::uint8_t* block = make_byteset(not_a_picture);
    const int bad = call(cmd_load_picture, arg_byteset(block)).as_int();
    release(block);
    EXPECT_EQ(bad, 0);
    for (int n : {0, number, bad, 12345}) {
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(n), arg_int(0), arg_int(0));
        EXPECT_EQ(at(kBuffer, 1, 1), kBack) << "picture number " << n;
    }
}

TEST_F(AppearanceTest, PenPropertiesApplyToTheNextStroke) {
    set_int(kBuffer, prop::kPanelPenWidth, 6);
    set_int(kBuffer, prop::kPanelPenColour, 0x00C06000);
    line(kBuffer, 10, 40, 60, 40);
    EXPECT_EQ(at(kBuffer, 30, 38), 0x00C06000u) << "six pixels wide";
    EXPECT_EQ(at(kBuffer, 30, 41), 0x00C06000u);
    EXPECT_EQ(at(kBuffer, 30, 45), kBack);
    set_int(kBuffer, prop::kPanelPenWidth, 100000);
    EXPECT_EQ(rt().get_property(kWin, kBuffer, prop::kPanelPenWidth).payload & 0xFFFFFFFF, 32767u)
        << "clamped";
    set_int(kBuffer, prop::kPanelPenType, 0);  // no pen: nothing drawn
    call(cmd_panel_clear, ref(kBuffer));
    line(kBuffer, 10, 40, 60, 40);
    EXPECT_EQ(at(kBuffer, 30, 40), kBack);
}

TEST_F(AppearanceTest, PanelWithoutAutomaticRedrawAsksTheLogicToPaint) {
    plat::request_repaint(rt().unit_widget(kWin, kShown), {});
    plat::process_pending_events();
    EXPECT_GT(g_paint_events, 0);
    set_int(kShown, prop::kPanelAutoRedraw, 1);  // automatic redraw on: the panel paints itself
    g_paint_events = 0;
    plat::request_repaint(rt().unit_widget(kWin, kShown), {});
    plat::process_pending_events();
    EXPECT_EQ(g_paint_events, 0);
}

}  // namespace
}  // namespace vel::appearance_test
