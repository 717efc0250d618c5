#include "platform/raster/bitmap.h"

#include <algorithm>
#include <cstring>

namespace plat::raster {

Bitmap::Bitmap(int w, int h, Colour fill) : Bitmap(w, h, kUnfilled) {
    this->fill(fill);
}

Bitmap::Bitmap(int w, int h, Unfilled) {
    if (!size_ok(w, h)) return;
    m_width = w;
    m_height = h;
    m_pixels.resize(static_cast<std::size_t>(w) * h);
}

Colour Bitmap::pixel(int x, int y) const {
    if (!contains(x, y)) return 0;
    return to_colour(row(y)[x]);
}

void Bitmap::set_pixel(int x, int y, Colour c) {
    if (contains(x, y)) row(y)[x] = to_pixel(c & 0xFFFFFFu);
}

void Bitmap::fill(Colour c) {
    // Four pixels a store: the panels are cleared to their colour every frame.
    const std::uint32_t p = to_pixel(c & 0xFFFFFFu);
    const std::uint32_t four[4] = {p, p, p, p};
    std::uint32_t* out = m_pixels.data();
    const std::size_t n = m_pixels.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) std::memcpy(out + i, four, sizeof four);
    for (; i < n; ++i) out[i] = p;
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
