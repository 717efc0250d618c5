// Frames drawn on a hidden panel and copied to a shown one: clear the panel,
// stroke and draw pictures on it, copy it whole to the shown panel. Copies
// that write only the pixels that differ must leave the shown panel exactly
// the buffer, frame after frame, whatever was drawn on either in between.
#include <memory>
#include <random>
#include <utility>

#include "forms/appearance/panel_methods.h"
#include "forms/pictures/picture_table.h"
#include "library/call.h"
#include "tests/unit/forms/appearance_fixture.h"

namespace vel::appearance_test {
namespace {

constexpr plat::raster::Colour kBack = 0x00102030;
constexpr int kWidth = 100, kHeight = 80;

// A white picture with a few strokes of colour: drawn with white left out.
int add_strokes_picture() {
    Picture p;
    p.kind = PictureKind::bmp;
    p.image = plat::raster::Bitmap(30, 24, 0xFFFFFF);
    for (int y = 0; y < 24; ++y) {
        p.image.set_pixel((y * 7) % 30, y, 0x00336699);
        p.image.set_pixel((y * 3 + 11) % 30, y, 0x00AA2200);
    }
    for (int x = 4; x < 26; ++x) p.image.set_pixel(x, 12, 0x00004400);
    return picture_table().add(std::move(p));
}

class FrameTest : public AppearanceTest {
protected:
    void expect_all(UnitId unit, plat::raster::Colour colour, const char* what) {
        const plat::raster::Bitmap& c = panel_of(unit).image();
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                ASSERT_EQ(c.pixel(x, y), colour) << what << ": pixel " << x << "," << y;
    }
    // The shown panel's pixels in [x0, x1) x [y0, y1) equal the buffer's
    // moved by (dx, dy).
    void expect_copied(int dx, int dy, const char* what) {
        const plat::raster::Bitmap& buffer = panel_of(kBuffer).image();
        const plat::raster::Bitmap& shown = panel_of(kShown).image();
        for (int y = std::max(0, dy); y < std::min(kHeight, kHeight + dy); ++y)
            for (int x = std::max(0, dx); x < std::min(kWidth, kWidth + dx); ++x)
                ASSERT_EQ(shown.pixel(x, y), buffer.pixel(x - dx, y - dy))
                    << what << ": pixel " << x << "," << y;
    }
    void copy_whole(int dx = 0, int dy = 0) {
        call(cmd_panel_copy, ref(kBuffer), arg_int(0), arg_int(0), arg_none(), arg_none(),
             ref(kShown), arg_int(dx), arg_int(dy));
    }
};

// A picture decoded from bytes, as the clock loads its own.
int load_bmp(const std::vector<std::uint8_t>& bytes) {
    std::uint8_t* block = make_byteset(bytes);
    const int number = call(cmd_load_picture, arg_byteset(block)).as_int();
    release(block);
    return number;
}

TEST_F(FrameTest, RedrawnFramesLeaveWhatWholeClearsAndCopiesWould) {
    const int strokes = add_strokes_picture();  // made, not decoded
    int decoded = load_bmp(tiny_bmp(6, 5, 0x00AA5500, 0x00FFFFFF));
    ASSERT_NE(decoded, 0);
    std::mt19937 rng(5);
    const auto any = [&](int from, int to) { return from + static_cast<int>(rng() % (to - from)); };
    int ellipse[4] = {10, 10, 40, 30};
    for (int frame = 0; frame < 80; ++frame) {
        call(cmd_panel_clear, ref(kBuffer));
        ASSERT_NO_FATAL_FAILURE(expect_all(kBuffer, kBack, "cleared"));
        // Strokes that stay, though now and then in another colour or width
        // alone, and one that moves like a second hand.
        for (int i = 0; i < 3; ++i) {
            set_int(kBuffer, prop::kPanelPenWidth, frame % 7 == 2 && i == 1 ? 5 : 3);
            set_int(kBuffer, prop::kPanelPenColour,
                    frame % 5 == 1 && i == 2 ? 0x0000FF00 : 0x00FFFFFF);
            call(cmd_panel_draw_line, ref(kBuffer), arg_int(10 + 30 * i), arg_int(5),
                 arg_int(20 + 30 * i), arg_int(75));
        }
        // A dashed stroke that stays while the colour of its gaps changes.
        set_int(kBuffer, prop::kPanelPenType, 2);  // dashed pen
        set_int(kBuffer, prop::kPanelPenWidth, 1);
        set_int(kBuffer, prop::kPanelTextBackColour,
                frame % 8 == 3 ? 0x00404040 : 0x00C0C0C0);  // gap colour
        call(cmd_panel_draw_line, ref(kBuffer), arg_int(2), arg_int(70), arg_int(97), arg_int(62));
        set_int(kBuffer, prop::kPanelPenType, 1);  // solid again
        set_int(kBuffer, prop::kPanelPenWidth, frame % 9 == 4 ? any(0, 9) : 2);
        set_int(kBuffer, prop::kPanelPenColour, 0x000000FF);
        const double a = frame * 6 * 3.1415926535 / 180;
        call(cmd_panel_draw_line, ref(kBuffer), arg_int(50), arg_int(40),
             arg_int(50 + static_cast<int>(45 * std::sin(a))),
             arg_int(40 - static_cast<int>(45 * std::cos(a))));
        // An ellipse that stays for a few frames, its brush changing alone.
        if (frame % 4 == 0)
            for (int& v : ellipse) v = any(-10, 100);
        set_int(kBuffer, prop::kPanelBrushColour, frame % 6 == 3 ? 0x00808000 : 0x0000FF00);
        call(cmd_panel_draw_ellipse, ref(kBuffer), arg_int(ellipse[0]), arg_int(ellipse[1]),
             arg_int(ellipse[2]), arg_int(ellipse[3]));
        // A decoded picture that stays; now and then it is unloaded and
        // another of the same size, other colours, is loaded (maybe where
        // the first one was in memory) and drawn in the same place.
        if (frame % 6 == 5) {
            call(cmd_unload_picture, arg_int(decoded));
            decoded =
                load_bmp(tiny_bmp(6, 5, frame % 12 == 5 ? 0x000055AA : 0x00AA5500, 0x00FFFFFF));
            ASSERT_NE(decoded, 0);
        }
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(decoded), arg_int(70), arg_int(60),
             arg_none(), arg_none(), arg_int(-0xFFFFFF));
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(decoded), arg_int(60), arg_int(8),
             arg_int(18), arg_int(15), arg_int(-0xFFFFFF));
        // A made picture at its own size (runs) and stretched.
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(strokes), arg_int(frame % 3 ? 35 : -7),
             arg_int(28), arg_none(), arg_none(), arg_int(-0xFFFFFF));
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(strokes), arg_int(any(-20, 90)),
             arg_int(any(-20, 70)), arg_int(20), arg_int(16), arg_int(-0xFFFFFF));
        if (frame % 7 == 3) {
            call(cmd_panel_draw_picture, ref(kBuffer), arg_int(strokes), arg_int(any(0, 80)),
                 arg_int(any(0, 60)), arg_none(), arg_none(), arg_int(1));
        }
        // Things that happen between frames, now and then: someone draws on
        // the shown panel, a part of the buffer is cleared, the buffer's own
        // copy moves a block, the buffer is drawn on after its copy.
        if (frame % 11 == 5)
            call(cmd_panel_draw_line, ref(kShown), arg_int(0), arg_int(any(0, 80)), arg_int(99),
                 arg_int(any(0, 80)));
        if (frame % 13 == 6)
            call(cmd_panel_clear, ref(kBuffer), arg_int(any(0, 50)), arg_int(any(0, 40)),
                 arg_int(30), arg_int(20));
        if (frame % 17 == 8)
            call(cmd_panel_copy, ref(kBuffer), arg_int(0), arg_int(0), arg_int(40), arg_int(40),
                 ref(kBuffer), arg_int(any(0, 60)), arg_int(any(0, 40)));
        copy_whole();
        ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "copied"));
        if (frame % 19 == 9) {  // a copy to another place, then back to the usual one
            copy_whole(5, -3);
            ASSERT_NO_FATAL_FAILURE(expect_copied(5, -3, "moved copy"));
            copy_whole();
            ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "copied back"));
        }
        if (frame % 23 == 12) {  // drawn on after the copy, copied again
            call(cmd_panel_draw_line, ref(kBuffer), arg_int(any(0, 99)), arg_int(0),
                 arg_int(any(0, 99)), arg_int(79));
            copy_whole();
            ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "drawn on and copied again"));
        }
    }
    call(cmd_unload_picture, arg_int(decoded));
    picture_table().remove(strokes);
}

