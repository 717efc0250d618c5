#include "app/face/face_geometry.h"

#include <cmath>

namespace vel::face {
namespace {

// Every coordinate is worked out in double precision and cut toward zero,
// never rounded: a hand that should end on x = 208 ends on 207 when its sine
// falls just short of 1, and the face has always looked that way.
int cut(double value) {
    return static_cast<int>(value);
}

// The disc and butterfly positions keep the additions in the order written,
// so that no intermediate rounding moves them.
Point disc_first_corner(double s, double c) {
    return {cut(kDiscDistance * s + (kCentreX + kDiscDiameter / 2)),
            cut(kCentreY - kDiscDistance * c - kDiscDiameter / 2)};
}

Point disc_second_corner(double s, double c) {
    return {cut(kDiscDistance * s + kCentreX - kDiscDiameter / 2),
            cut(kCentreY - kDiscDistance * c + kDiscDiameter / 2)};
}

Point butterfly_corner(double s, double c) {
    return {cut(kButterflyDistance * s + kCentreX - kButterflySize / 2),
            cut(kCentreY - kButterflyDistance * c - kButterflySize / 2)};
}

void set_hand(std::array<Stroke, 6>& hands, int index, float angle, int radius, int outline_width,
              std::uint32_t outline, int body_width, std::uint32_t body) {
    Point centre{kCentreX, kCentreY};
    Point end = hand_end(angle, radius);
    hands[index] = {outline_width, outline, centre, end};
    hands[index + 1] = {body_width, body, centre, end};
}

}  // namespace

float hour_angle(int hour, int minute) {
    return static_cast<float>((hour + minute / 60.0) * kPi / 6);
}

float minute_angle(int minute) {
    return static_cast<float>(minute * kPi / 30);
}

float second_angle(int second) {
    return static_cast<float>(second * kPi / 30);
}

Point hand_end(float angle, int radius) {
    double a = angle;
    return {cut(kCentreX + radius * std::sin(a)), cut(kCentreY - radius * std::cos(a))};
}

FaceGeometry face_geometry(int hour, int minute, int second) {
    FaceGeometry g;
    g.dial = {{0, 0}, kFaceWidth, kFaceHeight};

    g.hour_angle = hour_angle(hour, minute);
    g.minute_angle = minute_angle(minute);
    g.second_angle = second_angle(second);
    set_hand(g.hands, 0, g.hour_angle, kHourRadius, 8, kWhite, 6, kDarkRed);
    set_hand(g.hands, 2, g.minute_angle, kMinuteRadius, 6, kWhite, 3, kBlue);
    set_hand(g.hands, 4, g.second_angle, kSecondRadius, 3, kYellow, 2, kViolet);

    double a = g.second_angle;
    double s = std::sin(a);
    double c = std::cos(a);
    g.disc_pen_width = 2;
    g.disc_colour = kViolet;
    g.disc_first = disc_first_corner(s, c);
    g.disc_second = disc_second_corner(s, c);
    g.butterfly = {butterfly_corner(s, c), kButterflySize, kButterflySize};
    return g;
}

}  // namespace vel::face
