#include "library/commands/convert_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "cmd_util.h"
#include "library/datetime/date_time.h"

namespace vel {
namespace {

using test::returned_null;
using test::take_text;

struct IntegerRow {
    const char* text;
    int expected;
};

class TextToInteger : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(TextToInteger, ReadsDecimalAfterNormalising) {
    EXPECT_EQ(call(cmd_to_integer, arg_text(GetParam().text)).as_int(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextToInteger,
    ::testing::Values(
        IntegerRow{"\xA3\xB1\xA3\xB2", 12},                  // full-width 12
        IntegerRow{"\xA1\xA1\xA3\xB1\xA3\xB2\xCE\xC4", 12},  // space, 12, 文
        IntegerRow{"\xA3\xAD"
                   "5",
                   -5},  // full-width minus
        IntegerRow{"05", 5}, IntegerRow{" 07", 7}, IntegerRow{"\t+7x", 7}, IntegerRow{"abc", 0},
        IntegerRow{"", 0}, IntegerRow{"-", 0}, IntegerRow{"+-3", 0},
        IntegerRow{"\xCE\xC4"
                   "3",
                   0},
        // the trail byte of 0xB1 0xA3 must not start a full-width pair
        IntegerRow{"\xB1\xA3\xB1", 0}, IntegerRow{"\xA3", 0},  // a lone lead byte at the end
        // ASCII digits: a full-width digit after them still counts,
        // a Chinese character or any ASCII byte ends them
        IntegerRow{"12\xA3\xB3", 123}, IntegerRow{"7\xC6\xF0", 7}, IntegerRow{"30/", 30},
        IntegerRow{"123456789", 123456789}, IntegerRow{"1234567890", 1234567890},
        IntegerRow{"2147483648", std::numeric_limits<int>::max()},
        IntegerRow{"2147483647", 2147483647},
        IntegerRow{"99999999999999999999", std::numeric_limits<int>::max()},
        IntegerRow{"-2147483648", std::numeric_limits<int>::min()},
        IntegerRow{"-99999999999999999999", std::numeric_limits<int>::min()}));

TEST(ToInteger, ByTag) {
    EXPECT_EQ(call(cmd_to_integer, arg_double(3.99)).as_int(), 3);
    EXPECT_EQ(call(cmd_to_integer, arg_double(-3.99)).as_int(), -3);
    EXPECT_EQ(call(cmd_to_integer, arg_float(2.5f)).as_int(), 2);
    EXPECT_EQ(call(cmd_to_integer, arg_double(1e300)).as_int(), std::numeric_limits<int>::max());
    EXPECT_EQ(call(cmd_to_integer, arg_double(std::numeric_limits<double>::quiet_NaN())).as_int(),
              0);
    EXPECT_EQ(call(cmd_to_integer, arg_long(0x1'0000'0005LL)).as_int(), 5);
    EXPECT_EQ(call(cmd_to_integer, arg_logical(true)).as_int(), 1);
    EXPECT_EQ(call(cmd_to_integer, ArgRecord{0xFFFFFFFF, 0, TAG_BYTE}).as_int(), 255);
    EXPECT_EQ(call(cmd_to_integer, ArgRecord{0xFFFF, 0, TAG_SHORT}).as_int(), -1);
    EXPECT_EQ(call(cmd_to_integer, arg_datetime(5.0)).as_int(), 0);
    EXPECT_EQ(call(cmd_to_integer).as_int(), 0);
}

TEST(ToText, Numbers) {
    EXPECT_EQ(take_text(call(cmd_to_text, arg_int(-42))), "-42");
    EXPECT_EQ(take_text(call(cmd_to_text, ArgRecord{200, 0, TAG_BYTE})), "200");
    EXPECT_EQ(take_text(call(cmd_to_text, ArgRecord{0x8000, 0, TAG_SHORT})), "-32768");
    EXPECT_EQ(take_text(call(cmd_to_text, arg_long(-1234567890123LL))), "-1234567890123");
    EXPECT_EQ(take_text(call(cmd_to_text, arg_double(0.1))), "0.1");
    EXPECT_EQ(take_text(call(cmd_to_text, arg_double(1.0 / 3))), "0.3333333333333");
    EXPECT_EQ(take_text(call(cmd_to_text, arg_double(1e20))), "1e+20");
    EXPECT_EQ(take_text(call(cmd_to_text, arg_float(0.1f))), "0.1");
    EXPECT_EQ(take_text(call(cmd_to_text, arg_logical(true))), "\xD5\xE6");   // 真
    EXPECT_EQ(take_text(call(cmd_to_text, arg_logical(false))), "\xBC\xD9");  // 假
}

TEST(ToText, TextsAndBlocks) {
    EXPECT_EQ(take_text(call(cmd_to_text, arg_text("abc"))), "abc");
    EXPECT_TRUE(returned_null(call(cmd_to_text, arg_text(""))));

    const std::uint8_t bytes[] = {'a', 'b', 0, 'c', 'd'};
    Bytes set(make_byteset(bytes));
    EXPECT_EQ(take_text(call(cmd_to_text, arg_byteset(set.get()))), "ab");
    Bytes whole(make_byteset(std::span(bytes).subspan(3)));
    EXPECT_EQ(take_text(call(cmd_to_text, arg_byteset(whole.get()))), "cd");
    EXPECT_TRUE(returned_null(call(cmd_to_text, arg_byteset(nullptr))));

    // an int array's element bytes, up to the first zero byte
    void* array = make_array(2, TAG_INT);
    const std::int32_t values[2] = {0x44434241, 0x00004645};  // "ABCD" "EF\0\0"
    std::memcpy(array_data(array).first, values, sizeof values);
    ArgRecord a{};
    a.tag = TAG_INT | TAG_ARRAY;
    const auto p = reinterpret_cast<std::uintptr_t>(array);
    a.lo = static_cast<std::uint32_t>(p);
    a.hi = static_cast<std::uint32_t>(static_cast<std::uint64_t>(p) >> 32);
    EXPECT_EQ(take_text(call(cmd_to_text, a)), "ABCDEF");
    release_array(array, TAG_INT);

    EXPECT_TRUE(returned_null(call(cmd_to_text, ArgRecord{1, 0, TAG_SUBPTR})));
    EXPECT_TRUE(returned_null(call(cmd_to_text, ArgRecord{1, 0, TAG_UNIT_WINDOW})));
}

struct DateTextRow {
    double value;
    const char* expected;
};

class DateTimeText : public ::testing::TestWithParam<DateTextRow> {};

TEST_P(DateTimeText, ShowsTimeOnlyAsFarAsNeeded) {
    EXPECT_EQ(take_text(call(cmd_to_text, arg_datetime(GetParam().value))), GetParam().expected);
}

// 年 C4EA 月 D4C2 日 C8D5 时 CAB1 分 B7D6 秒 C3EB
INSTANTIATE_TEST_SUITE_P(Rows, DateTimeText,
                         ::testing::Values(DateTextRow{encode_date_time(2008, 5, 1, 12, 0, 0),
                                                       "2008\xC4\xEA"
                                                       "5\xD4\xC2"
                                                       "1\xC8\xD5"
                                                       "12\xCA\xB1"},
                                           DateTextRow{encode_date_time(2008, 5, 1, 0, 0, 0),
                                                       "2008\xC4\xEA"
                                                       "5\xD4\xC2"
                                                       "1\xC8\xD5"},
                                           DateTextRow{encode_date_time(2008, 5, 1, 0, 5, 0),
                                                       "2008\xC4\xEA"
                                                       "5\xD4\xC2"
                                                       "1\xC8\xD5"
                                                       "0\xCA\xB1"
                                                       "5\xB7\xD6"},
                                           DateTextRow{encode_date_time(2026, 12, 31, 23, 59, 59),
                                                       "2026\xC4\xEA"
                                                       "12\xD4\xC2"
                                                       "31\xC8\xD5"
                                                       "23\xCA\xB1"
                                                       "59\xB7\xD6"
                                                       "59\xC3\xEB"},
                                           DateTextRow{0.0,
                                                       "1899\xC4\xEA"
                                                       "12\xD4\xC2"
                                                       "30\xC8\xD5"},
                                           DateTextRow{1e12,
                                                       "9999\xC4\xEA"
                                                       "12\xD4\xC2"
                                                       "31\xC8\xD5"},
                                           DateTextRow{-1e12,
                                                       "100\xC4\xEA"
                                                       "1\xD4\xC2"
                                                       "1\xC8\xD5"}));

}  // namespace
}  // namespace vel
