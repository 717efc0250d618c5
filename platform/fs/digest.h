#pragma once
// Size and FNV-1a hash of some bytes: enough to tell a file that is still as
// it was shipped or copied from one its user replaced (a different file
// matches only by a 64-bit accident).
#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>

namespace plat::fs {

struct Digest {
    std::uint64_t size = 0;
    std::uint64_t hash = 0xcbf29ce484222325u;
    void add(const unsigned char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3u;
        size += count;
    }
    auto operator<=>(const Digest&) const = default;
};

inline Digest digest_of(std::span<const std::uint8_t> bytes) {
    Digest d;
    d.add(bytes.data(), bytes.size());
    return d;
}

}  // namespace plat::fs
