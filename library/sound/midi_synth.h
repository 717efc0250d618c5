#pragma once
// A small software synthesizer for MIDI channel messages: up to 24 voices,
// a square-ish tone for melodic channels with an attack-decay-release
// envelope, a noise burst for the percussion channel (10), channel volume
// (controller 7) and all-notes-off. Renders 16-bit mono PCM.
#include <array>
#include <cstdint>
#include <span>

namespace vel {

class MidiSynth {
public:
    static constexpr int kRate = 22050;
    static constexpr int kVoices = 24;

    void handle(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Adds nothing: overwrites `out` with the next samples.
    void render(std::span<std::int16_t> out);
    void silence();
    int active_voices() const;

private:
    struct Voice {
        bool on = false;      // key held
        bool active = false;  // still sounding (held or releasing)
        bool noise = false;
        std::uint8_t channel = 0, note = 0;
        double phase = 0, step = 0;
        double level = 0;  // envelope, 0..1
        double velocity = 0;
        std::uint32_t age = 0;  // samples since note on
    };
    void note_on(int channel, int note, int velocity);
    void note_off(int channel, int note);

    std::array<Voice, kVoices> m_voices{};
    std::array<double, 16> m_volume{};  // 0..1 per channel
    bool m_volume_set = false;
    std::uint32_t m_noise = 0x12345678;
};

}  // namespace vel
