#pragma once
// The form runtime: the window table read from the form resource, the live
// windows and units, numbered properties, event dispatch, loading and
// closing windows, modal windows and the end of the program when the last
// window is gone. One per process, on the user-interface thread only.
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "forms/resource/form_resource.h"
#include "forms/runtime/event_record.h"
#include "forms/units/live_unit.h"
#include "library/value.h"

namespace vel {

class FormRuntime {
public:
    static FormRuntime& instance();

    // Takes the window table and the logic's handler table (indexed by the
    // resource's handler references). Replaces whatever was loaded before
    // (tests start afresh this way; every live window is destroyed first).
    void load(FormResource form, std::span<const HandlerFn> handlers);
    const FormResource& form() const { return m_form; }

    // --- windows -------------------------------------------------------------
    // Creates (and shows) a window from its description; for a modal one
    // returns only after it has closed. False when it cannot be created.
    bool load_window(WindowId id, WindowId parent, bool modal, bool start_window = false);
    bool window_exists(WindowId id) const;
    // The window is marked redrawn often for the window system whenever it
    // is created from now on.
    void redraw_often(WindowId id) { m_redrawn_often.push_back(id); }
    // Marks the window as closing and posts it a close request.
    void post_close(WindowId id);
    // The close request: event 1 (false keeps the window), then destroy.
    void close_window(WindowId id);
    // Event 2, then the window and its units go; the last window ends the loop.
    void destroy_window(WindowId id);
    // Destroys one control and removes it from its window and container.
    void destroy_control(WindowId id, UnitId unit);
    // The window system is gone (its connection broke) and the process is
    // ending: the records of live windows are dropped without destroying
    // their widgets, since destroying one would talk to the lost display.
    void abandon_windows();
    int live_window_count() const { return static_cast<int>(m_live.size()); }
    WindowId current_modal() const { return m_modal; }

    // --- the message loop ------------------------------------------------------
    // Marks the loop as started; runs it while a window exists.
    int run_message_loop();

    // --- units ------------------------------------------------------------------
    // The description of a unit of a loaded window; null when absent.
    UnitEntry* unit_entry(WindowId id, UnitId unit);
    LiveUnit* live_unit(WindowId id, UnitId unit);
    plat::Widget* window_widget(WindowId id);
    plat::Widget* unit_widget(WindowId id, UnitId unit);
    // The unit entry and live object of a unit method's first argument; the
    // fatal error "指定窗口或窗口组件不存在或尚未载入" when there is none.
    UnitEntry& require_unit(WindowId id, UnitId unit);

    // --- properties ----------------------------------------------------------------
    // Text and data results are new blocks that the caller releases.
    Value get_property(WindowId id, UnitId unit, int number, int element = -1);
    void set_property(WindowId id, UnitId unit, int number, int element, Value value, int = 0);

    // --- events ----------------------------------------------------------------------
    void raise_event(EventRecord& record);
    void suppress_events() { ++m_suppressed; }
    void resume_events() { --m_suppressed; }
    int suppression() const { return m_suppressed; }
    WindowId event_source_window() const { return m_source_window; }
    UnitId event_source_unit() const { return m_source_unit; }

    // --- menus ---------------------------------------------------------------------------
    // Shows the sub-items of `item` as a pop-up menu at screen `at` (its right
    // edge there when align_right) and runs the chosen item's handler.
    void popup_menu(WindowId id, UnitId item, plat::Point at, bool align_right);

private:
    struct LiveWindow {
        WindowEntry entry;  // a working copy: properties written live here
        std::vector<std::unique_ptr<LiveUnit>> units;  // parallel to entry.units
        std::uint64_t serial = 0;  // tells a window from a later one of the same id
        bool closing = false;
        bool created = false;  // event 0 has been raised
        bool activated_once = false;
        bool modal = false;
        WindowId previous_modal = 0;
        std::vector<WindowId> disabled;  // by this modal window
    };

    LiveWindow* live(WindowId id);
    const LiveWindow* live(WindowId id) const;
    bool create_units(LiveWindow& w, bool start_window);
    bool create_control(LiveWindow& w, std::size_t index, bool start_window);
    void place_in_container(LiveWindow& w, std::size_t index);
    // Releases a unit's live object, those of the units placed inside it first.
    void release_unit(LiveWindow& w, std::size_t index, std::size_t depth = 0);
    void release_all_units(LiveWindow& w);
    // Destroys a control and creates it again from its updated entry.
    void rebuild_unit(WindowId id, std::size_t index);
    // Sets the keyboard focus order; gives the first tab stop (or null).
    plat::Widget* apply_tab_order(LiveWindow& w);
    void connect_unit(WindowId id, UnitId unit);
    void raise_simple(WindowId id, UnitId unit, int event);
    std::vector<plat::MenuEntry> menu_tree(const LiveWindow& w, int item_index) const;
    void release_windows();

    FormResource m_form;
    std::vector<HandlerFn> m_handlers;
    std::map<WindowId, std::unique_ptr<LiveWindow>> m_live;
    std::vector<WindowId> m_redrawn_often;
    int m_suppressed = 0;
    WindowId m_source_window = 0;
    UnitId m_source_unit = 0;
    WindowId m_modal = 0;
    bool m_loop_started = false;
    bool m_hooked = false;
    std::uint64_t m_next_serial = 1;

    friend class WindowEvents;
};

}  // namespace vel
