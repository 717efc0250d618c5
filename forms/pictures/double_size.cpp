#include "forms/pictures/double_size.h"

#include <string_view>
#include <unordered_map>

#include "forms/pictures/picture.h"

namespace vel {
namespace {

struct Partner {
    std::vector<std::uint8_t> bytes;
    std::shared_ptr<const plat::raster::Bitmap> decoded;
    bool tried = false;
};

std::unordered_map<std::string, Partner>& partners() {
    static std::unordered_map<std::string, Partner> table;
    return table;
}

std::string key_of(std::span<const std::uint8_t> one) {
    return {reinterpret_cast<const char*>(one.data()), one.size()};
}

}  // namespace

void add_double_size(std::span<const std::uint8_t> one, std::vector<std::uint8_t> two) {
    partners()[key_of(one)] = Partner{std::move(two), nullptr, false};
}

std::shared_ptr<const plat::raster::Bitmap> double_size_for(std::span<const std::uint8_t> one,
                                                            int width, int height) {
    const auto it = partners().find(key_of(one));
    if (it == partners().end()) return nullptr;
    Partner& p = it->second;
    if (!p.tried) {
        p.tried = true;
        DecodeResult r = decode_picture(p.bytes);
        if (r)
            p.decoded = std::make_shared<const plat::raster::Bitmap>(std::move(r.picture->image));
    }
    if (!p.decoded || p.decoded->width() != 2 * width || p.decoded->height() != 2 * height)
        return nullptr;
    return p.decoded;
}

}  // namespace vel
