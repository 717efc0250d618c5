#pragma once
// The chunk walk of a RIFF WAVE byte set: finds the "fmt " and "data" chunks.
#include <cstdint>
#include <optional>
#include <span>

namespace vel {

struct WaveChunks {
    std::span<const std::uint8_t> format;   // the first "fmt " chunk's data
    std::span<const std::uint8_t> samples;  // the first "data" chunk's data
};

// Nothing for a byte set of 35 bytes or less, one without "RIFF"/"WAVE", or
// one without a "fmt " chunk, a "data" chunk, or with "data" of size 0.
//
// The walk starts at offset 12 and steps from chunk to chunk by the sizes
// written in the chunks, without skipping pad bytes (the sounds this player
// was made for rely on that). It stops when both chunks are known, when it
// has covered the RIFF size, or at the end of the bytes. A chunk that claims
// more bytes than are there is cut at the end of the byte set; a "fmt " chunk
// too short for a format counts as none.
std::optional<WaveChunks> find_wave_chunks(std::span<const std::uint8_t> riff);

// "RIFF" ... "WAVE" with more than 11 bytes: the wave player's kind of data.
bool looks_like_wave(std::span<const std::uint8_t> bytes);
// "MThd" with more than 4 bytes.
bool looks_like_midi(std::span<const std::uint8_t> bytes);

}  // namespace vel
