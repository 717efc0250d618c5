// Combo boxes and list boxes.
#include "forms/runtime/property_numbers.h"
#include "forms/units/unit_factories.h"
#include "forms/units/widget_unit.h"

namespace vel {
namespace {

// A combo box or list box; `selection` is its current-selection property.
class ListLikeUnit : public WidgetUnit {
public:
    ListLikeUnit(plat::Widget* w, int selection) : WidgetUnit(w), m_selection(selection) {}
    RawValue get(int property) override {
        if (property == m_selection) return RawValue{plat::current_index(m_widget), {}};
        return stored(property);
    }
    bool set(int property, const RawValue& v) override {
        // Above the last index selects the last item, below -1 selects none;
        // no event either way.
        if (property == m_selection)
            plat::set_current_index(m_widget, static_cast<int>(std::clamp<std::int64_t>(
                                                  v.number, -1, plat::item_count(m_widget) - 1)));
        else
            store(property, v);
        return false;
    }

private:
    int m_selection;
};

void fill(plat::Widget* w, const std::vector<std::string>& items) {
    for (const std::string& item : items) plat::add_item(w, item);
}

}  // namespace

std::unique_ptr<LiveUnit> create_combo_box(const UnitCreation& c) {
    plat::Widget* w = plat::create_control(c.parent, plat::ControlKind::combo);
    if (!w) return nullptr;
    place_control(w, *c.entry);
    if (const auto* p = std::get_if<ComboBoxProperties>(&c.entry->properties)) {
        fill(w, p->items);
        // A drop-down list starts with nothing chosen unless its content names an item.
        int chosen = -1;
        for (int i = 0; i < static_cast<int>(p->items.size()); ++i)
            if (!p->content.empty() && p->items[static_cast<std::size_t>(i)] == p->content)
                chosen = i;
        plat::set_current_index(w, chosen);
    }
    return std::make_unique<ListLikeUnit>(w, prop::kComboSelection);
}

std::unique_ptr<LiveUnit> create_list_box(const UnitCreation& c) {
    plat::Widget* w = plat::create_control(c.parent, plat::ControlKind::list);
    if (!w) return nullptr;
    place_control(w, *c.entry);
    if (const auto* p = std::get_if<ListBoxProperties>(&c.entry->properties)) {
        fill(w, p->items);
        plat::set_current_index(w, p->initialSelection());
    }
    return std::make_unique<ListLikeUnit>(w, prop::kListSelection);
}

}  // namespace vel
