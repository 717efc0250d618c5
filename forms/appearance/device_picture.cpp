#include "forms/appearance/device_picture.h"

#include <cstdint>
#include <vector>

#include "forms/pictures/picture_table.h"
#include "platform/raster/blit.h"

namespace vel {

using plat::raster::Bitmap;
using plat::raster::Colour;
using plat::raster::Rect;

namespace {

// The table keeps the partner while the picture is loaded.
const Bitmap& source_of(const Picture& picture) {
    const auto partner = picture_table().double_size(picture);
    return partner ? *partner : picture.image;
}

// One way of drawing a picture: its id, drawn size and key. A picture's
// pixels never change under its id, so what was made stays right.
struct Kept {
    std::uint64_t id = 0;
    int width = 0;
    int height = 0;
    Colour key = 0;
    Bitmap stretched;  // empty when drawn at the source's own size
    // What the drawing writes, as runs of the source or of `stretched`.
    plat::raster::KeyedRuns runs;
};

// A screen's pictures are few (the face draws two); the oldest way goes first.
constexpr std::size_t kMaxKept = 4;
// A picture as large as a whole panel at ratio 2 is still worth keeping: it
// is drawn once a minute, and stretching it costs a hundred times the copy.
constexpr std::int64_t kMaxKeptPixels = std::int64_t{1} << 20;

const Kept& kept_for(const Picture& picture, Rect to, Colour key) {
    static std::vector<Kept> kept;
    for (const Kept& k : kept)
        if (k.id == picture.id && k.width == to.w && k.height == to.h && k.key == key) return k;
    if (kept.size() == kMaxKept) kept.erase(kept.begin());
    Kept k{picture.id, to.w, to.h, key, {}, {}};
    const Bitmap& src = source_of(picture);
    if (src.width() == to.w && src.height() == to.h) {
        k.runs = plat::raster::keyed_runs(src, key);
    } else {
        plat::raster::ScaledKeyed scaled =
            plat::raster::scale_keyed(src, to.w, to.h, key, kMaxKeptPixels);
        k.runs = plat::raster::keyed_runs(scaled);
        k.stretched = std::move(scaled.image);
    }
    kept.push_back(std::move(k));
    return kept.back();
}

}  // namespace

void draw_device_picture(Bitmap& dst, const Picture& picture, Rect to,
                         plat::raster::CopyMode mode) {
    const Bitmap& src = source_of(picture);
    const bool own_size = to.w == src.width() && to.h == src.height();
    plat::raster::stretch_blit(
        dst, to, src, {0, 0, src.width(), src.height()}, mode,
        own_size ? plat::raster::Stretch::nearest : plat::raster::Stretch::smooth);
}

void draw_device_keyed(Bitmap& dst, const Picture& picture, Rect to, Colour key) {
    const Bitmap& src = source_of(picture);
    const bool own_size = to.w == src.width() && to.h == src.height();
    const bool worth_keeping = own_size || std::int64_t{to.w} * to.h <= kMaxKeptPixels;
    if (picture.id != 0 && worth_keeping) {
        const Kept& k = kept_for(picture, to, key);
        if (own_size) return plat::raster::keyed_blit(dst, to.x, to.y, src, k.runs);
        if (!k.stretched.empty())
            return plat::raster::keyed_blit(dst, to.x, to.y, k.stretched, k.runs);
    }
    plat::raster::transparent_blit(
        dst, to, src, {0, 0, src.width(), src.height()}, key,
        own_size ? plat::raster::Stretch::nearest : plat::raster::Stretch::smooth);
}

}  // namespace vel
