#pragma once
// The program's one MIDI player: it sequences a parsed song through the
// software synthesizer and plays the PCM on the wave device, on a thread of
// its own. Playing new MIDI data first stops and discards the previous song.
#include <cstdint>
#include <span>

namespace vel {

// User-interface thread. Copies `bytes`; plays only when they parse.
void midi_play(std::span<const std::uint8_t> bytes, bool loop);
// Stops the song and waits up to 2000 ms for its thread to end.
void midi_stop();
bool midi_playing();

}  // namespace vel
