#include "platform/text/gbk.h"

#include <gtest/gtest.h>

namespace {

struct RoundTrip {
    const char* gbk;
    const char* utf8;
};

class GbkRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(GbkRoundTrip, ConvertsBothWays) {
    const RoundTrip& row = GetParam();
    EXPECT_EQ(plat::gbk_to_utf8(row.gbk), row.utf8);
    EXPECT_EQ(plat::utf8_to_gbk(row.utf8), row.gbk);
}

INSTANTIATE_TEST_SUITE_P(Texts, GbkRoundTrip,
                         ::testing::Values(RoundTrip{"", ""}, RoundTrip{"top.vel", "top.vel"},
                                           RoundTrip{"VEL\xCE\xC4\xBC\xFE", "VEL文件"},
                                           // a trail byte that is a backslash in ASCII
                                           RoundTrip{"\x81\x5C\\a", "乗\\a"},
                                           // full-width digits and colon
                                           RoundTrip{"\xA3\xB1\xA3\xB2\xA3\xBA", "１２："},
                                           RoundTrip{"\xC6\xF0\xB4\xB2\xA3\xBA"
                                                     "7:30/\xC6\xF0\xB4\xB2",
                                                     "起床：7:30/起床"}));

// The one-byte euro sign (0x80) takes three bytes in UTF-8: the most any
// GBK text grows, alone or between other characters.
TEST(Gbk, TextsOfEuroSignsConvertWhole) {
    for (int count : {1, 20, 28, 1000}) {
        for (const char* around : {"", "a", "\xCE\xC4"}) {
            std::string gbk = around;
            std::string utf8 = *plat::gbk_to_utf8(around);
            for (int i = 0; i < count; ++i) {
                gbk += '\x80';
                utf8 += "€";
            }
            EXPECT_EQ(plat::gbk_to_utf8(gbk), utf8) << count;
            EXPECT_EQ(plat::utf8_to_gbk(utf8), gbk) << count;
        }
    }
}

TEST(Gbk, BytesWithoutACharacterFailCleanly) {
    EXPECT_FALSE(plat::gbk_to_utf8("ab\xC4"));        // a lead byte at the end
    EXPECT_FALSE(plat::gbk_to_utf8("\x81\x20rest"));  // a trail byte out of range
    EXPECT_FALSE(plat::gbk_to_utf8("\xFF\xFF"));
}

TEST(Gbk, CharactersOutsideGbkFailCleanly) {
    EXPECT_FALSE(plat::utf8_to_gbk("clock😀.vel"));
    EXPECT_FALSE(plat::utf8_to_gbk("\xC3"));  // cut UTF-8 sequence
    EXPECT_FALSE(plat::utf8_to_gbk("\xFF"));
}

TEST(Gbk, FailureDoesNotPoisonTheNextConversion) {
    ASSERT_FALSE(plat::gbk_to_utf8("\xC4"));
    EXPECT_EQ(plat::gbk_to_utf8("\xCE\xC4"), "文");
    ASSERT_FALSE(plat::utf8_to_gbk("😀"));
    EXPECT_EQ(plat::utf8_to_gbk("文"), "\xCE\xC4");
}

}  // namespace
