#pragma once
// The wave player: one per playing RIFF WAVE sound, with its own worker
// thread, 20 buffers of 15360 bytes, a free-buffer semaphore and a stop event.
// Players live in a process-wide list from start until their worker ends.
#include <chrono>
#include <cstdint>
#include <span>

namespace vel {

inline constexpr int kWaveBuffers = 20;
inline constexpr std::uint32_t kWaveBufferBytes = 15360;
inline constexpr std::chrono::milliseconds kWaveWaitTimeout{8888};

// One buffer header of the player's buffer block, followed in the block by
// the 20 sample buffers.
struct WaveBufferHeader {
    std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    std::uint32_t prepared = 0;
    std::uint64_t reserved[2] = {};
};
static_assert(sizeof(WaveBufferHeader) == 32);

// Starts a player for a RIFF WAVE byte set: true when it started. The bytes
// are copied, so the caller may release them at once. A device that cannot be
// opened is not reported: the player then runs silently until its timeout.
bool start_wave_player(std::span<const std::uint8_t> riff, bool loop);

// Signals every player's stop event; with `wait` also waits until every
// worker that existed at the call has ended.
void stop_wave_players(bool wait);

// Players in the list right now (tests and benchmarks).
int wave_player_count();

// The worker's wait timeout; tests shorten it. Not for normal use.
void set_wave_wait_timeout(std::chrono::milliseconds timeout);

// What a player did, for tests: buffers handed to the device (fills), loop
// restarts, and how it ended.
struct WavePlayerTrace {
    int fills = 0;
    int restarts = 0;
    bool finished = false;  // reached the end without loop
    bool stopped = false;   // stop event or timeout
    bool device_open = false;
};
// Called by each worker at its end, on the worker thread.
using WavePlayerObserver = void (*)(const WavePlayerTrace& trace);
void set_wave_player_observer(WavePlayerObserver observer);

}  // namespace vel
