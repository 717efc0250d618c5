#pragma once
// Pictures shipped with a partner made at twice their size: drawn on a
// high-density screen from the partner's own pixels rather than enlarged.
// Partners are known by the bytes of the one-size picture, so a file the
// user replaced finds none and is scaled from its own pixels.
//
// The table holds a digest of each one-size picture and a way to read its
// partner, not the pictures themselves: a partner is read and decoded only
// when a drawing at a ratio above 1 asks for it, and whoever asked keeps it.
// User-interface thread only.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/raster/bitmap.h"

namespace vel {

// Gives the encoded bytes of the partner of the one-size picture `one`;
// empty when it has none after all (its file is no longer the shipped one).
using DoubleSizeReader =
    std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t> one)>;

// Makes `two` (encoded picture bytes) the partner of pictures whose bytes
// are `one`. A later call for the same `one` replaces it.
void add_double_size(std::span<const std::uint8_t> one, std::vector<std::uint8_t> two);
// The same with the partner read by `read` when first needed.
void add_double_size(std::span<const std::uint8_t> one, DoubleSizeReader read);
// The partner of a picture with bytes `one`, read and decoded now: null
// when it has none, or when the partner does not decode to exactly twice
// `width` x `height`.
std::shared_ptr<const plat::raster::Bitmap> double_size_for(std::span<const std::uint8_t> one,
                                                            int width, int height);

}  // namespace vel
