#pragma once
// Where everything on the clock face goes for one time of day: hand ends,
// the pen of every stroke in drawing order, the second hand's disc and the
// butterfly riding on it. Pure arithmetic; drawing is the face routine's job.
#include <array>
#include <cstdint>

namespace vel::face {

// The face is always composed for this area, whatever the panel's size.
constexpr int kFaceWidth = 288;
constexpr int kFaceHeight = 284;
constexpr int kCentreX = 144;
constexpr int kCentreY = 144;
// Ten decimals, not full precision: the hand ends depend on it.
constexpr double kPi = 3.1415926535;

constexpr int kHourRadius = 64;
constexpr int kMinuteRadius = 96;
constexpr int kSecondRadius = 116;
constexpr int kDiscDistance = 86;
constexpr int kDiscDiameter = 10;
constexpr int kButterflyDistance = 100;
constexpr int kButterflySize = 18;

// Pictures are drawn with pure white left out (copy mode -0xFFFFFF).
constexpr std::uint32_t kTransparentWhite = 0xFFFFFF;
constexpr int kTransparentCopyMode = -static_cast<int>(kTransparentWhite);

// Colours are 0x00BBGGRR.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kDarkRed = 0x000080;
constexpr std::uint32_t kBlue = 0xC06000;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kViolet = 0xFF0090;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Stroke {
    int pen_width = 0;
    std::uint32_t colour = 0;
    Point from;
    Point to;
};

struct Placement {
    Point at;
    int width = 0;
    int height = 0;
};

struct FaceGeometry {
    // Hand angles in radians clockwise from 12, as stored (single precision).
    float hour_angle = 0;
    float minute_angle = 0;
    float second_angle = 0;
    Placement dial;
    // Hour, minute, second hand: each outline first, then body.
    std::array<Stroke, 6> hands;
    int disc_pen_width = 0;
    std::uint32_t disc_colour = 0;
    // The disc's bounding box corners in the order they are handed to the
    // ellipse operation: the right-hand corner first.
    Point disc_first;
    Point disc_second;
    Placement butterfly;
};

// The stored angles. Hours 12-23 are not folded: the angle passes 2 pi, and
// its single-precision rounding may move the hand end by one pixel.
float hour_angle(int hour, int minute);
float minute_angle(int minute);
float second_angle(int second);

// The point `radius` pixels from the centre along `angle`, truncated toward
// zero in each coordinate.
Point hand_end(float angle, int radius);

FaceGeometry face_geometry(int hour, int minute, int second);

}  // namespace vel::face
