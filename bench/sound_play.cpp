// How long play sound keeps the calling thread: it must return at once (well
// under a millisecond), the sound going on on its own worker.
#include <benchmark/benchmark.h>

#include "library/blocks.h"
#include "library/sound/sound_commands.h"
#include "library/sound/wave_player.h"
#include "platform/audio/wave_out.h"
#include "resources/embedded.h"

namespace {

// A device that takes every buffer and never plays: only the caller's cost
// is measured.
class QuietDevice : public plat::WaveDevice {
public:
    std::unique_ptr<plat::WaveOut> open(const plat::WaveFormat&, plat::BufferDone) override {
        return nullptr;
    }
};

// Plays `sound` on `device` (null: the real device) and times only the call.
void play_and_stop(benchmark::State& state, const char* sound, plat::WaveDevice* device) {
    plat::set_wave_device(device);
    vel::Bytes set(vel::make_byteset(vel::embedded_bytes(sound)));
    const vel::ArgRecord arg = vel::arg_byteset(set.get());
    for (auto _ : state) {
        vel::ResultRecord r = {};
        vel::cmd_play_sound(&r, 1, &arg);
        benchmark::DoNotOptimize(r);
        state.PauseTiming();
        vel::stop_all(true);
        state.ResumeTiming();
    }
    plat::set_wave_device(nullptr);
}

void BM_PlayHourSound(benchmark::State& state) {
    QuietDevice device;
    play_and_stop(state, "hour08.wav", &device);
}
void BM_PlayLongestRing(benchmark::State& state) {
    QuietDevice device;
    play_and_stop(state, "ring12.wav", &device);
}

// On the real device (PulseAudio when a server answers, else no device).
void BM_PlayOnDefaultDevice(benchmark::State& state) {
    play_and_stop(state, "hour25.wav", nullptr);
}

}  // namespace

BENCHMARK(BM_PlayHourSound)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayLongestRing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayOnDefaultDevice)->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK_MAIN();
