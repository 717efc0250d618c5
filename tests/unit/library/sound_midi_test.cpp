#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "library/sound/midi_file.h"
#include "library/sound/midi_player.h"
#include "library/sound/midi_synth.h"
#include "library/sound/sound_commands.h"
#include "sound_fake_device.h"

namespace vel {
namespace {

using namespace std::chrono_literals;
using Bytes8 = std::vector<std::uint8_t>;

Bytes8 header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    return {'M',
            'T',
            'h',
            'd',
            0,
            0,
            0,
            6,
            0,
            static_cast<std::uint8_t>(format),
            0,
            static_cast<std::uint8_t>(tracks),
            static_cast<std::uint8_t>(division >> 8),
            static_cast<std::uint8_t>(division)};
}

void add_track(Bytes8& file, const Bytes8& events) {
    const auto n = static_cast<std::uint32_t>(events.size());
    file.insert(file.end(), {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(n >> 24),
                             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8),
                             static_cast<std::uint8_t>(n)});
    file.insert(file.end(), events.begin(), events.end());
}

// Two tracks at 96 ticks per quarter: a tempo of 250000 us per quarter in the
// first, notes with running status in the second.
Bytes8 two_tracks() {
    Bytes8 f = header(1, 2, 96);
    add_track(f, {0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // tempo 250000
                  0x60, 0xFF, 0x01, 0x02, 'h', 'i',          // text at tick 96
                  0x00, 0xFF, 0x2F, 0x00});
    add_track(f, {0x00, 0x90, 60,   100,     // note on at 0
                  0x60, 64,   90,            // running status: note on at 96
                  0x81, 0x40, 60,   0,       // 192: note off by velocity 0
                  0x00, 0xF0, 0x02, 1,   2,  // system exclusive, skipped
                  0x30, 0xC0, 5,             // program change at 336 (one data byte)
                  0x00, 0xFF, 0x2F, 0x00});
    return f;
}

TEST(SoundMidi, ParsesMergesAndTimesEvents) {
    const auto parsed = parse_midi(two_tracks());
    ASSERT_TRUE(std::holds_alternative<MidiSong>(parsed));
    const MidiSong& song = std::get<MidiSong>(parsed);
    EXPECT_EQ(song.tracks, 2);
    EXPECT_EQ(song.division, 96);
    ASSERT_EQ(song.events.size(), 4u);
    EXPECT_EQ(song.events[0].status, 0x90);
    EXPECT_EQ(song.events[0].time_us, 0u);
    EXPECT_EQ(song.events[1].data1, 64);
    EXPECT_EQ(song.events[1].time_us, 250000u);  // one quarter at the new tempo
    EXPECT_EQ(song.events[2].data2, 0);
    EXPECT_EQ(song.events[2].time_us, 750000u);
    EXPECT_EQ(song.events[3].status, 0xC0);
    EXPECT_EQ(song.events[3].data1, 5);
    EXPECT_EQ(song.events[3].time_us, 875000u);
}

TEST(SoundMidi, BrokenFilesFailOrEndEarly) {
    struct Row {
        const char* name;
        Bytes8 bytes;
        bool parses;
    };
    Bytes8 bad_length = two_tracks();
    bad_length[7] = 7;
    Bytes8 other_chunk = header(0, 1, 96);
    add_track(other_chunk, {0x00, 0x90, 60, 100});
    other_chunk[14] = 'X';
    Bytes8 truncated = two_tracks();
    truncated.resize(truncated.size() - 12);
    Bytes8 huge_track = header(0, 1, 96);
    add_track(huge_track, {0x00, 0x90, 60, 100});
    huge_track[18] = 0x7F;  // declares far more than there is
    Bytes8 endless_number = header(0, 1, 96);
    add_track(endless_number, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x90, 60, 100});
    Bytes8 empty_track = header(0, 1, 96);
    add_track(empty_track, {});
    const Row rows[] = {
        {"header length not 6", bad_length, false},
        {"chunk other than MTrk", other_chunk, false},
        {"fewer tracks than announced", header(0, 3, 96), false},
        {"division 0", header(0, 0, 0), false},
        {"too short for a header", Bytes8{'M', 'T', 'h', 'd', 0, 0}, false},
        {"track cut short", truncated, true},
        {"track longer than the file", huge_track, true},
        {"overlong delta time", endless_number, true},
        {"empty track", empty_track, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(std::holds_alternative<MidiSong>(parse_midi(row.bytes)), row.parses);
    }
}

