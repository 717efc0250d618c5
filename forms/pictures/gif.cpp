// GIF 87a / 89a: the logical screen, the global or local colour table, the
// first image (interlaced or not) and the transparent index of the graphic
// control extension before it.
#include <algorithm>
#include <array>
#include <cstring>

#include "forms/pictures/bytes.h"
#include "forms/pictures/picture.h"

namespace vel {
namespace {

using picture_bytes::has;
using picture_bytes::le16;
using Data = std::span<const std::uint8_t>;

// Reads a chain of data sub-blocks starting at `at`; appends their bytes to
// `out` when given. Returns the offset after the terminator, 0 when cut off.
std::size_t sub_blocks(Data d, std::size_t at, std::vector<std::uint8_t>* out) {
    while (at < d.size()) {
        const std::size_t n = d[at++];
        if (n == 0) return at;
        if (!has(d, at, n)) return 0;
        if (out) out->insert(out->end(), d.begin() + at, d.begin() + at + n);
        at += n;
    }
    return 0;
}

// Decodes LZW `codes` into exactly `out.size()` indices. A stream that ends
// early, or holds a code not yet defined, is a failure.
//
// Every string in the table is a copy of output already written (the string
// of the previous code plus one byte), so an entry is kept as the position
// and length of that earlier output, and emitting it is one block copy.
std::string_view lzw(const std::vector<std::uint8_t>& codes, int min_size,
                     std::span<std::uint8_t> out) {
    std::array<std::uint32_t, 4096> start;
    std::array<std::uint16_t, 4096> length;
    const int clear = 1 << min_size, end = clear + 1;
    for (int i = 0; i < clear; ++i) length[i] = 1;
    int width = min_size + 1, next = clear + 2, prev = -1;
    std::uint32_t bits = 0;
    int nbits = 0;
    std::size_t in = 0, pos = 0, prev_pos = 0;
    const std::size_t total = out.size();
    while (pos < total) {
        while (nbits < width) {
            if (in >= codes.size()) return "truncated";
            bits |= static_cast<std::uint32_t>(codes[in++]) << nbits;
            nbits += 8;
        }
        const int code = static_cast<int>(bits & ((1u << width) - 1));
        bits >>= width;
        nbits -= width;
        if (code == clear) {
            width = min_size + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end) break;
        if (code > next || (prev < 0 && code >= clear)) return "bad LZW code";
        if (prev >= 0 && next < 4096) {
            // The new entry: prev's string and the byte after it in the output
            // (this code's first byte, written just below).
            start[next] = static_cast<std::uint32_t>(prev_pos);
            length[next] = static_cast<std::uint16_t>(length[prev] + 1);
            ++next;
            if (next >= (1 << width) && width < 12) ++width;
        } else if (code == next) {
            return "bad LZW code";  // at the table's end nothing can be defined
        }
        const std::size_t len = length[code];
        const std::size_t n = std::min(len, total - pos);
        std::uint8_t* dst = out.data() + pos;
        if (code < clear) {
            *dst = static_cast<std::uint8_t>(code);
        } else if (start[code] + len > pos) {
            // The entry just defined ends with its own first byte: copy
            // forwards so that byte is written before it is read.
            const std::uint8_t* src = out.data() + start[code];
            for (std::size_t i = 0; i < n; ++i) dst[i] = src[i];
        } else {
            std::memcpy(dst, out.data() + start[code], n);
        }
        prev_pos = pos;
        pos += len;
        prev = code;
    }
    return pos >= total ? std::string_view{} : "truncated";
}

// Indices to pixels; restrict lets the compiler keep the loop tight (the
// byte pointers could otherwise alias everything).
void expand_row(const std::uint8_t* __restrict in, std::uint32_t* __restrict out,
                const std::uint32_t* __restrict pixel, int n) {
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        out[x] = pixel[in[x]];
        out[x + 1] = pixel[in[x + 1]];
        out[x + 2] = pixel[in[x + 2]];
        out[x + 3] = pixel[in[x + 3]];
    }
    for (; x < n; ++x) out[x] = pixel[in[x]];
}
// Alpha 0 where the index is the transparent one, else 255; eight at a time
// (a byte of (v ^ key) is zero exactly where the index equals the key).
void mark_row(const std::uint8_t* __restrict in, std::uint8_t* __restrict alpha, std::uint8_t key,
              int n) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t keys = key * 0x0101010101010101ull;
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        std::uint64_t v;
        std::memcpy(&v, in + x, 8);
        v ^= keys;
        const std::uint64_t zero = ~(((v & kLow7) + kLow7) | v | kLow7);  // 0x80 per zero byte
        const std::uint64_t opaque = ~((zero >> 7) * 0xFF);
        std::memcpy(alpha + x, &opaque, 8);
    }
    for (; x < n; ++x) alpha[x] = in[x] == key ? 0 : 255;
}

std::vector<plat::raster::Colour> read_table(Data d, std::size_t at, int entries) {
    std::vector<plat::raster::Colour> t(static_cast<std::size_t>(entries));
    for (int i = 0; i < entries; ++i) {
        const std::size_t o = at + 3 * static_cast<std::size_t>(i);
        t[i] = d[o] | d[o + 1] << 8 | d[o + 2] << 16;  // 0x00BBGGRR
    }
    return t;
}

}  // namespace

