// CPU cost of playing: an hour sound (mono, 16 kHz, 16 bit) loops for five
// seconds on the default device while the process's CPU time is measured.
// Reported as the counter cpu_percent (of one core). Run it through
// bench/sound_cpu.sh, which provides a private sound server.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <thread>

#include "library/blocks.h"
#include "library/sound/sound_commands.h"
#include "resources/embedded.h"

namespace {

double process_seconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void BM_PlayHourSoundCpu(benchmark::State& state) {
    vel::Bytes set(vel::make_byteset(vel::embedded_bytes("hour08.wav")));
    const vel::ArgRecord args[2] = {vel::arg_byteset(set.get()), vel::arg_logical(true)};
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double cpu0 = process_seconds();
        const auto wall0 = std::chrono::steady_clock::now();
        vel::ResultRecord r = {};
        vel::cmd_play_sound(&r, 2, args);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        vel::stop_all(true);
        cpu += process_seconds() - cpu0;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    }
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
}

}  // namespace

BENCHMARK(BM_PlayHourSoundCpu)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
