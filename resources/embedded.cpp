#include "resources/embedded.h"

#include <cstring>

namespace vel {

extern const EmbeddedBlob k_embedded_vel_resources[];

std::span<const EmbeddedBlob> embedded_blobs() {
    std::size_t n = 0;
    while (k_embedded_vel_resources[n].name != nullptr) ++n;
    return {k_embedded_vel_resources, n};
}

const unsigned char* embedded_byteset(std::string_view name) {
    for (const EmbeddedBlob& blob : embedded_blobs())
        if (name == blob.name) return blob.block;
    return nullptr;
}

std::span<const std::uint8_t> embedded_bytes(std::string_view name) {
    const unsigned char* block = embedded_byteset(name);
    if (block == nullptr) return {};
    std::int32_t length = 0;
    std::memcpy(&length, block + 4, sizeof length);
    return {block + 8, static_cast<std::size_t>(length)};
}

}  // namespace vel
