// GIFs written by a small LZW encoder here, decoded and compared pixel for
// pixel with the indices they were made from: long runs (strings that copy
// their own start), noise that fills the code table, odd widths (strings
// ending at the last pixel), transparency, interlacing and images smaller
// than their screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <unordered_map>
#include <vector>

#include "forms/pictures/picture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class BitWriter {
public:
    void put(int code, int width) {
        acc |= static_cast<std::uint64_t>(code) << n;
        n += width;
        while (n >= 8) {
            out.push_back(static_cast<std::uint8_t>(acc));
            acc >>= 8;
            n -= 8;
        }
    }
    Bytes finish() {
        if (n > 0) out.push_back(static_cast<std::uint8_t>(acc));
        return out;
    }

private:
    Bytes out;
    std::uint64_t acc = 0;
    int n = 0;
};

// With `clear_when_full` false the table stays full and codes stay 12 bits.
Bytes lzw_encode(const Bytes& idx, int min_size, bool clear_when_full) {
    const int clear = 1 << min_size, end = clear + 1;
    int width = min_size + 1, next = clear + 2;
    std::unordered_map<int, int> table;
    BitWriter w;
    w.put(clear, width);
    int prefix = idx[0];
    for (std::size_t i = 1; i < idx.size(); ++i) {
        const int key = prefix << 8 | idx[i];
        if (const auto it = table.find(key); it != table.end()) {
            prefix = it->second;
            continue;
        }
        w.put(prefix, width);
        if (next < 4096) {
            table[key] = next++;
            if (next > (1 << width) && width < 12) ++width;
        } else if (clear_when_full) {
            w.put(clear, width);
            table.clear();
            next = clear + 2;
            width = min_size + 1;
        }
        prefix = idx[i];
    }
    w.put(prefix, width);
    w.put(end, width < 12 && next + 1 > (1 << width) ? width + 1 : width);
    return w.finish();
}

struct Frame {
    int screen_w, screen_h, left, top, w, h;
    int bits;  // colour table of 1 << bits entries
    int transparent;
    bool interlaced;
};

constexpr std::uint32_t palette_pixel(int i) {
    return static_cast<std::uint32_t>(i) * 0x00030507u & 0x00FFFFFFu;  // 0x00RRGGBB
}

// `rows` are the image's rows top-down; the stream holds them in pass order
// when interlaced.
// `keep` cuts the code stream to that many bytes.
Bytes make_gif(const Frame& f, const std::vector<Bytes>& rows, bool clear_when_full,
               std::size_t keep = SIZE_MAX) {
    const int entries = 1 << f.bits;
    Bytes g = {'G', 'I', 'F', '8', '9', 'a'};
    auto le16 = [&g](int v) {
        g.push_back(static_cast<std::uint8_t>(v));
        g.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    le16(f.screen_w), le16(f.screen_h);
    g.insert(g.end(), {static_cast<std::uint8_t>(0x80 | (f.bits - 1)), 0, 0});
    for (int i = 0; i < entries; ++i) {
        const std::uint32_t p = palette_pixel(i);
        g.insert(g.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                           static_cast<std::uint8_t>(p)});
    }
    if (f.transparent >= 0)
        g.insert(g.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<std::uint8_t>(f.transparent), 0});
    g.push_back(0x2C);
    le16(f.left), le16(f.top), le16(f.w), le16(f.h);
    g.push_back(f.interlaced ? 0x40 : 0);
    Bytes stream;
    const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < (f.interlaced ? 4 : 1); ++pass)
        for (int y = f.interlaced ? starts[pass] : 0; y < f.h; y += f.interlaced ? steps[pass] : 1)
            stream.insert(stream.end(), rows[y].begin(), rows[y].end());
    const int min_size = std::max(2, f.bits);
    g.push_back(static_cast<std::uint8_t>(min_size));
    Bytes codes = lzw_encode(stream, min_size, clear_when_full);
    if (codes.size() > keep) codes.resize(keep);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
        g.push_back(static_cast<std::uint8_t>(n));
        g.insert(g.end(), codes.begin() + at, codes.begin() + at + n);
    }
    g.insert(g.end(), {0, 0x3B});
    return g;
}

enum class Fill { runs, noise, stripes };

struct Row {
    const char* name;
    Frame frame;
    Fill fill;
    bool clear_when_full;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.name;
}

class GifLzw : public ::testing::TestWithParam<Row> {};

