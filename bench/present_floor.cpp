// The floor under the running clock's CPU that its window system sets: a
// borderless 288 x 288 window of the clock's own platform, whose panel
// presents a 50 x 50 box (10 KB, what a tick of the clock sends) once a
// second, with nothing drawn and no runtime. bench/clock_cpu.sh runs it beside
// the clock and xclock; the clock's figure less this one is what its face,
// runtime and tick cost. Like the clock, it sends its pixels to the X server
// itself. Runs until killed.
#include <cstdint>
#include <vector>

#include "platform/window_system.h"

int main() {
    if (!plat::init_window_system()) return 1;
    constexpr int kSide = 288, kBox = 50;
    plat::Widget* window = plat::create_window({});
    plat::set_redrawn_often(window);
    plat::set_geometry(window, {100, 100, kSide, kSide});
    plat::Widget* panel = plat::create_control(window, plat::ControlKind::panel);
    plat::set_geometry(panel, {0, 0, kSide, kSide});
    std::vector<std::uint32_t> pixels(kSide * kSide, 0xFFFFFF);
    plat::attach_pixels(panel, {pixels.data(), kSide, kSide, kSide});
    plat::set_visible(panel, true);
    plat::set_visible(window, true);
    int second = 0;
    plat::start_timer(1000, [&] {
        const plat::Rect box{40 + second % 60 * 3, 100, kBox, kBox};
        ++second;
        for (int y = box.top; y < box.top + box.height; ++y)
            for (int x = box.left; x < box.left + box.width; ++x) pixels[y * kSide + x] ^= 0x00FF00;
        plat::present_attached(panel, box);
    });
    return plat::run_message_loop();
}
