#pragma once
// The form resource: the binary description of every window of the program
// with all of its units, as read at start-up and as written by the form
// compiler. Plain data; the form runtime keeps its live objects elsewhere.
//
// Byte layout (little-endian; "counted" = i32 length + bytes, no terminator;
// "zt" = zero-terminated GBK text):
//   i32 windowTableBytes (8 * W), W x u32 WindowId, W x u32 placeholder,
//   W x WindowEntry.
//   WindowEntry: u32 word1, u32 word2, counted text1, counted text2,
//     i32 unitCount U, i32 unitTableBytes L, then L bytes: U x u32 UnitId,
//     U x u32 offset (from the first byte after the offsets), U x (u32 length,
//     UnitEntry bytes).
//   UnitEntry head: u32 typeTag, u32 eventSource, 4 x u32 reserved, zt name,
//     zt remark; then the menu-item rest or the window/control rest, the
//     latter ending in the type's PropertyBlock (which starts with a version).
// All texts are GBK bytes held in std::string.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "forms/resource/property_types.h"
#include "library/value.h"

namespace vel {

using WindowId = std::uint32_t;
using UnitId = std::uint32_t;

// --- identifiers ---------------------------------------------------------------
// Bits 0-23 serial number, 24-27 kind (2 window, 6 unit), 28-31 class
// (5 window; for units 0 the window unit, 1 a control, 2 a menu item).
inline constexpr std::uint32_t kIdWindow = 0x52;      // 0x52xxxxxx
inline constexpr std::uint32_t kIdWindowUnit = 0x06;  // 0x06xxxxxx
inline constexpr std::uint32_t kIdControl = 0x16;     // 0x16xxxxxx
inline constexpr std::uint32_t kIdMenuItem = 0x26;    // 0x26xxxxxx

constexpr std::uint32_t id_serial(std::uint32_t id) {
    return id & 0x00FFFFFFu;
}
constexpr std::uint32_t id_kind(std::uint32_t id) {
    return (id >> 24) & 0x0Fu;
}
constexpr std::uint32_t id_class(std::uint32_t id) {
    return id >> 28;
}
constexpr std::uint32_t id_kind_bits(std::uint32_t id) {
    return id >> 24;
}
// Valid when both the serial number and the kind are non-zero.
constexpr bool id_valid(std::uint32_t id) {
    return id_serial(id) != 0 && id_kind(id) != 0;
}
constexpr bool is_window_id(std::uint32_t id) {
    return id_kind_bits(id) == kIdWindow;
}
constexpr bool is_window_unit_id(std::uint32_t id) {
    return id_kind_bits(id) == kIdWindowUnit;
}
constexpr bool is_control_id(std::uint32_t id) {
    return id_kind_bits(id) == kIdControl;
}
constexpr bool is_menu_item_id(std::uint32_t id) {
    return id_kind_bits(id) == kIdMenuItem;
}

// --- handler references ----------------------------------------------------------
// A number keyed into the app's handler table (the index of the handler's name
// in resources/forms/handlers.def); -1 = no handler.
using HandlerRef = std::int32_t;
inline constexpr HandlerRef kNoHandler = -1;

struct EventBinding {
    std::int32_t eventNumber = 0;  // >= 0 the type's events, < 0 the common mouse/key events
    HandlerRef handler = kNoHandler;

    friend bool operator==(const EventBinding&, const EventBinding&) = default;
};

// --- flags -------------------------------------------------------------------------
inline constexpr std::uint32_t kMenuHidden = 1u << 0;  // menuFlags
inline constexpr std::uint32_t kMenuDisabled = 1u << 1;
inline constexpr std::uint32_t kMenuChecked = 1u << 2;

inline constexpr std::uint32_t kUnitVisible = 1u << 0;  // unitFlags
inline constexpr std::uint32_t kUnitDisabled = 1u << 1;
inline constexpr std::uint32_t kUnitTabStop = 1u << 2;

inline constexpr std::uint32_t kCursorSizeAll = 32646;  // 4-byte pointer block values
inline constexpr std::uint32_t kCursorCross = 32515;

// --- units ---------------------------------------------------------------------------
// One unit of a window. Which part applies follows from the identifier:
// a menu item (0x26......) has the menu fields, every other unit the
// placement fields and a property block.
struct UnitEntry {
    UnitId id = 0;

