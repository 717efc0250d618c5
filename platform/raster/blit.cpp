#include "platform/raster/blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>
#include <vector>

namespace plat::raster {
namespace {

__extension__ typedef __int128 Wide;

// One axis of a stretch: for each destination index, the source indices it
// reads and their weights (area overlap in 1/65536 of a destination pixel).
struct Tap {
    int src;
    std::uint32_t weight;
};
struct Axis {
    std::int64_t first = 0, last = -1;  // destination indices inside the bitmap
    std::vector<std::uint32_t> start;   // per index: first tap in `taps`
    std::vector<Tap> taps;              // taps outside the source are left out
};

Axis make_axis(std::int64_t d0, std::int64_t dn, std::int64_t d_size, std::int64_t s0,
               std::int64_t sn, std::int64_t s_size, Stretch q) {
    Axis a;
    a.first = std::max<std::int64_t>(0, -d0);
    a.last = std::min<std::int64_t>(dn, d_size - d0) - 1;
    for (std::int64_t i = a.first; i <= a.last; ++i) {
        a.start.push_back(static_cast<std::uint32_t>(a.taps.size()));
        if (q == Stretch::nearest) {
            const std::int64_t s =
                s0 + static_cast<std::int64_t>((Wide{2} * i + 1) * sn / (Wide{2} * dn));
            if (s >= 0 && s < s_size) a.taps.push_back({static_cast<int>(s), 65536});
            continue;
        }
        // Source span [i * sn / dn, (i + 1) * sn / dn) in units of 1 / dn.
        const std::int64_t lo = i * sn, hi = (i + 1) * sn;
        // Only source pixels inside the source bitmap, so a forged ratio
        // cannot make the loop long.
        const std::int64_t k_end = std::min((hi + dn - 1) / dn, s_size - s0);
        for (std::int64_t k = std::max(lo / dn, -s0); k < k_end; ++k) {
            const std::int64_t overlap = std::min(hi, (k + 1) * dn) - std::max(lo, k * dn);
            const std::int64_t s = s0 + k;
            if (overlap <= 0 || s < 0 || s >= s_size) continue;
            a.taps.push_back(
                {static_cast<int>(s), static_cast<std::uint32_t>((overlap * 65536 + sn / 2) / sn)});
        }
    }
    a.start.push_back(static_cast<std::uint32_t>(a.taps.size()));
    return a;
}

// Sums of weighted channels for one destination pixel.
struct Acc {
    std::uint64_t r = 0, g = 0, b = 0, weight = 0, keyed = 0;
    std::uint32_t pixel() const {
        const std::uint64_t h = weight / 2;
        return static_cast<std::uint32_t>(((r + h) / weight) << 16 | ((g + h) / weight) << 8 |
                                          ((b + h) / weight));
    }
};

// The source pixel as it is: a transparent picture's pixels that are not
// the key replace the target.
struct PlainSource {
    std::uint32_t operator()(std::uint32_t s, std::uint32_t) const { return s; }
};

typedef std::uint32_t Quad __attribute__((vector_size(16)));

// One row of a same-size transparent copy, four pixels at a time: every
// pixel but the key's colour replaces the target.
void keyed_row(const std::uint32_t* in, std::uint32_t* out, std::int64_t n, std::uint32_t key) {
    std::int64_t i = 0;
    for (; i + 4 <= n; i += 4) {
        Quad s, d;
        std::memcpy(&s, in + i, sizeof s);
        const Quad take = (Quad)((s & 0xFFFFFFu) != key);  // all ones where not the key
        // Most of a keyed picture is often its key: leave the target alone.
        if ((take[0] | take[1] | take[2] | take[3]) == 0) continue;
        std::memcpy(&d, out + i, sizeof d);
        d = (s & take) | (d & ~take);
        std::memcpy(out + i, &d, sizeof d);
    }
    for (; i < n; ++i)
        if ((in[i] & 0xFFFFFFu) != key) out[i] = in[i];
}

template <typename Put>
void run(Bitmap& dst, Rect dr, const Bitmap& src_in, Rect sr, Stretch q,
         std::optional<std::uint32_t> key, Put put) {
    if (dst.empty() || src_in.empty() || dr.w <= 0 || dr.h <= 0 || sr.w <= 0 || sr.h <= 0) return;
    // Drawing a bitmap onto itself: read from a copy so nothing is read twice.
    std::optional<Bitmap> copy;
    if (&src_in == &dst) copy = src_in;
    const Bitmap& src = copy ? *copy : src_in;
    if (dr.w == sr.w && dr.h == sr.h) {
        // Same size: a straight copy, row by row, of the part inside both.
        const std::int64_t x0 =
            std::max<std::int64_t>({0, -std::int64_t{dr.x}, -std::int64_t{sr.x}});
        const std::int64_t x1 = std::min<std::int64_t>(
            {dr.w, std::int64_t{dst.width()} - dr.x, std::int64_t{src.width()} - sr.x});
        const std::int64_t y0 =
            std::max<std::int64_t>({0, -std::int64_t{dr.y}, -std::int64_t{sr.y}});
        const std::int64_t y1 = std::min<std::int64_t>(
            {dr.h, std::int64_t{dst.height()} - dr.y, std::int64_t{src.height()} - sr.y});
        for (std::int64_t j = y0; j < y1; ++j) {
            const std::uint32_t* in = src.row(static_cast<int>(sr.y + j)) + sr.x;
            std::uint32_t* out = dst.row(static_cast<int>(dr.y + j)) + dr.x;
            if constexpr (std::is_same_v<Put, PlainSource>) {
                if (key) {
                    if (x1 > x0) keyed_row(in + x0, out + x0, x1 - x0, *key);
                    continue;
                }
            }
            if (key) {
                for (std::int64_t i = x0; i < x1; ++i)
                    if ((in[i] & 0xFFFFFFu) != *key) out[i] = put(in[i], out[i]);
            } else {
                for (std::int64_t i = x0; i < x1; ++i) out[i] = put(in[i], out[i]);
            }
        }
        return;
    }
    const Axis ax = make_axis(dr.x, dr.w, dst.width(), sr.x, sr.w, src.width(), q);
    const Axis ay = make_axis(dr.y, dr.h, dst.height(), sr.y, sr.h, src.height(), q);
    for (std::int64_t j = ay.first; j <= ay.last; ++j) {
        const std::size_t jj = static_cast<std::size_t>(j - ay.first);
        if (ay.start[jj] == ay.start[jj + 1]) continue;
        std::uint32_t* out = dst.row(static_cast<int>(dr.y + j));
        for (std::int64_t i = ax.first; i <= ax.last; ++i) {
            const std::size_t ii = static_cast<std::size_t>(i - ax.first);
            if (ax.start[ii] == ax.start[ii + 1]) continue;
            std::uint32_t& d = out[dr.x + i];
            if (q == Stretch::nearest) {
                const std::uint32_t s =
                    src.row(ay.taps[ay.start[jj]].src)[ax.taps[ax.start[ii]].src];
                if (!key || (s & 0xFFFFFFu) != *key) d = put(s, d);
                continue;
            }
            Acc acc;
            for (std::uint32_t ty = ay.start[jj]; ty < ay.start[jj + 1]; ++ty) {
                const std::uint32_t* row = src.row(ay.taps[ty].src);
                for (std::uint32_t tx = ax.start[ii]; tx < ax.start[ii + 1]; ++tx) {
                    const std::uint64_t w = std::uint64_t{ay.taps[ty].weight} * ax.taps[tx].weight;
                    const std::uint32_t s = row[ax.taps[tx].src];
                    if (key && (s & 0xFFFFFFu) == *key) {
                        acc.keyed += w;
                        continue;
                    }
                    acc.r += w * (s >> 16 & 0xFF);
                    acc.g += w * (s >> 8 & 0xFF);
                    acc.b += w * (s & 0xFF);
                    acc.weight += w;
                }
            }
            if (acc.weight == 0 || acc.keyed > acc.weight) continue;
            d = put(acc.pixel(), d);
        }
    }
}

}  // namespace

void stretch_blit(Bitmap& dst, Rect dst_rect, const Bitmap& src, Rect src_rect, CopyMode mode,
                  Stretch quality) {
    run(dst, dst_rect, src, src_rect, quality, std::nullopt,
        [mode](std::uint32_t s, std::uint32_t d) { return apply_copy(mode, s, d); });
}

KeyedRuns keyed_runs(const Bitmap& src, Colour key) {
    KeyedRuns k;
    k.key = key & 0xFFFFFFu;
    const std::uint32_t pixel_key = to_pixel(k.key);
    k.row_start.reserve(static_cast<std::size_t>(src.height()) + 1);
    for (int y = 0; y < src.height(); ++y) {
        k.row_start.push_back(static_cast<std::uint32_t>(k.runs.size()));
        const std::uint32_t* row = src.row(y);
        for (int x = 0; x < src.width();) {
            if ((row[x] & 0xFFFFFFu) == pixel_key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < src.width() && (row[x] & 0xFFFFFFu) != pixel_key) ++x;
            k.runs.push_back({start, x - start});
            k.pixels.insert(k.pixels.end(), row + start, row + x);
        }
    }
    k.row_start.push_back(static_cast<std::uint32_t>(k.runs.size()));
    return k;
}

void keyed_blit(Bitmap& dst, int ax, int ay, const Bitmap& src, const KeyedRuns& k) {
    if (dst.empty() || src.empty() ||
        k.row_start.size() != static_cast<std::size_t>(src.height()) + 1)
        return;
    // Where each row's first run starts in the packed pixels.
    std::size_t packed = 0;
    // Far-off places must not overflow.
    const std::int64_t px = ax, py = ay;
    const auto y0 = static_cast<int>(std::clamp<std::int64_t>(-py, 0, src.height()));
    const auto y1 = static_cast<int>(std::clamp<std::int64_t>(dst.height() - py, 0, src.height()));
    const auto x0 = static_cast<int>(std::clamp<std::int64_t>(-px, 0, src.width()));
    const auto x1 = static_cast<int>(std::clamp<std::int64_t>(dst.width() - px, 0, src.width()));
    if (x0 >= x1) return;
    for (std::uint32_t r = 0; r < k.row_start[y0]; ++r) packed += k.runs[r].length;
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* out = dst.row(ay + y);
        for (std::uint32_t r = k.row_start[y]; r < k.row_start[y + 1]; ++r) {
            const KeyedRuns::Run run = k.runs[r];
            const std::uint32_t* in = k.pixels.data() + packed;
            packed += run.length;
            const int a = std::max(x0, run.x);
            const int b = std::min(x1, run.x + run.length);
            for (int i = a; i < b; ++i) out[ax + i] = in[i - run.x];
        }
    }
}

