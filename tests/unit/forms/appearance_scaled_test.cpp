// Drawing panels at the window's device pixel ratio: the ctest entries run
// these with QT_SCALE_FACTOR set; at ratio 1 they hold too.
#include <cmath>
#include <cstdlib>
#include <utility>

#include "forms/appearance/panel_methods.h"
#include "forms/pictures/double_size.h"
#include "forms/pictures/picture_table.h"
#include "library/call.h"
#include "platform/raster/draw.h"
#include "tests/unit/forms/appearance_fixture.h"

namespace vel::appearance_test {
namespace {

constexpr plat::raster::Colour kBack = 0x00102030;

// Client boxes copied side by side cover every device pixel between them,
// at fractional ratios too.
TEST_F(AppearanceTest, ScaledCopiesSideBySideLeaveNoSeam) {
    DrawPanel& buffer = panel_of(kBuffer);
    const double r = buffer.image().width() / 100.0;
    if (const char* expected = std::getenv("VEL_TEST_RATIO")) {
        ASSERT_DOUBLE_EQ(r, std::atof(expected)) << "the platform's ratio did not reach us";
    }
    call(cmd_panel_draw_ellipse, ref(kBuffer), arg_int(0), arg_int(0), arg_int(100), arg_int(80));
    for (int x = 0; x < 100; x += 33)
        call(cmd_panel_copy, ref(kBuffer), arg_int(x), arg_int(0), arg_int(33), arg_int(80),
             ref(kShown), arg_int(x), arg_int(0));
    const plat::raster::Bitmap& from = buffer.image();
    const plat::raster::Bitmap& to = panel_of(kShown).image();
    ASSERT_EQ(to.width(), from.width());
    for (int y = 0; y < to.height(); ++y)
        for (int x = 0; x < to.width(); ++x)
            ASSERT_EQ(to.pixel(x, y), from.pixel(x, y)) << x << "," << y << " at ratio " << r;
}

// A keyed picture above ratio 1 comes from its twice-size partner when it
// has one, and its key never shows as a pale fringe: each pixel is the
// panel's or the picture's own colour.
TEST_F(AppearanceTest, ScaledKeyedPicturesComeFromTheirPartnerWithNoFringe) {
    constexpr plat::raster::Colour kRed = 0x000000FF, kBlue = 0x00FF0000, kWhite = 0xFFFFFF;
    for (const bool partnered : {false, true}) {
        Picture p;
        p.kind = PictureKind::gif;
        p.image = plat::raster::Bitmap(6, 6, kWhite);
        plat::raster::fill_rect(p.image, {2, 1, 3, 3}, kRed);
        static const std::uint8_t kSource[] = {'s', 'i', 'x'};  // stands for constant data
        if (partnered) {
            p.constant_source = kSource;
            add_double_size(kSource, tiny_bmp(12, 12, kBlue, kWhite));
        }
        const int number = picture_table().add(std::move(p));
        call(cmd_panel_clear, ref(kBuffer));
        call(cmd_panel_draw_picture, ref(kBuffer), arg_int(number), arg_int(11), arg_int(7),
             arg_none(), arg_none(), arg_int(-0xFFFFFF));
        picture_table().remove(number);
        const plat::raster::Bitmap& c = panel_of(kBuffer).image();
        const double r = c.width() / 100.0;
        const plat::raster::Colour own = partnered && r != 1.0 ? kBlue : kRed;
        int drawn = 0;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                drawn += c.pixel(x, y) == own;
                ASSERT_TRUE(c.pixel(x, y) == own || c.pixel(x, y) == kBack)
                    << std::hex << c.pixel(x, y) << " at " << x << "," << y;
            }
        EXPECT_GE(drawn, std::lround(9 * r * r * 0.7)) << "partnered " << partnered;
    }
}

// A mode 0 background picture shows at its own size times the ratio.
TEST_F(AppearanceTest, ScaledBackgroundPictureCoversItsSizeTimesTheRatio) {
    set_bytes(kBuffer, prop::kPanelPicture, tiny_bmp(10, 10, 0x0000FF00, 0x0000FF00));
    const plat::raster::Bitmap& c = panel_of(kBuffer).image();
    const int edge = static_cast<int>(std::lround(10 * c.width() / 100.0));
    EXPECT_EQ(c.pixel(edge - 1, edge - 1), 0x0000FF00u);
    EXPECT_EQ(c.pixel(edge, edge - 1), kBack);
    EXPECT_EQ(c.pixel(edge - 1, edge), kBack);
}

}  // namespace
}  // namespace vel::appearance_test
