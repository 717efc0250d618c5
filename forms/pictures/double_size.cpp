#include "forms/pictures/double_size.h"

#include <map>

#include "forms/pictures/picture.h"
#include "platform/fs/digest.h"

namespace vel {
namespace {

// A one-size picture by its digest: a few bytes an entry however large the
// picture.
using Key = plat::fs::Digest;

std::map<Key, DoubleSizeReader>& partners() {
    static std::map<Key, DoubleSizeReader> table;
    return table;
}

}  // namespace

void add_double_size(std::span<const std::uint8_t> one, std::vector<std::uint8_t> two) {
    add_double_size(one, [two = std::move(two)](std::span<const std::uint8_t>) { return two; });
}

void add_double_size(std::span<const std::uint8_t> one, DoubleSizeReader read) {
    partners()[plat::fs::digest_of(one)] = std::move(read);
}

std::shared_ptr<const plat::raster::Bitmap> double_size_for(std::span<const std::uint8_t> one,
                                                            int width, int height) {
    auto& table = partners();
    // Most pictures have no partner of their length: they are not hashed.
    const auto same_size = table.lower_bound(Key{one.size(), 0});
    if (one.empty() || same_size == table.end() || same_size->first.size != one.size())
        return nullptr;
    const auto it = table.find(plat::fs::digest_of(one));
    if (it == table.end()) return nullptr;
    DecodeResult r = decode_picture(it->second(one));
    if (!r || r.picture->width() != 2 * width || r.picture->height() != 2 * height) return nullptr;
    return std::make_shared<const plat::raster::Bitmap>(std::move(r.picture->image));
}

}  // namespace vel
