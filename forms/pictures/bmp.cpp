// BMP files: a 14-byte file header before a device-independent bitmap.
#include "forms/pictures/bytes.h"
#include "forms/pictures/dib.h"

namespace vel {

DecodeResult decode_bmp(std::span<const std::uint8_t> d) {
    if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return DecodeResult::fail("not BMP");
    const std::uint32_t offset = picture_bytes::le32(d, 10);
    if (offset < 14 + 12 || offset >= d.size()) return DecodeResult::fail("bad pixel offset");
    return decode_dib(DibSource{d.subspan(14), offset - 14, false}, PictureKind::bmp);
}

}  // namespace vel
