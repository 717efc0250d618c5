#include "library/commands/gbk_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace vel {
namespace {

// The number of bytes >= 0x80 right before p, looking back no further than
// `from`. A line's delimiter usually follows a name of a few Chinese
// characters: eight bytes are judged at once rather than one by one.
std::size_t lead_run_before(const char* data, std::size_t from, std::size_t p) {
    std::size_t q = p;
    if constexpr (std::endian::native == std::endian::little) {
        while (q - from >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data + q - 8, 8);  // data[q - 1] is the top byte
            const std::uint64_t single = ~word & 0x8080808080808080u;
            if (single != 0) return p - q + static_cast<std::size_t>(std::countl_zero(single) / 8);
            q -= 8;
        }
    }
    while (q > from && is_gbk_lead(data[q - 1])) --q;
    return p - q;
}

}  // namespace

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
        if (lead_run_before(data, boundary, p) % 2 == 0) return p;
        // p trails the character at p - 1: the next one starts at p + 1. The
        // scan back never again passes this point, so the search stays linear.
        boundary = p + 1;
        at = p + 1;
    }
    return std::string_view::npos;
}

std::size_t find_rest_on_boundary(const char* text, std::size_t at, const char* sought) {
    const std::size_t p = find_on_boundary(text + at, 0, sought);
    return p == std::string_view::npos ? p : at + p;
}

}  // namespace vel
