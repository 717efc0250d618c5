// The pictures the face is drawn from, as carried in the program. The face
// routine draws them with pure white left out, so what must show has to be
// any colour but pure white, and whatever is background must be exactly it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/clock_app.h"
#include "app/face/face_geometry.h"
#include "forms/appearance/tray_command.h"
#include "forms/pictures/double_size.h"
#include "forms/pictures/picture.h"
#include "resources/embedded.h"

namespace vel {
namespace {

using plat::raster::Colour;
constexpr Colour kPureWhite = 0xFFFFFF;

int red(Colour c) {
    return c & 0xFF;
}
int green(Colour c) {
    return (c >> 8) & 0xFF;
}
int blue(Colour c) {
    return (c >> 16) & 0xFF;
}

// Header fields read straight from the bytes: the decoder accepts more than
// the face needs (interlacing, short tables), so these are checked here.
struct GifHeader {
    int width, height, table_size;
    bool interlaced;
};

GifHeader gif_header(std::span<const std::uint8_t> d) {
    GifHeader h{};
    h.width = d[6] | d[7] << 8;
    h.height = d[8] | d[9] << 8;
    h.table_size = (d[10] & 0x80) ? 2 << (d[10] & 7) : 0;
    // Skip the table and the extensions up to the image descriptor.
    std::size_t at = 13 + 3 * static_cast<std::size_t>(h.table_size);
    while (at < d.size() && d[at] == 0x21) {
        at += 2;
        while (at < d.size() && d[at] != 0) at += d[at] + 1;
        ++at;
    }
    h.interlaced = at + 9 < d.size() && d[at] == 0x2C && (d[at + 9] & 0x40);
    return h;
}

TEST(FacePictures, DialIsA256ColourGifWithWhiteAsItsTransparentEntry) {
    auto bytes = embedded_bytes("dial.gif");
    ASSERT_GT(bytes.size(), 13u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    GifHeader h = gif_header(bytes);
    EXPECT_EQ(h.width, face::kFaceWidth);
    EXPECT_EQ(h.height, face::kFaceHeight);
    EXPECT_EQ(h.table_size, 256);
    EXPECT_FALSE(h.interlaced);

    auto decoded = decode_gif(bytes);
    ASSERT_TRUE(decoded) << decoded.reason;
    const Picture& dial = *decoded.picture;
    ASSERT_EQ(dial.palette.size(), 256u);
    EXPECT_EQ(dial.palette[255], kPureWhite);
    EXPECT_EQ(dial.transparent_index, 255);
    for (int i = 0; i < 255; ++i)
        EXPECT_NE(dial.palette[i], kPureWhite) << "entry " << i << " would vanish when drawn";

    // The centre, where the hands turn, is background.
    EXPECT_EQ(dial.image.pixel(144, 144), kPureWhite);
    int showing_white = 0;
    for (int y = 0; y < dial.height(); ++y)
        for (int x = 0; x < dial.width(); ++x) {
            Colour c = dial.image.pixel(x, y);
            if (c != kPureWhite && red(c) > 240 && green(c) > 240 && blue(c) > 240) ++showing_white;
        }
    EXPECT_GT(showing_white, 500) << "outlines and minute ticks must show";
}

// A dark-blue dot in a red ring at every hour, 111 pixels out.
TEST(FacePictures, DialHasAnHourDotAtEveryHour) {
    auto decoded = decode_gif(embedded_bytes("dial.gif"));
    ASSERT_TRUE(decoded);
    const auto& image = decoded.picture->image;
    for (int hour = 0; hour < 12; ++hour) {
        double a = hour * face::kPi / 6;
        int x = static_cast<int>(std::lround(144 + 111 * std::sin(a)));
        int y = static_cast<int>(std::lround(144 - 111 * std::cos(a)));
        Colour centre = image.pixel(x, y);
        EXPECT_LT(red(centre), 80) << "hour " << hour;
        EXPECT_GT(blue(centre), 90) << "hour " << hour;
        int reds = 0;
        for (int dy = -7; dy <= 7; ++dy)
            for (int dx = -7; dx <= 7; ++dx) {
                Colour c = image.pixel(x + dx, y + dy);
                if (red(c) > 180 && green(c) < 80 && blue(c) < 80) ++reds;
            }
        EXPECT_GT(reds, 20) << "no red ring at hour " << hour;
    }
}

TEST(FacePictures, ButterflyIsFourColoursOnTransparentWhite) {
    auto bytes = embedded_bytes("butterfly.gif");
    ASSERT_GT(bytes.size(), 13u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    GifHeader h = gif_header(bytes);
    EXPECT_EQ(h.width, 60);
    EXPECT_EQ(h.height, 60);
    EXPECT_EQ(h.table_size, 4);
    EXPECT_FALSE(h.interlaced);

    auto decoded = decode_gif(bytes);
    ASSERT_TRUE(decoded) << decoded.reason;
    const Picture& butterfly = *decoded.picture;
    ASSERT_EQ(butterfly.palette.size(), 4u);
    EXPECT_EQ(butterfly.palette[3], kPureWhite);
    EXPECT_EQ(butterfly.transparent_index, 3);
    const Colour dark_purple = 65 | 0 << 8 | 126 << 16;
    int purple = 0, white = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            Colour c = butterfly.image.pixel(x, y);
            purple += c == dark_purple;
            white += c == kPureWhite;
        }
    EXPECT_GT(purple, 200);
    EXPECT_GT(white, 1000) << "the background";
    EXPECT_EQ(butterfly.image.pixel(0, 0), kPureWhite);
}

// 48 pixels for the tray, 64 for a high-density one: the same drawing.
TEST(FacePictures, TrayIconIsA48And64PixelImageWithAlpha) {
    auto bytes = embedded_bytes("clock.ico");
    ASSERT_EQ(bytes.size(), 26614u);
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 2) << "two images";
    const std::vector<Picture> sizes = icon_sizes(bytes);
    ASSERT_EQ(sizes.size(), 2u);
    for (const Picture& icon : sizes) {
        const int n = icon.width();
        SCOPED_TRACE(n);
        EXPECT_EQ(icon.height(), n);
        ASSERT_EQ(icon.alpha.size(), std::size_t(n * n));
        EXPECT_EQ(icon.alpha[0], 0) << "the corners are transparent";
        EXPECT_EQ(icon.alpha[std::size_t(n / 2 * n + n / 2)], 255) << "the face is opaque";
    }
    EXPECT_EQ(sizes[0].width(), 48);
    EXPECT_EQ(sizes[1].width(), 64);
}

// The face's pictures at twice the size, their partners once registered:
// exactly twice, lossless with the same transparent white and no other pure
// white, and keyed where the one-size picture is (but at antialiased edges).
// A picture with a byte changed (a user's own) has no partner.
TEST(FacePictures, TwiceSizePicturesAreExactlyTwiceAndKeepTheKey) {
    add_embedded_double_sizes();
    for (const auto& [one_name, two_name] :
         {std::pair{"dial.gif", "dial@2x.gif"}, {"butterfly.gif", "butterfly@2x.gif"}}) {
        SCOPED_TRACE(two_name);
        const auto one_bytes = embedded_bytes(one_name);
        auto one = decode_gif(one_bytes);
        auto two = decode_gif(embedded_bytes(two_name));
        ASSERT_TRUE(one && two);
        const Picture &a = *one.picture, &b = *two.picture;
        ASSERT_TRUE(double_size_for(one_bytes, a.width(), a.height())) << "none exactly twice";
        std::vector<std::uint8_t> own(one_bytes.begin(), one_bytes.end());
        own[13] ^= 1;  // a user's own picture of the same length
        EXPECT_FALSE(double_size_for(own, a.width(), a.height()));
        ASSERT_EQ(b.transparent_index, a.transparent_index);
        for (int i = 0; i < static_cast<int>(b.palette.size()); ++i)
            EXPECT_EQ(b.palette[std::size_t(i)] == kPureWhite, i == b.transparent_index) << i;
        int differ = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                int keyed = 0;
                for (int k = 0; k < 4; ++k)
                    keyed += b.image.pixel(2 * x + k % 2, 2 * y + k / 2) == kPureWhite;
                differ += (a.image.pixel(x, y) == kPureWhite) != (keyed >= 2);
            }
        EXPECT_LT(differ, a.width() * a.height() / 50);
    }
}

}  // namespace
}  // namespace vel
