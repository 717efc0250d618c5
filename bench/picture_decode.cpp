// Decoding the face-sized GIF and drawing it transparently: both happen once
// a second for every frame of the clock.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "forms/pictures/picture.h"
#include "platform/raster/blit.h"
#include "resources/embedded.h"

namespace {

std::vector<std::uint8_t> dial_bytes() {
    const auto path =
        std::filesystem::path(__FILE__).parent_path() / "../tests/data/pictures/dial_like.gif";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void decode_dial_gif(benchmark::State& state) {
    const auto bytes = dial_bytes();
    if (!vel::decode_gif(bytes)) state.SkipWithError("dial_like.gif does not decode");
    for (auto _ : state) {
        auto r = vel::decode_gif(bytes);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(decode_dial_gif);

// The dial's twice-size partner, which loading the dial decodes with it.
void decode_dial_2x_gif(benchmark::State& state) {
    const auto bytes = vel::embedded_bytes("dial@2x.gif");
    for (auto _ : state) {
        auto r = vel::decode_gif(bytes);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(decode_dial_2x_gif);

// A background and its twice-size partner, decoded once each at start-up (the
// partner only on a high-density screen).
void decode_background_jpeg(benchmark::State& state) {
    const char* name = state.range(0) == 2 ? "泰山@2x.jpg" : "泰山.jpg";
    const auto path = std::filesystem::path(__FILE__).parent_path() / "../resources/image" / name;
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (!vel::decode_jpeg(bytes)) state.SkipWithError("the background does not decode");
    for (auto _ : state) {
        auto r = vel::decode_jpeg(bytes);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(decode_background_jpeg)->Arg(1)->Arg(2);

void transparent_dial(benchmark::State& state) {
    const auto r = vel::decode_gif(dial_bytes());
    if (!r) {
        state.SkipWithError("dial_like.gif does not decode");
        return;
    }
    plat::raster::Bitmap face(288, 284, 0x00F0F0FF);
    for (auto _ : state) {
        plat::raster::transparent_blit(face, {0, 0, 288, 284}, r.picture->image, {0, 0, 288, 284},
                                       0xFFFFFF);
        benchmark::DoNotOptimize(face.data());
    }
}
BENCHMARK(transparent_dial);

void shrink_butterfly(benchmark::State& state) {
    plat::raster::Bitmap butterfly(60, 60, 0xFFFFFF), face(288, 284, 0x00F0F0FF);
    for (int y = 10; y < 50; ++y)
        for (int x = 5; x < 55; x += 2) butterfly.set_pixel(x, y, 0x7E0041);
    for (auto _ : state) {
        plat::raster::transparent_blit(face, {135, 35, 18, 18}, butterfly, {0, 0, 60, 60}, 0xFFFFFF,
                                       plat::raster::Stretch::smooth);
        benchmark::DoNotOptimize(face.data());
    }
}
BENCHMARK(shrink_butterfly);

}  // namespace

BENCHMARK_MAIN();
