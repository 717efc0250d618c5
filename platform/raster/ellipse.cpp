#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "platform/raster/draw.h"
#include "platform/raster/spans.h"

namespace plat::raster {
namespace {

// Pixel columns of row centre dy (relative to the centre) whose centres lie
// inside the axis-aligned ellipse of half-axes a, b centred on cx; `strict`
// leaves out centres on the boundary. Empty when lo > hi.
struct Cols {
    std::int64_t lo = 1, hi = 0;
    bool empty() const { return lo > hi; }
};
Cols inside(double cx, double a, double b, double dy, bool strict) {
    if (a <= 0 || b <= 0) return {};
    const double t = 1.0 - (dy * dy) / (b * b);
    if (t < 0 || (strict && t <= 0)) return {};
    const double eps = strict ? -1e-9 : 1e-9;
    const double h = a * std::sqrt(t) + eps;
    // Clamped so that huge boxes never overflow the integer conversion.
    const double lo = std::max(cx - h - 0.5, -2.0), hi = std::min(cx + h - 0.5, 4e9);
    return Cols{static_cast<std::int64_t>(std::ceil(lo)),
                static_cast<std::int64_t>(std::floor(hi))};
}

// Antialiased fringe: the pixels of the ring one pixel outside the edge,
// mixed in by how far their centres lie outside (plain copy only).
void smooth_fringe(Bitmap& bm, std::int64_t y, Cols edge, double cx, double cy, double a, double b,
                   std::uint32_t pixel) {
    const double dy = y + 0.5 - cy;
    const Cols ring = inside(cx, a + 1.0, b + 1.0, dy, false);
    for (std::int64_t x = std::max<std::int64_t>(ring.lo, 0); x <= ring.hi && x < bm.width(); ++x) {
        if (!edge.empty() && x >= edge.lo && x <= edge.hi) continue;
        const double dx = x + 0.5 - cx;
        const double f = dx * dx / (a * a) + dy * dy / (b * b);
        const double g = 2.0 * std::hypot(dx / (a * a), dy / (b * b));
        const double dist = g > 0 ? (f - 1.0) / g : 1.0;  // approximate distance outside
        detail::blend_pixel(bm, x, y, pixel,
                            static_cast<unsigned>(std::clamp(0.5 - dist, 0.0, 1.0) * 256.0));
    }
}

}  // namespace

void draw_ellipse(Bitmap& bm, const DrawState& s, int x1, int y1, int x2, int y2) {
    if (bm.empty()) return;
    const std::int64_t l = std::min(x1, x2), r = std::max(x1, x2);
    const std::int64_t t = std::min(y1, y2), b = std::max(y1, y2);
    if (l == r || t == b) return;
    const bool pen = s.pen.visible();
    const double w = pen ? s.pen.pixel_width() : 0.0;
    const double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    // The path runs through the centres of the box's outermost pixels.
    const double pa = (r - l) / 2.0 - 0.5, pb = (b - t) / 2.0 - 0.5;
    const double oa = pa + w / 2, ob = pb + w / 2;  // outer edge of the outline
    const double ia = pa - w / 2, ib = pb - w / 2;  // inner edge = filled area
    const detail::Paint pen_p = detail::pen_paint(s);
    const detail::Paint fill_p = detail::brush_paint(s);
    const bool fill = s.brush.visible();
    const bool smooth = s.smooth && normalized_mix(s.mix) == kMixCopyPen && (pen || fill_p.solid);

    const double reach = std::max(ob, pb) + 1.0;
    const std::int64_t top =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(cy - reach)));
    const std::int64_t bottom =
        std::min<std::int64_t>(bm.height() - 1, static_cast<std::int64_t>(std::ceil(cy + reach)));
    for (std::int64_t y = top; y <= bottom; ++y) {
        const double dy = y + 0.5 - cy;
        const Cols in = inside(cx, ia, ib, dy, true);
        if (fill && !in.empty()) detail::paint_run(bm, y, in.lo, in.hi + 1, fill_p);
        Cols out{};
        if (pen) {
            out = inside(cx, oa, ob, dy, false);
            if (!out.empty()) {
                if (in.empty()) {
                    detail::paint_run(bm, y, out.lo, out.hi + 1, pen_p);
                } else {
                    detail::paint_run(bm, y, out.lo, in.lo, pen_p);
                    detail::paint_run(bm, y, in.hi + 1, out.hi + 1, pen_p);
                }
            }
        }
        if (smooth) {
            const Cols edge = pen ? out : in;
            const double ea = pen ? oa : ia, eb = pen ? ob : ib;
            if (ea > 0 && eb > 0)
                smooth_fringe(bm, y, edge, cx, cy, ea, eb, pen ? pen_p.fore : fill_p.fore);
        }
    }
}

void fill_rect(Bitmap& bm, Rect r, Colour colour) {
    const Rect c = clip_to(bm, r);
    const std::uint32_t px = to_pixel(colour & 0xFFFFFFu);
    if (c.w <= 0 || c.h <= 0) return;
    // Whole areas are filled this way: the C library's wide fill uses the
    // widest stores the processor has. Rows are contiguous, so a
    // full-width area is one run.
    static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
    const auto fill = [px](std::uint32_t* out, std::size_t n) {
        std::wmemset(reinterpret_cast<wchar_t*>(out), static_cast<wchar_t>(px), n);
    };
    if (c.x == 0 && c.w == bm.width()) {
        fill(bm.row(c.y), static_cast<std::size_t>(c.w) * static_cast<std::size_t>(c.h));
        return;
    }
    for (int y = c.y; y < c.y + c.h; ++y) fill(bm.row(y) + c.x, static_cast<std::size_t>(c.w));
}

void fill_rect(Bitmap& bm, Rect r, const DrawState& state) {
    if (!state.brush.visible()) return;
    const Rect c = clip_to(bm, r);
    const detail::Paint p = detail::brush_paint(state);
    for (int y = c.y; y < c.y + c.h; ++y) detail::paint_run(bm, y, c.x, c.x + c.w, p);
}

}  // namespace plat::raster
