#include "library/commands/gbk_search.h"

#include <cstring>

namespace vel {

std::size_t find_on_boundary(std::string_view text, std::size_t from, std::string_view sought) {
    const std::size_t n = sought.size();
    if (n == 0 || from > text.size() || text.size() - from < n) return std::string_view::npos;
    const char* data = text.data();
    const std::size_t last = text.size() - n;  // the last offset a match fits at
    std::size_t boundary = from;               // a known character boundary
    std::size_t at = from;
    while (at <= last) {
        const void* hit = std::memchr(data + at, sought[0], last - at + 1);
        if (hit == nullptr) break;
        const std::size_t p = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        // Most sought texts are one character: no call out for those.
        if (n > 1 && (data[p + 1] != sought[1] ||
                      (n > 2 && std::memcmp(data + p + 2, sought.data() + 2, n - 2) != 0))) {
            at = p + 1;
            continue;
        }
        // A byte < 0x80 is a whole character or a trail byte; either way a
        // character starts right after it. From there every byte leads or
        // trails in turn, so p starts a character when the run is even.
        std::size_t q = p;
        while (q > boundary && is_gbk_lead(data[q - 1])) --q;
        if ((p - q) % 2 == 0) return p;
        // p trails the character at p - 1: the next one starts at p + 1. The
        // scan back never again passes this point, so the search stays linear.
        boundary = p + 1;
        at = p + 1;
    }
    return std::string_view::npos;
}

std::size_t find_in_terminated(const char* text, std::size_t from, const char* sought) {
    constexpr std::size_t kWalkBytes = 64;
    const char first = sought[0];
    std::size_t at = from;
    for (const std::size_t walk_end = from + kWalkBytes; at < walk_end;) {
        const char c = text[at];
        if (c == 0) return std::string_view::npos;
        if (c == first) {
            // Every byte matched so far is not zero, so text[at + i] is at
            // worst the terminator, which no byte of `sought` equals.
            std::size_t i = 1;
            while (sought[i] != 0 && text[at + i] == sought[i]) ++i;
            if (sought[i] == 0) return at;
        }
        if (is_gbk_lead(c)) {
            if (text[at + 1] == 0) return std::string_view::npos;  // lead cut off by the end
            at += 2;
        } else {
            at += 1;
        }
    }
    // `at` stands on a character start, which is all find_on_boundary needs.
    const std::size_t p = find_on_boundary(text + at, 0, sought);
    return p == std::string_view::npos ? p : at + p;
}

}  // namespace vel
