#pragma once
// Building RIFF WAVE byte sets chunk by chunk for the sound tests.
#include <cstdint>
#include <string>
#include <vector>

namespace vel::test {

using ByteVec = std::vector<std::uint8_t>;

inline void put32(ByteVec& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void put16(ByteVec& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A chunk with `declared` as its size field (defaults to the body's size);
// no pad byte is added.
inline ByteVec chunk(const std::string& tag, const ByteVec& body, std::int64_t declared = -1) {
    ByteVec b(tag.begin(), tag.end());
    put32(b, static_cast<std::uint32_t>(declared < 0 ? body.size() : declared));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// The 18-byte PCM format of a "fmt " chunk.
inline ByteVec pcm_format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                          std::int32_t align = -1, std::uint16_t tag = 1) {
    const auto block = static_cast<std::uint16_t>(align < 0 ? channels * bits / 8 : align);
    ByteVec b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * block);
    put16(b, block);
    put16(b, bits);
    put16(b, 0);
    return b;
}

// "RIFF" size "WAVE" and the chunks; the size covers everything after it
// unless `declared` says otherwise.
inline ByteVec riff(std::initializer_list<ByteVec> chunks, std::int64_t declared = -1) {
    ByteVec body;
    for (const ByteVec& c : chunks) body.insert(body.end(), c.begin(), c.end());
    ByteVec b{'R', 'I', 'F', 'F'};
    put32(b, static_cast<std::uint32_t>(declared < 0 ? body.size() + 4 : declared));
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// `n` bytes counting up from `first` (wrapping), so copies can be checked.
inline ByteVec ramp(std::size_t n, std::uint8_t first = 0) {
    ByteVec b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(first + i * 7);
    return b;
}

// A mono 8 kHz 8-bit sound of `n` sample bytes.
inline ByteVec simple_wave(std::size_t n, std::uint8_t first = 0) {
    return riff({chunk("fmt ", pcm_format(1, 8000, 8)), chunk("data", ramp(n, first))});
}

}  // namespace vel::test
