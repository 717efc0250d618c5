#include "library/sound/midi_synth.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {

constexpr double kAttack = 1.0 / (0.005 * MidiSynth::kRate);  // 5 ms to full
constexpr double kDecayTo = 0.6;
constexpr double kDecay = 1.0 / (0.2 * MidiSynth::kRate);
constexpr double kRelease = 1.0 / (0.12 * MidiSynth::kRate);
constexpr double kNoiseLength = 0.08 * MidiSynth::kRate;
constexpr int kPercussion = 9;

}  // namespace

void MidiSynth::handle(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!m_volume_set) {
        m_volume.fill(100.0 / 127);
        m_volume_set = true;
    }
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
        case 0x90:
            if (data2 > 0) {
                note_on(channel, data1, data2);
                break;
            }
            [[fallthrough]];  // velocity 0 is a note off
        case 0x80:
            note_off(channel, data1);
            break;
        case 0xB0:
            if (data1 == 7) m_volume[channel] = data2 / 127.0;
            if (data1 == 123 || data1 == 120) {
                for (Voice& v : m_voices)
                    if (v.channel == channel) v.on = false;
            }
            break;
        default:
            break;  // programs, pressure and pitch bend are not modelled
    }
}

void MidiSynth::note_on(int channel, int note, int velocity) {
    // A free voice, else the oldest one.
    Voice* pick = &m_voices[0];
    for (Voice& v : m_voices) {
        if (!v.active) {
            pick = &v;
            break;
        }
        if (v.age > pick->age) pick = &v;
    }
    Voice& v = *pick;
    v = Voice{};
    v.on = v.active = true;
    v.channel = static_cast<std::uint8_t>(channel);
    v.note = static_cast<std::uint8_t>(note);
    v.noise = channel == kPercussion;
    v.velocity = velocity / 127.0;
    v.step = 440.0 * std::pow(2.0, (note - 69) / 12.0) / kRate;
}

void MidiSynth::note_off(int channel, int note) {
    for (Voice& v : m_voices)
        if (v.on && v.channel == channel && v.note == note) v.on = false;
}

void MidiSynth::render(std::span<std::int16_t> out) {
    for (std::int16_t& sample : out) {
        double mix = 0;
        for (Voice& v : m_voices) {
            if (!v.active) continue;
            if (v.noise) {
                m_noise = m_noise * 1664525u + 1013904223u;
                const double n = static_cast<double>(m_noise >> 8) / (1 << 23) - 1.0;
                v.level = std::max(0.0, 1.0 - v.age / kNoiseLength);
                mix += n * v.level * v.velocity * m_volume[v.channel] * 0.5;
                if (v.level <= 0) v.active = false;
            } else {
                if (v.on && v.age < 1.0 / kAttack) {
                    v.level = std::min(1.0, v.level + kAttack);
                } else if (v.on) {
                    v.level = std::max(kDecayTo, v.level - kDecay);
                } else {
                    v.level -= kRelease;
                    if (v.level <= 0) {
                        v.active = false;
                        continue;
                    }
                }
                // A square softened by its third harmonic's sine.
                const double s = (v.phase < 0.5 ? 0.6 : -0.6) + 0.4 * std::sin(6.2831853 * v.phase);
                mix += s * v.level * v.velocity * m_volume[v.channel];
                v.phase += v.step;
                if (v.phase >= 1.0) v.phase -= 1.0;
            }
            ++v.age;
        }
        const double scaled = std::clamp(mix * 0.25, -1.0, 1.0) * 32767.0;
        sample = static_cast<std::int16_t>(scaled);
    }
}

void MidiSynth::silence() {
    for (Voice& v : m_voices) v = Voice{};
}

int MidiSynth::active_voices() const {
    return static_cast<int>(
        std::count_if(m_voices.begin(), m_voices.end(), [](const Voice& v) { return v.active; }));
}

}  // namespace vel
