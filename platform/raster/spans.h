#pragma once
// Horizontal runs of pixels: the one place where shapes meet the mix mode.
// Every shape is cut into runs that touch each pixel once, so exclusive-or
// drawing never cancels itself.
#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/raster/bitmap.h"
#include "platform/raster/style.h"

namespace plat::raster::detail {

// A pen or brush reduced to what a run needs, in pixel layout.
struct Paint {
    std::array<std::uint8_t, 8> bits{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::uint32_t fore = 0;
    std::uint32_t back = 0;
    bool has_back = false;
    bool solid = true;
    int mix = kMixCopyPen;
};

inline Paint pen_paint(const DrawState& s) {
    Paint p;
    p.fore = to_pixel(s.pen.colour & 0xFFFFFFu);
    p.mix = normalized_mix(s.mix);
    return p;
}

inline Paint brush_paint(const DrawState& s) {
    Paint p;
    p.bits = brush_bits(s.brush);
    p.fore = to_pixel(s.brush.colour & 0xFFFFFFu);
    p.has_back = s.background != kNoColour;
    p.back = to_pixel(s.background & 0xFFFFFFu);
    p.solid = s.brush.type == kBrushSolid || s.brush.type < 0 ||
              (s.brush.type > kBrushSolid && s.brush.type < kBrushFirstHatch);
    p.mix = normalized_mix(s.mix);
    return p;
}

// Paints [x0, x1) of row y; coordinates outside the bitmap are cut off.
inline void paint_run(Bitmap& bm, std::int64_t y, std::int64_t x0, std::int64_t x1,
                      const Paint& p) {
    if (y < 0 || y >= bm.height()) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, bm.width());
    if (x0 >= x1) return;
    std::uint32_t* row = bm.row(static_cast<int>(y));
    if (p.solid) {
        if (p.mix == kMixCopyPen) {
            std::fill(row + x0, row + x1, p.fore);
        } else {
            for (std::int64_t x = x0; x < x1; ++x) row[x] = apply_mix(p.mix, p.fore, row[x]);
        }
        return;
    }
    const std::uint8_t line = p.bits[static_cast<std::size_t>(y & 7)];
    for (std::int64_t x = x0; x < x1; ++x) {
        const bool on = (line >> (7 - (x & 7))) & 1u;
        if (on) {
            row[x] = apply_mix(p.mix, p.fore, row[x]);
        } else if (p.has_back) {
            row[x] = apply_mix(p.mix, p.back, row[x]);
        }
    }
}

// `pixel` mixed over `under` with coverage 0 ... 256: exactly `under` at 0 and
// exactly `pixel` at 256, so callers need not branch on either.
inline std::uint32_t blend(std::uint32_t pixel, std::uint32_t under, unsigned coverage) {
    const unsigned inv = 256 - coverage;
    const std::uint32_t rb = (((pixel & 0xFF00FFu) * coverage + (under & 0xFF00FFu) * inv) >> 8);
    const std::uint32_t g = (((pixel & 0x00FF00u) * coverage + (under & 0x00FF00u) * inv) >> 8);
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// Mixes `pixel` into one pixel with coverage 0 ... 256 (plain copy only).
inline void blend_pixel(Bitmap& bm, std::int64_t x, std::int64_t y, std::uint32_t pixel,
                        unsigned coverage) {
    if (x < 0 || y < 0 || x >= bm.width() || y >= bm.height() || coverage == 0) return;
    std::uint32_t& d = bm.row(static_cast<int>(y))[x];
    d = blend(pixel, d, std::min(coverage, 256u));
}

}  // namespace plat::raster::detail
