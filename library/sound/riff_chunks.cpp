#include "library/sound/riff_chunks.h"

#include <algorithm>
#include <cstring>

namespace vel {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

bool tag_is(const std::uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

constexpr std::size_t kFormatMinimum = 16;

}  // namespace

bool looks_like_wave(std::span<const std::uint8_t> b) {
    return b.size() > 11 && tag_is(b.data(), "RIFF") && tag_is(b.data() + 8, "WAVE");
}

bool looks_like_midi(std::span<const std::uint8_t> b) {
    return b.size() > 4 && tag_is(b.data(), "MThd");
}

std::optional<WaveChunks> find_wave_chunks(std::span<const std::uint8_t> riff) {
    if (riff.size() <= 35 || !looks_like_wave(riff)) return std::nullopt;
    const std::uint64_t size = riff.size();
    const std::uint64_t riff_end = 12 + std::uint64_t{le32(riff.data() + 4)};
    std::optional<std::span<const std::uint8_t>> format, samples;
    // 64-bit positions: chunk sizes near 4 GB must not wrap around.
    std::uint64_t pos = 12;
    while (!(format && samples) && pos < riff_end && pos + 8 <= size) {
        const std::uint8_t* head = riff.data() + pos;
        const std::uint64_t body = pos + 8;
        const std::uint64_t declared = le32(head + 4);
        const std::uint64_t present = std::min(declared, size - body);
        const auto content = riff.subspan(body, present);
        if (tag_is(head, "fmt ") && !format) format = content;
        if (tag_is(head, "data") && !samples) samples = content;
        pos = body + declared;
    }
    if (!format || format->size() < kFormatMinimum) return std::nullopt;
    if (!samples || samples->empty()) return std::nullopt;
    return WaveChunks{*format, *samples};
}

}  // namespace vel
