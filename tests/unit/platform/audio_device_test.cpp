#include <gtest/gtest.h>

#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/audio/notifier.h"
#include "platform/audio/wave_out.h"

namespace plat {
namespace {

using namespace std::chrono_literals;

WaveFormat pcm(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               std::uint16_t align) {
    return WaveFormat{1, channels, rate, rate * align, align, bits};
}

TEST(AudioFormat, OnlyConsistentPcmIsPlayable) {
    struct Row {
        const char* name;
        WaveFormat format;
        bool playable;
    } rows[] = {
        {"mono 16 kHz 16 bit", pcm(1, 16000, 16, 2), true},
        {"stereo 11025 Hz 8 bit", pcm(2, 11025, 8, 2), true},
        {"eight channels 32 bit", pcm(8, 48000, 32, 32), true},
        {"24 bit", pcm(2, 44100, 24, 6), true},
        {"0 channels", pcm(0, 8000, 8, 0), false},
        {"nine channels", pcm(9, 8000, 8, 9), false},
        {"0 samples per second", pcm(1, 0, 8, 1), false},
        {"above 384 kHz", pcm(1, 400000, 16, 2), false},
        {"64-bit samples", pcm(1, 8000, 64, 8), false},
        {"12-bit samples", pcm(1, 8000, 12, 2), false},
        {"block align 0", pcm(2, 8000, 16, 0), false},
        {"block align too large", pcm(1, 8000, 16, 4), false},
        {"not PCM", WaveFormat{3, 1, 8000, 32000, 4, 32}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(playable_pcm(row.format), row.playable);
    }
}

TEST(AudioNotifier, ForgetDropsQueuedNewsAndWaitsForDelivery) {
    std::atomic<int> calls{0};
    std::atomic<bool> inside{false};
    const std::function<void()> slow = [&] {
        inside = true;
        std::this_thread::sleep_for(20ms);
        ++calls;
        inside = false;
    };
    int key = 0;
    Notifier::instance().post(&key, &slow, 50);
    while (!inside) std::this_thread::yield();
    Notifier::instance().forget(&key);
    // The call under way finished; nothing more comes after forget.
    EXPECT_FALSE(inside);
    const int seen = calls;
    EXPECT_GE(seen, 1);
    EXPECT_LE(seen, 2);
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(calls, seen);
}

TEST(AudioPulse, NoServerOpensNothingAtOnce) {
    // A socket nobody listens on: the connection fails in about a millisecond.
    setenv("PULSE_SERVER", "unix:/nonexistent/vel-no-server", 1);
    const auto start = std::chrono::steady_clock::now();
    auto out = wave_device().open(pcm(1, 16000, 16, 2), [] {});
    EXPECT_EQ(out, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    unsetenv("PULSE_SERVER");
}

}  // namespace
}  // namespace plat
