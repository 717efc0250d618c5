// Resident memory over a simulated day: the real tick driven by a fake clock
// through 86,400 seconds (the chime's 2.6 s wait advancing it too), with the
// chime on and a handful of alarms whose prompts are answered at once.
// Prints the resident set after the first hour and at the end of the day.
#include <cstdio>
#include <fstream>
#include <string>

#include "app/tick/chime.h"
#include "app/tick/tick.h"
#include "bench_clock_app.h"
#include "forms/runtime/property_numbers.h"
#include "library/sound/sound_commands.h"
#include "resources/form_ids.h"

namespace {

long resident_kb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> kb;
            break;
        }
        status.ignore(1 << 12, '\n');
    }
    return kb;
}

}  // namespace

int main() {
    using namespace vel;
    if (!bench::start_clock()) return 1;
    FormRuntime::instance().set_property(ui::clock::kWindow, ui::clock::半点报时,
                                         prop::kMenuChecked, -1, Value{1, TAG_LOGICAL});
    std::string file;
    for (const char* time : {"0:0", "7:30", "7:30", "12:0", "13:17", "23:59"})
        file += std::string("a\xA3\xBA") + time + "/VEL\r\n";
    bench::write_alarm_file(file);
    clock::set_chime_wait([](int ms) { bench::g_fake_ms += ms; });
    clock::reset_tick();
    bench::g_fake_ms = 500;
    const long start_kb = resident_kb();
    long first_hour_kb = 0;
    int ticks = 0;
    while (bench::g_fake_ms < 86'400'000) {
        on_clock_tick({});
        ++ticks;
        bench::g_fake_ms += 1000;
        if (first_hour_kb == 0 && bench::g_fake_ms >= 3'600'000) first_hour_kb = resident_kb();
        // The players have no device here and end on their own timeout;
        // stop them now and then as an alarm's prompt would.
        if (ticks % 3600 == 0) stop_all(false);
    }
    stop_all(true);
    const long end_kb = resident_kb();
    std::printf(
        "ticks %d\nresident at start %ld kB\nafter the first hour %ld kB\nat the end %ld kB\n",
        ticks, start_kb, first_hour_kb, end_kb);
    bench::remove_run_directory();
    std::fflush(stdout);
    // Static destructors are skipped: the form runtime's ones are not yet
    // safe to run after its windows (the clock ends through end_program).
    std::_Exit(0);
}
