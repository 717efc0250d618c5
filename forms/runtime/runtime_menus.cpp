// Pop-up menus built from a window's menu items.
#include "forms/runtime/form_runtime.h"

namespace vel {
namespace {

constexpr int kFirstCommand = 20000;

// Command numbers follow the item's position among the window's menu items.
int command_of(const WindowEntry& w, std::size_t index) {
    int position = 0;
    for (std::size_t i = 0; i < index; ++i)
        if (w.units[i].is_menu_item()) ++position;
    return kFirstCommand + position;
}

// The sub-tree below item `parent` (pre-order, levels), hidden items left out.
std::vector<plat::MenuEntry> children_of(const WindowEntry& w, std::size_t parent) {
    std::vector<plat::MenuEntry> out;
    const std::uint32_t level = w.units[parent].level;
    for (std::size_t i = parent + 1; i < w.units.size(); ++i) {
        const UnitEntry& u = w.units[i];
        if (!u.is_menu_item()) continue;
        if (u.level <= level) break;
        if (u.level != level + 1 || (u.menuFlags & kMenuHidden)) continue;
        plat::MenuEntry entry;
        entry.caption = u.caption;
        entry.checked = (u.menuFlags & kMenuChecked) != 0;
        entry.disabled = (u.menuFlags & kMenuDisabled) != 0;
        entry.children = children_of(w, i);
        if (u.caption != "-" && entry.children.empty()) entry.command = command_of(w, i);
        out.push_back(std::move(entry));
    }
    return out;
}

}  // namespace

std::vector<plat::MenuEntry> FormRuntime::menu_tree(const LiveWindow& w, int item_index) const {
    return children_of(w.entry, static_cast<std::size_t>(item_index));
}

void FormRuntime::popup_menu(WindowId id, UnitId item, plat::Point at, bool align_right) {
    LiveWindow* w = live(id);
    if (!w) return;
    const int index = find_unit(w->entry, item);
    if (index < 0 || !w->entry.units[static_cast<std::size_t>(index)].is_menu_item()) return;
    std::vector<plat::MenuEntry> entries = menu_tree(*w, index);
    if (entries.empty()) return;
    const int chosen = plat::popup_menu(window_widget(id), entries, at, align_right);
    if (chosen == 0) return;
    // The menu ran its own loop: look the window and the item up afresh.
    w = live(id);
    if (!w) return;
    for (std::size_t i = 0; i < w->entry.units.size(); ++i) {
        if (w->entry.units[i].is_menu_item() && command_of(w->entry, i) == chosen) {
            EventRecord r;
            r.window = id;
            r.unit = w->entry.units[i].id;
            raise_event(r);
            return;
        }
    }
}

}  // namespace vel
