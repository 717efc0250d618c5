#include <cstring>

#include "forms/pictures/picture.h"

namespace vel {

PictureKind sniff_picture(std::span<const std::uint8_t> d) {
    if (d.size() < 6) return PictureKind::none;
    if (d[0] == 'B' && d[1] == 'M') return PictureKind::bmp;
    if (d[0] == 0xFF && d[1] == 0xD8) return PictureKind::jpeg;
    const bool images = (d[4] | d[5]) != 0;
    if (d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0 && images) return PictureKind::icon;
    if (d[0] == 0 && d[1] == 0 && d[2] == 2 && d[3] == 0 && images) return PictureKind::cursor;
    if (std::memcmp(d.data(), "GIF87a", 6) == 0 || std::memcmp(d.data(), "GIF89a", 6) == 0)
        return PictureKind::gif;
    if (d[0] == 0x0A && d[1] <= 5 && d[2] == 1 && d[3] == 8) return PictureKind::pcx8;
    if (d[0] == 0x0A && d[1] == 3 && d[2] == 1 && d[3] == 1) return PictureKind::pcx1;
    return PictureKind::none;
}

DecodeResult decode_picture(std::span<const std::uint8_t> data) {
    switch (sniff_picture(data)) {
        case PictureKind::jpeg:
            return decode_jpeg(data);
        case PictureKind::bmp:
            return decode_bmp(data);
        case PictureKind::icon:
        case PictureKind::cursor:
            return decode_icon(data);
        case PictureKind::gif:
            return decode_gif(data);
        case PictureKind::pcx8:
        case PictureKind::pcx1:
            return decode_pcx(data);
        case PictureKind::none:
            break;
    }
    return DecodeResult::fail("not a picture");
}

}  // namespace vel
