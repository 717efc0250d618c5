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
#include <variant>
#include <vector>

#include "library/value.h"

namespace vel {

using WindowId = std::uint32_t;
using UnitId = std::uint32_t;
using ResourceBytes = std::vector<std::uint8_t>;

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

inline constexpr std::uint32_t kDefaultColour = 0xFF000000u;  // the system default colour
inline constexpr std::uint32_t kCursorSizeAll = 32646;        // 4-byte pointer block values
inline constexpr std::uint32_t kCursorCross = 32515;

// --- the 60-byte logical-font record of a font property ----------------------------
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;  // GBK, at most 31 bytes are stored

    friend bool operator==(const LogFont&, const LogFont&) = default;
};
inline constexpr std::size_t kLogFontBytes = 60;
// Empty when the block is not exactly 60 bytes.
std::optional<LogFont> decode_log_font(std::span<const std::uint8_t> record);
ResourceBytes encode_log_font(const LogFont& font);

// --- property blocks, one per unit type ----------------------------------------------
// Each starts with `version`; fields that a lower version lacks keep the
// defaults given here. Numbers in brackets are the runtime's property numbers.
// Words whose meaning nothing here depends on are carried unchanged.

struct WindowProperties {  // 0x00010001, versions 1..6
    static constexpr std::uint32_t kMaxVersion = 6;
    std::uint32_t version = kMaxVersion;
    std::uint32_t border = 2;       // [9] 0 none, 1 resizable, 2 fixed, 3/4 tool, 5 sunken client
    std::uint32_t pictureMode = 0;  // [12]
    std::uint32_t backColour = kDefaultColour;  // [10]
    std::uint32_t maxButton = 0;                // [16]
    std::uint32_t minButton = 0;                // [17]
    std::uint32_t controlBox = 0;               // [15]
    std::uint32_t startPosition = 0;    // [18] 0 as stored, 1 centred, 2 minimised, 3 maximised
    std::uint32_t movable = 1;          // [19]
    std::uint32_t musicPlayCount = 0;   // [14]
    std::uint32_t enterMovesFocus = 0;  // [21]
    std::uint32_t escCloses = 0;        // [22]
    std::uint32_t f1OpensHelp = 0;      // [23]
    std::uint32_t helpContext = 0;      // [25]
    std::uint32_t showInTaskbar = 1;    // [26] version >= 2
    std::uint32_t freeMove = 0;         // [27] version >= 3
    std::uint32_t shape = 0;            // [28] version >= 3: 0 rectangle, 1 ellipse, 2 rounded
    std::uint32_t alwaysOnTop = 0;      // [29] version >= 4
    std::uint32_t keepTitleActive = 0;  // [30] version >= 5
    std::string className;              // [31] version 6
    ResourceBytes picture;              // [11] picture file data
    ResourceBytes icon;                 // [20] icon file data
    ResourceBytes music;                // [13]
    std::string title;                  // [8]
    std::string helpFile;               // [24]

    friend bool operator==(const WindowProperties&, const WindowProperties&) = default;
};

struct DrawPanelProperties {  // 0x00010008, version 1
    static constexpr std::uint32_t kMaxVersion = 1;
    std::uint32_t version = kMaxVersion;
    std::uint32_t border = 0;                       // [8]
    std::uint32_t backColour = kDefaultColour;      // [9]
    std::uint32_t pictureMode = 0;                  // [11]
    std::uint32_t autoRedraw = 0;                   // [12]
    std::uint32_t drawStyle = 0;                    // [13]
    std::uint32_t penType = 1;                      // [14] 0 none, 1 solid, 2..5 dashed kinds
    std::uint32_t drawMode = 12;                    // [15] 0-based mix mode; 12 plain copy
    std::uint32_t penWidth = 0;                     // [16]
    std::uint32_t penColour = 0;                    // [17]
    std::uint32_t brushType = 1;                    // [18]
    std::uint32_t brushColour = 0x00FFFFFF;         // [19]
    std::uint32_t textColour = 0;                   // [20]
    std::uint32_t textBackColour = kDefaultColour;  // [21] 0xFF000000 = transparent
    ResourceBytes font;                             // [22] empty or a 60-byte LogFont record
    ResourceBytes picture;                          // [10]

    friend bool operator==(const DrawPanelProperties&, const DrawPanelProperties&) = default;
};

