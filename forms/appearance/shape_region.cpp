#include "forms/appearance/shape_region.h"

#include <algorithm>
#include <cmath>

#include "platform/device_pixels.h"

namespace vel {
namespace {

// A pixel belongs to a curve when its centre lies inside it.
struct Span {
    int left;
    int right;  // one past
};

// The span of row `y` of an ellipse with the box (0, 0, w, h).
Span ellipse_row(int y, int w, int h) {
    const double rx = w / 2.0, ry = h / 2.0;
    const double dy = (y + 0.5 - ry) / ry;
    const double half = dy * dy >= 1 ? 0 : rx * std::sqrt(1 - dy * dy);
    const int left = static_cast<int>(std::ceil(rx - half - 0.5));
    const int right = static_cast<int>(std::floor(rx + half - 0.5)) + 1;
    return {std::clamp(left, 0, w), std::clamp(right, 0, w)};
}

// The span of row `y` of a rectangle whose corners are quarters of a c x c
// ellipse.
Span rounded_row(int y, int w, int h, int c) {
    const int half_c = c / 2;
    int corner_row = -1;  // row within the corner ellipse's box, when in one
    if (y < half_c)
        corner_row = y;
    else if (y >= h - half_c)
        corner_row = c - (h - y);
    if (corner_row < 0) return {0, w};
    const Span s = ellipse_row(corner_row, c, c);
    // The ellipse's left half at the left edge, its right half at the right.
    const int inset = s.right <= s.left ? half_c : s.left;
    return {inset, std::max(inset, w - inset)};
}

}  // namespace

int rounded_corner(int width, int height) {
    return std::min(width / 5, height / 5);
}

std::vector<plat::Rect> shape_region(int shape, int width, int height) {
    return shape_region(shape, width, height, rounded_corner(width, height));
}

std::vector<plat::Rect> device_shape_region(int shape, int client_w, int client_h, double ratio) {
    const int corner = static_cast<int>(std::lround(rounded_corner(client_w, client_h) * ratio));
    return shape_region(shape, plat::device_length(client_w, ratio),
                        plat::device_length(client_h, ratio), corner);
}

std::vector<plat::Rect> shape_region(int shape, int width, int height, int c) {
    std::vector<plat::Rect> bands;
    if (width <= 0 || height <= 0 || (shape != kShapeEllipse && shape != kShapeRounded))
        return bands;
    c = std::clamp(c, 0, std::min(width, height));
    for (int y = 0; y < height; ++y) {
        const Span s = shape == kShapeEllipse ? ellipse_row(y, width, height)
                                              : rounded_row(y, width, height, c);
        if (s.right <= s.left) continue;
        if (!bands.empty()) {
            plat::Rect& last = bands.back();
            if (last.left == s.left && last.width == s.right - s.left &&
                last.top + last.height == y) {
                ++last.height;
                continue;
            }
        }
        bands.push_back({s.left, y, s.right - s.left, 1});
    }
    return bands;
}

}  // namespace vel
