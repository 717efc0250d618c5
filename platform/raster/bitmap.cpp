#include "platform/raster/bitmap.h"

#include <algorithm>

namespace plat::raster {

Bitmap::Bitmap(int w, int h, Colour fill) {
    if (!size_ok(w, h)) return;
    m_width = w;
    m_height = h;
    m_pixels.resize(static_cast<std::size_t>(w) * h);  // zeroed in one sweep
    if ((fill & 0xFFFFFFu) != 0) this->fill(fill);
}

Colour Bitmap::pixel(int x, int y) const {
    if (!contains(x, y)) return 0;
    return to_colour(row(y)[x]);
}

void Bitmap::set_pixel(int x, int y, Colour c) {
    if (contains(x, y)) row(y)[x] = to_pixel(c & 0xFFFFFFu);
}

void Bitmap::fill(Colour c) {
    std::fill(m_pixels.begin(), m_pixels.end(), to_pixel(c & 0xFFFFFFu));
}

Rect clip_to(const Bitmap& bitmap, Rect r) {
    // 64-bit edges: x + w may pass the int range for large arguments.
    const std::int64_t l = std::max<std::int64_t>(r.x, 0);
    const std::int64_t t = std::max<std::int64_t>(r.y, 0);
    const std::int64_t rr = std::min<std::int64_t>(std::int64_t{r.x} + r.w, bitmap.width());
    const std::int64_t b = std::min<std::int64_t>(std::int64_t{r.y} + r.h, bitmap.height());
    if (r.w <= 0 || r.h <= 0 || rr <= l || b <= t) return Rect{0, 0, 0, 0};
    return Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(rr - l),
                static_cast<int>(b - t)};
}

}  // namespace plat::raster
