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

// Where decoded output goes: one or two planes, each holding a per-index
// value (a pixel, an alpha byte or the index itself) for every decoded
// position. Every string in the LZW table is a copy of output already
// written, so on any such plane a string is emitted by copying an earlier run.
template <bool kPixels, bool kBytes>
struct Output {
    std::uint32_t* pixels = nullptr;
    const std::uint32_t* pixel_of = nullptr;  // 256 entries
    std::uint8_t* bytes = nullptr;
    const std::uint8_t* byte_of = nullptr;  // 256 entries
    std::size_t total = 0;

    void put(std::size_t at, int code) {
        // Codes below `clear` can pass 255 when the code size is above 8:
        // such an index keeps its low byte.
        if constexpr (kPixels) pixels[at] = pixel_of[code & 0xFF];
        if constexpr (kBytes) bytes[at] = byte_of[code & 0xFF];
    }

    // Copies n values from `from` to `to` (from < to), front to back, so a
    // run that overlaps its own source repeats as the decoder requires.
    void copy(std::size_t to, std::size_t from, std::size_t n) {
        const std::size_t room = total - to, apart = to - from;
        if (apart >= 8 && ((n + 7) & ~std::size_t{7}) <= room) return groups<8>(to, from, n);
        if (apart >= 4 && ((n + 3) & ~std::size_t{3}) <= room) return groups<4>(to, from, n);
        for (std::size_t i = 0; i < n; ++i) {
            if constexpr (kPixels) pixels[to + i] = pixels[from + i];
            if constexpr (kBytes) bytes[to + i] = bytes[from + i];
        }
    }

    // W values at a time, the last group running past the string into output
    // still to be written (and so overwritten later). A group never reads
    // what the same group writes: the source lies at least W positions back.
    template <std::size_t W>
    void groups(std::size_t to, std::size_t from, std::size_t n) {
        // Each plane on its own: a plane that is not written has no
        // pointer to step through.
        if constexpr (kPixels) copy_groups<W>(pixels + to, pixels + from, n);
        if constexpr (kBytes) copy_groups<W>(bytes + to, bytes + from, n);
    }

    template <std::size_t W, typename T>
    static void copy_groups(T* to, const T* from, std::size_t n) {
        for (std::size_t k = (n + W - 1) / W; k > 0; --k) {
            T v[W];
            std::memcpy(v, from, sizeof v);
            std::memcpy(to, v, sizeof v);
            from += W, to += W;
        }
    }
};

// Decodes LZW `codes` (the first `size` bytes hold data, followed by at least
// eight bytes of padding) into exactly `out.total` values. A stream that ends
// early, or holds a code not yet defined, is a failure.
//
// An entry is kept as the position and length of the earlier output it
// copies (the string of the previous code plus one value).
template <typename Out>
std::string_view lzw(const std::uint8_t* codes, std::size_t size, int min_size, Out& out) {
    std::array<std::uint32_t, 4096> start;
    std::array<std::uint16_t, 4096> length;
    const int clear = 1 << min_size, end = clear + 1;
    for (int i = 0; i < clear; ++i) length[i] = 1;
    int width = min_size + 1, next = clear + 2, prev = -1;
    std::uint32_t mask = (1u << width) - 1;
    const std::uint64_t limit = static_cast<std::uint64_t>(size) * 8;
    std::uint64_t bit = 0;
    std::size_t pos = 0, prev_pos = 0;
    const std::size_t total = out.total;
    while (pos < total) {
        if (bit + width > limit) return "truncated";
        std::uint64_t word;
        std::memcpy(&word, codes + (bit >> 3), 8);  // the padding keeps this inside
        const int code = static_cast<int>((word >> (bit & 7)) & mask);
        bit += width;
        if (code == clear) {
            width = min_size + 1;
            mask = (1u << width) - 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end) break;
        if (code > next || (prev < 0 && code >= clear)) return "bad LZW code";
        if (prev >= 0 && next < 4096) {
            // The new entry: prev's string and the value after it in the
            // output (this code's first value, written just below).
            start[next] = static_cast<std::uint32_t>(prev_pos);
            length[next] = static_cast<std::uint16_t>(length[prev] + 1);
            ++next;
            if (next > static_cast<int>(mask) && width < 12) mask = (1u << ++width) - 1;
        } else if (code == next) {
            return "bad LZW code";  // at the table's end nothing can be defined
        }
        const std::size_t len = length[code];
        if (code < clear) {
            out.put(pos, code);
        } else {
            out.copy(pos, start[code], std::min(len, total - pos));
        }
        prev_pos = pos;
        pos += len;
        prev = code;
    }
    return pos >= total ? std::string_view{} : "truncated";
}

