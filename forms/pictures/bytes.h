#pragma once
// Little-endian reads for the decoders. Callers check the length first.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vel::picture_bytes {

inline std::uint16_t le16(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}
inline std::uint32_t le32(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint32_t>(d[at]) | static_cast<std::uint32_t>(d[at + 1]) << 8 |
           static_cast<std::uint32_t>(d[at + 2]) << 16 |
           static_cast<std::uint32_t>(d[at + 3]) << 24;
}
inline bool has(std::span<const std::uint8_t> d, std::size_t at, std::size_t n) {
    return at <= d.size() && n <= d.size() - at;
}
// 0x00RRGGBB pixel from separate channels.
inline std::uint32_t rgb_pixel(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) << 16 | (g & 0xFFu) << 8 | (b & 0xFFu);
}

}  // namespace vel::picture_bytes
