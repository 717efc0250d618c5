#pragma once
// The alarm editor's units as its handlers use them.
#include <string>
#include <string_view>

#include "forms/runtime/unit_ref.h"
#include "resources/form_ids.h"

namespace vel::editor {

inline constexpr UnitRef kWindow{ui::editor::kWindow, ui::editor::kWindowUnit, TAG_UNIT_WINDOW};

// An edit box's content (GBK); writing it raises the box's changed event.
std::string box_text(UnitId box);
void set_box_text(UnitId box, std::string_view text);
// Puts the caret after the last character, nothing selected.
void caret_to_end(UnitId box);
void focus(UnitId unit);

// The alarm list. Each item's own bytes are kept beside it: a line that is
// not valid GBK reads back from the list altered, and must still be found
// in the file.
void clear_list_items();  // the kept bytes of a new, empty list
int list_selection();     // -1: none
std::string list_item(int index);
void add_list_item(std::string_view text);
void set_list_item(int index, std::string_view text);
void delete_list_item(int index);

// The ring box.
std::string ring_box_text();  // empty when nothing is chosen
void select_ring(int index);

}  // namespace vel::editor
