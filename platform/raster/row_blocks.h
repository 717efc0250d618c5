#pragma once
// A set of pixels of a bitmap, row by row, in blocks of 16 pixels (one cache
// line of a row): marking a run costs a few bit operations, and a marked
// block costs about as much to go over as one pixel of it.
#include <cstdint>
#include <vector>

#include "platform/raster/bitmap.h"

namespace plat::raster {

class RowBlocks {
public:
    static constexpr int kBlock = 16;

    // Nothing marked, for a bitmap of width x height.
    void reset(int width, int height);
    bool empty() const { return m_top >= m_bottom; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Marks columns [x0, x1) of row y, cut to the bitmap.
    void add(int y, std::int64_t x0, std::int64_t x1);
    void add(Rect r);
    // The pixels within `pad` of the segment from (x1, y1) to (x2, y2): per
    // row, the columns the segment crosses in the rows `pad` above and below,
    // widened by `pad`.
    void add_segment(int x1, int y1, int x2, int y2, int pad);

    // Calls f(y, x0, x1) for every run of marked blocks, rows top to bottom,
    // runs left to right and apart from each other.
    template <typename F>
    void each(F&& f) const {
        for (int y = m_top; y < m_bottom; ++y) {
            const std::uint64_t* words = &m_bits[static_cast<std::size_t>(y) * m_words];
            int start = -1, end = -1;  // the run being gathered, in blocks
            for (int k = 0; k < m_words; ++k) {
                std::uint64_t w = words[k];
                while (w) {
                    const int s = __builtin_ctzll(w);
                    const std::uint64_t rest = ~(w >> s);
                    const int n = rest ? __builtin_ctzll(rest) : 64 - s;
                    const int b0 = k * 64 + s;
                    if (b0 != end) {
                        if (start >= 0) f(y, start * kBlock, columns(end));
                        start = b0;
                    }
                    end = b0 + n;
                    w = s + n >= 64 ? 0 : w & (~std::uint64_t{0} << (s + n));
                }
            }
            if (start >= 0) f(y, start * kBlock, columns(end));
        }
    }

private:
    int columns(int blocks) const { return blocks * kBlock < m_width ? blocks * kBlock : m_width; }

    int m_width = 0;
    int m_height = 0;
    int m_words = 0;  // per row
    int m_top = 0;    // rows [m_top, m_bottom) may hold marks
    int m_bottom = 0;
    std::vector<std::uint64_t> m_bits;
};

}  // namespace plat::raster
