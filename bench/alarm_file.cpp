// An alarm pass over a large alarm file done through the library's commands,
// as a program of the form would write it: read the file, turn it into text,
// split it into lines and take every line apart with find, middle and to
// integer. Every line is made to match the hour, so each one costs the full
// three searches, cuts and conversions. (The clock's own check parses the
// lines directly; bench_tick measures it.)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/convert_commands.h"
#include "library/commands/file_commands.h"
#include "library/commands/text_commands.h"

namespace {

using namespace vel;

constexpr const char* kFullWidthColon = "\xA3\xBA";  // ：

std::string make_alarm_file(int lines) {
    char pattern[] = "/tmp/vel-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    const std::string path = std::string(pattern) + "/bell.vel";
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < lines; ++i) {
        // 起床：7:MM/起床
        out << "\xC6\xF0\xB4\xB2" << kFullWidthColon << "7:" << (i % 60) << "/\xC6\xF0\xB4\xB2\r\n";
    }
    return path;
}

std::int32_t find(const char* line, const char* sought) {
    return call(cmd_find_text, arg_text(line), arg_text(sought), arg_int(1), arg_logical(false))
        .as_int();
}

std::int32_t number_between(const char* line, std::int32_t start, std::int32_t count) {
    Text piece(
        call(cmd_middle_text, arg_text(line), arg_int(start), arg_int(count)).as_ptr<char>());
    return call(cmd_to_integer, arg_text(piece.get())).as_int();
}

// One tick's alarm check without the sound and prompt; returns the lines that fire.
int alarm_pass(const std::string& path, int hour, int minute) {
    Bytes content(call(cmd_read_file, arg_text(path.c_str())).as_ptr<std::uint8_t>());
    Text text(call(cmd_to_text, arg_byteset(content.get())).as_ptr<char>());
    void* lines = call(cmd_split_text, arg_text(text.get()), arg_text("\r\n")).as_ptr<void>();
    const ArrayData d = array_data(lines);
    int fired = 0;
    for (std::int64_t i = 0; i < d.count; ++i) {
        const char* line = static_cast<char**>(d.first)[i];
        const std::int32_t p1 = find(line, kFullWidthColon);
        const std::int32_t p2 = find(line, ":");
        if (number_between(line, p1 + 2, p2 - p1 - 2) != hour) continue;
        const std::int32_t p3 = find(line, "/");
        if (number_between(line, p2 + 1, p3 - p2 - 1) != minute) continue;
        const std::int32_t length = call(cmd_text_length, arg_text(line)).as_int();
        Text ring(call(cmd_right_text, arg_text(line), arg_int(length - p3)).as_ptr<char>());
        Text name(call(cmd_left_text, arg_text(line), arg_int(p1 - 1)).as_ptr<char>());
        fired += ring && name ? 1 : 0;
    }
    release_array(lines, TAG_TEXT);
    call(cmd_close_all_files);
    return fired;
}

void BM_AlarmCheck10000Lines(benchmark::State& state) {
    const std::string path = make_alarm_file(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(alarm_pass(path, 7, 30));
    if (alarm_pass(path, 7, 30) !=
        static_cast<int>(state.range(0)) / 60 + (state.range(0) % 60 > 30))
        state.SkipWithError("wrong number of alarms fired");
    std::remove(path.c_str());
    ::rmdir(path.substr(0, path.rfind('/')).c_str());
}
BENCHMARK(BM_AlarmCheck10000Lines)->Arg(10000)->Unit(benchmark::kMillisecond);

// The part of the pass that does not depend on the lines' content.
void BM_ReadAndSplit10000Lines(benchmark::State& state) {
    const std::string path = make_alarm_file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Bytes content(call(cmd_read_file, arg_text(path.c_str())).as_ptr<std::uint8_t>());
        Text text(call(cmd_to_text, arg_byteset(content.get())).as_ptr<char>());
        void* lines = call(cmd_split_text, arg_text(text.get()), arg_text("\r\n")).as_ptr<void>();
        benchmark::DoNotOptimize(lines);
        release_array(lines, TAG_TEXT);
    }
    std::remove(path.c_str());
    ::rmdir(path.substr(0, path.rfind('/')).c_str());
}
BENCHMARK(BM_ReadAndSplit10000Lines)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
