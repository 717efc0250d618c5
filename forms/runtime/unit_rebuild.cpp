// Re-creating a control whose type property cannot change on a live widget:
// what the old unit holds goes back into its entry, and a new unit is built
// from that entry with events held back meanwhile.
#include <algorithm>

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_type_info.h"

namespace vel {
namespace {

void set_bit(std::uint32_t& flags, std::uint32_t bit, bool on) {
    flags = on ? (flags | bit) : (flags & ~bit);
}

// The state a rebuilt unit must not lose: where the user or the logic left
// the widget, and the type properties that have a field in the entry.
void save_live_state(UnitEntry& e, LiveUnit& u) {
    if (plat::Widget* widget = u.widget()) {
        const plat::Rect r = plat::geometry(widget);
        e.left = r.left;
        e.top = r.top;
        e.width = r.width;
        e.height = r.height;
        set_bit(e.unitFlags, kUnitVisible, plat::is_visible(widget));
        set_bit(e.unitFlags, kUnitDisabled, !plat::is_enabled(widget));
    }
    if (auto* p = std::get_if<EditBoxProperties>(&e.properties)) {
        p->content = u.get(prop::kEditContent).bytes;
        p->border = static_cast<std::uint32_t>(u.get(prop::kEditBorder).number);
        p->maxLength = static_cast<std::uint32_t>(u.get(prop::kEditMaxLength).number);
        p->multiLine = static_cast<std::uint32_t>(u.get(prop::kEditMultiLine).number);
        p->inputMode = static_cast<std::uint32_t>(u.get(prop::kEditInputMode).number);
        p->passwordChar = static_cast<std::uint16_t>(u.get(prop::kEditPasswordChar).number);
    }
}

}  // namespace

void FormRuntime::rebuild_unit(WindowId id, std::size_t index) {
    LiveWindow* w = live(id);
    // The window unit is never rebuilt: that would be the whole window.
    if (!w || index == 0 || index >= w->units.size() || !w->units[index]) return;
    UnitEntry& e = w->entry.units[index];
    suppress_events();
    if (plat::Widget* old = w->units[index]->widget()) plat::set_callbacks(old, {});
    save_live_state(e, *w->units[index]);
    // Units placed inside it (at any depth) die with its widget: rebuild
    // them as well.
    std::vector<UnitId> containers{e.id};
    std::vector<std::size_t> inside;
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 1; i < w->units.size(); ++i) {
            if (i == index || !w->units[i] || std::ranges::count(inside, i) ||
                !std::ranges::count(containers, w->entry.units[i].container))
                continue;
            if (plat::Widget* old = w->units[i]->widget()) plat::set_callbacks(old, {});
            save_live_state(w->entry.units[i], *w->units[i]);
            inside.push_back(i);
            containers.push_back(w->entry.units[i].id);
            grew = true;
        }
    }
    release_unit(*w, index);
    std::vector<std::size_t> rebuilt{index};
    if (create_control(*w, index, false))
        rebuilt.insert(rebuilt.end(), inside.begin(), inside.end());
    for (std::size_t i : inside)
        if (!w->units[i]) create_control(*w, i, false);
    for (auto it = rebuilt.rbegin(); it != rebuilt.rend(); ++it) place_in_container(*w, *it);
    // Back to its place in the stacking order: directly below the nearest
    // lower-index control of the same container, or on top.
    plat::Widget* above = nullptr;
    for (std::size_t i = index; i-- > 1;)
        if (w->units[i] && w->units[i]->widget() && w->entry.units[i].container == e.container) {
            above = w->units[i]->widget();
            break;
        }
    for (std::size_t i : rebuilt) {
        LiveUnit* u = w->units[i].get();
        if (!u) continue;
        u->created();
        const UnitTypeInfo* type = find_unit_type(w->entry.units[i].typeTag);
        if (u->widget() && !(type && (type->flags & kTypeNeverShown)))
            plat::set_visible(u->widget(), (w->entry.units[i].unitFlags & kUnitVisible) != 0);
    }
    if (w->units[index] && w->units[index]->widget())
        plat::stack_below(w->units[index]->widget(), above);
    apply_tab_order(*w);
    resume_events();
    for (std::size_t i : rebuilt)
        if (w->units[i]) connect_unit(id, w->entry.units[i].id);
}

}  // namespace vel
