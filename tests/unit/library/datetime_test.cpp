#include "library/datetime/datetime_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "library/call.h"
#include "library/datetime/date_time.h"

namespace vel {
namespace {

struct PartRow {
    double value;
    int part;
    int expected;
};

class DatePart : public ::testing::TestWithParam<PartRow> {};

TEST_P(DatePart, TakesTheValueApart) {
    const PartRow& row = GetParam();
    EXPECT_EQ(call(cmd_date_part, arg_datetime(row.value), arg_int(row.part)).as_int(),
              row.expected);
}

const double k2024_03_01_1830 = encode_date_time(2024, 3, 1, 18, 30, 15);

INSTANTIATE_TEST_SUITE_P(
    Rows, DatePart,
    ::testing::Values(PartRow{0.75, 6, 18}, PartRow{0.5 + 1.0 / 1440, 7, 1},
                      PartRow{0.0, 9, 7},        // 1899-12-30 was a Saturday
                      PartRow{3000000.0, 6, 0},  // clamped to 9999-12-31 00:00
                      PartRow{3000000.0, 1, 9999}, PartRow{-1e9, 1, 100},
                      PartRow{-1.25, 5, 29},  // 1899-12-29 06:00: the fraction runs forwards
                      PartRow{-1.25, 6, 6}, PartRow{k2024_03_01_1830, 1, 2024},
                      PartRow{k2024_03_01_1830, 2, 1}, PartRow{k2024_03_01_1830, 3, 3},
                      PartRow{k2024_03_01_1830, 4, 9}, PartRow{k2024_03_01_1830, 5, 1},
                      PartRow{k2024_03_01_1830, 6, 18}, PartRow{k2024_03_01_1830, 7, 30},
                      PartRow{k2024_03_01_1830, 8, 15}, PartRow{k2024_03_01_1830, 9, 6},  // Friday
                      PartRow{k2024_03_01_1830, 10, 61},  // leap year: 31 + 29 + 1
                      PartRow{k2024_03_01_1830, 11, 61}, PartRow{k2024_03_01_1830, -4, 2024},
                      // rounding to the nearest second carries into the next day
                      PartRow{2.0 - 0.4 / 86400, 5, 1}, PartRow{2.0 - 0.4 / 86400, 6, 0},
                      PartRow{0.5 + 0.6 / 86400, 8, 1},
                      PartRow{std::numeric_limits<double>::quiet_NaN(), 1, 1899},
                      PartRow{std::numeric_limits<double>::infinity(), 1, 9999}));

TEST(DatePart, HourMinuteSecondAreFixedParts) {
    const ArgRecord t = arg_datetime(encode_date_time(2026, 1, 2, 7, 5, 9));
    EXPECT_EQ(call(cmd_get_hour, t).as_int(), 7);
    EXPECT_EQ(call(cmd_get_minute, t).as_int(), 5);
    EXPECT_EQ(call(cmd_get_second, t).as_int(), 9);
}

class CurrentTime : public ::testing::Test {
protected:
    void TearDown() override { set_clock_source({}); }
};

TEST_F(CurrentTime, ReadsTheReplaceableClock) {
    set_clock_source([] { return CivilTime{2026, 12, 7, 23, 59, 59}; });
    const ResultRecord now = call(cmd_current_time);
    EXPECT_EQ(call(cmd_get_second, arg_datetime(now.as_double())).as_int(), 59);
    EXPECT_EQ(call(cmd_get_hour, arg_datetime(now.as_double())).as_int(), 23);
    EXPECT_EQ(date_part(now.as_double(), 5), 7);
    // whole seconds: the value times 86400 is an integer to within rounding
    const double seconds = now.as_double() * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
}

TEST(Trigonometry, SineAndCosine) {
    EXPECT_DOUBLE_EQ(call(cmd_sine, arg_double(3.1415926535 / 2)).as_double(), 1.0);
    EXPECT_DOUBLE_EQ(call(cmd_cosine, arg_double(0)).as_double(), 1.0);
    EXPECT_NEAR(call(cmd_sine, arg_double(3.1415926535)).as_double(), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(call(cmd_cosine, arg_int(0)).as_double(), 1.0);  // an int angle widens
}

TEST(Arithmetic, BitwiseOrAndColourValue) {
    EXPECT_EQ(
        call(cmd_bitwise_or, arg_int(0x100), arg_int(0), arg_int(0x20), arg_int(0x80000)).as_int(),
        0x80120);
    EXPECT_EQ(call(cmd_bitwise_or, arg_int(-2)).as_int(), -2);
    EXPECT_EQ(call(cmd_bitwise_or).as_int(), 0);
    EXPECT_EQ(call(cmd_colour_value, arg_int(255), arg_int(255), arg_int(255)).as_int(), 16777215);
    EXPECT_EQ(call(cmd_colour_value, arg_int(256), arg_int(0), arg_int(0)).as_int(), 0);
    EXPECT_EQ(call(cmd_colour_value, arg_int(1), arg_int(2), arg_int(-1)).as_int(), 0xFF0201);
}

}  // namespace
}  // namespace vel