// The slowest tempo (0xFFFFFF us per quarter) at one tick per quarter and the
// longest delta times: 4,400 of them add up to more than 2^64 microseconds.
// Times past the end stay at the end; they never wrap round to the start.
TEST(SoundMidi, SongLongerThanTimeCanCountEndsAtTheLastMicrosecond) {
    Bytes8 events = {0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF, 0x00, 0x90, 60, 100};
    for (int i = 0; i < 4400; ++i)
        events.insert(events.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
    events.insert(events.end(), {0x00, 0x80, 60, 0});
    Bytes8 file = header(0, 1, 1);
    add_track(file, events);
    const auto parsed = parse_midi(file);
    ASSERT_TRUE(std::holds_alternative<MidiSong>(parsed));
    const MidiSong& song = std::get<MidiSong>(parsed);
    ASSERT_EQ(song.events.size(), 2u);
    EXPECT_EQ(song.events[0].time_us, 0u);
    EXPECT_EQ(song.events[1].time_us, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(song.length_us, std::numeric_limits<std::uint64_t>::max());
}

double rms(const std::vector<std::int16_t>& s) {
    double sum = 0;
    for (auto v : s) sum += double(v) * v;
    return std::sqrt(sum / s.size()) / 32768.0;
}

TEST(SoundMidi, SynthSoundsWhileANoteIsHeldAndFallsSilentAfter) {
    MidiSynth synth;
    std::vector<std::int16_t> block(MidiSynth::kRate / 10);
    synth.render(block);
    EXPECT_EQ(rms(block), 0.0);
    synth.handle(0x90, 69, 127);
    synth.render(block);
    EXPECT_GT(rms(block), 0.05);
    synth.handle(0xB0, 7, 0);  // channel volume 0
    synth.render(block);
    EXPECT_LT(rms(block), 0.001);
    synth.handle(0xB0, 7, 127);
    synth.handle(0x80, 69, 0);
    for (int i = 0; i < 3; ++i) synth.render(block);  // release is 120 ms
    EXPECT_EQ(synth.active_voices(), 0);
    EXPECT_EQ(rms(block), 0.0);
    for (int n = 0; n < 40; ++n) synth.handle(0x90, static_cast<std::uint8_t>(40 + n), 100);
    EXPECT_EQ(synth.active_voices(), MidiSynth::kVoices);  // oldest voices are taken over
}

TEST(SoundMidi, PlayerRendersOnTheWaveDeviceAndStops) {
    test::FakeWaveDevice device(true, 5ms);
    test::InstalledDevice installed(device);
    const Bytes8 song = two_tracks();
    EXPECT_EQ(play_data(song, true), 1);
    ASSERT_TRUE(device.wait_for(
        [&] { return device.opened() == 1 && device.output(0).writes.size() >= 12; }, 3s));
    EXPECT_TRUE(midi_playing());
    const auto out = device.output(0);
    EXPECT_EQ(out.format.samples_per_second, static_cast<std::uint32_t>(MidiSynth::kRate));
    bool sound = false;
    for (const auto& w : out.writes)
        for (std::size_t i = 1; i < w.size(); i += 2) sound |= w[i] != 0 && w[i] != 0xFF;
    EXPECT_TRUE(sound);
    // A new song replaces the old one; stop all ends it.
    EXPECT_EQ(play_data(song, false), 1);
    EXPECT_TRUE(device.wait_for([&] { return device.opened() == 2; }, 2s));
    EXPECT_TRUE(device.output(0).closed);
    stop_all(true);
    EXPECT_FALSE(midi_playing());
    EXPECT_TRUE(device.wait_for([&] { return device.open_now() == 0; }, 2s));
}

}  // namespace
}  // namespace vel
