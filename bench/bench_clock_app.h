#pragma once
// The real clock window on Qt's offscreen platform over a temporary run
// directory, its time of day from a fake clock and its message boxes
// answered at once: what the tick benchmarks run against.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/clock_externals.h"
#include "app/handlers/handler_table.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/startup.h"
#include "library/commands/run_directory.h"
#include "library/datetime/date_time.h"
#include "library/memory.h"
#include "platform/message_box.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel::bench {

// Milliseconds since midnight of the fake clock.
inline long long g_fake_ms = 10 * 3600 * 1000LL + 500;

inline CivilTime fake_now() {
    CivilTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 7 + static_cast<int>(g_fake_ms / 86'400'000);
    const long long ms = g_fake_ms % 86'400'000;
    t.hour = static_cast<int>(ms / 3'600'000);
    t.minute = static_cast<int>(ms / 60'000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

// The settings folder of the temporary run directory (UTF-8 path).
inline std::filesystem::path settings_folder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "velbench.XXXXXX").string();
        const std::filesystem::path root = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(root / "VEL文件");
        std::string windows_style = root.string();
        for (char& c : windows_style)
            if (c == '/') c = '\\';
        replace_run_directory(windows_style);
        return root / "VEL文件";
    }();
    return folder;
}

inline void write_alarm_file(const std::string& bytes) {
    std::ofstream(settings_folder() / "bell.vel", std::ios::binary | std::ios::trunc) << bytes;
}

inline void remove_run_directory() {
    std::error_code ignored;
    std::filesystem::remove_all(settings_folder().parent_path(), ignored);
}

inline bool start_clock() {
    static const bool ok = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // A display name of its own: no other clock's single-copy event.
        setenv("DISPLAY", (":velbench-" + std::to_string(::getpid())).c_str(), 1);
        settings_folder();
        for (const EmbeddedBlob& blob : embedded_blobs()) {
            if (!blob.name) break;
            register_static_range(blob.block, blob.end);
        }
        set_clock_source(fake_now);
        plat::set_message_box_responder([](const plat::MessageBoxRequest&) { return 1; });
        initialise_runtime(embedded_bytes("forms.bin"), clock_handler_table(),
                           clock_external_declarations());
        return FormRuntime::instance().load_window(ui::clock::kWindow, 0, false, true);
    }();
    return ok;
}

// `count` alarm lines "nK：H:M/VEL" with minutes 0-58: minute 59 never rings.
inline std::string alarm_lines(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += "n" + std::to_string(i) + "\xA3\xBA" + std::to_string(i % 24) + ":" +
             std::to_string(i % 59) + "/VEL\r\n";
    return s;
}

// How many lines alarm_lines needs to reach `bytes`.
inline int lines_in(std::size_t bytes) {
    int n = 0;
    for (std::size_t size = 0; size < bytes; ++n)
        size += alarm_lines(1).size() + std::to_string(n).size() - 1 +
                std::to_string(n % 24).size() - 1 + std::to_string(n % 59).size() - 1;
    return n;
}

}  // namespace vel::bench