DecodeResult decode_gif(Data d) {
    if (d.size() <= 13 ||
        (std::memcmp(d.data(), "GIF87a", 6) && std::memcmp(d.data(), "GIF89a", 6)))
        return DecodeResult::fail("not GIF");
    const int sw = le16(d, 6), sh = le16(d, 8), flags = d[10], background = d[11];
    if (!picture_size_ok(sw, sh)) return DecodeResult::fail("bad size");
    std::size_t at = 13;
    std::vector<plat::raster::Colour> global;
    if (flags & 0x80) {
        const int n = 2 << (flags & 7);
        if (!has(d, at, 3 * static_cast<std::size_t>(n))) return DecodeResult::fail("truncated");
        global = read_table(d, at, n);
        at += 3 * static_cast<std::size_t>(n);
    }
    int transparent = -1;
    // Blocks up to the first image.
    while (true) {
        if (at >= d.size()) return DecodeResult::fail("truncated");
        const std::uint8_t block = d[at++];
        if (block == 0x2C) break;
        if (block == 0x3B) return DecodeResult::fail("no image");
        if (block != 0x21 || at >= d.size()) return DecodeResult::fail("bad block");
        const std::uint8_t label = d[at++];
        if (label == 0xF9 && has(d, at, 5) && d[at] == 4) {
            transparent = (d[at + 1] & 1) ? d[at + 4] : -1;
        }
        at = sub_blocks(d, at, nullptr);
        if (at == 0) return DecodeResult::fail("truncated");
    }
    if (!has(d, at, 10)) return DecodeResult::fail("truncated");
    const int left = le16(d, at), top = le16(d, at + 2);
    const int iw = le16(d, at + 4), ih = le16(d, at + 6), iflags = d[at + 8];
    at += 9;
    std::vector<plat::raster::Colour> palette = std::move(global);
    if (iflags & 0x80) {
        const int n = 2 << (iflags & 7);
        if (!has(d, at, 3 * static_cast<std::size_t>(n))) return DecodeResult::fail("truncated");
        palette = read_table(d, at, n);
        at += 3 * static_cast<std::size_t>(n);
    }
    if (palette.empty()) {  // no table at all: a grey ramp
        for (int i = 0; i < 256; ++i)
            palette.push_back(static_cast<plat::raster::Colour>(i * 0x010101));
    }
    if (at >= d.size()) return DecodeResult::fail("truncated");
    const int min_size = d[at++];
    if (min_size < 1 || min_size > 11) return DecodeResult::fail("bad LZW code size");
    if (!picture_size_ok(iw, ih)) return DecodeResult::fail("bad image size");
    // A code of at least min_size + 1 bits yields at most one more byte than
    // the code before it: bound the image by what the data could hold before
    // allocating for it.
    std::vector<std::uint8_t> codes;
    codes.reserve(d.size() - at);
    if (sub_blocks(d, at, &codes) == 0) return DecodeResult::fail("truncated");
    const std::int64_t n_codes = static_cast<std::int64_t>(codes.size()) * 8 / (min_size + 1);
    const std::int64_t most = std::min(n_codes * (n_codes + 1) / 2, n_codes * 4096);
    if (std::int64_t{iw} * ih > most) return DecodeResult::fail("truncated");

    // The screen around the image is not described by the data: a screen
    // far larger than its image is taken for a forged size.
    const std::int64_t screen = std::int64_t{sw} * sh;
    if (screen > (std::int64_t{1} << 20) && screen > std::int64_t{64} * iw * ih)
        return DecodeResult::fail("bad size");

    std::vector<std::uint8_t> indices(static_cast<std::size_t>(iw) * ih);
    if (const std::string_view why = lzw(codes, min_size, indices); !why.empty())
        return DecodeResult::fail(why);

    Picture p;
    p.kind = PictureKind::gif;
    p.transparent_index = transparent;
    std::array<std::uint32_t, 256> pixel{};
    for (std::size_t i = 0; i < palette.size() && i < 256; ++i)
        pixel[i] = plat::raster::to_pixel(palette[i]);
    const std::uint32_t back =
        (flags & 0x80) && background < static_cast<int>(palette.size()) ? pixel[background] : 0;
    p.image = plat::raster::Bitmap(sw, sh);
    if (left != 0 || top != 0 || iw < sw || ih < sh) p.image.fill(plat::raster::to_colour(back));
    if (transparent >= 0) p.alpha.assign(static_cast<std::size_t>(sw) * sh, 0);
    // Interlaced rows come in four passes: every 8th from 0, every 8th from
    // 4, every 4th from 2, every 2nd from 1.
    static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    const bool interlaced = iflags & 0x40;
    const int cols = std::max(0, std::min(iw, sw - left));
    const std::uint8_t key = static_cast<std::uint8_t>(transparent);
    int src_row = 0;
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
        const int step = interlaced ? kStep[pass] : 1;
        for (int y = interlaced ? kStart[pass] : 0; y < ih; y += step, ++src_row) {
            const int cy = top + y;
            if (cy >= sh || cols == 0) continue;
            expand_row(indices.data() + static_cast<std::size_t>(src_row) * iw,
                       p.image.row(cy) + left, pixel.data(), cols);
            if (transparent >= 0)
                mark_row(indices.data() + static_cast<std::size_t>(src_row) * iw,
                         p.alpha.data() + static_cast<std::size_t>(cy) * sw + left, key, cols);
        }
    }
    p.palette = std::move(palette);
    return DecodeResult{std::move(p), {}};
}

}  // namespace vel
