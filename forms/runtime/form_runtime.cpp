// Loading, closing and destroying windows; modal windows; the message loop.
#include "forms/runtime/form_runtime.h"

#include <algorithm>

#include "forms/runtime/runtime_texts.h"
#include "forms/runtime/unit_type_info.h"
#include "library/runtime_errors.h"

namespace vel {

FormRuntime& FormRuntime::instance() {
    static FormRuntime runtime;
    return runtime;
}

void FormRuntime::load(FormResource form, std::span<const HandlerFn> handlers) {
    release_windows();
    m_form = std::move(form);
    m_handlers.assign(handlers.begin(), handlers.end());
    m_suppressed = 0;
    m_source_window = m_source_unit = 0;
    m_modal = 0;
    m_loop_started = false;
    if (!m_hooked) {
        m_hooked = true;
        // The runtime's records of loaded windows go before the process ends.
        register_end_hook([] { instance().release_windows(); });
    }
}

void FormRuntime::release_windows() {
    m_loop_started = false;  // destroying now must not post a quit
    while (!m_live.empty()) {
        auto it = m_live.begin();
        std::unique_ptr<LiveWindow> w = std::move(it->second);
        m_live.erase(it);
        release_all_units(*w);
    }
}

void FormRuntime::abandon_windows() {
    m_loop_started = false;
    for (auto& entry : m_live) {
        for (auto& unit : entry.second->units) (void)unit.release();
        (void)entry.second.release();
    }
    m_live.clear();
}

void FormRuntime::release_unit(LiveWindow& w, std::size_t index, std::size_t depth) {
    // A widget dies with its container's: the units inside go first, so that
    // none is left holding a widget that is already gone. The depth bound
    // keeps a container cycle in a damaged resource from recursing forever.
    if (index >= w.units.size() || depth > w.units.size()) return;
    const UnitId id = w.entry.units[index].id;
    for (std::size_t i = w.units.size(); i-- > 0;)
        if (i != index && w.units[i] && w.entry.units[i].container == id)
            release_unit(w, i, depth + 1);
    w.units[index].reset();
}

void FormRuntime::release_all_units(LiveWindow& w) {
    for (std::size_t i = w.units.size(); i-- > 0;) release_unit(w, i);
}

FormRuntime::LiveWindow* FormRuntime::live(WindowId id) {
    auto it = m_live.find(id);
    return it == m_live.end() ? nullptr : it->second.get();
}
const FormRuntime::LiveWindow* FormRuntime::live(WindowId id) const {
    auto it = m_live.find(id);
    return it == m_live.end() ? nullptr : it->second.get();
}

bool FormRuntime::window_exists(WindowId id) const {
    return live(id) != nullptr;
}

bool FormRuntime::load_window(WindowId id, WindowId parent, bool modal, bool start_window) {
    if (LiveWindow* existing = live(id)) {
        if (!existing->closing) {
            plat::activate_window(window_widget(id));
            return true;
        }
        destroy_window(id);  // a close is pending: start afresh
    }
    const WindowEntry* description = find_window(m_form, id);
    if (!description || description->units.empty()) return false;
    if (!modal && parent != 0 && !window_exists(parent)) return false;

    auto owned = std::make_unique<LiveWindow>();
    LiveWindow& w = *owned;
    w.entry = *description;
    w.units.resize(w.entry.units.size());
    w.modal = modal;
    w.serial = m_next_serial++;
    m_live[id] = std::move(owned);

    suppress_events();
    const bool ok = create_units(w, start_window);
    resume_events();
    if (!ok) {
        release_all_units(w);
        m_live.erase(id);
        return false;
    }
    for (const UnitEntry& u : w.entry.units) connect_unit(id, u.id);

    // Each only while the window still exists: a handler may close it.
    w.created = true;
    const UnitId self = w.entry.units[0].id;
    for (int event : {kEvCreated, kEvMoved, kEvResized}) {
        if (!window_exists(id)) return true;
        raise_simple(id, self, event);
    }
    LiveWindow* still = live(id);
    if (!still) return true;
    if (modal) {
        for (auto& [other_id, other] : m_live) {
            if (other_id == id) continue;
            plat::Widget* ow = window_widget(other_id);
            if (ow && plat::is_enabled(ow)) {
                plat::set_enabled(ow, false);
                still->disabled.push_back(other_id);
            }
        }
        still->previous_modal = m_modal;
        m_modal = id;
    }
    if (still->entry.units[0].unitFlags & kUnitVisible) {
        plat::set_visible(window_widget(id), true);
        // A window opened from another takes the keyboard, as one already
        // open does when it is loaded again.
        if (!start_window) plat::activate_window(window_widget(id));
    }
    if (modal && m_modal == id) {
        plat::run_nested_loop([this, id] { return m_modal != id || !window_exists(id); });
    }
    return true;
}

bool FormRuntime::create_units(LiveWindow& w, bool start_window) {
    const UnitEntry& self = w.entry.units[0];
    const UnitTypeInfo* window_type = find_unit_type(self.typeTag);
    if (!window_type || !window_type->create) return false;
    UnitCreation c{this, w.entry.id, &self, nullptr, 0, start_window};
    w.units[0] = window_type->create(c);
    if (!w.units[0] || !w.units[0]->widget()) return false;
    if (std::ranges::find(m_redrawn_often, w.entry.id) != m_redrawn_often.end())
        plat::set_redrawn_often(w.units[0]->widget());

    // Controls from the highest index down: the lowest index ends on top.
    const std::size_t count = w.entry.units.size();
    for (std::size_t i = count; i-- > 1;) {
        if (w.entry.units[i].is_menu_item()) continue;
        if (!create_control(w, i, start_window)) return false;
    }
    // Into the containers, the highest index first: a re-parented control
    // goes on top of its new siblings, and the lowest index must end there.
    for (std::size_t i = count; i-- > 1;) place_in_container(w, i);
    for (std::size_t i = count; i-- > 0;)
        if (w.units[i]) w.units[i]->created();
    for (std::size_t i = 1; i < count; ++i) {
        const UnitEntry& e = w.entry.units[i];
        LiveUnit* u = w.units[i].get();
        const UnitTypeInfo* type = find_unit_type(e.typeTag);
        if (!u || !u->widget() || (type && (type->flags & kTypeNeverShown))) continue;
        plat::set_visible(u->widget(), (e.unitFlags & kUnitVisible) != 0);
    }
    // The window opens with the focus on its first tab stop. Left to itself
    // Qt picks the first in creation order, and controls are created from
    // the last one up.
    if (plat::Widget* first = apply_tab_order(w)) plat::set_focus(first);
    return true;
}

bool FormRuntime::create_control(LiveWindow& w, std::size_t index, bool start_window) {
    const UnitEntry& e = w.entry.units[index];
    const UnitTypeInfo* type = find_unit_type(e.typeTag);
    if (!type || !type->create) return false;
    plat::Widget* window = w.units[0] ? w.units[0]->widget() : nullptr;
    const int number = 100 + 10 * (static_cast<int>(index) - 1);
    UnitCreation c{this, w.entry.id, &e, window, number, start_window};
    w.units[index] = type->create(c);
    return w.units[index] != nullptr;
}

void FormRuntime::place_in_container(LiveWindow& w, std::size_t index) {
    const UnitEntry& e = w.entry.units[index];
    LiveUnit* u = w.units[index].get();
    if (!u || !u->widget() || e.container == 0) return;
    const int c_index = find_unit(w.entry, e.container);
    if (c_index <= 0 || static_cast<std::size_t>(c_index) == index) return;
    LiveUnit* container = w.units[static_cast<std::size_t>(c_index)].get();
    if (container && container->widget()) plat::reparent(u->widget(), container->widget());
}

plat::Widget* FormRuntime::apply_tab_order(LiveWindow& w) {
    std::vector<std::size_t> order;
    for (std::size_t i = 1; i < w.units.size(); ++i) {
        plat::Widget* widget = w.units[i] ? w.units[i]->widget() : nullptr;
        if (!widget) continue;
        const bool stop = (w.entry.units[i].unitFlags & kUnitTabStop) != 0;
        plat::set_tab_stop(widget, stop);
        if (stop) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&w](std::size_t a, std::size_t b) {
        return w.entry.units[a].tabOrder < w.entry.units[b].tabOrder;
    });
    for (std::size_t k = 1; k < order.size(); ++k)
        plat::set_tab_order(w.units[order[k - 1]]->widget(), w.units[order[k]]->widget());
    return order.empty() ? nullptr : w.units[order.front()]->widget();
}

