#pragma once
// The sound commands of the library and the runtime operations behind them.
#include <cstdint>
#include <span>

#include "library/value.h"

namespace vel {

// play sound (byte set or file name, [logical loop]) -> logical: true when
// playback started. Returns at once; the sound plays on its own thread.
void cmd_play_sound(ResultRecord* result, int count, const ArgRecord* args);
// stop sound (): silences every sound; returns without waiting.
void cmd_stop_sound(ResultRecord* result, int count, const ArgRecord* args);

// 1 when a wave player started or MIDI data was taken (even when it did not
// parse), else 0.
int play_data(std::span<const std::uint8_t> bytes, bool loop);
// Stops every wave player and the MIDI player; with `wait` also waits for
// every wave worker to end (program end).
void stop_all(bool wait);

}  // namespace vel
