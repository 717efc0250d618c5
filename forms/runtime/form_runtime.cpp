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
        for (std::size_t i = w->units.size(); i-- > 0;) w->units[i].reset();
    }
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
    m_live[id] = std::move(owned);

    suppress_events();
    const bool ok = create_units(w, start_window);
    resume_events();
    if (!ok) {
        for (std::size_t i = w.units.size(); i-- > 0;) w.units[i].reset();
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
    if (still->entry.units[0].unitFlags & kUnitVisible) plat::set_visible(window_widget(id), true);
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
    plat::Widget* window = w.units[0]->widget();

    // Controls from the highest index down: the lowest index ends on top.
    const int count = static_cast<int>(w.entry.units.size());
    int number = 100 + 10 * (count - 2);
    for (int i = count - 1; i >= 1; --i, number -= 10) {
        const UnitEntry& e = w.entry.units[static_cast<std::size_t>(i)];
        if (e.is_menu_item()) continue;
        const UnitTypeInfo* type = find_unit_type(e.typeTag);
        if (!type || !type->create) return false;
        UnitCreation cc{this, w.entry.id, &e, window, number, start_window};
        w.units[static_cast<std::size_t>(i)] = type->create(cc);
        if (!w.units[static_cast<std::size_t>(i)]) return false;
    }
    // Containers, then the creation-complete notice, then the visible controls.
    for (int i = 1; i < count; ++i) {
        const UnitEntry& e = w.entry.units[static_cast<std::size_t>(i)];
        LiveUnit* u = w.units[static_cast<std::size_t>(i)].get();
        if (!u || !u->widget() || e.container == 0) continue;
        int c_index = find_unit(w.entry, e.container);
        if (c_index > 0 && w.units[static_cast<std::size_t>(c_index)] &&
            w.units[static_cast<std::size_t>(c_index)]->widget())
            plat::reparent(u->widget(), w.units[static_cast<std::size_t>(c_index)]->widget());
    }
    for (int i = count - 1; i >= 0; --i)
        if (w.units[static_cast<std::size_t>(i)]) w.units[static_cast<std::size_t>(i)]->created();
    for (int i = 1; i < count; ++i) {
        const UnitEntry& e = w.entry.units[static_cast<std::size_t>(i)];
        LiveUnit* u = w.units[static_cast<std::size_t>(i)].get();
        const UnitTypeInfo* type = find_unit_type(e.typeTag);
        if (!u || !u->widget() || (type && (type->flags & kTypeNeverShown))) continue;
        plat::set_visible(u->widget(), (e.unitFlags & kUnitVisible) != 0);
    }
    return true;
}

void FormRuntime::post_close(WindowId id) {
    LiveWindow* w = live(id);
    if (!w) return;
    w->closing = true;
    plat::post([this, id] { close_window(id); });
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
    if (r.hasResult && r.result == 0) {
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
    for (std::size_t i = gone->units.size(); i-- > 0;) gone->units[i].reset();
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
    w->units[static_cast<std::size_t>(index)].reset();
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
