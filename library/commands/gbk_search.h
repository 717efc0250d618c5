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

// find_on_boundary over the zero-terminated `text` from its character start
// `at` on.
std::size_t find_rest_on_boundary(const char* text, std::size_t at, const char* sought);

namespace detail {
// Does the rest of `sought` follow the matched first byte at `at`? Every byte
// matched so far is not zero, so text[at + i] is at worst the terminator,
// which no byte of `sought` equals.
inline bool rest_follows(const char* text, std::size_t at, const char* sought) {
    std::size_t i = 1;
    while (sought[i] != 0 && text[at + i] == sought[i]) ++i;
    return sought[i] == 0;
}

// The walk, with the class of the sought first byte fixed: an ASCII first
// byte is compared only at one-byte characters and a lead only at two-byte
// ones, so each step judges its byte once.
template <bool kLeadFirst>
inline std::size_t walk_terminated(const char* text, std::size_t& at, std::size_t walk_end,
                                   const char* sought) {
    const char first = sought[0];
    while (at < walk_end) {
        const char c = text[at];
        if (is_gbk_lead(c)) {
            if (kLeadFirst && c == first && rest_follows(text, at, sought)) return at;
            if (text[at + 1] == 0) return std::string_view::npos;  // lead cut off by the end
            at += 2;
        } else {
            if (!kLeadFirst && c == first && rest_follows(text, at, sought)) return at;
            if (c == 0) return std::string_view::npos;
            at += 1;
        }
    }
    return walk_end;  // not decided within the walk
}
}  // namespace detail

// The same search over a zero-terminated text from `from`, which must lie
// before its terminating zero; `sought` is zero-terminated and not empty.
// The lines the clock searches are a few bytes long: walking them character
// by character, inline, costs less than measuring them first. A long text is
// walked only for its first bytes and then handed to find_on_boundary.
[[gnu::always_inline]] inline std::size_t find_in_terminated(const char* text, std::size_t from,
                                                             const char* sought) {
    constexpr std::size_t kWalkBytes = 64;
    const std::size_t walk_end = from + kWalkBytes;
    std::size_t at = from;
    const std::size_t found = is_gbk_lead(sought[0])
                                  ? detail::walk_terminated<true>(text, at, walk_end, sought)
                                  : detail::walk_terminated<false>(text, at, walk_end, sought);
    if (found != walk_end) return found;
    return find_rest_on_boundary(text, at, sought);
}

}  // namespace vel
