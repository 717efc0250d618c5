#pragma once
// Block transfers between bitmaps: plain, stretched and transparent.
//
// The destination rectangle receives the source rectangle scaled to fit.
// Both rectangles may reach outside their bitmaps: destination pixels that
// fall outside the destination, or whose source falls outside the source,
// are left alone. Rectangles with a width or height of 0 or less draw
// nothing. Source and destination may be the same bitmap, overlapping.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/raster/bitmap.h"
#include "platform/raster/mix.h"

namespace plat::raster {

enum class Stretch {
    nearest,  // each destination pixel takes the source pixel under its centre
    smooth,   // each destination pixel averages the source area it covers
};

void stretch_blit(Bitmap& dst, Rect dst_rect, const Bitmap& src, Rect src_rect,
                  CopyMode mode = CopyMode::copy, Stretch quality = Stretch::nearest);

// Like a plain stretch_blit, except that source pixels of colour `key`
// (0x00BBGGRR) are left out: the destination keeps its own pixel there.
// With Stretch::smooth a destination pixel is drawn when at most half of the
// source area it covers is `key`, in the average of the other pixels there.
void transparent_blit(Bitmap& dst, Rect dst_rect, const Bitmap& src, Rect src_rect, Colour key,
                      Stretch quality = Stretch::nearest);

// Where a bitmap is not of one key colour, row by row: a picture drawn often
// at its own size with that key then costs only its drawn pixels.
struct KeyedRuns {
    Colour key = kNoColour;
    struct Run {
        std::int32_t x;
        std::int32_t length;
    };
    std::vector<Run> runs;
    std::vector<std::uint32_t> row_start;  // per row: its first run; one more at the end
    // The runs' pixels one after another: read in one sweep, not from all
    // over a picture that has left the cache since the last second.
    std::vector<std::uint32_t> pixels;
};
KeyedRuns keyed_runs(const Bitmap& src, Colour key);
// The same as transparent_blit(dst, {x, y, src.width(), src.height()},
// src, whole source, runs.key), given the runs of `src` for that key.
void keyed_blit(Bitmap& dst, int x, int y, const Bitmap& src, const KeyedRuns& runs);

// A picture smoothly stretched to one size with a key colour left out, made
// once for a picture drawn that way many times. The drawn pixels do not
// depend on where the picture lands, only on the size.
struct ScaledKeyed {
    Colour key = kNoColour;
    Bitmap image;                     // the picture at the drawn size
    std::vector<std::uint8_t> drawn;  // per pixel: 1 where the copy draws
};
// Largest drawn size worth keeping.
inline constexpr std::int64_t kMaxScaledKeyedPixels = 65536;
// Empty image when w x h is beyond kMaxScaledKeyedPixels or not a bitmap size.
ScaledKeyed scale_keyed(const Bitmap& src, int w, int h, Colour key);
// The same as transparent_blit(dst, {x, y, w, h}, src, whole source, key,
// Stretch::smooth) for the w x h and key `scaled` was made for.
void scaled_keyed_blit(Bitmap& dst, int x, int y, const ScaledKeyed& scaled);

// Copies `area` of `src` to the same place in `dst`, clipped to both.
void copy_area(Bitmap& dst, const Bitmap& src, Rect area);

// Copies `from` of `src` to (x, y) of `dst`, clipped to both, and gives the
// boxes of `dst` that may have changed (none when nothing did). A plain copy
// between two bitmaps writes only the pixels that differ and gives few boxes
// around them; any other copy gives its whole clipped block.
std::vector<Rect> copy_block(Bitmap& dst, int x, int y, const Bitmap& src, Rect from,
                             CopyMode mode = CopyMode::copy);

// Copies a row of `n` pixels, writing only those that differ, and gives the
// columns [first, last) that changed (first >= last when none did).
std::pair<int, int> copy_changed(const std::uint32_t* in, std::uint32_t* out, int n);

}  // namespace plat::raster
