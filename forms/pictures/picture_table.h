#pragma once
// The runtime's picture table: loaded pictures by number, and the load
// picture / unload picture commands. Numbers start at 1 and are not reused
// while their picture is loaded; 0 is "no picture". Used on the user-interface
// thread only.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <tuple>

#include "forms/pictures/picture.h"
#include "library/value.h"
#include "platform/raster/blit.h"

namespace vel {

class PictureTable {
public:
    // Enters a picture, under a new id, and gives its number (never 0).
    int add(Picture picture);
    // Enters a decoded picture that other numbers may share.
    int add(std::shared_ptr<const Picture> picture);
    // The picture of a number; null for 0 and for unknown numbers.
    const Picture* find(int number) const;
    // The same, as a share that keeps the picture after it is unloaded.
    std::shared_ptr<const Picture> share(int number) const;
    // Removes a picture; false when the number is not in the table.
    bool remove(int number);
    void clear() {
        m_pictures.clear();
        m_kept.clear();
    }
    std::size_t size() const { return m_pictures.size(); }

    // Draws `picture` to `to` of `dst` with the pixels of `key` left out, as
    // transparent_blit does (smoothly when stretched), from source(picture,
    // dense). A picture drawn the same way a second time is drawn from its
    // runs for the key, or from it stretched once, kept until another way is
    // drawn twice or the picture goes; a picture drawn once gains nothing
    // from them.
    void draw_keyed(plat::raster::Bitmap& dst, const Picture& picture, plat::raster::Rect to,
                    plat::raster::Colour key, bool dense = false);
    // The pixels to draw `picture` from: on a high-density screen (`dense`)
    // its twice-size partner when it has one, else its own.
    const plat::raster::Bitmap& source(const Picture& picture, bool dense);

    // The picture's twice-size partner (double_size.h), read when first
    // asked for and kept while the picture is; null when it has none.
    std::shared_ptr<const plat::raster::Bitmap> double_size(const Picture& picture);

private:
    // What is made for one way of drawing a picture, on that way's second
    // drawing in a row.
    template <class Way, class Made>
    struct Kept {
        std::optional<Way> first, made_for;
        Made made;
        // Null on a first drawing.
        const Made* get(const Way& way, auto make) {
            if (made_for == way) return &made;
            if (first != way) {
                first = way;
                return nullptr;
            }
            made = make();
            made_for = way;
            return &made;
        }
    };
    struct Drawings {
        Kept<std::pair<plat::raster::Colour, int>, plat::raster::KeyedRuns>
            own_size;  // by key, width
        Kept<std::tuple<int, int, plat::raster::Colour>, plat::raster::ScaledKeyed> stretched;
        std::optional<std::shared_ptr<const plat::raster::Bitmap>> double_size;
    };

    std::map<int, std::shared_ptr<const Picture>> m_pictures;
    std::map<std::uint64_t, Drawings> m_kept;  // by picture id
    int m_next = 1;
};

// The table of the running program (emptied at program end by clear()).
PictureTable& picture_table();

// Largest picture file load picture reads.
inline constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{256} << 20;

// Decodes a byte block and enters it: the picture number, 0 on failure. A
// block of the program's constant data is decoded once and its picture shared
// by every number loaded from it, so loading it again and again costs no
// decoding.
int load_picture_bytes(std::span<const std::uint8_t> bytes);
// Reads and decodes a file named by a GBK path ("\" or "/"): 0 on failure.
int load_picture_file(const char* gbk_path);

// load picture (image: byte set or text file name) -> int picture number.
void cmd_load_picture(ResultRecord* result, int count, const ArgRecord* args);
// unload picture (int picture number) -> nothing.
void cmd_unload_picture(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
