#include "platform/system_routines.h"

#include <cstdint>
#include <string>

#include "platform/named_event.h"
#include "platform/routine_tables.h"

namespace plat {
namespace {

using win32::Handle;

// Arguments arrive as 64-bit words: handles and numbers in the low half,
// texts as full pointers.
Handle handle_arg(std::int64_t v) {
    return static_cast<Handle>(static_cast<std::uint64_t>(v));
}
std::int32_t int_arg(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint64_t>(v));
}
const char* text_arg(std::int64_t v) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(v));
}

std::int64_t find_window_a(const std::int64_t* a) {
    return win32::find_window(text_arg(a[0]), text_arg(a[1]));
}
std::int64_t get_window(const std::int64_t* a) {
    return win32::get_window(handle_arg(a[0]), int_arg(a[1]));
}
std::int64_t set_parent(const std::int64_t* a) {
    return win32::set_parent(handle_arg(a[0]), handle_arg(a[1]));
}
std::int64_t get_window_long_a(const std::int64_t* a) {
    return win32::get_window_long(handle_arg(a[0]), int_arg(a[1]));
}
std::int64_t set_window_long_a(const std::int64_t* a) {
    return win32::set_window_long(handle_arg(a[0]), int_arg(a[1]), int_arg(a[2]));
}
std::int64_t set_layered_window_attributes(const std::int64_t* a) {
    return win32::set_layered_window_attributes(handle_arg(a[0]), static_cast<std::uint32_t>(a[1]),
                                                int_arg(a[2]), static_cast<std::uint32_t>(a[3]))
               ? 1
               : 0;
}

// (access, inherit, name)
std::int64_t open_event_a(const std::int64_t* a) {
    const char* name = text_arg(a[2]);
    return name ? open_named_event(name) : 0;
}
// (security attributes, manual reset, initially signalled, name)
std::int64_t create_event_a(const std::int64_t* a) {
    const char* name = text_arg(a[3]);
    return create_named_event(name ? name : "");
}

const BuiltinRoutine k_user32_routines[] = {
    {"FindWindowA", 1, 2, find_window_a},
    {"GetWindow", 2, 2, get_window},
    {"SetParent", 3, 2, set_parent},
    {"GetWindowLongA", 4, 2, get_window_long_a},
    {"SetWindowLongA", 5, 3, set_window_long_a},
    {"SetLayeredWindowAttributes", 6, 4, set_layered_window_attributes},
};
const BuiltinRoutine k_kernel32_routines[] = {
    {"OpenEventA", 1, 3, open_event_a},
    {"CreateEventA", 2, 4, create_event_a},
};

const BuiltinLibrary k_user32{"User32.dll", k_user32_routines};
const BuiltinLibrary k_kernel32{"Kernel32.dll", k_kernel32_routines};

}  // namespace

void register_system_libraries() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    register_builtin_library(&k_user32);
    register_builtin_library(&k_kernel32);
}

}  // namespace plat
