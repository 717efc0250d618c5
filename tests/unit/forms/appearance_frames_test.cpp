// Frames drawn the way the clock draws its face: clear the hidden panel,
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

// A 24-bit BMP of a bitmap's pixels.
std::vector<std::uint8_t> bmp_of(const plat::raster::Bitmap& image) {
    const int w = image.width(), h = image.height();
    std::vector<std::uint8_t> b = tiny_bmp(w, h, 0, 0);
    const int row = (w * 3 + 3) / 4 * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = image.pixel(x, y);
            std::uint8_t* out = &b[54 + static_cast<std::size_t>(h - 1 - y) * row + x * 3];
            out[0] = static_cast<std::uint8_t>(c >> 16);
            out[1] = static_cast<std::uint8_t>(c >> 8);
            out[2] = static_cast<std::uint8_t>(c);
        }
    return b;
}

// A dial: white, to be left out, with a ring of marks and a filled square.
std::vector<std::uint8_t> dial_bmp() {
    plat::raster::Bitmap d(40, 30, 0xFFFFFF);
    for (int i = 0; i < 12; ++i) {
        const double a = i * 30 * 3.1415926535 / 180;
        const int x = 20 + static_cast<int>(17 * std::sin(a)),
                  y = 15 - static_cast<int>(13 * std::cos(a));
        d.set_pixel(x, y, 0x00800000);
        d.set_pixel(x + 1, y, 0x000000C0);
    }
    for (int y = 12; y < 18; ++y)
        for (int x = 17; x < 23; ++x)
            d.set_pixel(x, y, 0x00004080 + static_cast<std::uint32_t>(x * 5));
    return bmp_of(d);
}

