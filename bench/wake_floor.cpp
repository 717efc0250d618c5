// What one wake-up from a one-second sleep costs in CPU on this machine, with
// nothing else done: the floor under any program that acts once a second
// (the clock's tick, xclock's update). bench/clock_cpu.sh prints it beside
// the clock's figures.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

static void BM_WakeAfterOneSecond(benchmark::State& state) {
    const int fd = eventfd(0, 0);
    pollfd p{fd, POLLIN, 0};
    for (auto _ : state) benchmark::DoNotOptimize(poll(&p, 1, 1000));
    close(fd);
}
BENCHMARK(BM_WakeAfterOneSecond)->Iterations(10)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
