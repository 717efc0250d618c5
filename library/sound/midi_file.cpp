#include "library/sound/midi_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vel {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}
std::uint16_t be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

struct TickEvent {
    std::uint64_t tick;
    std::uint32_t order;  // keeps equal ticks in track, then file order
    std::uint8_t status, data1, data2;
    std::uint32_t tempo;  // microseconds per quarter note; 0 for channel messages
};

class TrackReader {
public:
    explicit TrackReader(std::span<const std::uint8_t> b) : m_bytes(b) {}
    bool done() const { return m_pos >= m_bytes.size(); }
    bool byte(std::uint8_t& out) {
        if (done()) return false;
        out = m_bytes[m_pos++];
        return true;
    }
    // Variable-length quantity of at most 4 bytes.
    bool number(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b;
            if (!byte(b)) return false;
            out = out << 7 | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool skip(std::uint32_t n) {
        if (n > m_bytes.size() - m_pos) return false;
        m_pos += n;
        return true;
    }
    const std::uint8_t* here() const { return m_bytes.data() + m_pos; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

int data_bytes(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Reads one track into `out`; false only when the event limit is exceeded.
bool read_track(std::span<const std::uint8_t> body, std::vector<TickEvent>& out) {
    TrackReader r(body);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!r.done()) {
        std::uint32_t delta;
        if (!r.number(delta)) return true;
        tick += delta;
        std::uint8_t first;
        if (!r.byte(first)) return true;
        if (first == 0xFF) {
            std::uint8_t type;
            std::uint32_t len;
            if (!r.byte(type) || !r.number(len)) return true;
            if (type == 0x51 && len == 3) {
                const std::uint8_t* p = r.here();
                if (!r.skip(3)) return true;
                const std::uint32_t tempo = std::uint32_t{p[0]} << 16 | p[1] << 8 | p[2];
                out.push_back({tick, 0, 0xFF, 0, 0, tempo ? tempo : 1});
            } else if (!r.skip(len)) {
                return true;
            }
            if (type == 0x2F) return true;
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            std::uint32_t len;
            if (!r.number(len) || !r.skip(len)) return true;
            continue;
        }
        std::uint8_t status = first, d1 = 0, d2 = 0;
        if (first & 0x80) {
            if (first >= 0xF0) return true;  // no other system messages in a file
            running = first;
            if (!r.byte(d1)) return true;
        } else {
            if (!running) return true;
            status = running;
            d1 = first;
        }
        if (data_bytes(status) == 2 && !r.byte(d2)) return true;
        if (out.size() >= kMidiMaxEvents) return false;
        out.push_back({tick, 0, status, static_cast<std::uint8_t>(d1 & 0x7F),
                       static_cast<std::uint8_t>(d2 & 0x7F), 0});
    }
    return true;
}

// A time that does not fit (a song of hostile tempos and delta times runs
// past 2^64 microseconds) stays at the end of time instead of wrapping.
std::uint64_t whole_us(double us) {
    constexpr double kBeyond = 18446744073709551616.0;  // 2^64
    return us < kBeyond ? static_cast<std::uint64_t>(us)
                        : std::numeric_limits<std::uint64_t>::max();
}

}  // namespace

std::variant<MidiSong, MidiError> parse_midi(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0)
        return MidiError{"not MIDI"};
    if (be32(bytes.data() + 4) != 6) return MidiError{"bad header length"};
    MidiSong song;
    song.format = be16(bytes.data() + 8);
    song.tracks = be16(bytes.data() + 10);
    song.division = be16(bytes.data() + 12);
    if (song.division == 0) return MidiError{"no time division"};

    std::vector<TickEvent> ticks;
    std::size_t pos = 14;
    for (int t = 0; t < song.tracks; ++t) {
        if (bytes.size() - pos < 8) return MidiError{"missing track"};
        if (std::memcmp(bytes.data() + pos, "MTrk", 4) != 0) return MidiError{"not a track"};
        const std::size_t declared = be32(bytes.data() + pos + 4);
        const std::size_t body = pos + 8;
        const std::size_t present = std::min(declared, bytes.size() - body);
        if (!read_track(bytes.subspan(body, present), ticks)) return MidiError{"too many events"};
        pos = body + present;
    }
    for (std::size_t i = 0; i < ticks.size(); ++i) ticks[i].order = static_cast<std::uint32_t>(i);
    std::stable_sort(ticks.begin(), ticks.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });

    // Ticks to microseconds: a quarter note per `division` ticks at the
    // current tempo (default 120 per minute); SMPTE divisions count frames.
    const bool smpte = song.division & 0x8000;
    double us_per_tick = 500000.0 / song.division;
    if (smpte) {
        const int fps = -static_cast<std::int8_t>(song.division >> 8);
        const int per_frame = song.division & 0xFF;
        if (fps <= 0 || per_frame == 0) return MidiError{"bad time division"};
        us_per_tick = 1e6 / (fps * per_frame);
    }
    double now_us = 0;
    std::uint64_t last_tick = 0;
    for (const TickEvent& e : ticks) {
        now_us += static_cast<double>(e.tick - last_tick) * us_per_tick;
        last_tick = e.tick;
        if (e.status == 0xFF) {
            if (!smpte) us_per_tick = static_cast<double>(e.tempo) / song.division;
            continue;
        }
        song.events.push_back({whole_us(now_us), e.status, e.data1, e.data2});
    }
    song.length_us = whole_us(now_us);
    return song;
}

}  // namespace vel