void FormRuntime::post_close(WindowId id) {
    LiveWindow* w = live(id);
    if (!w) return;
    w->closing = true;
    // A request to this window only: one loaded afresh under the same
    // identifier meanwhile is another window.
    plat::post([this, id, serial = w->serial] {
        const LiveWindow* now = live(id);
        if (now && now->serial == serial) close_window(id);
    });
}

void FormRuntime::close_window(WindowId id) {
    LiveWindow* w = live(id);
    if (!w) return;
    EventRecord r;
    r.window = id;
    r.unit = w->entry.units[0].id;
    r.event = kEvCloseRequest;
    raise_event(r);
    w = live(id);
    if (!w) return;
    if (r.has_result && r.result == 0) {
        w->closing = false;
        return;
    }
    destroy_window(id);
}

void FormRuntime::destroy_window(WindowId id) {
    LiveWindow* w = live(id);
    if (!w) return;
    w->closing = true;
    if (w->created) raise_simple(id, w->entry.units[0].id, kEvDestroying);
    auto it = m_live.find(id);
    if (it == m_live.end()) return;  // the handler destroyed it already
    std::unique_ptr<LiveWindow> gone = std::move(it->second);
    m_live.erase(it);
    // Silence the widgets first: hiding one moves the focus to another.
    for (auto& u : gone->units)
        if (u && u->widget()) plat::set_callbacks(u->widget(), {});
    release_all_units(*gone);
    if (gone->modal) {
        for (WindowId other : gone->disabled)
            if (plat::Widget* ow = window_widget(other)) plat::set_enabled(ow, true);
        if (m_modal == id) m_modal = gone->previous_modal;
        plat::wake_nested_loops();
    }
    if (m_live.empty() && m_loop_started) plat::quit_message_loop(0);
}

