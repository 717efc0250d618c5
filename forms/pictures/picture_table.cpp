#include "forms/pictures/picture_table.h"

#include <limits>
#include <map>
#include <utility>
#include <vector>

#include "forms/pictures/double_size.h"
#include "library/blocks.h"
#include "library/memory.h"
#include "platform/fs/file.h"
#include "platform/fs/paths.h"

namespace vel {
namespace {

// A picture entered by value gets an id of its own: its pixels may differ
// from those of a picture it was copied from.
std::shared_ptr<const Picture> with_new_id(Picture picture) {
    static std::uint64_t ids = 0;
    picture.id = ++ids;
    return std::make_shared<const Picture>(std::move(picture));
}

}  // namespace

int PictureTable::add(Picture picture) {
    return add(with_new_id(std::move(picture)));
}

int PictureTable::add(std::shared_ptr<const Picture> picture) {
    // Skip numbers still in use after a wrap-around (and 0).
    while (m_next <= 0 || m_pictures.count(m_next)) {
        m_next = m_next == std::numeric_limits<int>::max() || m_next <= 0 ? 1 : m_next + 1;
    }
    const int number = m_next;
    m_next = number == std::numeric_limits<int>::max() ? 1 : number + 1;
    m_pictures.emplace(number, std::move(picture));
    return number;
}

const Picture* PictureTable::find(int number) const {
    const auto it = m_pictures.find(number);
    return it == m_pictures.end() ? nullptr : it->second.get();
}

std::shared_ptr<const Picture> PictureTable::share(int number) const {
    const auto it = m_pictures.find(number);
    return it == m_pictures.end() ? nullptr : it->second;
}

bool PictureTable::remove(int number) {
    const auto it = m_pictures.find(number);
    if (it == m_pictures.end()) return false;
    // The last share of a picture: what was kept for drawing it goes too.
    if (it->second.use_count() == 1) m_kept.erase(it->second->id);
    m_pictures.erase(it);
    return true;
}

void PictureTable::draw_keyed(plat::raster::Bitmap& dst, const Picture& picture,
                              plat::raster::Rect to, plat::raster::Colour key, bool dense) {
    namespace raster = plat::raster;
    const raster::Bitmap& src = source(picture, dense);
    const bool own_size = to.w == src.width() && to.h == src.height();
    if (picture.id != 0 && own_size) {
        const raster::KeyedRuns* runs = m_kept[picture.id].own_size.get(
            {key, src.width()}, [&] { return raster::keyed_runs(src, key); });
        if (runs) return raster::keyed_blit(dst, to.x, to.y, src, *runs);
    } else if (picture.id != 0) {
        const raster::ScaledKeyed* scaled = m_kept[picture.id].stretched.get(
            {to.w, to.h, key}, [&] { return raster::scale_keyed(src, to.w, to.h, key); });
        // Sizes beyond what is worth keeping are made empty.
        if (scaled && !scaled->image.empty())
            return raster::scaled_keyed_blit(dst, to.x, to.y, *scaled);
    }
    raster::transparent_blit(dst, to, src, {0, 0, src.width(), src.height()}, key,
                             own_size ? raster::Stretch::nearest : raster::Stretch::smooth);
}

std::shared_ptr<const plat::raster::Bitmap> PictureTable::double_size(const Picture& picture) {
    if (picture.id == 0 || picture.constant_source.empty()) return nullptr;
    auto& kept = m_kept[picture.id].double_size;
    if (!kept) kept = double_size_for(picture.constant_source, picture.width(), picture.height());
    return *kept;
}

const plat::raster::Bitmap& PictureTable::source(const Picture& picture, bool dense) {
    const auto partner = dense ? double_size(picture) : nullptr;
    return partner ? *partner : picture.image;
}

PictureTable& picture_table() {
    static PictureTable table;
    return table;
}

int load_picture_bytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || !is_static(bytes.data())) {
        DecodeResult r = decode_picture(bytes);
        return r ? picture_table().add(std::move(*r.picture)) : 0;
    }
    // Constant data never changes, so neither does what it decodes to.
    using Key = std::pair<const std::uint8_t*, std::size_t>;
    static std::map<Key, std::shared_ptr<const Picture>> decoded;
    const Key key{bytes.data(), bytes.size()};
    auto it = decoded.find(key);
    if (it == decoded.end()) {
        DecodeResult r = decode_picture(bytes);
        if (!r) return 0;
        r.picture->constant_source = bytes;
        it = decoded.emplace(key, with_new_id(std::move(*r.picture))).first;
    }
    return picture_table().add(it->second);
}

int load_picture_file(const char* gbk_path) {
    if (!gbk_path || !*gbk_path) return 0;
    const auto native = plat::fs::native_path(gbk_path);
    if (!native) return 0;
    const plat::fs::File f =
        plat::fs::File::open(*native, plat::fs::Access::read, plat::fs::Create::open_existing,
                             plat::fs::Share::share_all);
    const std::int64_t size = f.is_open() ? f.size() : -1;
    if (size <= 0 || size > kMaxPictureFileBytes) return 0;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (f.read_at(0, bytes.data(), bytes.size()) != size) return 0;
    return load_picture_bytes(bytes);
}

void cmd_load_picture(ResultRecord* result, int count, const ArgRecord* args) {
    int number = 0;
    if (count >= 1) {
        if (args[0].tag == TAG_BYTESET) {
            number = load_picture_bytes(byteset_span(args[0].as_ptr<const std::uint8_t>()));
        } else if (args[0].tag == TAG_TEXT) {
            number = load_picture_file(args[0].as_text());
        }
    }
    result->set_int(number);
}

void cmd_unload_picture(ResultRecord*, int count, const ArgRecord* args) {
    if (count >= 1 && is_numeric_tag(args[0].tag)) picture_table().remove(args[0].to_int());
}

}  // namespace vel
