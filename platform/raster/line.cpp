#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/raster/draw.h"
#include "platform/raster/spans.h"

namespace plat::raster {
namespace {

__extension__ typedef __int128 Wide;

// On/off run lengths of the dash styles of one-pixel pens.
struct Dashes {
    int runs[6];
    int count;
};
Dashes dashes_for(int type) {
    switch (type) {
        case kPenDash:
            return {{18, 6}, 2};
        case kPenDot:
            return {{3, 3}, 2};
        case kPenDashDot:
            return {{9, 6, 3, 6}, 4};
        case kPenDashDotDot:
            return {{9, 3, 3, 3, 3, 3}, 6};
        default:
            return {{1}, 1};
    }
}

// Largest i in [lo, hi] with pred(i) true, pred true then false; lo - 1 if none.
template <typename Pred>
std::int64_t last_true(std::int64_t lo, std::int64_t hi, Pred pred) {
    std::int64_t a = lo - 1;
    while (a < hi) {
        const std::int64_t mid = a + (hi - a + 1) / 2;
        if (pred(mid))
            a = mid;
        else
            hi = mid - 1;
    }
    return a;
}

void thin_line(Bitmap& bm, const DrawState& s, std::int64_t x1, std::int64_t y1, std::int64_t x2,
               std::int64_t y2) {
    const std::int64_t dx = x2 - x1, dy = y2 - y1;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t n = x_major ? std::llabs(dx) : std::llabs(dy);
    if (n == 0) return;
    const std::int64_t minor_d = x_major ? std::llabs(dy) : std::llabs(dx);
    const int s_major = (x_major ? dx : dy) < 0 ? -1 : 1;
    const int s_minor = (x_major ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t m0 = x_major ? x1 : y1;  // major start
    const std::int64_t n0 = x_major ? y1 : x1;  // minor start
    const std::int64_t major_size = x_major ? bm.width() : bm.height();
    const std::int64_t minor_size = x_major ? bm.height() : bm.width();

    // Minor offset at step i, rounded half up; 128-bit because the product of
    // two 32-bit spans does not fit 64 bits with the doubling.
    auto minor_at = [&](std::int64_t i) {
        const Wide num = Wide{2} * i * minor_d + n;
        return n0 + s_minor * static_cast<std::int64_t>(num / (Wide{2} * n));
    };
    // Steps whose major coordinate lies inside the bitmap (end point excluded).
    std::int64_t lo = 0, hi = n - 1;
    if (s_major > 0) {
        lo = std::max(lo, -m0);
        hi = std::min(hi, major_size - 1 - m0);
    } else {
        lo = std::max(lo, m0 - (major_size - 1));
        hi = std::min(hi, m0);
    }
    if (lo > hi) return;
    // The minor coordinate is monotonic in i: cut the steps outside too.
    auto before_end = [&](std::int64_t i) {
        const std::int64_t m = minor_at(i);
        return s_minor > 0 ? m <= minor_size - 1 : m >= 0;
    };
    auto not_yet_in = [&](std::int64_t i) {
        const std::int64_t m = minor_at(i);
        return s_minor > 0 ? m < 0 : m > minor_size - 1;
    };
    hi = last_true(lo, hi, before_end);
    lo = last_true(lo, hi, not_yet_in) + 1;
    if (lo > hi) return;

    const Dashes d = dashes_for(s.pen.type);
    int period = 0;
    for (int k = 0; k < d.count; ++k) period += d.runs[k];
    const detail::Paint p = detail::pen_paint(s);
    const bool gaps = s.background != kNoColour;
    const std::uint32_t back = to_pixel(s.background & 0xFFFFFFu);
    for (std::int64_t i = lo; i <= hi; ++i) {
        const std::int64_t a = m0 + s_major * i, b = minor_at(i);
        const int x = static_cast<int>(x_major ? a : b), y = static_cast<int>(x_major ? b : a);
        bool on = true;
        if (d.count > 1) {
            int pos = static_cast<int>(i % period), k = 0;
            while (pos >= d.runs[k]) pos -= d.runs[k++];
            on = (k % 2) == 0;
        }
        std::uint32_t& px = bm.row(y)[x];
        if (on)
            px = apply_mix(p.mix, p.fore, px);
        else if (gaps)
            px = apply_mix(p.mix, back, px);
    }
}

// The x interval of row centre cy where { k * x + m in [c, e] }.
struct Span {
    double lo = 1, hi = 0;
    bool empty() const { return lo > hi; }
};
Span solve(double k, double m, double c, double e) {
    if (std::fabs(k) < 1e-12) return (m >= c && m <= e) ? Span{-1e300, 1e300} : Span{};
    double a = (c - m) / k, b = (e - m) / k;
    if (a > b) std::swap(a, b);
    return Span{a, b};
}
Span meet(Span a, Span b) {
    return Span{std::max(a.lo, b.lo), std::min(a.hi, b.hi)};
}
Span hull(Span a, Span b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return Span{std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

// Distance from a point to the segment from a along the unit vector u for
// len, the point given as (qx, qy) relative to a. Beside the segment it is the
// distance across, with no square root: most smoothed pixels lie there.
double distance_to_segment(double qx, double qy, double ux, double uy, double len) {
    const double along = qx * ux + qy * uy;
    if (along > 0 && along < len) return std::fabs(qy * ux - qx * uy);
    if (along >= len) {  // past the end (with len 0, u is 0: a itself)
        qx -= len * ux;
        qy -= len * uy;
    }
    // The distances are small: no overflow to guard against, and std::hypot,
    // which guards, costs several times as much.
    return std::sqrt(qx * qx + qy * qy);
}

// Pixels whose centre lies within r of the segment: a capsule, cut row by row.
void wide_line(Bitmap& bm, const DrawState& s, double ax, double ay, double bx, double by) {
    const int w = s.pen.pixel_width();
    const bool smooth = s.smooth && normalized_mix(s.mix) == kMixCopyPen;
    const double r = w / 2.0 - 1e-7;
    const double reach = smooth ? r + 0.5 : r;  // antialiasing fringe
    const double len = std::hypot(bx - ax, by - ay);
    const double ux = len > 0 ? (bx - ax) / len : 0, uy = len > 0 ? (by - ay) / len : 0;
    const std::int64_t top =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(std::min(ay, by) - reach)));
    const std::int64_t bottom = std::min<std::int64_t>(
        bm.height() - 1, static_cast<std::int64_t>(std::ceil(std::max(ay, by) + reach)));
    const detail::Paint p = detail::pen_paint(s);
    // The centres within `radius` of the segment on the row of centre cy.
    const auto capsule = [&](double cy, double radius) {
        Span row;
        for (const auto& [px, py] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            const double dy = cy - py;
            if (std::fabs(dy) <= radius) {
                const double h = std::sqrt(radius * radius - dy * dy);
                row = hull(row, Span{px - h, px + h});
            }
        }
        if (len > 0) {
            const Span along = solve(ux, -ax * ux + (cy - ay) * uy, 0, len);
            const Span across = solve(-uy, ax * uy + (cy - ay) * ux, -radius, radius);
            row = hull(row, meet(along, across));
        }
        return row;
    };
    // Pixels surely covered in full (with room for rounding): their mix is
    // the pen's own colour, found without measuring their distance.
    const double inner = r - 0.5 - 1e-6;
    const std::uint32_t solid = detail::blend(p.fore, 0, 256);
    for (std::int64_t y = top; y <= bottom; ++y) {
        const double cy = y + 0.5;
        const Span row = capsule(cy, reach);
        if (row.empty()) continue;
        const std::int64_t x0 = static_cast<std::int64_t>(std::ceil(std::max(row.lo, -1.0) - 0.5));
        const std::int64_t x1 =
            static_cast<std::int64_t>(std::floor(std::min(row.hi, bm.width() + 1.0) - 0.5));
        if (!smooth) {
            detail::paint_run(bm, y, x0, x1 + 1, p);
            continue;
        }
        std::int64_t in0 = 0, in1 = -1;  // the fully covered run, maybe none
        if (inner > 0) {
            const Span in = capsule(cy, inner);
            if (!in.empty()) {
                in0 = static_cast<std::int64_t>(std::ceil(std::max(in.lo, -1.0) - 0.5));
                in1 =
                    static_cast<std::int64_t>(std::floor(std::min(in.hi, bm.width() + 1.0) - 0.5));
            }
        }
        // Every other pixel of the run is mixed, those of no or full cover
        // too: branching on them would cost more than mixing.
        std::uint32_t* pixels = bm.row(static_cast<int>(y));
        const std::int64_t end = std::min<std::int64_t>(x1, bm.width() - 1);
        for (std::int64_t x = std::max<std::int64_t>(x0, 0); x <= end; ++x) {
            if (x >= in0 && x <= in1) {
                const std::int64_t stop = std::min(in1, end);
                std::fill(pixels + x, pixels + stop + 1, solid);
                x = stop;
                continue;
            }
            const double d = distance_to_segment(x + 0.5 - ax, cy - ay, ux, uy, len);
            const double cover = std::min(std::max(r - d + 0.5, 0.0), 1.0);
            pixels[x] =
                detail::blend(p.fore, pixels[x], static_cast<unsigned>(cover * 256.0 + 0.5));
        }
    }
}

}  // namespace

void draw_line(Bitmap& bm, const DrawState& state, int x1, int y1, int x2, int y2) {
    if (bm.empty() || !state.pen.visible()) return;
    const int w = state.pen.pixel_width();
    if (w <= 1) {
        thin_line(bm, state, x1, y1, x2, y2);
        return;
    }
    const double o = (w % 2) ? 0.5 : 0.0;
    wide_line(bm, state, x1 + o, y1 + o, x2 + o, y2 + o);
}

}  // namespace plat::raster
