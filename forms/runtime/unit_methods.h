#pragma once
// The unit methods, called as library commands whose first argument is the
// UnitRef of the unit concerned (window id low, unit id high, the unit's tag).
#include "library/value.h"

namespace vel {

void cmd_get_window_handle(ResultRecord* result, int count, const ArgRecord* args);
// [parent window UnitRef], [logical modal] -> logical
void cmd_load_window(ResultRecord* result, int count, const ArgRecord* args);
// [logical at once]
void cmd_destroy(ResultRecord* result, int count, const ArgRecord* args);
void cmd_set_focus(ResultRecord* result, int count, const ArgRecord* args);
// [left], [top], [width], [height]
void cmd_move(ResultRecord* result, int count, const ArgRecord* args);
// menu item UnitRef, [x], [y]
void cmd_popup_menu(ResultRecord* result, int count, const ArgRecord* args);
// menu item UnitRef
void cmd_popup_menu_from_tray(ResultRecord* result, int count, const ArgRecord* args);
void cmd_open_common_dialog(ResultRecord* result, int count, const ArgRecord* args);
// integer index -> text
void cmd_combo_item_text(ResultRecord* result, int count, const ArgRecord* args);
void cmd_list_item_text(ResultRecord* result, int count, const ArgRecord* args);
// integer index, text -> logical
void cmd_set_list_item_text(ResultRecord* result, int count, const ArgRecord* args);
// text, [integer item value] -> integer index or -1
void cmd_add_list_item(ResultRecord* result, int count, const ArgRecord* args);
// integer index -> logical
void cmd_delete_list_item(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
