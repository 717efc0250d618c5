#pragma once
// The property blocks of the unit types a form resource describes, and the
// logical-font record of their font properties. Part of the form resource
// data model (forms/resource/form_resource.h includes this).
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace vel {

using ResourceBytes = std::vector<std::uint8_t>;

inline constexpr std::uint32_t kDefaultColour = 0xFF000000u;  // the system default colour

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

}  // namespace vel
