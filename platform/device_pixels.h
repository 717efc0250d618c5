#pragma once
// Client (logical) pixels and device pixels at a ratio r of device pixels per
// client pixel. Lengths and points round to the nearest device pixel, as
// native window sizes do; rectangles round outwards both ways, so that
// whatever covers a changed area leaves no seam. At ratio 1 every conversion
// gives back what it was given.
#include <algorithm>
#include <cmath>

#include "platform/raster/bitmap.h"
#include "platform/window_system.h"

namespace plat {

namespace device_detail {
// Products such as 10 * 1.1 land a hair above the whole number they mean.
constexpr double kSlack = 1e-9;
// Far-off coordinates stay far off without overflowing an int.
inline int clamped(double v) {
    return static_cast<int>(std::clamp(v, -1073741824.0, 1073741824.0));
}
inline int floored(double v) {
    return clamped(std::floor(v + kSlack));
}
inline int ceiled(double v) {
    return clamped(std::ceil(v - kSlack));
}
}  // namespace device_detail

// Device pixels of a client length or coordinate (a side, a line's end).
inline int device_length(int client, double ratio) {
    return ratio == 1.0 ? client : device_detail::clamped(std::round(client * ratio));
}

// The device pixels a client rectangle touches: start floored, end ceiled.
inline Rect to_device(Rect client, double ratio) {
    using namespace device_detail;
    const int left = floored(client.left * ratio), top = floored(client.top * ratio);
    return {left, top, ceiled((double{1} * client.left + client.width) * ratio) - left,
            ceiled((double{1} * client.top + client.height) * ratio) - top};
}

// The client pixels a device rectangle touches, the same way outwards.
inline Rect to_client(Rect device, double ratio) {
    using namespace device_detail;
    const int left = floored(device.left / ratio), top = floored(device.top / ratio);
    return {left, top, ceiled((double{1} * device.left + device.width) / ratio) - left,
            ceiled((double{1} * device.top + device.height) / ratio) - top};
}

// The same for the raster's boxes; a box with no width or height keeps it.
inline raster::Rect to_device(raster::Rect c, double ratio) {
    if (ratio == 1.0) return c;
    const Rect d = to_device(Rect{c.x, c.y, c.w, c.h}, ratio);
    return {d.left, d.top, c.w > 0 ? d.width : c.w, c.h > 0 ? d.height : c.h};
}
inline raster::Rect to_client(raster::Rect d, double ratio) {
    if (ratio == 1.0 || d.w <= 0 || d.h <= 0) return d;
    const Rect c = to_client(Rect{d.x, d.y, d.w, d.h}, ratio);
    return {c.left, c.top, c.width, c.height};
}

// The client pixels whose own device pixel (the one at floor(x * r),
// floor(y * r), where a client point is read) lies in the device rectangle;
// empty (zero width or height) when none does.
inline Rect client_pixels_in(Rect device, double ratio) {
    using namespace device_detail;
    const int left = ceiled(device.left / ratio), top = ceiled(device.top / ratio);
    return {left, top, ceiled((double{1} * device.left + device.width) / ratio) - left,
            ceiled((double{1} * device.top + device.height) / ratio) - top};
}

}  // namespace plat
