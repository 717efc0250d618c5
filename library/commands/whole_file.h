#pragma once
// A whole file written from a block of bytes.
#include <cstdint>
#include <span>
#include <string_view>

namespace vel {

// Makes `bytes` the whole content of the file `gbk_name` (a GBK path, "\" or
// "/") in one step, replacing any file there whatever its mode; the new file
// has the mode of any new file of the user's. False, with the old file left
// as it was, when it cannot.
bool write_whole_file(std::string_view gbk_name, std::span<const std::uint8_t> bytes);

}  // namespace vel
