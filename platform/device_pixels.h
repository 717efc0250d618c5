#pragma once
// Client (logical) pixels and device pixels at a ratio r of device pixels per
// client pixel. Lengths round to the nearest device pixel, as native window
// sizes do; rectangles round outwards both ways, so that whatever covers a
// changed area leaves no seam.
#include <cmath>

#include "platform/window_system.h"

namespace plat {

namespace device_detail {
// Products such as 10 * 1.1 land a hair above the whole number they mean.
constexpr double kSlack = 1e-9;
inline int floored(double v) {
    return static_cast<int>(std::floor(v + kSlack));
}
inline int ceiled(double v) {
    return static_cast<int>(std::ceil(v - kSlack));
}
}  // namespace device_detail

// Device pixels of a client length (a window's or a panel's side).
inline int device_length(int client, double ratio) {
    return static_cast<int>(std::lround(client * ratio));
}

// The device pixels a client rectangle touches: start floored, end ceiled.
inline Rect to_device(Rect client, double ratio) {
    using namespace device_detail;
    const int left = floored(client.left * ratio), top = floored(client.top * ratio);
    return {left, top, ceiled((client.left + client.width) * ratio) - left,
            ceiled((client.top + client.height) * ratio) - top};
}

// The client pixels a device rectangle touches, the same way outwards.
inline Rect to_client(Rect device, double ratio) {
    using namespace device_detail;
    const int left = floored(device.left / ratio), top = floored(device.top / ratio);
    return {left, top, ceiled((device.left + device.width) / ratio) - left,
            ceiled((device.top + device.height) / ratio) - top};
}

// The client pixels whose own device pixel (the one at floor(x * r),
// floor(y * r), where a client point is read) lies in the device rectangle;
// empty (zero width or height) when none does.
inline Rect client_pixels_in(Rect device, double ratio) {
    using namespace device_detail;
    const int left = ceiled(device.left / ratio), top = ceiled(device.top / ratio);
    return {left, top, ceiled((device.left + device.width) / ratio) - left,
            ceiled((device.top + device.height) / ratio) - top};
}

}  // namespace plat
