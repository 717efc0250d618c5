#include "app/window/clock_window.h"

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "resources/form_ids.h"

namespace vel::clock_window {
namespace {

FormRuntime& runtime() {
    return FormRuntime::instance();
}

}  // namespace

ArgRecord window_ref() {
    return arg_unit(ui::clock::kWindow, ui::clock::kWindowUnit, TAG_UNIT_WINDOW);
}

ArgRecord menu_ref(UnitId item) {
    return arg_unit(ui::clock::kWindow, item, TAG_UNIT_MENU);
}

std::int32_t get(int property) {
    const Value v = runtime().get_property(ui::clock::kWindow, ui::clock::kWindowUnit, property);
    return static_cast<std::int32_t>(v.payload & 0xFFFFFFFFu);
}

void set(int property, std::int32_t value) {
    runtime().set_property(ui::clock::kWindow, ui::clock::kWindowUnit, property, -1,
                           Value{static_cast<std::uint32_t>(value), TAG_INT});
}

void set_logical(int property, bool value) {
    runtime().set_property(ui::clock::kWindow, ui::clock::kWindowUnit, property, -1,
                           Value{value ? 1u : 0u, TAG_LOGICAL});
}

bool checked(UnitId item) {
    return (runtime().get_property(ui::clock::kWindow, item, prop::kMenuChecked).payload & 1) != 0;
}

void set_checked(UnitId item, bool on) {
    runtime().set_property(ui::clock::kWindow, item, prop::kMenuChecked, -1,
                           Value{on ? 1u : 0u, TAG_LOGICAL});
}

std::int64_t handle() {
    // The handle is a 32-bit window id; keep it unsigned on the way out.
    return static_cast<std::uint32_t>(call(cmd_get_window_handle, window_ref()).as_int());
}

}  // namespace vel::clock_window
