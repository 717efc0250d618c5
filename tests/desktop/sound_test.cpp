// Sounds played through the library reach a real PulseAudio server: they
// are heard for as long as they last, two sounds overlap, and stop sound
// silences at once. The test program itself plays, on the desktop's server.
#include <cmath>
#include <cstdlib>
#include <thread>

#include "desktop/fixture.h"
#include "library/blocks.h"
#include "library/sound/sound_commands.h"
#include "resources/embedded.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

// Points this process's sound output at the desktop's server (before the
// first sound connects).
void use_desktop_server(const Desktop& desktop) {
    for (const std::string& entry : desktop.env()) {
        if (entry.rfind("PULSE_", 0) != 0) continue;
        const auto eq = entry.find('=');
        setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
    }
}

std::vector<std::uint8_t> tone(double hz, double seconds, int rate = 16000) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::uint8_t> b{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    b.insert(b.end(), {'f', 'm', 't', ' '});
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put(frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i)
        put(static_cast<std::uint16_t>(std::lround(12000 * std::sin(2 * M_PI * hz * i / rate))), 2);
    const std::uint32_t riff = static_cast<std::uint32_t>(b.size() - 8);
    for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
    return b;
}

bool play(std::span<const std::uint8_t> bytes, bool loop = false) {
    vel::Bytes set(vel::make_byteset(bytes));
    vel::ResultRecord r = {};
    const vel::ArgRecord args[2] = {vel::arg_byteset(set.get()), vel::arg_logical(loop)};
    vel::cmd_play_sound(&r, loop ? 2 : 1, args);
    return r.as_logical();
}

// Strength of one frequency over [from, to) seconds (Goertzel), 0 ... ~1.
double strength(const Wav& wav, double hz, double from, double to) {
    const auto& s = wav.samples();
    const auto a = static_cast<std::size_t>(std::max(0.0, from * wav.rate()));
    const auto b = std::min(s.size(), static_cast<std::size_t>(to * wav.rate()));
    if (b <= a) return 0;
    const double w = 2 * M_PI * hz / wav.rate();
    double s1 = 0, s2 = 0;
    for (std::size_t i = a; i < b; ++i) {
        const double s0 = s[i] + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    return 2 * std::sqrt(power) / double(b - a);
}

class SoundTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        use_desktop_server(desktop());
    }
    void TearDown() override {
        vel::stop_all(true);
        DesktopTest::TearDown();
    }
};

TEST_F(SoundTest, HalfHourChimeIsHeardForItsLength) {
    auto recording = desktop().record();
    ASSERT_TRUE(recording);
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(play(vel::embedded_bytes("hour25.wav")));
    std::this_thread::sleep_for(1800ms);
    auto wav = recording->stop();
    ASSERT_TRUE(wav);
    const auto first = wav->first_sound(0.01), last = wav->last_sound(0.01);
    ASSERT_TRUE(first && last) << "nothing was heard";
    // The chime's bells ring out over 0.915 s; the quiet tail may fall under
    // the threshold, the sound may never run longer.
    EXPECT_GT(*last - *first, 0.6);
    EXPECT_LT(*last - *first, 0.95);
    EXPECT_GT(wav->rms(*first, *first + 0.3), 0.05);
}

TEST_F(SoundTest, TwoSoundsPlayedApartOverlap) {
    const auto low = tone(440, 2.8), high = tone(1000, 0.9);
    auto recording = desktop().record();
    ASSERT_TRUE(recording);
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(play(low));
    std::this_thread::sleep_for(2600ms);
    ASSERT_TRUE(play(high));
    std::this_thread::sleep_for(1500ms);
    auto wav = recording->stop();
    ASSERT_TRUE(wav);
    const auto first = wav->first_sound(0.02);
    ASSERT_TRUE(first);
    const double t0 = *first;
    // Both tones sound in the 0.2 s where they overlap; the low one is not
    // cut by the second sound, the high one lasts its own length.
    EXPECT_GT(strength(*wav, 440, t0 + 2.64, t0 + 2.76), 0.15);
    EXPECT_GT(strength(*wav, 1000, t0 + 2.64, t0 + 2.76), 0.15);
    EXPECT_GT(strength(*wav, 440, t0 + 1.0, t0 + 2.5), 0.15);
    EXPECT_LT(strength(*wav, 1000, t0 + 1.0, t0 + 2.5), 0.02);
    EXPECT_LT(strength(*wav, 440, t0 + 2.9, t0 + 3.4), 0.02);
    EXPECT_GT(strength(*wav, 1000, t0 + 2.9, t0 + 3.4), 0.15);
    const auto last = wav->last_sound(0.02);
    ASSERT_TRUE(last);
    EXPECT_NEAR(*last - t0, 3.5, 0.12);
}

TEST_F(SoundTest, StopSoundSilencesALoopAtOnce) {
    const auto beat = tone(660, 0.5);
    auto recording = desktop().record();
    ASSERT_TRUE(recording);
    std::this_thread::sleep_for(300ms);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(play(beat, true));
    std::this_thread::sleep_for(1700ms);  // three and a half passes
    vel::ResultRecord r = {};
    vel::cmd_stop_sound(&r, 0, nullptr);
    const double stopped_after =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::this_thread::sleep_for(800ms);
    auto wav = recording->stop();
    ASSERT_TRUE(wav);
    const auto first = wav->first_sound(0.02), last = wav->last_sound(0.02);
    ASSERT_TRUE(first && last);
    // The loop kept going past its own length, without gaps, and ended
    // within 100 ms of stop sound.
    EXPECT_GT(*last - *first, 1.5);
    EXPECT_LT(*last - *first, stopped_after + 0.1);
    EXPECT_GT(wav->sounding_seconds(0.02), (*last - *first) - 0.1);
}

}  // namespace
}  // namespace desk
