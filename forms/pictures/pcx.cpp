// PCX: run-length encoded scan lines. 8 bits per pixel with one plane (the
// 256-colour table after a 0x0C byte at the end of the file) or three planes
// (red, green and blue lines); 1 bit per pixel with one plane (black and white).
#include <algorithm>

#include "forms/pictures/bytes.h"
#include "forms/pictures/picture.h"

namespace vel {

DecodeResult decode_pcx(std::span<const std::uint8_t> d) {
    using picture_bytes::le16;
    if (d.size() < 128 || d[0] != 0x0A) return DecodeResult::fail("not PCX");
    const int bpp = d[3], planes = d[65], encoding = d[2];
    const std::int64_t w = std::int64_t{le16(d, 8)} - le16(d, 4) + 1;
    const std::int64_t h = std::int64_t{le16(d, 10)} - le16(d, 6) + 1;
    const std::int64_t line = le16(d, 66);
    if (!picture_size_ok(w, h)) return DecodeResult::fail("bad size");
    if (!((bpp == 8 && (planes == 1 || planes == 3)) || (bpp == 1 && planes == 1)))
        return DecodeResult::fail("unsupported depth");
    if (line < (w * bpp + 7) / 8) return DecodeResult::fail("bad line length");
    const std::int64_t total = line * planes * h;
    // One run byte pair expands to at most 63 bytes: a size the data cannot
    // hold is refused before anything is allocated.
    const std::int64_t body = static_cast<std::int64_t>(d.size()) - 128;
    if (total > (encoding == 1 ? body * 63 / 2 + 63 : body)) return DecodeResult::fail("truncated");

    std::vector<std::uint8_t> raw(static_cast<std::size_t>(total));
    std::size_t in = 128, out = 0;
    if (encoding != 1) {
        std::copy_n(d.begin() + 128, total, raw.begin());
    } else {
        while (out < raw.size()) {
            if (in >= d.size()) return DecodeResult::fail("truncated");
            std::uint8_t b = d[in++];
            std::size_t n = 1;
            if ((b & 0xC0) == 0xC0) {
                if (in >= d.size()) return DecodeResult::fail("truncated");
                n = b & 0x3F;
                b = d[in++];
            }
            n = std::min(n, raw.size() - out);
            std::fill_n(raw.begin() + static_cast<std::ptrdiff_t>(out), n, b);
            out += n;
        }
    }

    std::uint32_t table[256];
    const bool tail = bpp == 8 && planes == 1 && d.size() >= 128 + 769 && d[d.size() - 769] == 0x0C;
    for (int i = 0; i < 256; ++i) {
        table[i] =
            tail ? picture_bytes::rgb_pixel(d[d.size() - 768 + 3 * i], d[d.size() - 767 + 3 * i],
                                            d[d.size() - 766 + 3 * i])
                 : static_cast<std::uint32_t>(i) * 0x010101u;  // no table: grey
    }
    Picture p;
    p.kind = bpp == 8 ? PictureKind::pcx8 : PictureKind::pcx1;
    p.image = plat::raster::Bitmap(static_cast<int>(w), static_cast<int>(h));
    for (std::int64_t y = 0; y < h; ++y) {
        const std::uint8_t* src = raw.data() + y * line * planes;
        std::uint32_t* dst = p.image.row(static_cast<int>(y));
        for (std::int64_t x = 0; x < w; ++x) {
            if (bpp == 1) {
                dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1 ? 0xFFFFFFu : 0u;
            } else if (planes == 1) {
                dst[x] = table[src[x]];
            } else {
                dst[x] = picture_bytes::rgb_pixel(src[x], src[line + x], src[2 * line + x]);
            }
        }
    }
    return DecodeResult{std::move(p), {}};
}

}  // namespace vel