TEST_P(GifLzw, DecodesEveryIndexItWasMadeFrom) {
    const Row& r = GetParam();
    const Frame& f = r.frame;
    std::mt19937 rng(42);
    const int colours = 1 << f.bits;
    std::vector<Bytes> rows(f.h, Bytes(f.w));
    for (int y = 0; y < f.h; ++y)
        for (int x = 0; x < f.w; ++x) {
            int v = 0;
            if (r.fill == Fill::noise) v = static_cast<int>(rng() % colours);
            if (r.fill == Fill::runs) v = (x / 37 + y / 5) % colours;
            if (r.fill == Fill::stripes) v = (x % 3 + y) % colours;
            rows[y][x] = static_cast<std::uint8_t>(v);
        }
    const vel::DecodeResult d = vel::decode_gif(make_gif(f, rows, r.clear_when_full));
    ASSERT_TRUE(d) << d.reason;
    const vel::Picture& p = *d.picture;
    ASSERT_EQ(p.width(), f.screen_w);
    ASSERT_EQ(p.height(), f.screen_h);
    ASSERT_EQ(p.alpha.size(), f.transparent >= 0 ? std::size_t(f.screen_w) * f.screen_h : 0u);
    int wrong = 0;
    for (int y = 0; y < f.screen_h; ++y)
        for (int x = 0; x < f.screen_w; ++x) {
            const int ix = x - f.left, iy = y - f.top;
            const bool inside = ix >= 0 && iy >= 0 && ix < f.w && iy < f.h;
            const int index = inside ? rows[iy][ix] : 0;  // outside: the background, index 0
            const std::uint32_t want = palette_pixel(index);
            const std::uint8_t want_alpha = inside && index != f.transparent ? 255 : 0;
            const std::uint32_t got = p.image.data()[std::size_t(y) * f.screen_w + x];
            const bool alpha_ok =
                f.transparent < 0 || p.alpha[std::size_t(y) * f.screen_w + x] == want_alpha;
            if ((got != want || !alpha_ok) && ++wrong <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << got << " want "
                              << want;
        }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, GifLzw,
    ::testing::Values(
        Row{"dial_sized_runs", {288, 284, 0, 0, 288, 284, 8, 255, false}, Fill::runs, true},
        Row{"dial_sized_noise_clears", {288, 284, 0, 0, 288, 284, 8, 7, false}, Fill::noise, true},
        Row{"noise_full_table_kept", {97, 61, 0, 0, 97, 61, 8, -1, false}, Fill::noise, false},
        Row{"two_colours_odd_width", {61, 7, 0, 0, 61, 7, 1, 1, false}, Fill::stripes, true},
        Row{"one_pixel", {1, 1, 0, 0, 1, 1, 2, -1, false}, Fill::runs, true},
        Row{"one_column_runs", {1, 300, 0, 0, 1, 300, 4, 3, false}, Fill::runs, true},
        Row{"sixteen_colours_opaque", {60, 60, 0, 0, 60, 60, 4, -1, false}, Fill::stripes, true},
        Row{"interlaced_whole", {45, 29, 0, 0, 45, 29, 4, 2, true}, Fill::noise, true},
        Row{"smaller_than_screen", {50, 40, 3, 5, 41, 30, 4, 2, false}, Fill::runs, true},
        Row{"interlaced_inside_screen", {50, 40, 2, 1, 44, 33, 8, -1, true}, Fill::noise, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(GifLzw, StreamCutShortFailsOnEveryPath) {
    // Whole, interlaced and inside-a-larger-screen images take different
    // paths; none may report a picture whose end was never decoded.
    const Frame frames[] = {{60, 60, 0, 0, 60, 60, 4, 3, false},
                            {60, 60, 0, 0, 60, 60, 4, -1, true},
                            {70, 60, 0, 0, 60, 60, 4, -1, false}};
    for (const Frame& f : frames) {
        std::vector<Bytes> rows(f.h, Bytes(f.w));
        for (int y = 0; y < f.h; ++y)
            for (int x = 0; x < f.w; ++x) rows[y][x] = static_cast<std::uint8_t>((x * 7 + y) % 16);
        EXPECT_TRUE(vel::decode_gif(make_gif(f, rows, true)));
        for (const std::size_t keep : {0u, 1u, 10u, 100u}) {
            const vel::DecodeResult d = vel::decode_gif(make_gif(f, rows, true, keep));
            EXPECT_FALSE(d) << "kept " << keep << " code bytes";
            EXPECT_EQ(d.reason, "truncated");
        }
    }
}

}  // namespace
