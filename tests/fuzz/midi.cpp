// The MIDI parser and the synthesizer on arbitrary bytes: events come out in
// time order and only as channel messages; rendering a little of each song
// stays within the sample range.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "library/sound/midi_file.h"
#include "library/sound/midi_synth.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = vel::parse_midi({data, size});
    const auto* song = std::get_if<vel::MidiSong>(&parsed);
    if (!song) return 0;
    vel::MidiSynth synth;
    std::vector<std::int16_t> block(64);
    std::uint64_t last = 0;
    for (std::size_t i = 0; i < song->events.size() && i < 4096; ++i) {
        const vel::MidiEvent& e = song->events[i];
        if (e.time_us < last || e.status < 0x80 || e.status >= 0xF0) std::abort();
        last = e.time_us;
        synth.handle(e.status, e.data1, e.data2);
        if (i % 64 == 0) synth.render(block);
    }
    return 0;
}