// What a panel reports as drawn covers every pixel its operations changed:
// wide and thin pens, ellipses and pictures, also beyond the edges.
TEST_F(FrameTest, TheDrawnAreaCoversEveryChangedPixel) {
    const int strokes = add_strokes_picture();
    struct Row {
        const char* what;
        int kind;  // 0 line, 1 ellipse, 2 picture at its size, 3 stretched
        int pen_width;
        int x1, y1, x2, y2;
    };
    const Row rows[] = {
        {"thin line", 0, 1, 5, 5, 90, 70},
        {"wide line", 0, 8, 50, 40, 80, 3},
        {"wide steep line", 0, 7, 50, 40, 52, 75},
        {"line off the edge", 0, 6, -20, 10, 60, 95},
        {"dot", 0, 9, 30, 30, 30, 30},
        {"ellipse", 1, 2, 45, 35, 55, 45},
        {"wide ellipse", 1, 6, 90, 70, 60, 50},
        {"picture", 2, 1, 60, 50, 0, 0},
        {"stretched picture", 3, 1, -5, 20, 40, 33},
    };
    for (const Row& row : rows) {
        call(cmd_panel_clear, ref(kBuffer));
        set_int(kBuffer, prop::kPanelPenWidth, row.pen_width);
        panel_of(kBuffer).take_drawn_area();
        if (row.kind == 0)
            call(cmd_panel_draw_line, ref(kBuffer), arg_int(row.x1), arg_int(row.y1),
                 arg_int(row.x2), arg_int(row.y2));
        else if (row.kind == 1)
            call(cmd_panel_draw_ellipse, ref(kBuffer), arg_int(row.x1), arg_int(row.y1),
                 arg_int(row.x2), arg_int(row.y2));
        else
            call(cmd_panel_draw_picture, ref(kBuffer), arg_int(strokes), arg_int(row.x1),
                 arg_int(row.y1), row.kind == 3 ? arg_int(row.x2) : arg_none(),
                 row.kind == 3 ? arg_int(row.y2) : arg_none(), arg_int(-0xFFFFFF));
        const plat::raster::Rect area = panel_of(kBuffer).take_drawn_area();
        const plat::raster::Bitmap& c = panel_of(kBuffer).image();
        int changed = 0;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                if (c.pixel(x, y) == kBack) continue;
                ++changed;
                ASSERT_TRUE(x >= area.x && x < area.x + area.w && y >= area.y &&
                            y < area.y + area.h)
                    << row.what << ": pixel " << x << "," << y;
            }
        EXPECT_GT(changed, 0) << row.what;
    }
    picture_table().remove(strokes);
}

