#pragma once
// GBK <-> UTF-8 at the edges of the system. Inside, every text is GBK bytes;
// the OS and Qt see UTF-8. A byte sequence or character with no counterpart in
// the other encoding makes the whole conversion fail: a silently altered file
// name or caption would be worse than a clear failure.
#include <optional>
#include <string>
#include <string_view>

namespace plat {

std::optional<std::string> gbk_to_utf8(std::string_view gbk);
std::optional<std::string> utf8_to_gbk(std::string_view utf8);

// True when byte b starts a two-byte GBK character.
constexpr bool is_gbk_lead(unsigned char b) {
    return b >= 0x80;
}

}  // namespace plat
