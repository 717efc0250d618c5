// Decoders against reference images, and the transparency they report.
#include <gtest/gtest.h>

#include "forms/pictures/picture.h"
#include "picture_test_util.h"

namespace {

using namespace picture_test;
using vel::PictureKind;

struct GoldenRow {
    const char* file;
    const char* reference;
    PictureKind kind;
    int tolerance;  // libjpeg may round differently from the reference decoder
};

class Golden : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(Golden, DecodesToTheReferenceImage) {
    const GoldenRow r = GetParam();
    const Bytes data = read_file(r.file);
    ASSERT_FALSE(data.empty()) << data_path(r.file);
    EXPECT_EQ(vel::sniff_picture(data), r.kind);
    const vel::DecodeResult d = vel::decode_picture(data);
    ASSERT_TRUE(d) << d.reason;
    EXPECT_EQ(d.picture->kind, r.kind);
    EXPECT_LE(max_difference(*d.picture, read_ppm(r.reference)), r.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Golden,
    ::testing::Values(GoldenRow{"plain87.gif", "ref.ppm", PictureKind::gif, 0},
                      GoldenRow{"transparent89.gif", "ref.ppm", PictureKind::gif, 0},
                      GoldenRow{"local_table.gif", "ref.ppm", PictureKind::gif, 0},
                      GoldenRow{"interlaced.gif", "interlaced_golden.ppm", PictureKind::gif, 0},
                      GoldenRow{"depth1.bmp", "bw.ppm", PictureKind::bmp, 0},
                      GoldenRow{"depth4.bmp", "ref.ppm", PictureKind::bmp, 0},
                      GoldenRow{"depth8.bmp", "ref.ppm", PictureKind::bmp, 0},
                      GoldenRow{"depth24.bmp", "ref.ppm", PictureKind::bmp, 0},
                      GoldenRow{"depth32.bmp", "ref.ppm", PictureKind::bmp, 0},
                      GoldenRow{"topdown24.bmp", "ref.ppm", PictureKind::bmp, 0},
                      GoldenRow{"palette8.pcx", "ref.ppm", PictureKind::pcx8, 0},
                      GoldenRow{"rgb24.pcx", "ref.ppm", PictureKind::pcx8, 0},
                      GoldenRow{"mono.pcx", "bw.ppm", PictureKind::pcx1, 0},
                      GoldenRow{"photo.jpg", "photo_golden.ppm", PictureKind::jpeg, 3},
                      GoldenRow{"grey.jpg", "grey_golden.ppm", PictureKind::jpeg, 3},
                      GoldenRow{"three.ico", "icon32_golden.ppm", PictureKind::icon, 0}),
    [](const auto& row) {
        std::string name = row.param.file;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(Gif, TransparentIndexMarksItsPixels) {
    const vel::DecodeResult d = vel::decode_gif(read_file("transparent89.gif"));
    ASSERT_TRUE(d) << d.reason;
    const vel::Picture& p = *d.picture;
    EXPECT_EQ(p.transparent_index, 1);
    ASSERT_EQ(p.alpha.size(), static_cast<std::size_t>(p.width() * p.height()));
    int clear = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const bool white = p.image.pixel(x, y) == 0xFFFFFF;
            EXPECT_EQ(p.alpha[static_cast<std::size_t>(y * p.width() + x)], white ? 0 : 255);
            clear += white;
        }
    EXPECT_GT(clear, 0);
    EXPECT_EQ(vel::decode_gif(read_file("plain87.gif")).picture->transparent_index, -1);
}

// A 2 x 2 GIF89a written out by hand: 4-colour table (black, white, red,
// blue), index 3 transparent, LZW codes clear 0 1 2 3 end at 3 then 4 bits.
const Bytes kTinyGif = {
    'G',  'I',  'F',  '8',  '9',  'a', 2,   0, 2, 0, 0x81, 0,   0,  // screen 2 x 2, table of 4
    0,    0,    0,    255,  255,  255, 255, 0, 0, 0, 0,    255,     // black white red blue
    0x21, 0xF9, 4,    1,    0,    0,   3,   0,                      // transparent index 3
    0x2C, 0,    0,    0,    0,    2,   0,   2, 0, 0,                // image 2 x 2 at 0, 0
    2,    3,    0x44, 0x34, 0x05, 0,                                // LZW, one sub-block
    0x3B};

TEST(Gif, HandWrittenBytes) {
    const vel::DecodeResult d = vel::decode_gif(kTinyGif);
    ASSERT_TRUE(d) << d.reason;
    const auto& img = d.picture->image;
    EXPECT_EQ(img.pixel(0, 0), 0x000000u);
    EXPECT_EQ(img.pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(img.pixel(0, 1), 0x0000FFu);  // red as 0x00BBGGRR
    EXPECT_EQ(img.pixel(1, 1), 0xFF0000u);  // blue
    EXPECT_EQ(d.picture->alpha, (Bytes{255, 255, 255, 0}));
    // The trailer may be missing; anything shorter is truncated.
    EXPECT_TRUE(vel::decode_gif(std::span(kTinyGif).first(kTinyGif.size() - 1)));
    for (std::size_t n = 0; n + 1 < kTinyGif.size(); ++n)
        EXPECT_FALSE(vel::decode_picture(std::span(kTinyGif).first(n))) << n;
}

// A small image on a large screen is a valid GIF: the screen counts against
// the pixel budget like any picture, whatever the image's own size.
TEST(Gif, SmallImageOnALargeScreen) {
    const struct {
        int width, height;
        bool opens;
    } rows[] = {{1100, 1000, true}, {4096, 4096, true}, {4100, 4100, false}, {16385, 1, false}};
    for (const auto& row : rows) {
        Bytes gif = kTinyGif;
        gif[6] = static_cast<std::uint8_t>(row.width),
        gif[7] = static_cast<std::uint8_t>(row.width >> 8);
        gif[8] = static_cast<std::uint8_t>(row.height),
        gif[9] = static_cast<std::uint8_t>(row.height >> 8);
        const vel::DecodeResult d = vel::decode_gif(gif);
        ASSERT_EQ(bool(d), row.opens) << row.width << " x " << row.height << ": " << d.reason;
        if (!d) continue;
        EXPECT_EQ(d.picture->width(), row.width);
        EXPECT_EQ(d.picture->height(), row.height);
        EXPECT_EQ(d.picture->image.pixel(1, 0), 0xFFFFFFu);  // the image at its place
        EXPECT_EQ(d.picture->image.pixel(1, 1), 0xFF0000u);
        // around it, the screen's background (entry 0, black) and transparent
        EXPECT_EQ(d.picture->image.pixel(row.width - 1, row.height - 1), 0x000000u);
        EXPECT_EQ(d.picture->alpha.back(), 0);
    }
}

TEST(Icon, PicksTheEntryNearest32WithItsMask) {
    const vel::DecodeResult d = vel::decode_picture(read_file("three.ico"));
    ASSERT_TRUE(d) << d.reason;
    ASSERT_EQ(d.picture->width(), 32);
    const auto& a = d.picture->alpha;
    ASSERT_EQ(a.size(), 32u * 32u);
    EXPECT_EQ(a[0], 0);  // top row and left column are masked out
    EXPECT_EQ(a[5], 0);
    EXPECT_EQ(a[32 * 7], 0);
    EXPECT_EQ(a[32 * 7 + 1], 255);
    // Asking for 16 gives the 16 x 16 entry.
    EXPECT_EQ(vel::decode_icon(read_file("three.ico"), 16).picture->width(), 16);
}

TEST(Icon, CursorWithAlphaChannelUsesIt) {
    const Bytes data = read_file("alpha.cur");
    EXPECT_EQ(vel::sniff_picture(data), PictureKind::cursor);
    const vel::DecodeResult d = vel::decode_picture(data);
    ASSERT_TRUE(d) << d.reason;
    EXPECT_EQ(d.picture->kind, PictureKind::cursor);
    const auto& a = d.picture->alpha;
    ASSERT_EQ(a.size(), 32u * 32u);
    EXPECT_EQ(a[3 * 32 + 15], 255);  // the AND mask says transparent everywhere,
    EXPECT_EQ(a[3 * 32 + 16], 0);    // but the alpha channel wins
}

}  // namespace
