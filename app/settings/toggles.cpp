// Start at logon, the half-hour chime and the window's shape.
#include "app/settings/toggles.h"

#include <array>
#include <string>

#include "app/settings/setting_values.h"
#include "app/settings/settings_file.h"
#include "app/window/clock_window.h"
#include "library/call.h"
#include "library/commands/run_directory.h"
#include "library/commands/system.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

namespace cw = clock_window;

constexpr int kRegistryMethod = 0;  // machine-wide, falling back to the user's own entry
constexpr std::int32_t kOutlineBytes = 8;

struct ShapeItem {
    UnitId item;
    std::string_view caption;
};
constexpr std::array<ShapeItem, 3> kShapes = {{
    {ui::clock::正方形, settings::k正方形},
    {ui::clock::圆形, settings::k圆形},
    {ui::clock::圆角方形, settings::k圆角方形},
}};

}  // namespace

void toggle_autostart() {
    settings::StoreFile file(settings::kStartFile);
    const std::string& name = executable_file_name();
    if (!cw::checked(ui::clock::开机启动)) {
        const std::string program = run_directory() + "\\" + name;
        // Neither the machine-wide nor the user's entry could be written: the
        // clock will not start at logon, so the item must not say it will.
        // start.vel keeps what it held, for the next start to try again.
        if (!call(cmd_set_autostart, arg_text(name.c_str()), arg_text(program.c_str()),
                  arg_int(kRegistryMethod))
                 .as_logical())
            return;
        cw::set_checked(ui::clock::开机启动, true);
        file.set(settings::k开机启动);
    } else {
        call(cmd_remove_autostart, arg_text(name.c_str()));
        cw::set_checked(ui::clock::开机启动, false);
        file.clear();
    }
}

void toggle_half_hour_chime() {
    settings::StoreFile file(settings::kHourFile);
    if (!cw::checked(ui::clock::半点报时)) {
        cw::set_checked(ui::clock::半点报时, true);
        file.set(settings::k半点报时);
    } else {
        cw::set_checked(ui::clock::半点报时, false);
        file.clear();
    }
}

void choose_shape(int shape) {
    if (shape < 0 || shape >= static_cast<int>(kShapes.size())) return;
    settings::StoreFile file(settings::kOutlineFile);
    cw::set(cw::kShape, shape);
    file.replace(kOutlineBytes, kShapes[static_cast<std::size_t>(shape)].caption);
    cw::set_checked(kShapes[static_cast<std::size_t>(shape)].item, true);
    for (int other = 0; other < static_cast<int>(kShapes.size()); ++other)
        if (other != shape) cw::set_checked(kShapes[static_cast<std::size_t>(other)].item, false);
}

HandlerResult on_menu_autostart(std::span<const std::int32_t>) {
    toggle_autostart();
    return std::nullopt;
}

HandlerResult on_menu_half_hour_chime(std::span<const std::int32_t>) {
    toggle_half_hour_chime();
    return std::nullopt;
}

HandlerResult on_menu_shape_square(std::span<const std::int32_t>) {
    choose_shape(0);
    return std::nullopt;
}

HandlerResult on_menu_shape_circle(std::span<const std::int32_t>) {
    choose_shape(1);
    return std::nullopt;
}

HandlerResult on_menu_shape_rounded(std::span<const std::int32_t>) {
    choose_shape(2);
    return std::nullopt;
}

}  // namespace vel
