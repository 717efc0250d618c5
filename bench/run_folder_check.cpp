// What a later start spends on the user's own run folder: the check that
// every shipped file is there and that no shipped data file changed since it
// was copied (the marker and the record read, two stats per file), on an
// install of the real settings and pictures (the folders beside the built
// program). Arg 1: one data file changed since, so it is read, compared and
// copied again on each round. Beside it, the choice for a build folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fs/paths.h"
#include "platform/fs/run_folder.h"

namespace {

namespace fs = std::filesystem;

fs::path g_root;

fs::path install() {
    return g_root / "lib";
}
std::string program() {
    return (install() / "velclock").string();
}
std::string user() {
    return (g_root / "data" / "velclock").string();
}

// The built program's folders, with a marker listing them as an install
// does: pictures, about.vel and help.vel as data, the rest as settings.
bool make_install() {
    const fs::path built = fs::path(plat::fs::executable_path()).parent_path().parent_path();
    std::error_code ec;
    fs::create_directories(install(), ec);
    std::ofstream(program()) << "program";
    std::ofstream marker(program() + ".shipped");
    for (const char* folder : {"VEL文件", "image"}) {
        fs::copy(built / folder, install() / folder, fs::copy_options::recursive, ec);
        if (ec) return false;
        for (const auto& entry : fs::directory_iterator(install() / folder)) {
            const std::string name = entry.path().filename().string();
            const bool data =
                std::string(folder) == "image" || name == "about.vel" || name == "help.vel";
            marker << (data ? "data " : "settings ") << folder << "/" << name << "\n";
        }
    }
    return true;
}

void BM_LaterStartCheck(benchmark::State& state) {
    const fs::path about = install() / "VEL文件" / "about.vel";
    int round = 0;
    for (auto _ : state) {
        if (state.range(0) == 1) {
            state.PauseTiming();
            std::ofstream(about, std::ios::app) << char('0' + ++round % 10);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(plat::fs::prepare_user_run_folder(program(), user()));
    }
}
BENCHMARK(BM_LaterStartCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole choice for a build folder (what bench/startup.sh starts): the
// marker looked for, the folder's rights and name checked.
void BM_ChoiceBesideTheProgram(benchmark::State& state) {
    const std::string built = plat::fs::executable_path();
    for (auto _ : state) benchmark::DoNotOptimize(plat::fs::choose_run_folder(built, user(), ""));
}
BENCHMARK(BM_ChoiceBesideTheProgram)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    char pattern[] = "/tmp/vel-bench-run-folder-XXXXXX";
    if (!::mkdtemp(pattern)) return 1;
    g_root = pattern;
    const bool ready = make_install() && plat::fs::prepare_user_run_folder(program(), user());
    if (ready) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
    }
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return ready ? 0 : 1;
}
