#include <atomic>

#include "platform/audio/pulse_device.h"
#include "platform/audio/wave_out.h"

namespace plat {

namespace {

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::atomic<WaveDevice*> g_installed{nullptr};

}  // namespace

std::optional<WaveFormat> read_wave_format(std::span<const std::uint8_t> fmt_chunk) {
    if (fmt_chunk.size() < 16) return std::nullopt;
    const std::uint8_t* p = fmt_chunk.data();
    WaveFormat f;
    f.format_tag = le16(p);
    f.channels = le16(p + 2);
    f.samples_per_second = le32(p + 4);
    f.bytes_per_second = le32(p + 8);
    f.block_align = le16(p + 12);
    f.bits_per_sample = le16(p + 14);
    return f;
}

bool playable_pcm(const WaveFormat& f) {
    if (f.format_tag != 1) return false;
    if (f.channels < 1 || f.channels > 8) return false;
    if (f.samples_per_second < 1 || f.samples_per_second > 384000) return false;
    switch (f.bits_per_sample) {
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    return f.block_align == f.channels * (f.bits_per_sample / 8);
}

WaveDevice& wave_device() {
    if (WaveDevice* d = g_installed.load()) return *d;
    return pulse_wave_device();
}

void set_wave_device(WaveDevice* device) {
    g_installed.store(device);
}

}  // namespace plat
