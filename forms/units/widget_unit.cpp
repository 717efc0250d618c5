#include "forms/units/widget_unit.h"

namespace vel {

WidgetUnit::~WidgetUnit() {
    if (m_widget) plat::destroy_widget(m_widget);
}

RawValue WidgetUnit::stored(int property) const {
    auto it = m_stored.find(property);
    return it == m_stored.end() ? RawValue{} : it->second;
}

void place_control(plat::Widget* w, const UnitEntry& e) {
    plat::set_geometry(w, {e.left, e.top, e.width, e.height});
    plat::set_enabled(w, (e.unitFlags & kUnitDisabled) == 0);
    if (std::uint32_t cursor = e.system_cursor())
        plat::set_system_cursor(w, static_cast<int>(cursor));
}

}  // namespace vel
