#pragma once
// System commands: message boxes, start with the user's logon, a blocking
// delay, screen size and mouse position, and the flat control style.
// All follow the one calling convention (see library/value.h).
#include <functional>
#include <string>
#include <vector>

#include "library/value.h"

namespace vel {

// (any content, [int flags = 0], [text caption = "信息："]) -> int button code:
// OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6.
void cmd_message_box(ResultRecord* result, int count, const ArgRecord* args);
// (text name, text program path, [int method = 0]) -> logical.
// Method 0 (machine-wide) falls back to method 1 (the user's own entry) when
// the machine-wide entry cannot be written.
void cmd_set_autostart(ResultRecord* result, int count, const ArgRecord* args);
// (text name) -> logical; removes the machine-wide and the user's entry.
void cmd_remove_autostart(ResultRecord* result, int count, const ArgRecord* args);
// (int milliseconds); blocks the calling thread, 0 for a negative value.
void cmd_delay(ResultRecord* result, int count, const ArgRecord* args);
void cmd_screen_width(ResultRecord* result, int count, const ArgRecord* args);
void cmd_screen_height(ResultRecord* result, int count, const ArgRecord* args);
void cmd_mouse_x(ResultRecord* result, int count, const ArgRecord* args);
void cmd_mouse_y(ResultRecord* result, int count, const ArgRecord* args);
// (int style) -> logical: 1 to 3 restyle the controls in a colour scheme,
// anything else gives them their own look back.
void cmd_set_control_style(ResultRecord* result, int count, const ArgRecord* args);

// One screen of the desktop, in screen pixels.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
// Every screen, the primary first; empty when no display answers.
std::vector<ScreenArea> screen_areas();
// Calls `removed` after a screen has gone away (the screens listed then no
// longer include it). Nothing happens without a window system.
void when_screen_removed(std::function<void()> removed);

// The text a message box shows for a content argument (GBK; at most 99
// bytes for numbers, logicals and date-times; empty for other types).
std::string message_box_content(const ArgRecord& content);

}  // namespace vel
