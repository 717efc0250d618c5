// Start-up: the stored choices are applied again, each by comparing the
// whole content of its file with the value the toggle writes.
#include "app/settings/setting_values.h"
#include "app/settings/settings_file.h"
#include "app/settings/toggles.h"
#include "app/window/clock_window.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

namespace cw = clock_window;

// The toggle runs from unchecked, so it takes its turning-on branch.
void reapply(std::string_view file, std::string_view value, UnitId item, void (*toggle)()) {
    if (!settings::holds(file, value)) return;
    cw::set_checked(item, false);
    toggle();
}

}  // namespace

void restore_settings() {
    reapply(settings::kStartFile, settings::k开机启动, ui::clock::开机启动, toggle_autostart);
    // The chime reads the check mark; there is nothing else to apply.
    if (settings::holds(settings::kHourFile, settings::k半点报时))
        cw::set_checked(ui::clock::半点报时, true);
    reapply(settings::kTopFile, settings::k置于顶层, ui::clock::置于顶层, toggle_keep_on_top);
    reapply(settings::kMouseFile, settings::k鼠标穿透, ui::clock::鼠标穿透, toggle_mouse_through);
    reapply(settings::kInsertFile, settings::k嵌入桌面, ui::clock::嵌入桌面, toggle_embed_desktop);

    // Three comparisons; with none matching the window keeps its form's shape.
    constexpr struct {
        std::string_view caption;
        UnitId item;
        int shape;
    } kShapes[] = {{settings::k正方形, ui::clock::正方形, 0},
                   {settings::k圆形, ui::clock::圆形, 1},
                   {settings::k圆角方形, ui::clock::圆角方形, 2}};
    for (const auto& s : kShapes) {
        if (!settings::holds(settings::kOutlineFile, s.caption)) continue;
        cw::set_checked(s.item, true);
        cw::set(cw::kShape, s.shape);
    }
}

}  // namespace vel
