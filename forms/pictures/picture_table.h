#pragma once
// The runtime's picture table: loaded pictures by number, and the load
// picture / unload picture commands. Numbers start at 1 and are not reused
// while their picture is loaded; 0 is "no picture". Used on the user-interface
// thread only.
#include <cstdint>
#include <map>
#include <memory>
#include <span>

#include "forms/pictures/picture.h"
#include "library/value.h"

namespace vel {

class PictureTable {
public:
    // Enters a picture and gives its number (never 0).
    int add(Picture picture);
    // Enters a decoded picture that other numbers may share.
    int add(std::shared_ptr<const Picture> picture);
    // The picture of a number; null for 0 and for unknown numbers.
    const Picture* find(int number) const;
    // The same, as a share that keeps the picture after it is unloaded.
    std::shared_ptr<const Picture> share(int number) const;
    // Removes a picture; false when the number is not in the table.
    bool remove(int number);
    void clear() { m_pictures.clear(); }
    std::size_t size() const { return m_pictures.size(); }

private:
    std::map<int, std::shared_ptr<const Picture>> m_pictures;
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
