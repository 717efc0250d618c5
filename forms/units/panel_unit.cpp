// The drawing panel's widget; the unit itself and its drawing services are
// forms/appearance/draw_panel.*.
#include "forms/appearance/draw_panel.h"
#include "forms/units/unit_factories.h"

namespace vel {

std::unique_ptr<LiveUnit> create_draw_panel(const UnitCreation& c) {
    plat::Widget* w = plat::create_control(c.parent, plat::ControlKind::panel);
    if (!w) return nullptr;
    place_control(w, *c.entry);
    const auto* p = std::get_if<DrawPanelProperties>(&c.entry->properties);
    DrawPanelProperties defaults;
    return std::make_unique<DrawPanel>(w, p ? *p : defaults);
}

}  // namespace vel
