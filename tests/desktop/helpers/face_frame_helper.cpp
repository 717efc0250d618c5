// The frames the clock's face routine draws for given times, drawn in full
// off the screen by the real clock windows (embedded forms, the clock's
// handler table, the same run directory) and written beside the program as
// binary PPM files of the shown panel, frame-HH:MM:SS.ppm; exits 0 when all are.
//
//   face_frame_helper HH:MM:SS [HH:MM:SS ...]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/clock_externals.h"
#include "app/face/face_draw.h"
#include "app/handlers/handler_table.h"
#include "forms/appearance/draw_panel.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/startup.h"
#include "library/memory.h"
#include "library/runtime_errors.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (const vel::EmbeddedBlob& blob : vel::embedded_blobs()) {
        if (!blob.name) break;
        vel::register_static_range(blob.block, blob.end);
    }
    vel::initialise_runtime(vel::embedded_bytes("forms.bin"), vel::clock_handler_table(),
                            vel::clock_external_declarations());
    vel::load_start_window(vel::ui::clock::kWindow);
    for (int i = 1; i < argc; ++i) {
        vel::CivilTime t;
        if (std::sscanf(argv[i], "%d:%d:%d", &t.hour, &t.minute, &t.second) != 3) return 2;
        vel::draw_face(t);
        const plat::raster::Bitmap& frame =
            vel::as_draw_panel(vel::FormRuntime::instance().live_unit(vel::ui::clock::kWindow,
                                                                      vel::ui::clock::画板2))
                ->image();
        const std::string name = "frame-" + std::string(argv[i]) + ".ppm";
        std::FILE* out = std::fopen((folder / name).c_str(), "wb");
        if (!out) return 1;
        std::fprintf(out, "P6\n%d %d\n255\n", frame.width(), frame.height());
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const std::uint32_t p = frame.pixel(x, y);  // 0x00BBGGRR
                std::fputc(p & 0xFF, out), std::fputc(p >> 8 & 0xFF, out);
                std::fputc(p >> 16 & 0xFF, out);
            }
        if (std::fclose(out) != 0) return 1;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}
