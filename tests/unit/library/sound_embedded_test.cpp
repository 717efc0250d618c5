#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "library/sound/riff_chunks.h"
#include "platform/audio/wave_out.h"
#include "resources/embedded.h"

namespace vel {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
}

struct Chunk {
    std::string id;
    std::uint32_t size;
};

// Every chunk in order, stepping over pad bytes as a careful reader would.
std::vector<Chunk> chunk_list(std::span<const std::uint8_t> b) {
    std::vector<Chunk> out;
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const std::uint32_t size = le32(b.data() + pos + 4);
        out.push_back({std::string(reinterpret_cast<const char*>(b.data() + pos), 4), size});
        pos += 8 + size + (size & 1);
    }
    EXPECT_EQ(pos, b.size());
    return out;
}

struct RingRow {
    int length, channels, rate, bits, data;
};
constexpr RingRow kRings[13] = {
    {40878, 1, 8000, 8, 40832},   {18912, 1, 8000, 8, 18853},    {21370, 1, 8000, 8, 21311},
    {19456, 1, 8000, 8, 19397},   {29500, 1, 8000, 8, 29441},    {23000, 1, 8000, 8, 22941},
    {19470, 1, 8000, 8, 19412},   {64258, 1, 8000, 8, 64200},    {405932, 1, 22050, 16, 405874},
    {194138, 1, 8000, 8, 194080}, {408886, 2, 11025, 8, 408828}, {786880, 2, 11025, 8, 786822},
    {435244, 2, 8000, 8, 435186},
};

void expect_format(std::span<const std::uint8_t> b, int channels, int rate, int bits) {
    const auto chunks = find_wave_chunks(b);
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->format.size(), 18u);
    EXPECT_EQ(chunks->format[16] | chunks->format[17] << 8, 0);  // extra size
    const auto f = plat::read_wave_format(chunks->format);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->format_tag, 1);
    EXPECT_EQ(f->channels, channels);
    EXPECT_EQ(f->samples_per_second, static_cast<std::uint32_t>(rate));
    EXPECT_EQ(f->bits_per_sample, bits);
    EXPECT_EQ(f->block_align, channels * bits / 8);
    EXPECT_EQ(f->bytes_per_second, static_cast<std::uint32_t>(rate * channels * bits / 8));
    EXPECT_EQ(le32(b.data() + 4), b.size() - 8);
}

TEST(SoundEmbedded, RingsMatchTheirTable) {
    for (int i = 0; i < 13; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "ring%02d.wav", i + 1);
        SCOPED_TRACE(name);
        const RingRow& row = kRings[i];
        const auto b = embedded_bytes(name);
        ASSERT_EQ(static_cast<int>(b.size()), row.length);
        expect_format(b, row.channels, row.rate, row.bits);
        const auto list = chunk_list(b);
        std::vector<std::string> ids;
        for (const Chunk& c : list) ids.push_back(c.id);
        if (i == 0) {
            EXPECT_EQ(ids, (std::vector<std::string>{"fmt ", "data"}));
        } else {
            EXPECT_EQ(ids, (std::vector<std::string>{"fmt ", "fact", "data"}));
            EXPECT_EQ(list[1].size, 4u);
        }
        EXPECT_EQ(static_cast<int>(list.back().size), row.data);
        EXPECT_EQ(static_cast<int>(find_wave_chunks(b)->samples.size()), row.data);
    }
}

TEST(SoundEmbedded, HourSoundsMatchTheirTable) {
    std::size_t total = 0;
    for (int i = 1; i <= 25; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "hour%02d.wav", i);
        SCOPED_TRACE(name);
        const auto b = embedded_bytes(name);
        total += b.size();
        if (i <= 24) {
            EXPECT_GE(b.size(), 89918u);
            EXPECT_LE(b.size(), 97598u);
        } else {
            EXPECT_EQ(b.size(), 29598u);
        }
        expect_format(b, 1, 16000, 16);
        const auto list = chunk_list(b);
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[0].id, "fmt ");
        EXPECT_EQ(list[1].id, "data");
        EXPECT_EQ(list[1].size, b.size() - 318);
        EXPECT_EQ(list[2].id, "EVNT");
        EXPECT_EQ(list[2].size, 264u);
    }
    EXPECT_LT(total, 2400000u);
}

// Syllables heard in 16-bit mono speech: loudness over 20 ms windows, each
// rise above a quarter of the loudest window after a fall below a tenth.
int syllables(std::span<const std::uint8_t> wave) {
    const auto chunks = find_wave_chunks(wave);
    if (!chunks) return -1;
    std::vector<double> loudness;
    const std::size_t n = chunks->samples.size() / 2, window = 320;
    for (std::size_t at = 0; at + window <= n; at += window / 2) {
        double sum = 0;
        for (std::size_t i = at; i < at + window; ++i) {
            const auto v =
                static_cast<std::int16_t>(chunks->samples[2 * i] | chunks->samples[2 * i + 1] << 8);
            sum += double(v) * v;
        }
        loudness.push_back(std::sqrt(sum / window));
    }
    const double top = *std::max_element(loudness.begin(), loudness.end());
    int count = 0;
    bool voiced = false;
    for (double v : loudness) {
        if (!voiced && v > 0.25 * top) ++count, voiced = true;
        if (voiced && v < 0.10 * top) voiced = false;
    }
    return count;
}

// The hour sounds are played on the hour and, before the half-hour sound, on
// the half hour: they say "现在时刻，X点" and nothing after the hour ("整",
// "sharp", would be wrong at half past). Syllables that glide into each other
// ("十一") may be heard as one, never a word more.
TEST(SoundEmbedded, HourSoundsSayTheHourAndNothingAfterIt) {
    for (int hour = 0; hour < 24; ++hour) {
        // 零 ... 十: one syllable; 十一 ... 二十: two; 二十一 ... : three.
        const int number = hour <= 10 ? 1 : hour <= 20 ? 2 : 3;
        const int words = 4 + number + 1;  // 现在时刻, the hour, 点
        char name[16];
        std::snprintf(name, sizeof name, "hour%02d.wav", hour + 1);
        const int heard = syllables(embedded_bytes(name));
        if (number == 1) {
            EXPECT_EQ(heard, words) << name;
        } else {
            EXPECT_LE(heard, words) << name;
            EXPECT_GE(heard, words - number + 1) << name;
        }
    }
}

}  // namespace
}  // namespace vel
