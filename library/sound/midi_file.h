#pragma once
// Standard MIDI Files: the header, the tracks, and their events merged into
// one list in time order with times in microseconds.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace vel {

struct MidiEvent {
    std::uint64_t time_us = 0;  // from the start of the song
    std::uint8_t status = 0;    // a channel message's status byte
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

struct MidiSong {
    std::uint16_t format = 0;
    std::uint16_t tracks = 0;
    std::uint16_t division = 0;
    std::vector<MidiEvent> events;  // channel messages only, in time order
    std::uint64_t length_us = 0;    // time of the last event of any kind
};

struct MidiError {
    std::string_view reason;
};

// Limits that keep a hostile file from exhausting memory or time.
inline constexpr std::size_t kMidiMaxEvents = 1 << 20;

// "MThd" with length 6, then "MTrk" chunks (any other chunk fails). Running
// status is honoured; system-exclusive messages and meta events other than
// the tempo are skipped; a track cut short ends where the bytes end.
std::variant<MidiSong, MidiError> parse_midi(std::span<const std::uint8_t> bytes);

}  // namespace vel