// Frames that start alike (a clear, the dial, the hour and minute hands, a
// hub) and differ after: the clock leaves that start undone and puts back
// only what the last frame drew beyond it; a frame that parts earlier
// clears and draws again what it repeated of the start. Every frame is also drawn on a second
// buffer that is first drawn on from outside (so it keeps nothing and clears for real). The two
// must be equal, and the shown panel their copy, whatever the frames do: end early, clear twice,
// get read half-way, change the background or its picture mode, move or reload the dial, get drawn
// on between frames. The dial is drawn, as the clock does, through a number given out for the frame
// and given back after.
TEST_F(FrameTest, FramesThatStartAlikeDrawWhatFullFramesWould) {
    int dial = load_bmp(dial_bmp());
    std::shared_ptr<const Picture> dial_decoding = picture_table().share(dial);
    call(cmd_unload_picture, arg_int(dial));
    const int butterfly = load_bmp(tiny_bmp(7, 6, 0x00802040, 0x00FFFFFF));
    ASSERT_NE(dial_decoding, nullptr);
    ASSERT_NE(butterfly, 0);
    const auto expect_same = [&](const char* what, int frame) {
        const plat::raster::Bitmap& a = panel_of(kBuffer).image();
        const plat::raster::Bitmap& b = panel_of(kReference).image();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(a.pixel(x, y), b.pixel(x, y))
                    << what << ", frame " << frame << ": pixel " << x << "," << y;
    };
    std::mt19937 rng(11);
    int hour_x = 30, minute_y = 10;
    for (int frame = 0; frame < 120; ++frame) {
        const int r = static_cast<int>(rng() % 1000);
        if (frame % 10 == 0) hour_x = 20 + r % 60;  // the hour hand moves now and then
        if (frame % 7 == 0) minute_y = 5 + r % 70;  // and so does the minute hand
        if (frame % 29 == 14) {                     // the dial is loaded again: a new decoding
            const int again = load_bmp(dial_bmp());
            ASSERT_NE(again, 0);
            dial_decoding = picture_table().share(again);
            call(cmd_unload_picture, arg_int(again));
        }
        // Each step on the reference, then on the buffer.
        const auto both = [](auto&& step) {
            step(kReference);
            step(kBuffer);
        };
        both([&](UnitId unit) {
            if (unit == kReference || frame % 23 == 11) {
                // Drawn on from outside: a few pixels where no frame draws.
                plat::raster::Bitmap& c = panel_of(unit).canvas();
                c.set_pixel(1, 1 + frame % 3, 0x00ABCDEF);
            }
            if (frame % 19 == 9)
                set_int(unit, prop::kPanelBackColour, frame % 2 ? 0x00445566 : 0x00102030);
            if (frame == 40)
                set_bytes(unit, prop::kPanelPicture, tiny_bmp(4, 4, 0x0000FF00, 0x00FF0000));
            call(cmd_panel_clear, ref(unit));
            if (frame % 13 == 6) call(cmd_panel_clear, ref(unit));
            // The picture mode changes after the clear: the clear keeps the
            // mode of its time.
            if (frame % 31 == 15) set_int(unit, prop::kPanelPictureMode, frame % 2);
        });
        const bool only_clear = frame % 11 == 3 || frame % 31 == 15;
        if (!only_clear) {
            const int dial_x = frame % 15 == 7 ? 6 : 5;
            dial = picture_table().add(dial_decoding);
            both([&](UnitId unit) {
                call(cmd_panel_draw_picture, ref(unit), arg_int(dial), arg_int(dial_x), arg_int(5),
                     arg_int(90), arg_int(70), arg_int(-0xFFFFFF));
            });
            call(cmd_unload_picture, arg_int(dial));
        }
        if (!only_clear && frame % 9 != 4) {  // else the dial alone
            if (frame % 17 == 8) {
                ASSERT_NO_FATAL_FAILURE(expect_same("read after the dial", frame));
            }
            // Now and then the second hand stays for a frame while the
            // butterfly moves: the frames part later, then earlier again.
            const bool stays = frame % 10 == 1;
            const double a = (stays ? frame - 1 : frame) * 6 * 3.1415926535 / 180;
            const int tip_x = 50 + static_cast<int>(38 * std::sin(a));
            const int tip_y = 40 - static_cast<int>(38 * std::cos(a));
            both([&](UnitId unit) {
                set_int(unit, prop::kPanelPenWidth, 5);
                set_int(unit, prop::kPanelPenColour, 0x00202080);
                call(cmd_panel_draw_line, ref(unit), arg_int(50), arg_int(40), arg_int(hour_x),
                     arg_int(20));
                set_int(unit, prop::kPanelPenWidth, 3);
                set_int(unit, prop::kPanelPenColour, 0x00208020);
                call(cmd_panel_draw_line, ref(unit), arg_int(50), arg_int(40), arg_int(90),
                     arg_int(minute_y));
                set_int(unit, prop::kPanelBrushColour, frame / 8 % 2 ? 0x00808000 : 0x0000FF00);
                call(cmd_panel_draw_ellipse, ref(unit), arg_int(46), arg_int(36), arg_int(54),
                     arg_int(44));
                set_int(unit, prop::kPanelPenWidth, 2);
                set_int(unit, prop::kPanelPenColour, 0x0000FFFF);
                call(cmd_panel_draw_line, ref(unit), arg_int(50), arg_int(40), arg_int(tip_x),
                     arg_int(tip_y));
                call(cmd_panel_draw_ellipse, ref(unit), arg_int(45), arg_int(35), arg_int(55),
                     arg_int(45));
                call(cmd_panel_draw_picture, ref(unit), arg_int(butterfly),
                     arg_int(tip_x - (stays ? 1 : 3)), arg_int(tip_y - 3), arg_none(), arg_none(),
                     arg_int(-0xFFFFFF));
                if (frame % 21 == 10)
                    call(cmd_panel_clear, ref(unit), arg_int(r % 60), arg_int(r % 50), arg_int(25),
                         arg_int(20));
            });
        }
        copy_whole();
        ASSERT_NO_FATAL_FAILURE(expect_same("after the frame", frame));
        ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "copied"));
    }
    call(cmd_unload_picture, arg_int(butterfly));
}

