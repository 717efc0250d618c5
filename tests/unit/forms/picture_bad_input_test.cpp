// Damaged, forged and foreign input: every decoder gives a failure with a
// reason, never a crash, a hang or an allocation sized by a forged header.
#include <gtest/gtest.h>

#include "forms/pictures/picture.h"
#include "picture_test_util.h"

namespace {

using namespace picture_test;

// A test picture that could not be read (VEL_TEST_DATA unset) is a failure
// of the test, not a write past an empty buffer.
bool fits(const Bytes& b, std::size_t at, std::size_t n) {
    if (b.size() >= at + n) return true;
    ADD_FAILURE() << "test picture missing or too short; is VEL_TEST_DATA set?";
    return false;
}
void put16(Bytes& b, std::size_t at, unsigned v) {
    if (!fits(b, at, 2)) return;
    b[at] = static_cast<std::uint8_t>(v), b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    if (!fits(b, at, 4)) return;
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

class EveryFile : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryFile, EveryTruncationFails) {
    const Bytes full = read_file(GetParam());
    ASSERT_FALSE(full.empty());
    ASSERT_TRUE(vel::decode_picture(full));
    // Cut at every length short of the last few bytes (a GIF may lack its
    // trailer, a JPEG its end marker).
    for (std::size_t n = 0; n + 12 < full.size(); ++n) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const vel::DecodeResult d = vel::decode_picture(cut);
        EXPECT_FALSE(d) << n;
        if (!d) {
            EXPECT_FALSE(d.reason.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EveryFile,
                         ::testing::Values("plain87.gif", "interlaced.gif", "depth4.bmp",
                                           "depth32.bmp", "small.ico", "rgb24.pcx", "mono.pcx",
                                           "photo.jpg"));

TEST(BadInput, NotPictures) {
    EXPECT_EQ(vel::sniff_picture(Bytes{'G', 'I', 'F', '8', '9'}), vel::PictureKind::none);
    EXPECT_FALSE(vel::decode_picture(Bytes{'G', 'I', 'F', '8', '9'}));
    EXPECT_FALSE(vel::decode_picture(Bytes{}));
    const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    EXPECT_EQ(vel::decode_picture(text).reason, "not a picture");
    // An icon directory with no images is not an icon at all.
    EXPECT_EQ(vel::sniff_picture(Bytes{0, 0, 1, 0, 0, 0, 9, 9}), vel::PictureKind::none);
    // PCX: only the recognised version, encoding and depth bytes.
    EXPECT_EQ(vel::sniff_picture(Bytes{0x0A, 6, 1, 8, 0, 0}), vel::PictureKind::none);
    EXPECT_EQ(vel::sniff_picture(Bytes{0x0A, 5, 1, 1, 0, 0}), vel::PictureKind::none);
}

TEST(BadInput, ForgedSizesAreRefusedBeforeAllocating) {
    Bytes gif = read_file("plain87.gif");
    put16(gif, 6, 65535), put16(gif, 8, 65535);  // screen
    EXPECT_FALSE(vel::decode_picture(gif));
    gif = read_file("plain87.gif");
    put16(gif, 6, 4100), put16(gif, 8, 4100);  // a screen beyond the pixel budget
    EXPECT_FALSE(vel::decode_picture(gif));

    Bytes bmp = read_file("depth24.bmp");
    put32(bmp, 18, 30000), put32(bmp, 22, 30000);
    EXPECT_FALSE(vel::decode_picture(bmp));
    put32(bmp, 18, 13), put32(bmp, 22, 0x80000000u);  // height INT_MIN
    EXPECT_FALSE(vel::decode_picture(bmp));
    bmp = read_file("depth8.bmp");
    put32(bmp, 46, 0xFFFFFFF0u);  // colours used beyond the table
    EXPECT_TRUE(vel::decode_picture(bmp));

    Bytes pcx = read_file("rgb24.pcx");
    put16(pcx, 8, 16000), put16(pcx, 10, 16000);
    put16(pcx, 66, 16002);
    EXPECT_FALSE(vel::decode_picture(pcx));

    Bytes ico = read_file("three.ico");
    put32(ico, 6 + 16 + 12, 0xFFFFFF00u);  // the 32 x 32 entry points past the end
    const vel::DecodeResult other = vel::decode_picture(ico);
    ASSERT_TRUE(other);
    EXPECT_NE(other.picture->width(), 32);
}

// Finds the first SOF marker of a JPEG: the offset of its height field.
std::size_t sof_dimensions(const Bytes& j) {
    for (std::size_t i = 2; i + 9 < j.size(); ++i)
        if (j[i] == 0xFF && (j[i + 1] == 0xC0 || j[i + 1] == 0xC2)) return i + 5;
    return 0;
}

TEST(BadInput, JpegClaimingMorePixelsThanItsBytesCouldHold) {
    Bytes jpg = read_file("photo.jpg");
    const std::size_t at = sof_dimensions(jpg);
    ASSERT_NE(at, 0u);
    for (const unsigned side : {60000u, 2000u}) {
        Bytes b = jpg;
        b[at] = static_cast<std::uint8_t>(side >> 8), b[at + 1] = static_cast<std::uint8_t>(side);
        b[at + 2] = static_cast<std::uint8_t>(side >> 8),
               b[at + 3] = static_cast<std::uint8_t>(side);
        const vel::DecodeResult d = vel::decode_picture(b);
        EXPECT_FALSE(d) << side;
        EXPECT_EQ(d.reason, "too large") << side;
    }
}

TEST(BadInput, GifWithUndefinedLzwCode) {
    // 2 x 1, a table of 2; LZW minimum size 2 (clear 4, end 5, 3-bit codes):
    // clear, then 7, which nothing has defined yet.
    const Bytes gif = {'G', 'I', 'F',  '8', '7', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0, 0,    0, 255,
                       255, 255, 0x2C, 0,   0,   0,   0, 2, 0, 1, 0,    0, 2, 1, 0x3C, 0, 0x3B};
    const vel::DecodeResult d = vel::decode_picture(gif);
    EXPECT_FALSE(d);
    EXPECT_EQ(d.reason, "bad LZW code");
}

}  // namespace
