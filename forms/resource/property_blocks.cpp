#include "forms/resource/property_blocks.h"

namespace vel::resource_io {
namespace {

// Reads the version word and rejects one this reader does not understand.
template <typename Block>
bool read_version(Block& b, ByteReader& in) {
    b.version = in.u32();
    if (!in.failed() && b.version > Block::kMaxVersion) in.fail("property block version too new");
    return !in.failed();
}

template <std::size_t N>
void read_words(std::array<std::uint32_t, N>& words, ByteReader& in) {
    for (auto& w : words) w = in.u32();
}
template <std::size_t N>
void write_words(const std::array<std::uint32_t, N>& words, ByteWriter& out) {
    for (auto w : words) out.u32(w);
}

// A u16 count, or 0xFFFF and a u32 count, then that many counted texts.
std::vector<std::string> read_item_list(ByteReader& in) {
    std::uint32_t count = in.u16();
    if (count == 0xFFFF) count = in.u32();
    // Every item takes at least its 4-byte length: refuse counts the block
    // cannot hold before reserving anything.
    if (in.failed() || count > in.remaining() / 4) {
        in.fail("item list runs past the end of its block");
        return {};
    }
    std::vector<std::string> items;
    items.reserve(count);
    for (std::uint32_t i = 0; i < count && !in.failed(); ++i) items.push_back(in.counted_text());
    return items;
}
void write_item_list(const std::vector<std::string>& items, ByteWriter& out) {
    if (items.size() < 0xFFFF) {
        out.u16(static_cast<std::uint16_t>(items.size()));
    } else {
        out.u16(0xFFFF);
        out.u32(static_cast<std::uint32_t>(items.size()));
    }
    for (const auto& item : items) out.counted(item);
}

WindowProperties read_window(ByteReader& in) {
    WindowProperties b;
    if (!read_version(b, in)) return b;
    b.border = in.u32();
    b.pictureMode = in.u32();
    b.backColour = in.u32();
    b.maxButton = in.u32();
    b.minButton = in.u32();
    b.controlBox = in.u32();
    b.startPosition = in.u32();
    b.movable = in.u32();
    b.musicPlayCount = in.u32();
    b.enterMovesFocus = in.u32();
    b.escCloses = in.u32();
    b.f1OpensHelp = in.u32();
    b.helpContext = in.u32();
    if (b.version >= 2) b.showInTaskbar = in.u32();
    if (b.version >= 3) {
        b.freeMove = in.u32();
        b.shape = in.u32();
    }
    if (b.version >= 4) b.alwaysOnTop = in.u32();
    if (b.version >= 5) b.keepTitleActive = in.u32();
    if (b.version >= 6) b.className = in.counted_text();
    b.picture = in.counted_block();
    b.icon = in.counted_block();
    b.music = in.counted_block();
    b.title = in.counted_text();
    b.helpFile = in.counted_text();
    return b;
}
void write(const WindowProperties& b, ByteWriter& out) {
    out.u32(b.version);
    for (auto w : {b.border, b.pictureMode, b.backColour, b.maxButton, b.minButton, b.controlBox,
                   b.startPosition, b.movable, b.musicPlayCount, b.enterMovesFocus, b.escCloses,
                   b.f1OpensHelp, b.helpContext})
        out.u32(w);
    if (b.version >= 2) out.u32(b.showInTaskbar);
    if (b.version >= 3) {
        out.u32(b.freeMove);
        out.u32(b.shape);
    }
    if (b.version >= 4) out.u32(b.alwaysOnTop);
    if (b.version >= 5) out.u32(b.keepTitleActive);
    if (b.version >= 6) out.counted(b.className);
    out.counted(b.picture);
    out.counted(b.icon);
    out.counted(b.music);
    out.counted(b.title);
    out.counted(b.helpFile);
}

DrawPanelProperties read_draw_panel(ByteReader& in) {
    DrawPanelProperties b;
    if (!read_version(b, in)) return b;
    for (auto* w : {&b.border, &b.backColour, &b.pictureMode, &b.autoRedraw, &b.drawStyle,
                    &b.penType, &b.drawMode, &b.penWidth, &b.penColour, &b.brushType,
                    &b.brushColour, &b.textColour, &b.textBackColour})
        *w = in.u32();
    b.font = in.counted_block();
    b.picture = in.counted_block();
    return b;
}
void write(const DrawPanelProperties& b, ByteWriter& out) {
    out.u32(b.version);
    for (auto w :
         {b.border, b.backColour, b.pictureMode, b.autoRedraw, b.drawStyle, b.penType, b.drawMode,
          b.penWidth, b.penColour, b.brushType, b.brushColour, b.textColour, b.textBackColour})
        out.u32(w);
    out.counted(b.font);
    out.counted(b.picture);
}

EditBoxProperties read_edit_box(ByteReader& in) {
    EditBoxProperties b;
    if (!read_version(b, in)) return b;
    for (auto* w : {&b.border, &b.textColour, &b.backColour, &b.hideSelection, &b.maxLength,
                    &b.multiLine, &b.scrollBars, &b.alignment, &b.inputMode})
        *w = in.u32();
    b.passwordChar = in.u16();
    read_words(b.selectionGroup, in);
    b.font = in.counted_block();
    b.content = in.counted_text();
    b.dataSource = in.counted_text();
    b.dataColumn = in.counted_text();
    return b;
}
void write(const EditBoxProperties& b, ByteWriter& out) {
    out.u32(b.version);
    for (auto w : {b.border, b.textColour, b.backColour, b.hideSelection, b.maxLength, b.multiLine,
                   b.scrollBars, b.alignment, b.inputMode})
        out.u32(w);
    out.u16(b.passwordChar);
    write_words(b.selectionGroup, out);
    out.counted(b.font);
    out.counted(b.content);
    out.counted(b.dataSource);
    out.counted(b.dataColumn);
}

LabelProperties read_label(ByteReader& in) {
    LabelProperties b;
    if (!read_version(b, in)) return b;
    read_words(b.style, in);
    b.font = in.counted_block();
    b.picture = in.counted_block();
    b.caption = in.counted_text();
    b.dataSource = in.counted_text();
    b.dataColumn = in.counted_text();
    return b;
}
void write(const LabelProperties& b, ByteWriter& out) {
    out.u32(b.version);
    write_words(b.style, out);
    out.counted(b.font);
    out.counted(b.picture);
    out.counted(b.caption);
    out.counted(b.dataSource);
    out.counted(b.dataColumn);
}

ButtonProperties read_button(ByteReader& in) {
    ButtonProperties b;
    if (!read_version(b, in)) return b;
    read_words(b.style, in);
    b.picture = in.counted_block();
    b.caption = in.counted_text();
    return b;
}
void write(const ButtonProperties& b, ByteWriter& out) {
    out.u32(b.version);
    write_words(b.style, out);
    out.counted(b.picture);
    out.counted(b.caption);
}

// Combo and list boxes end alike: a data source from version 2, one more
// word from version 3.
template <typename Block>
void read_item_tail(Block& b, ByteReader& in) {
    if (b.version >= 2) {
        b.dataSource = in.counted_text();
        b.dataColumn = in.counted_text();
    }
    if (b.version >= 3) b.extra = in.u32();
}
template <typename Block>
void write_item_tail(const Block& b, ByteWriter& out) {
    if (b.version >= 2) {
        out.counted(b.dataSource);
        out.counted(b.dataColumn);
    }
    if (b.version >= 3) out.u32(b.extra);
}

ComboBoxProperties read_combo_box(ByteReader& in) {
    ComboBoxProperties b;
    if (!read_version(b, in)) return b;
    read_words(b.style, in);
    b.font = in.counted_block();
    b.itemValues = in.counted_block();
    b.content = in.counted_text();
    b.items = read_item_list(in);
    read_item_tail(b, in);
    return b;
}
void write(const ComboBoxProperties& b, ByteWriter& out) {
    out.u32(b.version);
    write_words(b.style, out);
    out.counted(b.font);
    out.counted(b.itemValues);
    out.counted(b.content);
    write_item_list(b.items, out);
    write_item_tail(b, out);
}

// The list box has no content text; its item list and later fields follow
// the combo box's rules.
ListBoxProperties read_list_box(ByteReader& in) {
    ListBoxProperties b;
    if (!read_version(b, in)) return b;
    read_words(b.style, in);
    b.font = in.counted_block();
    b.itemValues = in.counted_block();
    b.items = read_item_list(in);
    read_item_tail(b, in);
    return b;
}
void write(const ListBoxProperties& b, ByteWriter& out) {
    out.u32(b.version);
    write_words(b.style, out);
    out.counted(b.font);
    out.counted(b.itemValues);
    write_item_list(b.items, out);
    write_item_tail(b, out);
}

CommonDlgProperties read_common_dlg(ByteReader& in) {
    CommonDlgProperties b;
    if (!read_version(b, in)) return b;
    read_words(b.options, in);
    for (auto* t : {&b.title, &b.fileName, &b.filter, &b.initialDirectory, &b.defaultExtension,
                    &b.fontAndHelp1, &b.fontAndHelp2})
        *t = in.counted_text();
    return b;
}
void write(const CommonDlgProperties& b, ByteWriter& out) {
    out.u32(b.version);
    write_words(b.options, out);
    for (const auto* t : {&b.title, &b.fileName, &b.filter, &b.initialDirectory,
                          &b.defaultExtension, &b.fontAndHelp1, &b.fontAndHelp2})
        out.counted(*t);
}

TimerProperties read_timer(ByteReader& in) {
    TimerProperties b;
    if (!read_version(b, in)) return b;
    b.interval = in.u32();
    return b;
}
void write(const TimerProperties& b, ByteWriter& out) {
    out.u32(b.version);
    out.u32(b.interval);
}

void write(const RawProperties& b, ByteWriter& out) {
    out.raw(b.bytes);
}
void write(const std::monostate&, ByteWriter&) {}

}  // namespace

PropertyBlock read_property_block(TypeTag type, ByteReader& in) {
    switch (type) {
        case TAG_UNIT_WINDOW:
            return read_window(in);
        case TAG_UNIT_DRAWPANEL:
            return read_draw_panel(in);
        case TAG_UNIT_EDITBOX:
            return read_edit_box(in);
        case TAG_UNIT_LABEL:
            return read_label(in);
        case TAG_UNIT_BUTTON:
            return read_button(in);
        case TAG_UNIT_COMBOBOX:
            return read_combo_box(in);
        case TAG_UNIT_LISTBOX:
            return read_list_box(in);
        case TAG_UNIT_COMMONDLG:
            return read_common_dlg(in);
        case TAG_UNIT_TIMER:
            return read_timer(in);
        default: {
            auto rest = in.bytes(in.remaining());
            return RawProperties{{rest.begin(), rest.end()}};
        }
    }
}

void write_property_block(const PropertyBlock& block, ByteWriter& out) {
    std::visit([&](const auto& b) { write(b, out); }, block);
}

PropertyBlock default_property_block(TypeTag type) {
    switch (type) {
        case TAG_UNIT_WINDOW:
            return WindowProperties{};
        case TAG_UNIT_DRAWPANEL:
            return DrawPanelProperties{};
        case TAG_UNIT_EDITBOX:
            return EditBoxProperties{};
        case TAG_UNIT_LABEL:
            return LabelProperties{};
        case TAG_UNIT_BUTTON:
            return ButtonProperties{};
        case TAG_UNIT_COMBOBOX:
            return ComboBoxProperties{};
        case TAG_UNIT_LISTBOX:
            return ListBoxProperties{};
        case TAG_UNIT_COMMONDLG:
            return CommonDlgProperties{};
        case TAG_UNIT_TIMER:
            return TimerProperties{};
        default:
            return RawProperties{};
    }
}

}  // namespace vel::resource_io
