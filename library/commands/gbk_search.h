#pragma once
// Case-sensitive search over GBK texts by whole characters: a byte >= 0x80
// leads a two-byte character, so a match may start only where a walk from
// the starting point would stand. The walk itself is not run: candidates come
// from memchr and each is checked against the nearest byte < 0x80 before it.
#include <cstddef>
#include <string_view>

namespace vel {

inline bool is_gbk_lead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Offset of the first occurrence of `sought` (not empty) at or after `from`
// that starts on a character boundary, counting `from` as one; npos if none.
std::size_t find_on_boundary(std::string_view text, std::size_t from, std::string_view sought);

}  // namespace vel
