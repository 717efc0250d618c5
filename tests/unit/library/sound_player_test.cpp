#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>

#include "library/blocks.h"
#include "library/sound/sound_commands.h"
#include "library/sound/wave_player.h"
#include "resources/embedded.h"
#include "sound_fake_device.h"
#include "sound_test_bytes.h"

namespace vel {
namespace {

using namespace std::chrono_literals;
using namespace vel::test;

std::mutex g_traces_lock;
std::vector<WavePlayerTrace> g_traces;

void record_trace(const WavePlayerTrace& t) {
    std::lock_guard lock(g_traces_lock);
    g_traces.push_back(t);
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        stop_all(true);
        std::lock_guard lock(g_traces_lock);
        g_traces.clear();
        set_wave_player_observer(record_trace);
    }
    void TearDown() override {
        stop_all(true);
        set_wave_player_observer(nullptr);
        set_wave_wait_timeout(kWaveWaitTimeout);
    }
    std::vector<WavePlayerTrace> traces() {
        std::lock_guard lock(g_traces_lock);
        return g_traces;
    }
    // Players leave the list before their worker reports its trace.
    bool traces_reach(std::size_t n, std::chrono::milliseconds within) {
        const auto end = std::chrono::steady_clock::now() + within;
        while (traces().size() < n) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
    static bool play_bytes(std::span<const std::uint8_t> bytes, bool loop = false) {
        Bytes set(make_byteset(bytes));
        ResultRecord r = {};
        const ArgRecord args[2] = {arg_byteset(set.get()), arg_logical(loop)};
        cmd_play_sound(&r, loop ? 2 : 1, args);
        return r.as_logical();
    }
};

TEST_F(SoundPlayerTest, BufferFillsFollowTheDataLength) {
    struct Row {
        const char* sound;
        int fills;
    } rows[] = {{"hour25.wav", 2}, {"ring12.wav", 52}, {"ring01.wav", 3}, {"hour01.wav", 6}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sound);
        FakeWaveDevice device(true, 0ms);
        InstalledDevice installed(device);
        const auto bytes = embedded_bytes(row.sound);
        ASSERT_FALSE(bytes.empty());
        {
            std::lock_guard lock(g_traces_lock);
            g_traces.clear();
        }
        ASSERT_TRUE(play_bytes(bytes));
        ASSERT_TRUE(traces_reach(1, 10s));
        stop_all(true);
        const auto t = traces();
        ASSERT_EQ(t.size(), 1u);
        EXPECT_TRUE(t[0].finished);
        EXPECT_EQ(t[0].fills, row.fills);
        // Every byte of the data chunk reached the device once, in order.
        const FakeWaveDevice::Output out = device.output(device.opened() - 1);
        std::size_t total = 0;
        for (const auto& w : out.writes) {
            EXPECT_LE(w.size(), kWaveBufferBytes);
            total += w.size();
        }
        EXPECT_EQ(static_cast<int>(out.writes.size()), row.fills);
        EXPECT_GT(total, bytes.size() - 400);
        EXPECT_TRUE(out.closed);
    }
}

TEST_F(SoundPlayerTest, CallerMayReleaseItsByteSetAtOnce) {
    FakeWaveDevice device(false);
    InstalledDevice installed(device);
    const ByteVec wave = simple_wave(40000, 11);
    std::uint8_t* set = make_byteset(wave);
    ResultRecord r = {};
    const ArgRecord arg = arg_byteset(set);
    cmd_play_sound(&r, 1, &arg);
    ASSERT_TRUE(r.as_logical());
    std::memset(set, 0xEE, 8 + wave.size());
    release(set);
    ASSERT_TRUE(device.wait_for(
        [&] { return device.opened() == 1 && device.output(0).writes.size() == 3; }, 2s));
    const auto out = device.output(0);
    const ByteVec samples = ramp(40000, 11);
    ByteVec played;
    for (const auto& w : out.writes) played.insert(played.end(), w.begin(), w.end());
    EXPECT_EQ(played, samples);
}

TEST_F(SoundPlayerTest, LoopRestartsFromTheStartUntilStopped) {
    FakeWaveDevice device(true, 1ms);
    InstalledDevice installed(device);
    const ByteVec wave = simple_wave(20000, 5);  // two buffers per pass
    ASSERT_TRUE(play_bytes(wave, true));
    ASSERT_TRUE(device.wait_for(
        [&] { return device.opened() == 1 && device.output(0).writes.size() >= 7; }, 3s));
    ResultRecord r = {};
    cmd_stop_sound(&r, 0, nullptr);
    ASSERT_TRUE(traces_reach(1, 500ms));
    stop_all(true);
    const auto out = device.output(0);
    const ByteVec samples = ramp(20000, 5);
    for (std::size_t i = 0; i + 1 < out.writes.size(); i += 2) {
        SCOPED_TRACE(i);
        ASSERT_EQ(out.writes[i], ByteVec(samples.begin(), samples.begin() + 15360));
        ASSERT_EQ(out.writes[i + 1], ByteVec(samples.begin() + 15360, samples.end()));
    }
    const auto t = traces();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_GE(t[0].restarts, 3);
    EXPECT_TRUE(t[0].stopped);
    EXPECT_GE(out.paused, 1);
    EXPECT_GE(out.resets, 1);
}

TEST_F(SoundPlayerTest, StopEndsAPlayerWithinOneWaitCycle) {
    // Nothing comes back from this device: the worker sits in its wait.
    FakeWaveDevice device(false);
    InstalledDevice installed(device);
    ASSERT_TRUE(play_bytes(embedded_bytes("ring12.wav"), true));
    ASSERT_TRUE(device.wait_for(
        [&] { return device.opened() == 1 && device.output(0).writes.size() == 20; }, 2s));
    const auto start = std::chrono::steady_clock::now();
    stop_all(false);
    ASSERT_TRUE(traces_reach(1, 1s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
    stop_all(true);
    const auto out = device.output(0);
    EXPECT_EQ(out.writes.size(), 20u);  // 20 buffers in flight and no more
    EXPECT_EQ(out.pending, 0);          // reset handed them all back
    EXPECT_TRUE(out.closed);
}

TEST_F(SoundPlayerTest, SoundsOverlapEachOnItsOwnOutput) {
    // Buffers come back only when the test hands them back: both sounds are
    // still playing when the second starts.
    FakeWaveDevice device(false);
    InstalledDevice installed(device);
    ASSERT_TRUE(play_bytes(embedded_bytes("hour08.wav")));
    ASSERT_TRUE(play_bytes(embedded_bytes("hour25.wav")));
    ASSERT_TRUE(device.wait_for([&] { return device.open_now() == 2; }, 2s));
    ASSERT_TRUE(device.wait_for(
        [&] { return device.output(0).writes.size() + device.output(1).writes.size() == 9; }, 2s));
    device.complete(kWaveBuffers);
    ASSERT_TRUE(traces_reach(2, 2s));
    for (const WavePlayerTrace& t : traces()) EXPECT_TRUE(t.finished);
    stop_all(true);
    EXPECT_EQ(device.most_open_at_once(), 2);
    EXPECT_EQ(device.open_now(), 0);
}

TEST_F(SoundPlayerTest, NoDeviceStillPlaysUntilTheTimeout) {
    set_wave_wait_timeout(150ms);
    struct Row {
        const char* name;
        ByteVec bytes;
    } rows[] = {
        {"refused by the device: 0 channels",
         riff({chunk("fmt ", pcm_format(0, 8000, 8)), chunk("data", ramp(100))})},
        {"0 samples per second",
         riff({chunk("fmt ", pcm_format(1, 0, 8)), chunk("data", ramp(100))})},
        {"64-bit samples",
         riff({chunk("fmt ", pcm_format(1, 8000, 64)), chunk("data", ramp(100))})},
        {"block align 0",
         riff({chunk("fmt ", pcm_format(2, 8000, 16, 0)), chunk("data", ramp(100))})},
        {"not PCM",
         riff({chunk("fmt ", pcm_format(1, 8000, 16, -1, 2)), chunk("data", ramp(100))})},
    };
    FakeWaveDevice device(true);
    InstalledDevice installed(device);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        {
            std::lock_guard lock(g_traces_lock);
            g_traces.clear();
        }
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(play_bytes(row.bytes));
        ASSERT_TRUE(traces_reach(1, 2s));
        EXPECT_GE(std::chrono::steady_clock::now() - start, 140ms);
        stop_all(true);
        const auto t = traces();
        ASSERT_EQ(t.size(), 1u);
        EXPECT_FALSE(t[0].device_open);
        EXPECT_TRUE(t[0].stopped);
    }
    EXPECT_EQ(device.opened(), 0);
}

TEST_F(SoundPlayerTest, PlaySoundArgumentsAndRefusals) {
    FakeWaveDevice device(true, 0ms);
    InstalledDevice installed(device);
    ResultRecord r = {};
    const ByteVec midi_junk{'M', 'T', 'h', 'd', 0, 0, 0, 9};
    const ByteVec text_bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'};
    struct Row {
        const char* name;
        ArgRecord arg;
        bool result;
    };
    Bytes junk(make_byteset(midi_junk));
    Bytes text(make_byteset(text_bytes));
    Bytes header(make_byteset(riff({chunk("fmt ", pcm_format(1, 8000, 8))})));
    const Row rows[] = {
        {"empty byte set", arg_byteset(nullptr), false},
        {"neither format", arg_byteset(text.get()), false},
        {"RIFF without data", arg_byteset(header.get()), false},
        {"MIDI that does not parse is still taken", arg_byteset(junk.get()), true},
        {"an integer", arg_int(5), false},
        {"empty file name", arg_text(""), false},
        {"missing file", arg_text("/nonexistent/folder/x.wav"), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        r = {};
        cmd_play_sound(&r, 1, &row.arg);
        EXPECT_EQ(r.as_logical(), row.result);
    }
    cmd_play_sound(&r, 0, nullptr);
    EXPECT_FALSE(r.as_logical());
    // Stop with nothing playing does nothing.
    cmd_stop_sound(&r, 0, nullptr);
    EXPECT_EQ(wave_player_count(), 0);
}

TEST_F(SoundPlayerTest, PlaysAFileByName) {
    FakeWaveDevice device(true, 0ms);
    InstalledDevice installed(device);
    const std::string path = ::testing::TempDir() + "/chime.wav";
    const auto bytes = embedded_bytes("hour25.wav");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    ResultRecord r = {};
    const ArgRecord arg = arg_text(path.c_str());
    cmd_play_sound(&r, 1, &arg);
    EXPECT_TRUE(r.as_logical());
    ASSERT_TRUE(traces_reach(1, 5s));
    EXPECT_EQ(device.opened(), 1);
    std::remove(path.c_str());
}

TEST_F(SoundPlayerTest, ProgramEndWaitsForEveryWorker) {
    FakeWaveDevice device(false);
    InstalledDevice installed(device);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(play_bytes(simple_wave(1000 + i)));
    stop_all(true);
    EXPECT_EQ(wave_player_count(), 0);
    EXPECT_EQ(traces().size(), 5u);  // every worker has run its end
    EXPECT_EQ(device.open_now(), 0);
}

}  // namespace
}  // namespace vel
