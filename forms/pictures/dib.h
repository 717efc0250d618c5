#pragma once
// The device-independent bitmap shared by BMP files and icon entries.
#include <cstddef>
#include <span>

#include "forms/pictures/picture.h"

namespace vel {

struct DibSource {
    std::span<const std::uint8_t> data;  // starts at the info header
    // Offset of the pixel rows from the start of `data`; 0 = right after the
    // header, masks and colour table.
    std::size_t pixels_at = 0;
    // Icon entries: the height counts the image and its AND mask, and the
    // mask (and a 32-bit image's alpha) gives `alpha`.
    bool icon = false;
};

DecodeResult decode_dib(const DibSource& source, PictureKind kind);

}  // namespace vel
