#include "library/commands/gbk_search.h"

#include <cstring>

namespace vel {
namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace

bool matches_at(std::string_view text, std::size_t at, std::string_view sought, bool ignore_case) {
    if (!ignore_case) {
        // The first byte decides most positions: check it before calling out.
        return text[at] == sought[0] &&
               std::memcmp(text.data() + at + 1, sought.data() + 1, sought.size() - 1) == 0;
    }
    for (std::size_t i = 0; i < sought.size(); ++i) {
        const char a = text[at + i];
        const char b = sought[i];
        if (is_gbk_lead(b)) {
            if (a != b) return false;
            if (i + 1 < sought.size()) {
                if (text[at + i + 1] != sought[i + 1]) return false;
                ++i;
            }
        } else if (fold(a) != fold(b)) {
            return false;
        }
    }
    return true;
}

std::size_t find_on_boundary(std::string_view text, std::size_t from, std::string_view sought,
                             bool ignore_case) {
    if (sought.empty()) return std::string_view::npos;
    const char first = sought[0];
    for (std::size_t at = from; at < text.size() && text.size() - at >= sought.size();
         at += is_gbk_lead(text[at]) ? 2 : 1) {
        if (!ignore_case && text[at] != first) continue;
        if (matches_at(text, at, sought, ignore_case)) return at;
    }
    return std::string_view::npos;
}

}  // namespace vel
