#pragma once
// The wave output device: open an output for a PCM format with a completion
// notification per buffer, write, pause, reset, close. The real device runs on
// PulseAudio; tests install a device of their own with set_wave_device().
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace plat {

// The leading fields of a RIFF "fmt " chunk, little-endian in the file.
struct WaveFormat {
    std::uint16_t format_tag = 0;  // 1 = PCM
    std::uint16_t channels = 0;
    std::uint32_t samples_per_second = 0;
    std::uint32_t bytes_per_second = 0;
    std::uint16_t block_align = 0;
    std::uint16_t bits_per_sample = 0;
};

// Reads the 16 leading bytes of a "fmt " chunk; nothing when it is shorter.
std::optional<WaveFormat> read_wave_format(std::span<const std::uint8_t> fmt_chunk);
// True for the PCM formats an output accepts: tag 1, 1-8 channels, 1 Hz to
// 384 kHz, 8/16/24/32 bits and a block align that matches them.
bool playable_pcm(const WaveFormat& format);

// Called once per finished buffer, on the device's notification thread, never
// while the device holds a lock of its own; the receiver may write again.
using BufferDone = std::function<void()>;

class WaveOut {
public:
    virtual ~WaveOut() = default;
    // Queues a copy of `bytes`; its BufferDone comes when it has been played
    // (or handed back by reset). False when the device refused it.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    virtual void pause() = 0;
    // Silences the output and hands every queued buffer back.
    virtual void reset() = 0;
    // After close no BufferDone is delivered any more; the destructor closes.
    virtual void close() = 0;
};

class WaveDevice {
public:
    virtual ~WaveDevice() = default;
    // Nothing when there is no output or it refuses the format.
    virtual std::unique_ptr<WaveOut> open(const WaveFormat& format, BufferDone done) = 0;
};

// The device players open: the one installed by set_wave_device, else the
// PulseAudio device (which opens nothing when no server answers).
WaveDevice& wave_device();
// Installs `device` (not owned) in place of the default; nullptr restores it.
void set_wave_device(WaveDevice* device);

}  // namespace plat