void FormRuntime::destroy_control(WindowId id, UnitId unit) {
    LiveWindow* w = live(id);
    if (!w) return;
    int index = find_unit(w->entry, unit);
    if (index <= 0) return;
    release_unit(*w, static_cast<std::size_t>(index));
    // Out of its container's child list, then out of the window's unit list.
    for (UnitEntry& e : w->entry.units) std::erase(e.children, unit);
    w->entry.units.erase(w->entry.units.begin() + index);
    w->units.erase(w->units.begin() + index);
}

int FormRuntime::run_message_loop() {
    m_loop_started = true;
    if (m_live.empty()) return 0;
    return plat::run_message_loop();
}

UnitEntry* FormRuntime::unit_entry(WindowId id, UnitId unit) {
    LiveWindow* w = live(id);
    if (!w) return nullptr;
    int index = find_unit(w->entry, unit);
    return index < 0 ? nullptr : &w->entry.units[static_cast<std::size_t>(index)];
}

LiveUnit* FormRuntime::live_unit(WindowId id, UnitId unit) {
    LiveWindow* w = live(id);
    if (!w) return nullptr;
    int index = find_unit(w->entry, unit);
    return index < 0 ? nullptr : w->units[static_cast<std::size_t>(index)].get();
}

plat::Widget* FormRuntime::window_widget(WindowId id) {
    LiveWindow* w = live(id);
    return w && !w->units.empty() && w->units[0] ? w->units[0]->widget() : nullptr;
}

plat::Widget* FormRuntime::unit_widget(WindowId id, UnitId unit) {
    LiveUnit* u = live_unit(id, unit);
    return u ? u->widget() : nullptr;
}

UnitEntry& FormRuntime::require_unit(WindowId id, UnitId unit) {
    UnitEntry* e = unit_entry(id, unit);
    if (!e) fatal_runtime_error(0, runtime_text::kUnitMissing);
    return *e;
}

}  // namespace vel
