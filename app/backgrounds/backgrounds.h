#pragma once
// The clock's backgrounds: twelve colours, the supplied pictures and the
// user's own picture, remembered in background.vel.
//
// The clock window's background colour and picture are the master copy; the
// two drawing panels receive copies whenever a choice is saved. The current
// background item is the one menu item that carries a check mark.
#include "forms/resource/form_resource.h"

namespace vel {

// Re-applies the background saved in background.vel (called once the clock
// window has been created).
void restore_background();

namespace backgrounds {

// The menu item of the chosen background; 0 before any choice.
UnitId current_item();

// The menu handlers' work: colour entry `index` (0-11, catalogue order) and
// picture entry `index` (0-51).
void choose_colour(int index);
void choose_picture(int index);
// "使用": the picture image\我的背景.jpg.
void use_my_background();
// "更换": asks for a picture in the dialog 添加背景, copies it to
// image\我的背景.jpg and uses it. Nothing changes when the user cancels, the
// chosen file is no picture the window can show, or the copy fails (the
// user is told of the last two).
void change_my_background();

// Makes `item` the current one without touching its mark: 0 at the
// program's start, "使用" when restoring begins.
void set_current_item(UnitId item);

}  // namespace backgrounds
}  // namespace vel
