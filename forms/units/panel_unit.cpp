// The drawing panel's widget and its kept properties. Drawing itself (pens,
// memory image, operations) lives with the panel's drawing services.
#include "forms/units/unit_factories.h"
#include "forms/units/widget_unit.h"

namespace vel {
namespace {

// Indexes: 1 background colour, 2 picture, 4 automatic redraw, ... 14 font.
class PanelUnit : public WidgetUnit {
public:
    PanelUnit(plat::Widget* w, const DrawPanelProperties& p) : WidgetUnit(w) {
        store(0, p.border);
        store(1, p.backColour);
        store(2, as_string(p.picture));
        store(3, p.pictureMode);
        store(4, p.autoRedraw);
        store(5, p.drawStyle);
        store(6, p.penType);
        store(7, p.drawMode);
        store(8, p.penWidth);
        store(9, p.penColour);
        store(10, p.brushType);
        store(11, p.brushColour);
        store(12, p.textColour);
        store(13, p.textBackColour);
        store(14, as_string(p.font));
        plat::set_background_colour(w, p.backColour);
    }
    RawValue get(int property) override { return stored(property); }
    bool set(int property, const RawValue& v) override {
        store(property, v);
        if (property == 1)
            plat::set_background_colour(m_widget, static_cast<std::uint32_t>(v.number));
        return false;
    }
};

}  // namespace

std::unique_ptr<LiveUnit> create_draw_panel(const UnitCreation& c) {
    plat::Widget* w = plat::create_control(c.parent, plat::ControlKind::panel);
    if (!w) return nullptr;
    place_control(w, *c.entry);
    const auto* p = std::get_if<DrawPanelProperties>(&c.entry->properties);
    DrawPanelProperties defaults;
    return std::make_unique<PanelUnit>(w, p ? *p : defaults);
}

}  // namespace vel
