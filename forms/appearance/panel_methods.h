#pragma once
// The drawing panel's methods, as commands of the one calling convention.
// The first argument is always the panel's UnitRef; coordinates are client
// pixels. Omitted arguments are those whose tag is TAG_NONE (or missing).
#include "library/value.h"

namespace vel {

// [left], [top], [width], [height]
void cmd_panel_clear(ResultRecord* result, int count, const ArgRecord* args);
// x1, y1, x2, y2
void cmd_panel_draw_line(ResultRecord* result, int count, const ArgRecord* args);
// x1, y1, x2, y2
void cmd_panel_draw_ellipse(ResultRecord* result, int count, const ArgRecord* args);
// picture number, x, y, [width], [height], [copy mode]
void cmd_panel_draw_picture(ResultRecord* result, int count, const ArgRecord* args);
// [x], [y], [width], [height], [destination panel UnitRef], [destination x],
// [destination y], [copy mode]
void cmd_panel_copy(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