ScaledKeyed scale_keyed(const Bitmap& src, int w, int h, Colour key) {
    ScaledKeyed s;
    s.key = key & 0xFFFFFFu;
    if (src.empty() || !Bitmap::size_ok(w, h) || std::int64_t{w} * h > kMaxScaledKeyedPixels)
        return s;
    // Drawn onto two different grounds: a pixel the copy draws is the same on
    // both, one it leaves out shows each ground.
    Bitmap black(w, h, 0x000000), white(w, h, 0xFFFFFF);
    const Rect whole{0, 0, src.width(), src.height()};
    transparent_blit(black, {0, 0, w, h}, src, whole, s.key, Stretch::smooth);
    transparent_blit(white, {0, 0, w, h}, src, whole, s.key, Stretch::smooth);
    s.drawn.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.drawn[static_cast<std::size_t>(y) * w + x] = black.row(y)[x] == white.row(y)[x];
    s.image = std::move(black);
    return s;
}

void scaled_keyed_blit(Bitmap& dst, int ax, int ay, const ScaledKeyed& s) {
    const Bitmap& src = s.image;
    if (dst.empty() || src.empty() ||
        s.drawn.size() != static_cast<std::size_t>(src.width()) * src.height())
        return;
    const std::int64_t px = ax, py = ay;
    const auto y0 = static_cast<int>(std::clamp<std::int64_t>(-py, 0, src.height()));
    const auto y1 = static_cast<int>(std::clamp<std::int64_t>(dst.height() - py, 0, src.height()));
    const auto x0 = static_cast<int>(std::clamp<std::int64_t>(-px, 0, src.width()));
    const auto x1 = static_cast<int>(std::clamp<std::int64_t>(dst.width() - px, 0, src.width()));
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* in = src.row(y);
        const std::uint8_t* mask = s.drawn.data() + static_cast<std::size_t>(y) * src.width();
        std::uint32_t* out = dst.row(ay + y);
        for (int x = x0; x < x1; ++x)
            if (mask[x]) out[ax + x] = in[x];
    }
}

