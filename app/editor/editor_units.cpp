#include "app/editor/editor_units.h"

#include <vector>

#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_methods.h"
#include "forms/runtime/unit_ref.h"
#include "library/call.h"
#include "resources/form_ids.h"

namespace vel::editor {
namespace {

// The bytes of the alarm list's items, in list order.
std::vector<std::string> g_items;

constexpr UnitRef kList{ui::editor::kWindow, ui::editor::闹铃列表框, TAG_UNIT_LISTBOX};
constexpr UnitRef kRingBox{ui::editor::kWindow, ui::editor::铃声列表框, TAG_UNIT_COMBOBOX};

constexpr UnitRef edit_box(UnitId box) {
    return {ui::editor::kWindow, box, TAG_UNIT_EDITBOX};
}

std::string owned_text(char* block) {
    const Text owned(block);
    return std::string(view(owned));
}

}  // namespace

std::string box_text(UnitId box) {
    return edit_box(box).get_text(prop::kEditContent);
}

void set_box_text(UnitId box, std::string_view text) {
    edit_box(box).set_text(prop::kEditContent, text);
}

void caret_to_end(UnitId box) {
    edit_box(box).set_int(prop::kEditSelectionStart, -1);
}

void focus(UnitId unit) {
    call(cmd_set_focus, edit_box(unit).arg());
}

int list_selection() {
    return kList.get_int(prop::kListSelection);
}

void clear_list_items() {
    g_items.clear();
}

std::string list_item(int index) {
    if (index >= 0 && index < static_cast<int>(g_items.size()))
        return g_items[static_cast<std::size_t>(index)];
    return owned_text(call(cmd_list_item_text, kList.arg(), arg_int(index)).as_ptr<char>());
}

void add_list_item(std::string_view text) {
    const std::string owned(text);
    call(cmd_add_list_item, kList.arg(), arg_text(owned.c_str()));
    g_items.push_back(owned);
}

void set_list_item(int index, std::string_view text) {
    const std::string owned(text);
    call(cmd_set_list_item_text, kList.arg(), arg_int(index), arg_text(owned.c_str()));
    if (index >= 0 && index < static_cast<int>(g_items.size()))
        g_items[static_cast<std::size_t>(index)] = owned;
}

void delete_list_item(int index) {
    call(cmd_delete_list_item, kList.arg(), arg_int(index));
    if (index >= 0 && index < static_cast<int>(g_items.size()))
        g_items.erase(g_items.begin() + index);
}

std::string ring_box_text() {
    const int index = kRingBox.get_int(prop::kComboSelection);
    if (index < 0) return {};
    return owned_text(call(cmd_combo_item_text, kRingBox.arg(), arg_int(index)).as_ptr<char>());
}

void select_ring(int index) {
    kRingBox.set_int(prop::kComboSelection, index);
}

}  // namespace vel::editor
