#include "forms/appearance/panel_methods.h"

#include <algorithm>

#include "forms/appearance/draw_panel.h"
#include "forms/pictures/picture_table.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/runtime_texts.h"
#include "library/runtime_errors.h"

namespace vel {
namespace {

bool has(int count, const ArgRecord* args, int i) {
    return i < count && args[i].present();
}

int int_or(int count, const ArgRecord* args, int i, int fallback) {
    return has(count, args, i) ? args[i].to_int() : fallback;
}

// The panel named by argument `i`: the fatal error when the unit is not
// there, null when it is some other kind of unit.
DrawPanel* panel_arg(int count, const ArgRecord* args, int i = 0) {
    if (count <= i) fatal_runtime_error(0, runtime_text::kUnitMissing);
    FormRuntime& rt = FormRuntime::instance();
    rt.require_unit(args[i].lo, args[i].hi);
    return as_draw_panel(rt.live_unit(args[i].lo, args[i].hi));
}

}  // namespace

void cmd_panel_clear(ResultRecord*, int count, const ArgRecord* args) {
    DrawPanel* p = panel_arg(count, args);
    if (!p) return;
    const plat::Size size = p->client();
    const int left = int_or(count, args, 1, 0);
    const int top = int_or(count, args, 2, 0);
    // An omitted width or height reaches the client area's edge.
    const int width = int_or(count, args, 3, std::max(0, size.width - left));
    const int height = int_or(count, args, 4, std::max(0, size.height - top));
    p->clear({left, top, width, height});
}

void cmd_panel_draw_line(ResultRecord*, int count, const ArgRecord* args) {
    DrawPanel* p = panel_arg(count, args);
    if (!p || count < 5) return;
    p->draw_line(args[1].to_int(), args[2].to_int(), args[3].to_int(), args[4].to_int());
}

void cmd_panel_draw_ellipse(ResultRecord*, int count, const ArgRecord* args) {
    DrawPanel* p = panel_arg(count, args);
    if (!p || count < 5) return;
    p->draw_ellipse(args[1].to_int(), args[2].to_int(), args[3].to_int(), args[4].to_int());
}

void cmd_panel_draw_picture(ResultRecord*, int count, const ArgRecord* args) {
    DrawPanel* p = panel_arg(count, args);
    if (!p || count < 4) return;
    const std::shared_ptr<const Picture> picture = picture_table().share(args[1].to_int());
    if (!picture) return;  // 0 or a number that was never given out
    int width = int_or(count, args, 4, -1);
    int height = int_or(count, args, 5, -1);
    if (width == -1) width = picture->width();
    if (height == -1) height = picture->height();
    p->draw_picture(*picture, {args[2].to_int(), args[3].to_int(), width, height},
                    int_or(count, args, 6, 1));
}

void cmd_panel_copy(ResultRecord*, int count, const ArgRecord* args) {
    DrawPanel* source = panel_arg(count, args);
    if (!source) return;
    DrawPanel* target = source;
    if (has(count, args, 5)) {
        target = panel_arg(count, args, 5);
        if (!target) return;
    }
    const plat::Size size = source->client();
    const plat::raster::Rect from{int_or(count, args, 1, 0), int_or(count, args, 2, 0),
                                  int_or(count, args, 3, size.width),
                                  int_or(count, args, 4, size.height)};
    const plat::Point at{int_or(count, args, 6, 0), int_or(count, args, 7, 0)};
    source->copy_to(*target, from, at, plat::raster::copy_mode_from(int_or(count, args, 8, 1)));
}

}  // namespace vel