// A new background colour or picture mode: the next clear paints all of it.
TEST_F(FrameTest, ClearsFollowAChangedBackground) {
    call(cmd_panel_draw_line, ref(kBuffer), arg_int(0), arg_int(5), arg_int(99), arg_int(70));
    call(cmd_panel_clear, ref(kBuffer));
    copy_whole();
    set_int(kBuffer, prop::kPanelBackColour, 0x00445566);
    call(cmd_panel_draw_line, ref(kBuffer), arg_int(0), arg_int(5), arg_int(99), arg_int(70));
    call(cmd_panel_clear, ref(kBuffer));
    ASSERT_NO_FATAL_FAILURE(expect_all(kBuffer, 0x00445566, "new colour"));
    copy_whole();
    ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "after the new colour"));
    // A background picture of 4 x 4 at the top-left, then tiled.
    set_bytes(kBuffer, prop::kPanelPicture, tiny_bmp(4, 4, 0x0000FF00, 0x00FF0000));
    call(cmd_panel_clear, ref(kBuffer));
    set_int(kBuffer, prop::kPanelPictureMode, 1);  // tiled
    call(cmd_panel_clear, ref(kBuffer));
    const plat::raster::Bitmap& c = panel_of(kBuffer).image();
    EXPECT_EQ(c.pixel(4, 4), 0x00FF0000u) << "a tile's first pixel";
    EXPECT_EQ(c.pixel(97, 77), 0x0000FF00u);
    copy_whole();
    ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "tiled"));
}

}  // namespace
}  // namespace vel::appearance_test
