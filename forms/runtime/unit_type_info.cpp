// The table of the core library's unit types.
#include "forms/runtime/unit_type_info.h"

#include <array>
#include <utility>

#include "forms/units/unit_factories.h"

namespace vel {
namespace {

// Common properties 0-7, then the type's own from 8; unlisted ones are integers.
template <std::size_t N>
constexpr std::array<int, N> kinds(std::initializer_list<std::pair<int, int>> own) {
    std::array<int, N> k{};
    for (auto& x : k) x = kKindInt;
    if constexpr (N > 7) {
        k[4] = kKindText;
        k[5] = kKindLogical;
        k[6] = kKindLogical;
        k[7] = kKindPointer;
    }
    for (auto [number, kind] : own) k[static_cast<std::size_t>(number)] = kind;
    return k;
}

constexpr auto kWindow =
    kinds<32>({{8, kKindText},      {9, kKindPick},     {10, kKindColourOrDefault},
               {11, kKindPicture},  {12, kKindPick},    {13, kKindSound},
               {15, kKindLogical},  {16, kKindLogical}, {17, kKindLogical},
               {18, kKindPick},     {19, kKindLogical}, {20, kKindIcon},
               {21, kKindLogical},  {22, kKindLogical}, {23, kKindLogical},
               {24, kKindFileName}, {26, kKindLogical}, {27, kKindLogical},
               {28, kKindPick},     {29, kKindLogical}, {30, kKindLogical},
               {31, kKindText}});
constexpr auto kMenu =
    kinds<4>({{0, kKindText}, {1, kKindLogical}, {2, kKindLogical}, {3, kKindLogical}});
constexpr auto kEditBox = kinds<29>({{8, kKindText},
                                     {9, kKindPick},
                                     {10, kKindColour},
                                     {11, kKindColourOrDefault},
                                     {12, kKindFont},
                                     {13, kKindLogical},
                                     {15, kKindLogical},
                                     {16, kKindPick},
                                     {17, kKindPick},
                                     {18, kKindPick},
                                     {27, kKindText},
                                     {28, kKindText}});
constexpr auto kDrawPanel = kinds<25>({{8, kKindPick},
                                       {9, kKindColourOrDefault},
                                       {10, kKindPicture},
                                       {11, kKindPick},
                                       {12, kKindLogical},
                                       {13, kKindPick},
                                       {14, kKindPick},
                                       {15, kKindPick},
                                       {17, kKindColour},
                                       {18, kKindPick},
                                       {19, kKindColour},
                                       {20, kKindColour},
                                       {21, kKindColourOrTransparent},
                                       {22, kKindFont}});
constexpr auto kLabel = kinds<29>({{8, kKindText}, {27, kKindText}, {28, kKindText}});
constexpr auto kButton = kinds<14>({{10, kKindText}});
constexpr auto kComboBox = kinds<25>({{8, kKindPick}, {9, kKindText}, {20, kKindTextList}});
constexpr auto kListBox = kinds<22>({{20, kKindTextList}});
constexpr auto kCommonDlg = kinds<30>({{8, kKindPick},
                                       {9, kKindText},
                                       {10, kKindFileName},
                                       {11, kKindText},
                                       {13, kKindText},
                                       {14, kKindText}});
constexpr auto kTimer = kinds<9>({});

// Names are GBK: 窗口 菜单 编辑框 画板 标签 按钮 组合框 列表框 通用对话框 时钟.
const std::array<UnitTypeInfo, 10> kTypes = {{
    {TAG_UNIT_WINDOW, "\xB4\xB0\xBF\xDA", "window", "", 0, kWindow, create_window_unit, true},
    {TAG_UNIT_MENU, "\xB2\xCB\xB5\xA5", "menu", "", 0, kMenu, nullptr, true},
    {TAG_UNIT_EDITBOX, "\xB1\xE0\xBC\xAD\xBF\xF2", "EditBox", "", 0, kEditBox, create_edit_box,
     true},
    {TAG_UNIT_DRAWPANEL, "\xBB\xAD\xB0\xE5", "DrawPanel", "", 0, kDrawPanel, create_draw_panel,
     true},
    {TAG_UNIT_LABEL, "\xB1\xEA\xC7\xA9", "Label", "", kTypeDragsWindow, kLabel, create_label, true},
    {TAG_UNIT_BUTTON, "\xB0\xB4\xC5\xA5", "Button", "", 0, kButton, create_button, true},
    {TAG_UNIT_COMBOBOX, "\xD7\xE9\xBA\xCF\xBF\xF2", "ComboBox", "", 0, kComboBox, create_combo_box,
     true},
    {TAG_UNIT_LISTBOX, "\xC1\xD0\xB1\xED\xBF\xF2", "ListBox", "", 0, kListBox, create_list_box,
     true},
    {TAG_UNIT_COMMONDLG, "\xCD\xA8\xD3\xC3\xB6\xD4\xBB\xB0\xBF\xF2", "CommonDlg", "",
     kTypeNeverShown, kCommonDlg, create_common_dialog, true},
    {TAG_UNIT_TIMER, "\xCA\xB1\xD6\xD3", "Timer", "", kTypeNeverShown, kTimer, create_timer, true},
}};

}  // namespace

TypeTag kind_tag(int kind) {
    switch (kind) {
        case kKindLogical:
            return TAG_LOGICAL;
        case kKindText:
        case kKindFileName:
            return TAG_TEXT;
        case kKindPicture:
        case kKindIcon:
        case kKindPointer:
        case kKindSound:
        case kKindFont:
        case kKindTextList:
            return TAG_BYTESET;
        default:
            return TAG_INT;
    }
}

const UnitTypeInfo* find_unit_type(TypeTag tag) {
    for (const UnitTypeInfo& t : kTypes)
        if (t.tag == tag) return &t;
    return nullptr;
}

int property_kind(TypeTag tag, int number) {
    const UnitTypeInfo* t = find_unit_type(tag);
    if (!t || number < 0 || number >= static_cast<int>(t->properties.size())) return 0;
    return t->properties[static_cast<std::size_t>(number)];
}

}  // namespace vel
