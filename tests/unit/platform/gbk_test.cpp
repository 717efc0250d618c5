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