// Frames that repeat more of the last one, then less: the kept start grows
// past the hub and the second hand, and a frame that parts inside it draws
// the dial, the hands and the hub again with the pens and brush they had.
TEST_F(FrameTest, AFramePartingInsideTheKeptStartDrawsItAgain) {
    const int dial = load_bmp(dial_bmp());
    const int butterfly = load_bmp(tiny_bmp(7, 6, 0x00802040, 0x00FFFFFF));
    ASSERT_NE(dial, 0);
    ASSERT_NE(butterfly, 0);
    struct Frame {
        int second, butterfly_dx, hub_brush, hour_x;
    };
    const Frame frames[] = {
        {0, 0, 0x0000FF00, 30}, {1, 0, 0x0000FF00, 30}, {1, 2, 0x0000FF00, 30},
        {2, 0, 0x0000FF00, 30}, {3, 0, 0x0000FF00, 30}, {3, 2, 0x0000FF00, 30},
        {4, 0, 0x00808000, 30}, {5, 0, 0x00808000, 30}, {6, 0, 0x00808000, 70},
        {7, 0, 0x00808000, 70}, {7, 2, 0x00808000, 70}, {8, 2, 0x00808000, 70},
    };
    for (const Frame& f : frames) {
        for (const UnitId unit : {kReference, kBuffer}) {
            if (unit == kReference) panel_of(unit).canvas();  // keeps nothing
            call(cmd_panel_clear, ref(unit));
            call(cmd_panel_draw_picture, ref(unit), arg_int(dial), arg_int(5), arg_int(5),
                 arg_int(90), arg_int(70), arg_int(-0xFFFFFF));
            set_int(unit, prop::kPanelPenWidth, 5);
            set_int(unit, prop::kPanelPenColour, 0x00202080);
            call(cmd_panel_draw_line, ref(unit), arg_int(50), arg_int(40), arg_int(f.hour_x),
                 arg_int(20));
            set_int(unit, prop::kPanelPenWidth, 3);
            set_int(unit, prop::kPanelPenColour, 0x00208020);
            call(cmd_panel_draw_line, ref(unit), arg_int(50), arg_int(40), arg_int(90),
                 arg_int(12));
            set_int(unit, prop::kPanelBrushColour, f.hub_brush);
            call(cmd_panel_draw_ellipse, ref(unit), arg_int(44), arg_int(34), arg_int(57),
                 arg_int(47));
            set_int(unit, prop::kPanelPenWidth, 2);
            set_int(unit, prop::kPanelPenColour, 0x0000FFFF);
            const double a = f.second * 40 * 3.1415926535 / 180;
            const int tip_x = 50 + static_cast<int>(38 * std::sin(a));
            const int tip_y = 40 - static_cast<int>(38 * std::cos(a));
            call(cmd_panel_draw_line, ref(unit), arg_int(50), arg_int(40), arg_int(tip_x),
                 arg_int(tip_y));
            call(cmd_panel_draw_picture, ref(unit), arg_int(butterfly),
                 arg_int(tip_x - 3 + f.butterfly_dx), arg_int(tip_y - 3), arg_none(), arg_none(),
                 arg_int(-0xFFFFFF));
        }
        copy_whole();
        const plat::raster::Bitmap& a = panel_of(kBuffer).image();
        const plat::raster::Bitmap& b = panel_of(kReference).image();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ASSERT_EQ(a.pixel(x, y), b.pixel(x, y))
                    << "second " << f.second << ": pixel " << x << "," << y;
        ASSERT_NO_FATAL_FAILURE(expect_copied(0, 0, "copied"));
    }
    call(cmd_unload_picture, arg_int(dial));
    call(cmd_unload_picture, arg_int(butterfly));
}

// Once the frames start alike, a frame leaves alone the pixels that neither
// it nor the last frame drew on: the clear and the dial are not done again.
TEST_F(FrameTest, AFrameThatStartsAlikeRedrawsOnlyWhereTheLastOneDrew) {
    const int dial = load_bmp(dial_bmp());
    ASSERT_NE(dial, 0);
    const auto frame = [&](int tip_x) {
        call(cmd_panel_clear, ref(kBuffer));
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(dial), arg_int(5), arg_int(5),
             arg_int(90), arg_int(70), arg_int(-0xFFFFFF));
        call(cmd_panel_draw_line, ref(kBuffer), arg_int(50), arg_int(40), arg_int(tip_x),
             arg_int(10));
        copy_whole();
    };
    for (int i = 0; i < 3; ++i) frame(50 + i);
    // A mark the frames would never draw, put where no hand goes.
    auto& image = const_cast<plat::raster::Bitmap&>(panel_of(kBuffer).image());
    image.set_pixel(2, 78, 0x00ABCDEF);
    frame(60);
    EXPECT_EQ(panel_of(kBuffer).image().pixel(2, 78), 0x00ABCDEFu) << "cleared again";
    EXPECT_EQ(panel_of(kBuffer).image().pixel(55, 25), panel_of(kShown).image().pixel(55, 25));
    // Drawn on through the canvas: the next frame clears all of it.
    panel_of(kBuffer).canvas().set_pixel(3, 78, 0x00ABCDEF);
    frame(61);
    EXPECT_EQ(panel_of(kBuffer).image().pixel(2, 78), kBack);
    EXPECT_EQ(panel_of(kBuffer).image().pixel(3, 78), kBack);
    call(cmd_unload_picture, arg_int(dial));
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