// Per-call buffers kept between calls: the same pictures are often decoded
// again and again.
struct Scratch {
    std::vector<std::uint8_t> codes;
    std::vector<std::uint8_t, plat::raster::NoInitAllocator<std::uint8_t>> indices;
};
// Hands the buffers out for one decode; what a large picture needed is given
// back afterwards instead of staying with the thread.
class ScratchUse {
public:
    ScratchUse() : m_s(storage()) {}
    ~ScratchUse() {
        constexpr std::size_t kKeep = std::size_t{1} << 20;
        if (m_s.codes.capacity() > kKeep) m_s.codes = {};
        if (m_s.indices.capacity() > kKeep) m_s.indices = {};
    }
    ScratchUse(const ScratchUse&) = delete;
    ScratchUse& operator=(const ScratchUse&) = delete;
    Scratch* operator->() { return &m_s; }

private:
    static Scratch& storage() {
        thread_local Scratch s;
        return s;
    }
    Scratch& m_s;
};

constexpr std::array<std::uint8_t, 256> kSameIndex = [] {
    std::array<std::uint8_t, 256> a{};
    for (int i = 0; i < 256; ++i) a[i] = static_cast<std::uint8_t>(i);
    return a;
}();

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
    ScratchUse buf;
    std::vector<std::uint8_t>& codes = buf->codes;
    codes.clear();
    if (sub_blocks(d, at, &codes) == 0) return DecodeResult::fail("truncated");
    const std::size_t code_bytes = codes.size();
    codes.resize(code_bytes + 8);  // lets the code reader load eight bytes at a time
    const std::int64_t n_codes = static_cast<std::int64_t>(code_bytes) * 8 / (min_size + 1);
    const std::int64_t most = std::min(n_codes * (n_codes + 1) / 2, n_codes * 4096);
    if (std::int64_t{iw} * ih > most) return DecodeResult::fail("truncated");

    std::array<std::uint32_t, 256> pixel{};
    for (std::size_t i = 0; i < palette.size() && i < 256; ++i)
        pixel[i] = plat::raster::to_pixel(palette[i]);
    std::array<std::uint8_t, 256> opacity;
    opacity.fill(255);
    if (transparent >= 0) opacity[static_cast<std::size_t>(transparent)] = 0;

    Picture p;
    p.kind = PictureKind::gif;
    p.transparent_index = transparent;
    const bool interlaced = iflags & 0x40;
    const bool whole = left == 0 && top == 0 && iw == sw && ih == sh;
    std::string_view why;
    if (whole && !interlaced) {
        // The image is the screen, row by row: decode straight into the
        // pixels (and the alpha), which are then written exactly once each.
        p.image = plat::raster::Bitmap(sw, sh, plat::raster::kUnfilled);
        if (transparent >= 0) p.alpha.resize(static_cast<std::size_t>(sw) * sh);
        Output<true, false> plain{p.image.data(), pixel.data(), nullptr, nullptr,
                                  static_cast<std::size_t>(sw) * sh};
        Output<true, true> keyed{p.image.data(), pixel.data(), p.alpha.data(), opacity.data(),
                                 plain.total};
        why = transparent >= 0 ? lzw(codes.data(), code_bytes, min_size, keyed)
                               : lzw(codes.data(), code_bytes, min_size, plain);
        if (!why.empty()) return DecodeResult::fail(why);
        p.palette = std::move(palette);
        return DecodeResult{std::move(p), {}};
    }

    auto& indices = buf->indices;
    indices.resize(static_cast<std::size_t>(iw) * ih);
    Output<false, true> index_out{nullptr, nullptr, indices.data(), kSameIndex.data(),
                                  indices.size()};
    why = lzw(codes.data(), code_bytes, min_size, index_out);
    if (!why.empty()) return DecodeResult::fail(why);

    const std::uint32_t back =
        (flags & 0x80) && background < static_cast<int>(palette.size()) ? pixel[background] : 0;
    if (whole) {
        p.image = plat::raster::Bitmap(sw, sh, plat::raster::kUnfilled);
        if (transparent >= 0) p.alpha.resize(static_cast<std::size_t>(sw) * sh);
    } else {
        p.image = plat::raster::Bitmap(sw, sh, plat::raster::to_colour(back));
        if (transparent >= 0) p.alpha.assign(static_cast<std::size_t>(sw) * sh, 0);
    }
    // Interlaced rows come in four passes: every 8th from 0, every 8th from
    // 4, every 4th from 2, every 2nd from 1.
    static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
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
