// Device-independent bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed or with bit-field masks, bottom-up or top-down.
#include "forms/pictures/dib.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "forms/pictures/bytes.h"

namespace vel {
namespace {

using picture_bytes::has;
using picture_bytes::le16;
using picture_bytes::le32;

// One colour channel of a bit-field pixel scaled to 0 ... 255.
unsigned channel(std::uint32_t v, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t m = mask >> shift;
    const std::uint64_t c = (v & mask) >> shift;
    return static_cast<unsigned>((c * 255 + m / 2) / m);
}

}  // namespace

DecodeResult decode_dib(const DibSource& src, PictureKind kind) {
    const auto d = src.data;
    if (!has(d, 0, 12)) return DecodeResult::fail("truncated");
    const std::uint32_t header = le32(d, 0);
    std::int64_t w, h;
    int bpp;
    std::uint32_t compression = 0, used = 0;
    const bool core = header == 12;
    if (core) {
        w = le16(d, 4), h = le16(d, 6), bpp = le16(d, 10);
    } else {
        if (header < 40 || !has(d, 0, header)) return DecodeResult::fail("bad header");
        w = static_cast<std::int32_t>(le32(d, 4));
        h = static_cast<std::int32_t>(le32(d, 8));
        bpp = le16(d, 14);
        compression = le32(d, 16);
        used = le32(d, 32);
    }
    const bool top_down = h < 0;
    if (top_down) h = -h;
    if (src.icon) h /= 2;
    if (!picture_size_ok(w, h)) return DecodeResult::fail("bad size");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return DecodeResult::fail("unsupported depth");
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16-bit default 5-5-5
    if (bpp == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    std::size_t at = core ? 12 : header;
    if (compression == 3 && (bpp == 16 || bpp == 32)) {
        const std::size_t m = header >= 52 ? 40 : at;  // inside a long header, else after it
        if (!has(d, m, 12)) return DecodeResult::fail("truncated");
        for (int i = 0; i < 3; ++i) masks[i] = le32(d, m + 4 * static_cast<std::size_t>(i));
        if (header < 52) at += 12;
    } else if (compression != 0) {
        return DecodeResult::fail("unsupported compression");
    }
    // Colour table.
    std::uint32_t table[256] = {};
    if (bpp <= 8) {
        std::uint32_t n = used == 0 || used > (1u << bpp) ? (1u << bpp) : used;
        const std::size_t entry = core ? 3 : 4;
        // A table never reaches into the pixels (a forged count of colours).
        if (src.pixels_at > at) n = std::min<std::uint32_t>(n, (src.pixels_at - at) / entry);
        if (!has(d, at, n * entry)) return DecodeResult::fail("truncated");
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::size_t o = at + i * entry;
            table[i] = picture_bytes::rgb_pixel(d[o + 2], d[o + 1], d[o]);
        }
        at += n * entry;
    }
    if (src.pixels_at) at = src.pixels_at;
    const std::size_t stride = static_cast<std::size_t>((w * bpp + 31) / 32) * 4;
    const std::size_t mask_stride = static_cast<std::size_t>((w + 31) / 32) * 4;
    const auto rows = static_cast<std::size_t>(h);
    if (!has(d, at, stride * rows)) return DecodeResult::fail("truncated");
    const bool with_mask = src.icon && has(d, at + stride * rows, mask_stride * rows);
    // Only a 32-bit entry may do without its mask (its alpha channel).
    if (src.icon && !with_mask && bpp != 32) return DecodeResult::fail("truncated");

    Picture p;
    p.kind = kind;
    p.image = plat::raster::Bitmap(static_cast<int>(w), static_cast<int>(h));
    bool any_alpha = false;
    std::vector<std::uint8_t> alpha;
    if (src.icon) alpha.assign(static_cast<std::size_t>(w * h), 255);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::size_t y = top_down ? r : rows - 1 - r;
        const std::uint8_t* in = d.data() + at + r * stride;
        std::uint32_t* out = p.image.row(static_cast<int>(y));
        std::uint8_t* a = src.icon ? alpha.data() + y * static_cast<std::size_t>(w) : nullptr;
        for (std::int64_t x = 0; x < w; ++x) {
            std::uint32_t px;
            switch (bpp) {
                case 1:
                    px = table[(in[x >> 3] >> (7 - (x & 7))) & 1];
                    break;
                case 4:
                    px = table[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
                    break;
                case 8:
                    px = table[in[x]];
                    break;
                case 16: {
                    const std::uint32_t v = in[2 * x] | in[2 * x + 1] << 8;
                    px = picture_bytes::rgb_pixel(channel(v, masks[0]), channel(v, masks[1]),
                                                  channel(v, masks[2]));
                    break;
                }
                case 24:
                    px = picture_bytes::rgb_pixel(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                    break;
                default: {
                    const std::uint8_t* q = in + 4 * x;
                    const std::uint32_t v =
                        q[0] | q[1] << 8 | q[2] << 16 | static_cast<std::uint32_t>(q[3]) << 24;
                    px = picture_bytes::rgb_pixel(channel(v, masks[0]), channel(v, masks[1]),
                                                  channel(v, masks[2]));
                    if (a) {
                        a[x] = q[3];
                        any_alpha |= q[3] != 0;
                    }
                }
            }
            out[x] = px;
        }
    }
    if (src.icon) {
        // A 32-bit entry with a real alpha channel uses it; all others (and
        // 32-bit entries whose alpha is all zero) use the AND mask, where a
        // set bit is a transparent pixel.
        if (!(bpp == 32 && any_alpha)) {
            for (std::size_t r = 0; r < rows; ++r) {
                const std::size_t y = top_down ? r : rows - 1 - r;
                std::uint8_t* a = alpha.data() + y * static_cast<std::size_t>(w);
                const std::uint8_t* m =
                    with_mask ? d.data() + at + stride * rows + r * mask_stride : nullptr;
                for (std::int64_t x = 0; x < w; ++x)
                    a[x] = m && ((m[x >> 3] >> (7 - (x & 7))) & 1) ? 0 : 255;
            }
        }
        p.alpha = std::move(alpha);
    }
    return DecodeResult{std::move(p), {}};
}

}  // namespace vel
