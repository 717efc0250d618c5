// Delay, screen size, mouse position and the control style.
#include <chrono>
#include <thread>

#include "library/commands/system.h"
#include "platform/control_style.h"
#include "platform/window_system.h"

namespace vel {

void cmd_delay(ResultRecord*, int count, const ArgRecord* args) {
    const int ms = count >= 1 && args[0].present() ? args[0].to_int() : 0;
    // Blocks the calling (user-interface) thread on purpose: nothing is
    // handled until the time is up.
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void cmd_screen_width(ResultRecord* result, int, const ArgRecord*) {
    result->set_int(plat::screen_size().width);
}

void cmd_screen_height(ResultRecord* result, int, const ArgRecord*) {
    result->set_int(plat::screen_size().height);
}

std::vector<ScreenArea> screen_areas() {
    std::vector<ScreenArea> out;
    for (const plat::Rect& r : plat::screen_rects())
        out.push_back({r.left, r.top, r.width, r.height});
    return out;
}

void when_screen_removed(std::function<void()> removed) {
    plat::on_screen_removed(std::move(removed));
}

void cmd_mouse_x(ResultRecord* result, int, const ArgRecord*) {
    result->set_int(plat::cursor_pos().x);
}

void cmd_mouse_y(ResultRecord* result, int, const ArgRecord*) {
    result->set_int(plat::cursor_pos().y);
}

void cmd_set_control_style(ResultRecord* result, int count, const ArgRecord* args) {
    const int style = count >= 1 && args[0].present() ? args[0].to_int() : 0;
    result->set_logical(plat::set_control_style(style));
}

}  // namespace vel