    // Head (all units).
    TypeTag typeTag = 0;
    UnitId eventSource = 0;  // 0, or a unit of this window whose bindings this one uses
    std::array<std::uint32_t, 4> headReserved{};
    std::string name;  // empty for the window unit and menu items
    std::string remark;

    // Menu item.
    std::uint32_t shortcut = 0;   // index into the runtime's shortcut table; 0 none
    std::uint32_t level = 0;      // 0 top level, 1 its sub-item ...
    std::uint32_t menuFlags = 0;  // kMenuHidden | kMenuDisabled | kMenuChecked
    std::string caption;          // "-" makes a separator
    HandlerRef onClick = kNoHandler;
    std::array<std::uint32_t, 4> menuReserved{};

    // Window unit and controls.
    std::uint32_t liveObject = 0;  // 0 in the resource
    std::int32_t left = 0;         // the window unit: outer rectangle on the screen;
    std::int32_t top = 0;          // a control: in its parent's client coordinates
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t reserved1 = 0;
    UnitId container = 0;  // 0 = the window itself
    std::vector<UnitId> children;
    ResourceBytes pointer;  // empty = arrow; 4 bytes = u32 system cursor id; longer = image
    std::string tag;        // common property 4
    std::uint32_t reserved2 = 0;
    std::uint32_t unitFlags = 0;  // kUnitVisible | kUnitDisabled | kUnitTabStop
    std::uint32_t tabOrder = 0;
    std::vector<EventBinding> bindings;
    std::array<std::uint32_t, 5> reserved3{};
    PropertyBlock properties;

    // Bytes after the known fields of the entry, carried unchanged.
    ResourceBytes tail;

    bool is_menu_item() const { return is_menu_item_id(id); }
    // The handler of the first binding for `event_number`; kNoHandler if none.
    HandlerRef handler_for(std::int32_t event_number) const;
    // The system cursor of a 4-byte pointer block; 0 otherwise.
    std::uint32_t system_cursor() const;

    friend bool operator==(const UnitEntry&, const UnitEntry&) = default;
};

// --- windows ---------------------------------------------------------------------------
struct WindowEntry {
    WindowId id = 0;
    std::uint32_t word1 = 0;  // kept with the window, not interpreted
    std::uint32_t word2 = 0;
    std::string text1;
    std::string text2;
    // Index 0 is the window unit; the index order of controls is their
    // stacking order, menu items are in pre-order.
    std::vector<UnitEntry> units;

    friend bool operator==(const WindowEntry&, const WindowEntry&) = default;
};

struct FormResource {
    std::vector<WindowEntry> windows;  // window-table order

    friend bool operator==(const FormResource&, const FormResource&) = default;
};

// --- reading and writing ------------------------------------------------------------------
struct FormReadResult {
    std::optional<FormResource> resource;  // empty on failure
    std::string error;                     // short reason, e.g. "unit entry runs past its end"
    std::size_t errorOffset = 0;           // byte offset where reading stopped
    bool ok() const { return resource.has_value(); }
};

// Reads a whole resource; never fails hard on bad bytes.
FormReadResult read_form_resource(std::span<const std::uint8_t> bytes);
// The start-up reader: a resource that cannot be read is the fatal runtime
// error "载入窗口模板数据段出错!".
FormResource load_form_resource(std::span<const std::uint8_t> bytes);
// Lays a resource out; offsets and lengths are computed, not taken from it.
ResourceBytes write_form_resource(const FormResource& form);

// --- lookups (linear searches, as the tables are small) ------------------------------------
const WindowEntry* find_window(const FormResource& form, WindowId id);
WindowEntry* find_window(FormResource& form, WindowId id);
const UnitEntry* unit_at(const WindowEntry& window, int index);
UnitEntry* unit_at(WindowEntry& window, int index);
// Index of the unit with identifier `id`; -1 when there is none.
int find_unit(const WindowEntry& window, UnitId id);
// Index of the first menu item captioned `caption` (GBK); -1 when there is
// none. Captions other than the separator "-" are unique in this program.
int find_menu_item(const WindowEntry& window, std::string_view caption);

}  // namespace vel
