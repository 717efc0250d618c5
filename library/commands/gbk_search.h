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

// The same search over a zero-terminated text from `from`, which must lie
// before its terminating zero; `sought` is zero-terminated and not empty.
// The lines the clock searches are a few bytes long: walking them character
// by character costs less than measuring them first. A long text is walked
// only for its first bytes and then handed to find_on_boundary.
std::size_t find_in_terminated(const char* text, std::size_t from, const char* sought);

}  // namespace vel
