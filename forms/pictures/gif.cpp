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
std::string_view lzw(const std::vector<std::uint8_t>& codes, int min_size,
                     std::span<std::uint8_t> out) {
    std::array<std::uint16_t, 4096> prefix;
    std::array<std::uint8_t, 4096> suffix, first;
    std::array<std::uint16_t, 4096> length;
    const int clear = 1 << min_size, end = clear + 1;
    for (int i = 0; i < clear; ++i) {
        suffix[i] = first[i] = static_cast<std::uint8_t>(i);
        length[i] = 1;
        prefix[i] = 0;
    }
    int width = min_size + 1, next = clear + 2, prev = -1;
    std::uint32_t bits = 0;
    int nbits = 0;
    std::size_t in = 0, pos = 0;
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
        int emit = code;
        if (prev >= 0 && next < 4096) {
            // The new entry is prev's string plus the first byte of this one
            // (of prev itself when the code is the entry being defined).
            prefix[next] = static_cast<std::uint16_t>(prev);
            first[next] = first[prev];
            suffix[next] = code == next ? first[prev] : first[code];
            length[next] = static_cast<std::uint16_t>(length[prev] + 1);
            ++next;
            if (next >= (1 << width) && width < 12) ++width;
        } else if (code == next) {
            return "bad LZW code";  // at the table's end nothing can be defined
        }
        // Write the string backwards along its prefix chain, cut at the end.
        const std::size_t len = length[emit];
        std::size_t at = pos + len;
        for (int c = emit; at > pos; c = prefix[c]) {
            --at;
            if (at < total) out[at] = suffix[c];
        }
        pos += len;
        prev = code;
    }
    return pos >= total ? std::string_view{} : "truncated";
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
    p.image = plat::raster::Bitmap(sw, sh, plat::raster::to_colour(back));
    if (transparent >= 0) p.alpha.assign(static_cast<std::size_t>(sw) * sh, 0);
    // Interlaced rows come in four passes: every 8th from 0, every 8th from
    // 4, every 4th from 2, every 2nd from 1.
    static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    const bool interlaced = iflags & 0x40;
    const int cols = std::max(0, std::min(iw, sw - left));
    int src_row = 0;
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
        const int step = interlaced ? kStep[pass] : 1;
        for (int y = interlaced ? kStart[pass] : 0; y < ih; y += step, ++src_row) {
            const int cy = top + y;
            if (cy >= sh || cols == 0) continue;
            const std::uint8_t* in = indices.data() + static_cast<std::size_t>(src_row) * iw;
            std::uint32_t* out = p.image.row(cy) + left;
            for (int x = 0; x < cols; ++x) out[x] = pixel[in[x]];
            if (transparent >= 0) {
                std::uint8_t* a = p.alpha.data() + static_cast<std::size_t>(cy) * sw + left;
                for (int x = 0; x < cols; ++x) a[x] = in[x] == transparent ? 0 : 255;
            }
        }
    }
    p.palette = std::move(palette);
    return DecodeResult{std::move(p), {}};
}

}  // namespace vel
