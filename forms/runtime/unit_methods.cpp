// Unit methods as commands of the one calling convention.
#include "forms/runtime/unit_methods.h"

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/runtime_texts.h"
#include "forms/units/unit_factories.h"
#include "library/blocks.h"
#include "library/runtime_errors.h"

namespace vel {
namespace {

struct Target {
    WindowId window;
    UnitId unit;
    UnitEntry* entry;
    plat::Widget* widget;
};

// The unit named by argument `i`; the fatal error when it is not there.
Target target(int count, const ArgRecord* args, int i = 0) {
    if (count <= i) fatal_runtime_error(0, runtime_text::kUnitMissing);
    FormRuntime& rt = FormRuntime::instance();
    const WindowId window = args[i].lo;
    const UnitId unit = args[i].hi;
    UnitEntry& e = rt.require_unit(window, unit);
    return {window, unit, &e, rt.unit_widget(window, unit)};
}

bool has(int count, const ArgRecord* args, int i) {
    return i < count && args[i].present();
}

}  // namespace

void cmd_get_window_handle(ResultRecord* result, int count, const ArgRecord* args) {
    Target t = target(count, args);
    result->set_int(t.widget ? static_cast<std::int32_t>(plat::native_handle(t.widget)) : 0);
}

void cmd_load_window(ResultRecord* result, int count, const ArgRecord* args) {
    if (count < 1) return;
    const WindowId parent = has(count, args, 1) ? args[1].lo : 0;
    const bool modal = has(count, args, 2) && args[2].as_logical();
    result->set_logical(FormRuntime::instance().load_window(args[0].lo, parent, modal));
}

void cmd_destroy(ResultRecord*, int count, const ArgRecord* args) {
    Target t = target(count, args);
    FormRuntime& rt = FormRuntime::instance();
    if (is_window_unit_id(t.unit)) {
        if (has(count, args, 1) && args[1].as_logical())
            rt.destroy_window(t.window);
        else
            rt.post_close(t.window);
    } else if (!t.entry->is_menu_item()) {
        rt.destroy_control(t.window, t.unit);
    }
}

void cmd_set_focus(ResultRecord*, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (t.widget) plat::set_focus(t.widget);
}

void cmd_move(ResultRecord*, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (!t.widget) return;
    const plat::Rect now = plat::geometry(t.widget);
    plat::Rect r = now;
    const bool has_left = has(count, args, 1), has_top = has(count, args, 2);
    if (has_left) r.left = args[1].to_int();
    if (has_top) r.top = args[2].to_int();
    // An omitted left or top keeps the size as well.
    if (has_left && has_top) {
        if (has(count, args, 3) && args[3].to_int() != -1) r.width = args[3].to_int();
        if (has(count, args, 4) && args[4].to_int() != -1) r.height = args[4].to_int();
    }
    if (r == now) return;
    plat::set_geometry(t.widget, r);
}

void cmd_popup_menu(ResultRecord*, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (count < 2 || args[1].lo != t.window) return;
    plat::Point at = plat::cursor_pos();
    at.x += 3;
    at.y += 3;
    if (has(count, args, 2)) at.x = args[2].to_int();
    if (has(count, args, 3)) at.y = args[3].to_int();
    FormRuntime::instance().popup_menu(t.window, args[1].hi, at, false);
}

void cmd_popup_menu_from_tray(ResultRecord*, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (count < 2 || args[1].lo != t.window) return;
    FormRuntime& rt = FormRuntime::instance();
    if (plat::Widget* w = rt.window_widget(t.window)) plat::activate_window(w);
    plat::Point at = plat::cursor_pos();
    // The empty message the original posts afterwards only lets its menu
    // close correctly; ours closes by itself.
    rt.popup_menu(t.window, args[1].hi, {at.x - 5, at.y - 5}, true);
}

void cmd_open_common_dialog(ResultRecord* result, int count, const ArgRecord* args) {
    Target t = target(count, args);
    result->set_logical(run_common_dialog(FormRuntime::instance().live_unit(t.window, t.unit)));
}

namespace {
void item_text(ResultRecord* result, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (!t.widget || !has(count, args, 1)) return;
    std::string text = plat::item_text(t.widget, args[1].to_int());
    result->set_ptr(make_text(text));
}
}  // namespace

void cmd_combo_item_text(ResultRecord* result, int count, const ArgRecord* args) {
    item_text(result, count, args);
}

void cmd_list_item_text(ResultRecord* result, int count, const ArgRecord* args) {
    item_text(result, count, args);
}

void cmd_set_list_item_text(ResultRecord* result, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (!t.widget || count < 3) return;
    result->set_logical(plat::set_item_text(t.widget, args[1].to_int(), args[2].as_text()));
}

void cmd_add_list_item(ResultRecord* result, int count, const ArgRecord* args) {
    Target t = target(count, args);
    result->set_int(-1);
    if (!t.widget || count < 2) return;
    result->set_int(plat::add_item(t.widget, args[1].as_text()));
}

void cmd_delete_list_item(ResultRecord* result, int count, const ArgRecord* args) {
    Target t = target(count, args);
    if (!t.widget || count < 2) return;
    result->set_logical(plat::remove_item(t.widget, args[1].to_int()));
}

}  // namespace vel
