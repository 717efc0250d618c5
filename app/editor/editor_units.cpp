#include "app/editor/editor_units.h"

#include <vector>

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/unit_methods.h"
#include "library/blocks.h"
#include "library/call.h"
#include "resources/form_ids.h"

namespace vel::editor {
namespace {

// The bytes of the alarm list's items, in list order.
std::vector<std::string> g_items;

FormRuntime& rt() {
    return FormRuntime::instance();
}

ArgRecord list_ref() {
    return arg_unit(ui::editor::kWindow, ui::editor::闹铃列表框, TAG_UNIT_LISTBOX);
}

ArgRecord ring_box_ref() {
    return arg_unit(ui::editor::kWindow, ui::editor::铃声列表框, TAG_UNIT_COMBOBOX);
}

std::string owned_text(char* block) {
    const Text owned(block);
    return std::string(view(owned));
}

std::int32_t int_property(UnitId unit, int number) {
    return static_cast<std::int32_t>(rt().get_property(ui::editor::kWindow, unit, number).payload &
                                     0xFFFFFFFFu);
}

}  // namespace

std::string box_text(UnitId box) {
    const Value v = rt().get_property(ui::editor::kWindow, box, prop::kEditContent);
    return owned_text(reinterpret_cast<char*>(static_cast<std::uintptr_t>(v.payload)));
}

void set_box_text(UnitId box, std::string_view text) {
    const std::string owned(text);
    rt().set_property(ui::editor::kWindow, box, prop::kEditContent, -1,
                      Value{reinterpret_cast<std::uintptr_t>(owned.c_str()), TAG_TEXT});
}

void caret_to_end(UnitId box) {
    rt().set_property(ui::editor::kWindow, box, prop::kEditSelectionStart, -1,
                      Value{static_cast<std::uint32_t>(-1), TAG_INT});
}

void focus(UnitId unit) {
    call(cmd_set_focus, arg_unit(ui::editor::kWindow, unit, TAG_UNIT_EDITBOX));
}

int list_selection() {
    return int_property(ui::editor::闹铃列表框, prop::kListSelection);
}

void clear_list_items() {
    g_items.clear();
}

std::string list_item(int index) {
    if (index >= 0 && index < static_cast<int>(g_items.size()))
        return g_items[static_cast<std::size_t>(index)];
    return owned_text(call(cmd_list_item_text, list_ref(), arg_int(index)).as_ptr<char>());
}

void add_list_item(std::string_view text) {
    const std::string owned(text);
    call(cmd_add_list_item, list_ref(), arg_text(owned.c_str()));
    g_items.push_back(owned);
}

void set_list_item(int index, std::string_view text) {
    const std::string owned(text);
    call(cmd_set_list_item_text, list_ref(), arg_int(index), arg_text(owned.c_str()));
    if (index >= 0 && index < static_cast<int>(g_items.size()))
        g_items[static_cast<std::size_t>(index)] = owned;
}

void delete_list_item(int index) {
    call(cmd_delete_list_item, list_ref(), arg_int(index));
    if (index >= 0 && index < static_cast<int>(g_items.size()))
        g_items.erase(g_items.begin() + index);
}

std::string ring_box_text() {
    const int index = int_property(ui::editor::铃声列表框, prop::kComboSelection);
    if (index < 0) return {};
    return owned_text(call(cmd_combo_item_text, ring_box_ref(), arg_int(index)).as_ptr<char>());
}

void select_ring(int index) {
    rt().set_property(ui::editor::kWindow, ui::editor::铃声列表框, prop::kComboSelection, -1,
                      Value{static_cast<std::uint32_t>(index), TAG_INT});
}

}  // namespace vel::editor
