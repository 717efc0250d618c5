// What the stored settings add to start-up: the created handler's place and
// settings steps on the real clock window (offscreen), with the settings
// files empty, filled (every toggle on, round, a place, start at logon) and
// with three files of 10 MB. Runs in a temporary run directory with
// temporary XDG folders.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/clock_externals.h"
#include "app/handlers/handler_table.h"
#include "app/settings/toggles.h"
#include "app/window/place.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/startup.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"
#include "library/runtime_errors.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace {

namespace fs = std::filesystem;
using namespace vel;

fs::path g_root;

void write(const std::string& name, const std::string& bytes) {
    std::ofstream(g_root / "VEL文件" / name, std::ios::binary | std::ios::trunc) << bytes;
}

void prepare(int variant) {
    for (const char* f : {"start.vel", "hour.vel", "top.vel", "mouse.vel", "insert.vel",
                          "outline.vel", "coordinate.vel"})
        write(f, "");
    if (variant == 1) {
        write("start.vel", "\xBF\xAA\xBB\xFA\xC6\xF4\xB6\xAF");
        write("hour.vel", "\xB0\xEB\xB5\xE3\xB1\xA8\xCA\xB1");
        write("top.vel", "\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3");
        write("mouse.vel", "\xCA\xF3\xB1\xEA\xB4\xA9\xCD\xB8");
        write("insert.vel", "\xC7\xB6\xC8\xEB\xD7\xC0\xC3\xE6");
        write("outline.vel", "\xD4\xB2\xD0\xCE");
        write("coordinate.vel", "100,120");
    } else if (variant == 2) {
        const std::string large = "\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3" + std::string(10 << 20, 'x');
        for (const char* f : {"top.vel", "mouse.vel", "insert.vel"}) write(f, large);
    }
}

void set_up() {
    char pattern[] = "/tmp/vel-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    g_root = pattern;
    fs::create_directories(g_root / "VEL文件");
    fs::create_directories(g_root / "xdg-home");
    fs::create_directories(g_root / "xdg-dirs");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", (g_root / "xdg-home").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (g_root / "xdg-dirs").c_str(), 1);
    // The single-copy event is named per display: keep clear of a running clock.
    ::setenv("DISPLAY", (":vel-bench-" + std::to_string(::getpid())).c_str(), 1);
    std::string run = g_root.string();
    for (char& c : run)
        if (c == '/') c = '\\';
    replace_run_directory(run);
    std::ofstream(g_root / executable_file_name()) << "program";  // what autostart names
    prepare(0);
    initialise_runtime(embedded_bytes("forms.bin"), clock_handler_table(),
                       clock_external_declarations());
    if (!FormRuntime::instance().load_window(ui::clock::kWindow, 0, false, true)) std::abort();
}

// The created handler's steps 3 and 5: the place, then the settings.
void BM_RestorePlaceAndSettings(benchmark::State& state) {
    prepare(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        restore_place();
        restore_settings();
        call(cmd_close_all_files);
    }
    state.SetLabel(state.range(0) == 0 ? "empty" : state.range(0) == 1 ? "filled" : "10 MB");
}
BENCHMARK(BM_RestorePlaceAndSettings)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    set_up();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(g_root, ignored);
    // As the clock itself ends: the runtime's hooks release the window first.
    end_program(0);
}
