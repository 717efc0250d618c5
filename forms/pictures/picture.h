#pragma once
// Decoded pictures and the decoders that make them. A decoder either gives a
// Picture or a short reason ("not GIF", "truncated", "too large"); it never
// throws, never ends the process, and checks every size read from the data
// against a limit before allocating for it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/raster/bitmap.h"

namespace vel {

enum class PictureKind : int {
    none = 0,
    jpeg = 1,
    bmp = 2,
    icon = 3,
    cursor = 4,
    gif = 5,
    pcx8 = 6,
    pcx1 = 7,
};

struct Picture {
    PictureKind kind = PictureKind::none;
    plat::raster::Bitmap image;  // every kind is expanded to 32-bit pixels
    // Given by the picture table as it enters the picture, never twice: a
    // picture's pixels do not change afterwards, so drawings of the same id
    // drawn the same way are the same. 0 for a picture never entered.
    std::uint64_t id = 0;
    // Transparency where the format carries it (icon and cursor masks, the GIF
    // transparent index): one byte per pixel, 0 transparent ... 255 opaque.
    // Empty when every pixel is opaque.
    std::vector<std::uint8_t> alpha;
    // GIF: the colour table the image was decoded with (0x00BBGGRR) and the
    // transparent index of its graphic control extension, -1 when none.
    std::vector<plat::raster::Colour> palette;
    int transparent_index = -1;
    // The program's constant data it was decoded from (it outlives the
    // picture); empty for any other. It finds the picture's twice-size
    // partner (PictureTable::double_size), read only when first drawn on a
    // high-density screen.
    std::span<const std::uint8_t> constant_source;

    int width() const { return image.width(); }
    int height() const { return image.height(); }
};

struct DecodeResult {
    std::optional<Picture> picture;
    std::string_view reason;  // why there is no picture; static text

    explicit operator bool() const { return picture.has_value(); }
    static DecodeResult fail(std::string_view why) { return DecodeResult{std::nullopt, why}; }
};

// Limits every decoder checks before it allocates.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 24;  // 16 M pixels
inline constexpr std::int64_t kMaxPictureSide = 16384;
inline bool picture_size_ok(std::int64_t w, std::int64_t h) {
    return w >= 1 && h >= 1 && w <= kMaxPictureSide && h <= kMaxPictureSide &&
           w * h <= kMaxPicturePixels;
}

// The kind of a block of bytes from its first six bytes (fewer: none).
PictureKind sniff_picture(std::span<const std::uint8_t> data);

// Decodes any recognised kind.
DecodeResult decode_picture(std::span<const std::uint8_t> data);

DecodeResult decode_gif(std::span<const std::uint8_t> data);
DecodeResult decode_jpeg(std::span<const std::uint8_t> data);
DecodeResult decode_bmp(std::span<const std::uint8_t> data);
// Icons and cursors: the entry nearest to `preferred` pixels square (ties go
// to the larger entry), with its AND mask or alpha channel as `alpha`.
DecodeResult decode_icon(std::span<const std::uint8_t> data, int preferred = 32);
DecodeResult decode_pcx(std::span<const std::uint8_t> data);

}  // namespace vel