void copy_area(Bitmap& dst, const Bitmap& src, Rect area) {
    const Rect r = clip_to(dst, clip_to(src, area));
    for (int y = r.y; y < r.y + r.h; ++y) std::copy_n(src.row(y) + r.x, r.w, dst.row(y) + r.x);
}

std::pair<int, int> copy_changed(const std::uint32_t* in, std::uint32_t* out, int n) {
    if (n <= 0) return {0, 0};
    const std::size_t bytes = sizeof(std::uint32_t) * static_cast<std::size_t>(n);
    // Rows are mostly unchanged: the library's compare runs through those
    // many bytes at a time.
    if (std::memcmp(in, out, bytes) == 0) return {n, 0};
    // Otherwise the first and last differing pixels bound what is written,
    // found four pixels at a time and then one by one.
    constexpr std::size_t kQuad = 4 * sizeof(std::uint32_t);
    int first = 0, last = n;
    while (first + 4 <= n && std::memcmp(in + first, out + first, kQuad) == 0) first += 4;
    while (in[first] == out[first]) ++first;
    while (last - 4 >= first && std::memcmp(in + last - 4, out + last - 4, kQuad) == 0) last -= 4;
    while (in[last - 1] == out[last - 1]) --last;
    std::memcpy(out + first, in + first,
                sizeof(std::uint32_t) * static_cast<std::size_t>(last - first));
    return {first, last};
}

