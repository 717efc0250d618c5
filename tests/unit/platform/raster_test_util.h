#pragma once
// Helpers for pixel tests: count and locate pixels of one colour.
#include <algorithm>
#include <string>

#include "platform/raster/bitmap.h"

namespace raster_test {

using plat::raster::Bitmap;
using plat::raster::Colour;

inline int count(const Bitmap& bm, Colour c) {
    int n = 0;
    for (int y = 0; y < bm.height(); ++y)
        for (int x = 0; x < bm.width(); ++x) n += bm.pixel(x, y) == c;
    return n;
}

// Bounding box of the pixels of colour c as "l,t-r,b" (inclusive), "" if none.
inline std::string bounds(const Bitmap& bm, Colour c) {
    int l = bm.width(), t = bm.height(), r = -1, b = -1;
    for (int y = 0; y < bm.height(); ++y)
        for (int x = 0; x < bm.width(); ++x)
            if (bm.pixel(x, y) == c) {
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
            }
    if (r < 0) return "";
    return std::to_string(l) + "," + std::to_string(t) + "-" + std::to_string(r) + "," +
           std::to_string(b);
}

}  // namespace raster_test
