// The chunk walk and the format reader on arbitrary bytes: every span found
// must lie inside the input.
#include <cstdint>
#include <cstdlib>

#include "library/sound/riff_chunks.h"
#include "platform/audio/wave_out.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto chunks = vel::find_wave_chunks(bytes);
    if (!chunks) return 0;
    const std::uint8_t* end = data + size;
    if (chunks->format.data() < data || chunks->format.data() + chunks->format.size() > end)
        std::abort();
    if (chunks->samples.empty() || chunks->samples.data() < data ||
        chunks->samples.data() + chunks->samples.size() > end)
        std::abort();
    const auto format = plat::read_wave_format(chunks->format);
    if (!format) std::abort();  // the walk promised a readable format
    volatile bool playable = plat::playable_pcm(*format);
    (void)playable;
    return 0;
}
