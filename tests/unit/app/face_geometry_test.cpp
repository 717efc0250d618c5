// Face coordinates. The expected rows were worked out apart from this code:
// angle = float((h + m / 60) * 3.1415926535 / 6), float(m * pi / 30),
// float(s * pi / 30); point = (int(144 + r sin a), int(144 - r cos a)) in
// double precision.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "app/face/face_geometry.h"

namespace vel::face {

// Found by argument-dependent lookup, so failures print coordinates.
void PrintTo(const Point& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}

namespace {

struct TimeRow {
    int hour, minute, second;
    Point hour_end, minute_end, second_end;
    Point disc_first, disc_second, butterfly;
};

std::ostream& operator<<(std::ostream& out, const TimeRow& r) {
    return out << r.hour << ":" << r.minute << ":" << r.second;
}

class FaceTimes : public ::testing::TestWithParam<TimeRow> {};

TEST_P(FaceTimes, HandEndsDiscAndButterfly) {
    const TimeRow& row = GetParam();
    FaceGeometry g = face_geometry(row.hour, row.minute, row.second);
    EXPECT_EQ(g.hands[0].to, row.hour_end);
    EXPECT_EQ(g.hands[1].to, row.hour_end);
    EXPECT_EQ(g.hands[2].to, row.minute_end);
    EXPECT_EQ(g.hands[3].to, row.minute_end);
    EXPECT_EQ(g.hands[4].to, row.second_end);
    EXPECT_EQ(g.hands[5].to, row.second_end);
    EXPECT_EQ(g.disc_first, row.disc_first);
    EXPECT_EQ(g.disc_second, row.disc_second);
    EXPECT_EQ(g.butterfly.at, row.butterfly);
    for (const Stroke& stroke : g.hands) EXPECT_EQ(stroke.from, (Point{144, 144}));
}

INSTANTIATE_TEST_SUITE_P(
    Times, FaceTimes,
    ::testing::Values(
        // Straight up.
        TimeRow{0, 0, 0, {144, 80}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        // sin of the single-precision angle falls just below 1: 207, not 208.
        TimeRow{3, 0, 15, {207, 144}, {144, 48}, {259, 144}, {234, 139}, {224, 149}, {234, 135}},
        // sin of the single-precision pi is a tiny negative: 143, not 144.
        TimeRow{6, 30, 30, {127, 205}, {143, 239}, {143, 259}, {148, 224}, {138, 234}, {134, 234}},
        // The hour hand moves on with the minutes.
        TimeRow{9, 45, 45, {84, 119}, {48, 143}, {28, 143}, {63, 138}, {53, 148}, {35, 134}},
        TimeRow{23, 59, 59, {143, 80}, {133, 48}, {131, 28}, {140, 53}, {130, 63}, {124, 35}},
        // Afternoon hours are not folded: 15:00 and 21:00 differ from 3:00
        // and 9:00 by one pixel, 13:00 and 1:00 coincide.
        TimeRow{15, 0, 0, {207, 143}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        TimeRow{3, 0, 0, {207, 144}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        TimeRow{13, 0, 0, {176, 88}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        TimeRow{1, 0, 0, {176, 88}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        TimeRow{21, 0, 0, {80, 144}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        TimeRow{9, 0, 0, {80, 143}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}},
        TimeRow{18, 0, 0, {143, 207}, {144, 48}, {144, 28}, {149, 53}, {139, 63}, {135, 35}}));

// The single-precision rounding is what moves those pixels: the angles must
// be stored as float, not kept in double.
TEST(FaceAngles, AreRoundedToSinglePrecision) {
    EXPECT_EQ(second_angle(15), static_cast<float>(15 * 3.1415926535 / 30));
    EXPECT_NE(static_cast<double>(second_angle(15)), 15 * 3.1415926535 / 30);
    EXPECT_EQ(hour_angle(9, 45), static_cast<float>(9.75 * 3.1415926535 / 6));
    EXPECT_GT(hour_angle(15, 0), 2 * 3.1415926535) << "hours 12-23 pass 2 pi";
    EXPECT_EQ(hand_end(second_angle(15), 116), (Point{259, 144}));
}

// For every minute of the day the hands stay on their circles (within the
// one pixel truncation takes) and the afternoon never strays more than a
// pixel from the morning.
TEST(FaceAngles, EveryMinuteOfTheDayStaysOnItsCircle) {
    for (int h = 0; h < 24; ++h) {
        for (int m = 0; m < 60; ++m) {
            FaceGeometry g = face_geometry(h, m, m);
            for (auto [stroke, radius] : {std::pair{0, 64}, {2, 96}, {4, 116}}) {
                Point end = g.hands[stroke].to;
                double distance = std::hypot(end.x - 144, end.y - 144);
                EXPECT_NEAR(distance, radius, 1.5) << h << ":" << m << " stroke " << stroke;
            }
            Point morning = face_geometry(h % 12, m, 0).hands[0].to;
            EXPECT_LE(std::abs(g.hands[0].to.x - morning.x), 1) << h << ":" << m;
            EXPECT_LE(std::abs(g.hands[0].to.y - morning.y), 1) << h << ":" << m;
            // The disc is a 10 x 10 box given right-hand corner first; the
            // butterfly is centred on the second hand, 100 pixels out.
            EXPECT_EQ(g.disc_first.x - g.disc_second.x, 10);
            EXPECT_EQ(g.disc_second.y - g.disc_first.y, 10);
            EXPECT_NEAR(g.butterfly.at.x + 9, 144 + 100 * std::sin(g.second_angle), 1.0);
            EXPECT_NEAR(g.butterfly.at.y + 9, 144 - 100 * std::cos(g.second_angle), 1.0);
        }
    }
}

struct PenRow {
    int stroke;
    int width;
    std::uint32_t colour;  // 0x00BBGGRR
};

// Each hand is drawn outline first and wider, body second; colours are
// BGR-ordered words, so dark red is 0x000080 and blue 0xC06000.
TEST(FacePens, OutlineThenBodyInBgrColours) {
    const PenRow rows[] = {{0, 8, 0xFFFFFF}, {1, 6, 0x000080}, {2, 6, 0xFFFFFF},
                           {3, 3, 0xC06000}, {4, 3, 0x00FFFF}, {5, 2, 0xFF0090}};
    FaceGeometry g = face_geometry(10, 10, 10);
    for (const PenRow& row : rows) {
        EXPECT_EQ(g.hands[row.stroke].pen_width, row.width) << "stroke " << row.stroke;
        EXPECT_EQ(g.hands[row.stroke].colour, row.colour) << "stroke " << row.stroke;
    }
    EXPECT_EQ(g.disc_pen_width, 2);
    EXPECT_EQ(g.disc_colour, 0xFF0090u);
    EXPECT_EQ(g.dial.at, (Point{0, 0}));
    EXPECT_EQ(g.dial.width, 288);
    EXPECT_EQ(g.dial.height, 284);
    EXPECT_EQ(g.butterfly.width, 18);
    EXPECT_EQ(g.butterfly.height, 18);
    EXPECT_EQ(kTransparentCopyMode, -0xFFFFFF);
}

}  // namespace
}  // namespace vel::face
