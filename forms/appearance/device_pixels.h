#pragma once
// Client pixels to device pixels and back, at a ratio of device pixels per
// client pixel. Boxes round outwards, so whatever one covers the other
// covers too and no seam opens between neighbours at fractional ratios. At
// ratio 1 every conversion gives back what it was given.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/raster/bitmap.h"

namespace vel {

namespace device_detail {
// Far-off coordinates stay far off without overflowing an int.
inline int clamped(double v) {
    return static_cast<int>(std::clamp(v, -1073741824.0, 1073741824.0));
}
}  // namespace device_detail

// The device length of a client length (sizes and points).
inline int to_device(int client, double ratio) {
    return ratio == 1.0 ? client : device_detail::clamped(std::round(client * ratio));
}

// The device pixels a client box touches: start floored, end ceiled. A box
// with no width or height keeps none.
inline plat::raster::Rect device_box(plat::raster::Rect c, double ratio) {
    if (ratio == 1.0) return c;
    using device_detail::clamped;
    const int x0 = clamped(std::floor(c.x * ratio)), y0 = clamped(std::floor(c.y * ratio));
    const int x1 = clamped(std::ceil((static_cast<double>(c.x) + c.w) * ratio));
    const int y1 = clamped(std::ceil((static_cast<double>(c.y) + c.h) * ratio));
    return {x0, y0, c.w > 0 ? x1 - x0 : c.w, c.h > 0 ? y1 - y0 : c.h};
}

// The client pixels a device box touches, the same way outwards.
inline plat::raster::Rect client_box(plat::raster::Rect d, double ratio) {
    if (ratio == 1.0 || d.w <= 0 || d.h <= 0) return d;
    using device_detail::clamped;
    const int x0 = clamped(std::floor(d.x / ratio)), y0 = clamped(std::floor(d.y / ratio));
    const int x1 = clamped(std::ceil((static_cast<double>(d.x) + d.w) / ratio));
    const int y1 = clamped(std::ceil((static_cast<double>(d.y) + d.h) / ratio));
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace vel
