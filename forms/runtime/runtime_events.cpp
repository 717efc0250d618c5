// Event dispatch and the message filter: platform input and window events
// become the runtime's numbered events.
#include "forms/runtime/form_runtime.h"

#include <algorithm>
#include <memory>

#include "forms/runtime/property_numbers.h"
#include "forms/runtime/runtime_texts.h"
#include "forms/runtime/unit_type_info.h"
#include "library/runtime_errors.h"

namespace vel {

void FormRuntime::raise_event(EventRecord& r) {
    if (m_suppressed > 0) return;
    LiveWindow* w = live(r.window);
    if (!w) fatal_runtime_error(0, runtime_text::kEventWindowMissing);
    int index = find_unit(w->entry, r.unit);
    if (index < 0) fatal_runtime_error(0, runtime_text::kEventUnitMissing);
    const UnitEntry* u = &w->entry.units[static_cast<std::size_t>(index)];
    // Follow the event-source links while they stay within one type; a
    // chain is never followed further than the window has units, so a
    // cycle in a resource cannot hang the program.
    for (std::size_t hops = 0; u->eventSource != 0 && hops < w->entry.units.size(); ++hops) {
        int linked = find_unit(w->entry, u->eventSource);
        if (linked < 0) break;
        const UnitEntry* next = &w->entry.units[static_cast<std::size_t>(linked)];
        if (next->typeTag != u->typeTag) break;
        u = next;
    }
    const UnitTypeInfo* type = find_unit_type(u->typeTag);
    if (!type || !type->raisesEvents) fatal_runtime_error(0, runtime_text::kEventUnitInvalid);
    const HandlerRef h = u->is_menu_item() ? u->onClick : u->handler_for(r.event);
    if (h < 0 || h >= static_cast<HandlerRef>(m_handlers.size()) ||
        !m_handlers[static_cast<std::size_t>(h)])
        return;
    m_source_window = r.window;
    m_source_unit = r.unit;
    const int argc = std::clamp(r.arg_count, 0, 5);
    HandlerResult result = m_handlers[static_cast<std::size_t>(h)](
        std::span(r.args.data(), static_cast<std::size_t>(argc)));
    if (result) {
        r.has_result = true;
        r.result = *result;
    }
}

void FormRuntime::raise_simple(WindowId id, UnitId unit, int event) {
    EventRecord r;
    r.window = id;
    r.unit = unit;
    r.event = event;
    raise_event(r);
}

namespace {

int mouse_event_number(plat::MouseAction a) {
    switch (a) {
        case plat::MouseAction::left_down:
            return kEvLeftDown;
        case plat::MouseAction::left_up:
            return kEvLeftUp;
        case plat::MouseAction::left_double:
            return kEvLeftDouble;
        case plat::MouseAction::right_down:
            return kEvRightDown;
        case plat::MouseAction::right_up:
            return kEvRightUp;
        case plat::MouseAction::move:
            return kEvMouseMove;
    }
    return kEvMouseMove;
}

// Raises an event that may answer; true unless the handler answered false.
bool raise_checked(FormRuntime& rt, WindowId id, UnitId unit, int event,
                   std::initializer_list<std::int32_t> args) {
    if (!rt.unit_entry(id, unit)) return true;  // input that outlived its window
    EventRecord r;
    r.window = id;
    r.unit = unit;
    r.event = event;
    for (std::int32_t a : args) r.args[static_cast<std::size_t>(r.arg_count++)] = a;
    rt.raise_event(r);
    return !(r.has_result && r.result == 0);
}

}  // namespace

// Sets the platform callbacks of one unit. They capture identifiers only:
// a handler may destroy the unit (or its window) while they run.
void FormRuntime::connect_unit(WindowId id, UnitId unit) {
    UnitEntry* e = unit_entry(id, unit);
    plat::Widget* widget = unit_widget(id, unit);
    if (!e || !widget) return;
    const bool is_window = is_window_unit_id(unit);
    const TypeTag tag = e->typeTag;
    FormRuntime* rt = this;
    plat::WidgetCallbacks cb;

    cb.mouse = [rt, id, unit, is_window, tag](const plat::MouseEvent& m) {
        if (m.action == plat::MouseAction::left_down) {
            LiveWindow* w = rt->live(id);
            const bool free_move =
                w && w->units[0] && w->units[0]->get(prop::kWindowFreeMove).number != 0;
            if (free_move) {
                const UnitTypeInfo* type = find_unit_type(tag);
                if (is_window) {
                    plat::start_system_move(rt->window_widget(id));
                } else if (type && (type->flags & kTypeDragsWindow)) {
                    plat::start_system_move(rt->window_widget(id));
                    return false;
                }
            }
        }
        return raise_checked(*rt, id, unit, mouse_event_number(m.action), {m.x, m.y, m.keys});
    };
    cb.key = [rt, id, unit](int code, bool down, int keys) {
        return raise_checked(*rt, id, unit, down ? kEvKeyDown : kEvKeyUp, {code, keys});
    };
    cb.character = [rt, id, unit](int code) {
        if (!rt->unit_entry(id, unit)) return code;
        EventRecord r;
        r.window = id;
        r.unit = unit;
        r.event = kEvChar;
        r.arg_count = 1;
        r.args[0] = code;
        rt->raise_event(r);
        return r.has_result ? r.result : code;
    };
    cb.wheel = [rt, id, unit](int notches, int keys) {
        return raise_checked(*rt, id, unit, kEvWheel, {notches, keys});
    };
    cb.focus = [rt, id, unit](bool gained) {
        if (rt->unit_entry(id, unit)) rt->raise_simple(id, unit, gained ? kEvFocusIn : kEvFocusOut);
    };
    cb.changed = [rt, id, unit] {
        if (rt->unit_entry(id, unit)) rt->raise_simple(id, unit, 0);
    };
    if (is_window) {
        plat::Rect start = plat::geometry(widget);
        auto last = std::make_shared<plat::Rect>(start);
        cb.moved = [rt, id, unit, last] {
            if (!rt->window_exists(id)) return;
            plat::Rect now = plat::geometry(rt->window_widget(id));
            if (now.left == last->left && now.top == last->top) return;
            last->left = now.left;
            last->top = now.top;
            rt->raise_simple(id, unit, kEvMoved);
        };
        cb.resized = [rt, id, unit, last] {
            if (!rt->window_exists(id)) return;
            if (LiveUnit* u = rt->live_unit(id, unit)) u->resized();
            plat::Rect now = plat::geometry(rt->window_widget(id));
            if (now.width == last->width && now.height == last->height) return;
            last->width = now.width;
            last->height = now.height;
            rt->raise_simple(id, unit, kEvResized);
        };
        cb.shown = [rt, id, unit] {
            if (rt->window_exists(id)) rt->raise_simple(id, unit, kEvShown);
        };
        cb.hidden = [rt, id, unit] {
            if (rt->window_exists(id)) rt->raise_simple(id, unit, kEvHidden);
        };
        cb.activated = [rt, id, unit](bool active) {
            LiveWindow* w = rt->live(id);
            if (!w) return;
            if (active && !w->activated_once) {
                w->activated_once = true;
                rt->raise_simple(id, unit, kEvFirstActivation);
                if (!rt->live(id)) return;
            }
            rt->raise_simple(id, unit, active ? kEvActivated : kEvDeactivated);
        };
        cb.close_requested = [rt, id] {
            rt->close_window(id);
            return true;
        };
    } else if (tag == TAG_UNIT_DRAWPANEL) {
        // Without automatic redraw the logic repaints the panel itself.
        cb.paint = [rt, id, unit](plat::Rect a) {
            LiveUnit* u = rt->live_unit(id, unit);
            if (!u || u->painted(a)) return;
            EventRecord r;
            r.window = id;
            r.unit = unit;
            r.event = 0;
            r.arg_count = 4;
            r.args = {a.left, a.top, a.left + a.width, a.top + a.height, 0};
            rt->raise_event(r);
        };
        cb.resized = [rt, id, unit] {
            if (LiveUnit* u = rt->live_unit(id, unit)) u->resized();
        };
    }
    plat::set_callbacks(widget, std::move(cb));
}

}  // namespace vel
