// Icon and cursor files: a directory of entries, each a device-independent
// bitmap with a doubled height (image, then AND mask) or a PNG stream.
#include <cstdlib>
#include <cstring>

#include "forms/pictures/bytes.h"
#include "forms/pictures/dib.h"

namespace vel {

DecodeResult decode_icon(std::span<const std::uint8_t> d, int preferred) {
    using picture_bytes::le16;
    using picture_bytes::le32;
    if (d.size() < 6 || le16(d, 0) != 0 || (le16(d, 2) != 1 && le16(d, 2) != 2))
        return DecodeResult::fail("not an icon");
    const PictureKind kind = le16(d, 2) == 1 ? PictureKind::icon : PictureKind::cursor;
    const std::size_t count = le16(d, 4);
    if (count == 0) return DecodeResult::fail("no images");
    if (!picture_bytes::has(d, 6, 16 * count)) return DecodeResult::fail("truncated");
    // Nearest to the preferred size; on a tie the larger entry, then the one
    // with more data (more colours). PNG entries are not decoded here.
    int best = -1;
    long best_distance = 0, best_side = 0;
    std::uint32_t best_bytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t e = 6 + 16 * i;
        const long w = d[e] ? d[e] : 256, h = d[e + 1] ? d[e + 1] : 256;
        const std::uint32_t bytes = le32(d, e + 8), at = le32(d, e + 12);
        if (!picture_bytes::has(d, at, 8) || bytes < 8) continue;
        if (std::memcmp(d.data() + at, "\x89PNG", 4) == 0) continue;
        const long distance = std::labs(w - preferred) + std::labs(h - preferred);
        const long side = w + h;
        if (best < 0 || distance < best_distance ||
            (distance == best_distance &&
             (side > best_side || (side == best_side && bytes > best_bytes)))) {
            best = static_cast<int>(i);
            best_distance = distance, best_side = side, best_bytes = bytes;
        }
    }
    if (best < 0) return DecodeResult::fail("no usable image");
    const std::size_t e = 6 + 16 * static_cast<std::size_t>(best);
    const std::uint32_t at = le32(d, e + 12);
    // An entry claiming more bytes than the file holds gets what is there.
    const std::size_t bytes = std::min<std::size_t>(le32(d, e + 8), d.size() - at);
    return decode_dib(DibSource{d.subspan(at, bytes), 0, true}, kind);
}

}  // namespace vel
