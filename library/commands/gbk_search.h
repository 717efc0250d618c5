#pragma once
// Search over GBK texts by whole characters: a byte >= 0x80 leads a two-byte
// character, so a match may start only where a walk from the starting point
// stands.
#include <cstddef>
#include <string_view>

namespace vel {

inline bool is_gbk_lead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Does `sought` (not empty) stand at `at`, with at least its length of text
// left? With ignore_case only single-byte ASCII letters fold: the trail byte
// of a two-byte character may look like a letter, and folding it would match
// a different character.
bool matches_at(std::string_view text, std::size_t at, std::string_view sought, bool ignore_case);

// Offset of the first occurrence of `sought` (not empty) at or after `from`
// that starts on a character boundary, counting `from` as one; npos if none.
std::size_t find_on_boundary(std::string_view text, std::size_t from, std::string_view sought,
                             bool ignore_case = false);

}  // namespace vel
