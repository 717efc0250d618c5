#include "platform/raster/row_blocks.h"

#include <algorithm>
#include <cmath>

namespace plat::raster {

void RowBlocks::reset(int width, int height) {
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_words = (m_width + kBlock * 64 - 1) / (kBlock * 64);
    const std::size_t n = static_cast<std::size_t>(m_height) * m_words;
    if (m_bits.size() != n) {
        m_bits.assign(n, 0);
    } else if (m_top < m_bottom) {
        std::fill(m_bits.begin() + static_cast<std::ptrdiff_t>(m_top) * m_words,
                  m_bits.begin() + static_cast<std::ptrdiff_t>(m_bottom) * m_words, 0);
    }
    m_top = m_height;
    m_bottom = 0;
}

void RowBlocks::add(int y, std::int64_t x0, std::int64_t x1) {
    if (y < 0 || y >= m_height) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, m_width);
    if (x0 >= x1) return;
    const int b0 = static_cast<int>(x0 / kBlock), b1 = static_cast<int>((x1 - 1) / kBlock);
    std::uint64_t* words = &m_bits[static_cast<std::size_t>(y) * m_words];
    for (int k = b0 / 64; k <= b1 / 64; ++k) {
        const int lo = k == b0 / 64 ? b0 % 64 : 0;
        const int hi = k == b1 / 64 ? b1 % 64 : 63;
        const std::uint64_t upto = hi == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << hi) - 1;
        words[k] |= upto & (~std::uint64_t{0} << lo);
    }
    m_top = std::min(m_top, y);
    m_bottom = std::max(m_bottom, y + 1);
}

void RowBlocks::add(Rect r) {
    if (r.w <= 0 || r.h <= 0) return;
    const std::int64_t top = std::max<std::int64_t>(r.y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{r.y} + r.h, m_height);
    for (std::int64_t y = top; y < bottom; ++y)
        add(static_cast<int>(y), r.x, std::int64_t{r.x} + r.w);
}

void RowBlocks::add_segment(int x1, int y1, int x2, int y2, int pad) {
    pad = std::max(pad, 0);
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{y1} - pad, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y2} + pad + 1, m_height);
    const double slope = y2 == y1 ? 0.0 : (1.0 * x2 - x1) / (1.0 * y2 - y1);
    // Columns far outside the bitmap are cut to it; the doubles stay in the
    // integer range before converting.
    constexpr double kLimit = 4.0e9;
    for (std::int64_t y = top; y < bottom; ++y) {
        std::int64_t lo = std::max<std::int64_t>(y - pad, y1);
        std::int64_t hi = std::min<std::int64_t>(y + pad, y2);
        if (lo > hi) lo = hi = std::clamp<std::int64_t>(y, y1, y2);  // beyond an end
        double xa = x1, xb = x2;
        if (y2 != y1) {
            xa = x1 + slope * static_cast<double>(lo - y1);
            xb = x1 + slope * static_cast<double>(hi - y1);
        }
        if (xa > xb) std::swap(xa, xb);
        xa = std::clamp(std::floor(xa), -kLimit, kLimit);
        xb = std::clamp(std::ceil(xb), -kLimit, kLimit);
        add(static_cast<int>(y), static_cast<std::int64_t>(xa) - pad,
            static_cast<std::int64_t>(xb) + pad + 1);
    }
}

}  // namespace plat::raster