struct EditBoxProperties {  // 0x00010005, versions 1..2
    static constexpr std::uint32_t kMaxVersion = 2;
    std::uint32_t version = kMaxVersion;
    std::uint32_t border = 1;                       // [9]
    std::uint32_t textColour = 0;                   // [10]
    std::uint32_t backColour = 0x00FFFFFF;          // [11]
    std::uint32_t hideSelection = 1;                // [13]
    std::uint32_t maxLength = 0;                    // [14] bytes; 0 = unlimited
    std::uint32_t multiLine = 0;                    // [15]
    std::uint32_t scrollBars = 0;                   // [16]
    std::uint32_t alignment = 0;                    // [17]
    std::uint32_t inputMode = 0;                    // [18] 0 free text, 3 integer text
    std::uint16_t passwordChar = 0;                 // [19] 0 = not a password box
    std::array<std::uint32_t, 6> selectionGroup{};  // [20]..[25]; [24] selection start
    ResourceBytes font;                             // [12]
    std::string content;                            // [8]
    std::string dataSource;                         // [27]
    std::string dataColumn;                         // [28]

    friend bool operator==(const EditBoxProperties&, const EditBoxProperties&) = default;
};

struct LabelProperties {  // 0x0001000A, versions 1..2
    static constexpr std::uint32_t kMaxVersion = 2;
    std::uint32_t version = kMaxVersion;
    std::array<std::uint32_t, 16> style{};  // style and colour group, carried unchanged
    ResourceBytes font;
    ResourceBytes picture;
    std::string caption;  // [8]
    std::string dataSource;
    std::string dataColumn;

    friend bool operator==(const LabelProperties&, const LabelProperties&) = default;
};

struct ButtonProperties {  // 0x0001000B, version 1
    static constexpr std::uint32_t kMaxVersion = 1;
    std::uint32_t version = kMaxVersion;
    std::array<std::uint32_t, 5> style{0, 1, 1, 0, 0};
    ResourceBytes picture;
    std::string caption;  // [10]

    friend bool operator==(const ButtonProperties&, const ButtonProperties&) = default;
};

struct ComboBoxProperties {  // 0x0001000E, versions 1..3
    static constexpr std::uint32_t kMaxVersion = 3;
    std::uint32_t version = kMaxVersion;
    // [0] box type [8] (2 = drop-down list without editing), [7] background colour.
    std::array<std::uint32_t, 9> style{};
    ResourceBytes font;
    ResourceBytes itemValues;
    std::string content;             // [9]
    std::vector<std::string> items;  // [20]
    std::string dataSource;          // version >= 2
    std::string dataColumn;          // version >= 2
    std::uint32_t extra = 0;         // version >= 3
    std::uint32_t boxType() const { return style[0]; }
    std::uint32_t backColour() const { return style[7]; }

    friend bool operator==(const ComboBoxProperties&, const ComboBoxProperties&) = default;
};

struct ListBoxProperties {  // 0x0001000F, versions 1..3
    static constexpr std::uint32_t kMaxVersion = 3;
    std::uint32_t version = kMaxVersion;
    // [5] background colour, [7] initial selection (-1 = none).
    std::array<std::uint32_t, 8> style{};
    ResourceBytes font;
    ResourceBytes itemValues;
    std::vector<std::string> items;
    std::string dataSource;   // version >= 2
    std::string dataColumn;   // version >= 2
    std::uint32_t extra = 0;  // version >= 3
    std::uint32_t backColour() const { return style[5]; }
    std::int32_t initialSelection() const { return static_cast<std::int32_t>(style[7]); }

    friend bool operator==(const ListBoxProperties&, const ListBoxProperties&) = default;
};

struct CommonDlgProperties {  // 0x0001001F, version 1
    static constexpr std::uint32_t kMaxVersion = 1;
    std::uint32_t version = kMaxVersion;
    // [0] type [8] (0 open, 1 save, 2 font, 3 help), [1] filter index [12], then options.
    std::array<std::uint32_t, 15> options{};
    std::string title;             // [9]
    std::string fileName;          // [10]
    std::string filter;            // [11]
    std::string initialDirectory;  // [13]
    std::string defaultExtension;  // [14]
    std::string fontAndHelp1;
    std::string fontAndHelp2;
    std::uint32_t dialogType() const { return options[0]; }
    std::uint32_t filterIndex() const { return options[1]; }

    friend bool operator==(const CommonDlgProperties&, const CommonDlgProperties&) = default;
};

struct TimerProperties {  // 0x00010020, version 1
    static constexpr std::uint32_t kMaxVersion = 1;
    std::uint32_t version = kMaxVersion;
    std::uint32_t interval = 0;  // [8] milliseconds; 0 = stopped

    friend bool operator==(const TimerProperties&, const TimerProperties&) = default;
};

// A type this reader does not know: its block is carried unchanged.
struct RawProperties {
    ResourceBytes bytes;

    friend bool operator==(const RawProperties&, const RawProperties&) = default;
};

// std::monostate for menu items, which have no property block.
using PropertyBlock =
    std::variant<std::monostate, WindowProperties, DrawPanelProperties, EditBoxProperties,
                 LabelProperties, ButtonProperties, ComboBoxProperties, ListBoxProperties,
                 CommonDlgProperties, TimerProperties, RawProperties>;

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

}  // namespace vel
