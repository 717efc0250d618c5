#include "forms/pictures/double_size.h"

#include <compare>
#include <map>

#include "forms/pictures/picture.h"

namespace vel {
namespace {

// A one-size picture by its length and FNV-1a hash: a few bytes an entry
// however large the picture, and a different file (one the user put in its
// place) never matches but by a 64-bit accident.
struct Key {
    std::size_t size = 0;
    std::uint64_t hash = 0;
    auto operator<=>(const Key&) const = default;
};

std::uint64_t fnv1a(std::span<const std::uint8_t> bytes) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const std::uint8_t b : bytes) h = (h ^ b) * 0x100000001b3u;
    return h;
}

std::map<Key, DoubleSizeReader>& partners() {
    static std::map<Key, DoubleSizeReader> table;
    return table;
}

}  // namespace

void add_double_size(std::span<const std::uint8_t> one, std::vector<std::uint8_t> two) {
    add_double_size(one, [two = std::move(two)](std::span<const std::uint8_t>) { return two; });
}

void add_double_size(std::span<const std::uint8_t> one, DoubleSizeReader read) {
    partners()[Key{one.size(), fnv1a(one)}] = std::move(read);
}

std::shared_ptr<const plat::raster::Bitmap> double_size_for(std::span<const std::uint8_t> one,
                                                            int width, int height) {
    auto& table = partners();
    // Most pictures have no partner of their length: they are not hashed.
    const auto same_size = table.lower_bound(Key{one.size(), 0});
    if (one.empty() || same_size == table.end() || same_size->first.size != one.size())
        return nullptr;
    const auto it = table.find(Key{one.size(), fnv1a(one)});
    if (it == table.end()) return nullptr;
    DecodeResult r = decode_picture(it->second(one));
    if (!r || r.picture->width() != 2 * width || r.picture->height() != 2 * height) return nullptr;
    return std::make_shared<const plat::raster::Bitmap>(std::move(r.picture->image));
}

}  // namespace vel