std::vector<Rect> copy_block(Bitmap& dst, int at_x, int at_y, const Bitmap& src, Rect from,
                             CopyMode mode) {
    // Clip the source first, moving the destination along with it.
    Rect s = clip_to(src, from);
    if (s.w <= 0 || s.h <= 0) return {};
    const Rect d{at_x + (s.x - from.x), at_y + (s.y - from.y), s.w, s.h};
    const Rect c = clip_to(dst, d);
    if (c.w <= 0 || c.h <= 0) return {};
    s.x += c.x - d.x;
    s.y += c.y - d.y;
    // Overlapping rows and the mixing modes go through the general path.
    if (&dst == &src || mode != CopyMode::copy) {
        stretch_blit(dst, c, src, {s.x, s.y, c.w, c.h}, mode);
        return {c};
    }
    // A changed row joins the box just above it while that box takes on at
    // most kSlack unchanged pixels (whoever shows the boxes pays for each),
    // so a thin slanted line gives a staircase of narrow boxes, not its
    // whole bounding box.
    constexpr std::int64_t kSlack = 32;
    std::vector<Rect> boxes;
    for (int y = c.y; y < c.y + c.h; ++y) {
        const auto [first, last] =
            copy_changed(src.row(s.y + y - c.y) + s.x, dst.row(y) + c.x, c.w);
        if (first >= last) continue;
        const int left = c.x + first, right = c.x + last;
        if (!boxes.empty() && boxes.back().y + boxes.back().h == y) {
            Rect& b = boxes.back();
            const int l = std::min(b.x, left), r = std::max(b.x + b.w, right);
            if (std::int64_t{r - l} * (b.h + 1) - std::int64_t{b.w} * b.h - (right - left) <=
                kSlack) {
                b = {l, b.y, r - l, b.h + 1};
                continue;
            }
        }
        boxes.push_back({left, y, right - left, 1});
    }
    return boxes;
}

void transparent_blit(Bitmap& dst, Rect dst_rect, const Bitmap& src, Rect src_rect, Colour key,
                      Stretch quality) {
    run(dst, dst_rect, src, src_rect, quality, to_pixel(key & 0xFFFFFFu), PlainSource{});
}

}  // namespace plat::raster
