#include <gtest/gtest.h>

#include "library/sound/riff_chunks.h"
#include "sound_test_bytes.h"

namespace vel {
namespace {

using namespace vel::test;

struct WalkCase {
    const char* name;
    ByteVec bytes;
    bool found;
    std::size_t data_size;    // when found
    std::uint8_t first_data;  // when found and non-empty
};

std::vector<WalkCase> walk_cases() {
    const ByteVec fmt = chunk("fmt ", pcm_format(1, 8000, 8));
    const ByteVec format = pcm_format(1, 8000, 8);
    const ByteVec fmt16 = chunk("fmt ", ByteVec(format.begin(), format.begin() + 16));
    const ByteVec long_wave = simple_wave(20);
    ByteVec odd_then_pad = chunk("data", ramp(5, 3));
    odd_then_pad.push_back(0);  // the pad byte the walk does not skip
    ByteVec beyond = simple_wave(4);
    beyond.resize(beyond.size() - 4);
    beyond.insert(beyond.end(), {9, 9});
    return {
        {"fmt then data", simple_wave(10, 1), true, 10, 1},
        {"data before fmt",
         riff({chunk("data", ramp(6, 2)), chunk("fmt ", pcm_format(1, 8000, 8))}), true, 6, 2},
        {"36 bytes: header and fmt, no data", riff({fmt}), false, 0, 0},
        {"35 bytes or less", ByteVec(long_wave.begin(), long_wave.begin() + 35), false, 0, 0},
        {"no fmt", riff({chunk("data", ramp(40))}), false, 0, 0},
        {"data of size 0", riff({fmt, chunk("data", {})}), false, 0, 0},
        {"fmt of 16 bytes is enough", riff({fmt16, chunk("data", ramp(8, 4))}), true, 8, 4},
        {"fmt too short for a format",
         riff({chunk("fmt ", ByteVec(10, 1)), chunk("data", ramp(30))}), false, 0, 0},
        {"other chunks are stepped over",
         riff({fmt, chunk("fact", {1, 2, 3, 4}), chunk("data", ramp(9, 5))}), true, 9, 5},
        {"odd data and pad byte at the end", riff({fmt, odd_then_pad}), true, 5, 3},
        // Without pad skipping the walk lands one byte early and misses fmt.
        {"odd chunk with pad before fmt", riff({odd_then_pad, fmt, chunk("data", ramp(30))}), false,
         0, 0},
        {"data chunk claims more than there is: cut at the end", beyond, true, 2, 9},
        {"RIFF size ends the walk before data",
         riff({fmt, chunk("LIST", ByteVec(20)), chunk("data", ramp(8))}, 26 + 28), false, 0, 0},
        {"chunk size near 4 GB does not wrap",
         riff({fmt, chunk("junk", ByteVec(4), 0xFFFFFFF8), chunk("data", ramp(8))}), false, 0, 0},
        {"RIFF but not WAVE",
         [] {
             ByteVec b = simple_wave(20);
             b[8] = 'A';
             return b;
         }(),
         false, 0, 0},
    };
}

TEST(SoundRiffChunks, WalkFindsFormatAndData) {
    for (const WalkCase& c : walk_cases()) {
        SCOPED_TRACE(c.name);
        const auto found = find_wave_chunks(c.bytes);
        ASSERT_EQ(found.has_value(), c.found);
        if (!found) continue;
        EXPECT_GE(found->format.size(), 16u);
        ASSERT_EQ(found->samples.size(), c.data_size);
        if (c.data_size > 0) {
            EXPECT_EQ(found->samples[0], c.first_data);
        }
        // Every span lies inside the byte set.
        EXPECT_GE(found->samples.data(), c.bytes.data());
        EXPECT_LE(found->samples.data() + found->samples.size(), c.bytes.data() + c.bytes.size());
    }
}

}  // namespace
}  // namespace vel
