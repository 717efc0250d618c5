#include "app/face/face_draw.h"

#include <algorithm>

#include "app/face/face_geometry.h"
#include "forms/appearance/draw_panel.h"
#include "forms/appearance/panel_methods.h"
#include "forms/pictures/picture_table.h"
#include "forms/runtime/property_numbers.h"
#include "library/call.h"
#include "platform/raster/blit.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

using plat::raster::Rect;

int load_embedded(const unsigned char* block) {
    return block ? call(cmd_load_picture, arg_byteset(block)).as_int() : 0;
}

bool empty(Rect r) {
    return r.w <= 0 || r.h <= 0;
}

Rect unite(Rect a, Rect b) {
    if (empty(a)) return b;
    if (empty(b)) return a;
    const int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return {left, top, right - left, bottom - top};
}

Rect intersect(Rect a, Rect b) {
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.w, b.x + b.w), bottom = std::min(a.y + a.h, b.y + b.h);
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

}  // namespace

void FacePainter::set_pen(int width, std::uint32_t colour) {
    m_buffer.set_int(prop::kPanelPenWidth, width);
    m_buffer.set_int(prop::kPanelPenColour, static_cast<std::int32_t>(colour));
}

void FacePainter::draw(int hour, int minute, int second, bool full) {
    // The program's constant pictures: found once, loaded when drawn.
    static const unsigned char* const dial_data = embedded_byteset("dial.gif");
    static const unsigned char* const butterfly_data = embedded_byteset("butterfly.gif");
    const ArgRecord buffer = m_buffer.arg();
    const face::FaceGeometry g = face::face_geometry(hour, minute, second);
    const auto line = [&](const face::Stroke& s) {
        set_pen(s.pen_width, s.colour);
        call(cmd_panel_draw_line, buffer, arg_int(s.from.x), arg_int(s.from.y), arg_int(s.to.x),
             arg_int(s.to.y));
    };
    const auto picture = [&](int number, const face::Placement& at) {
        call(cmd_panel_draw_picture, buffer, arg_int(number), arg_int(at.at.x), arg_int(at.at.y),
             arg_int(at.width), arg_int(at.height), arg_int(face::kTransparentCopyMode));
    };

    DrawPanel* from = as_draw_panel(m_buffer.live());
    DrawPanel* to = as_draw_panel(m_shown.live());
    // Both brought to their sizes first: a resize is a change like any other.
    if (from) from->image();
    if (to) to->image();
    const bool kept = !full && m_kept && from && to && from->version() == m_buffer_version &&
                      to->version() == m_shown_version && hour == m_hour && minute == m_minute;
    m_kept = false;
    if (kept) {
        plat::raster::copy_area(from->canvas(), m_layer, from->device_box(m_moved));
    } else {
        call(cmd_panel_clear, buffer);
        const int dial = load_embedded(dial_data);
        picture(dial, g.dial);
        call(cmd_unload_picture, arg_int(dial));
        line(g.hands[0]);
        line(g.hands[1]);
        line(g.hands[2]);
        line(g.hands[3]);
        if (from && !full) m_layer = from->image();
    }
    if (from) from->take_drawn_area();

    line(g.hands[4]);
    line(g.hands[5]);
    set_pen(g.disc_pen_width, g.disc_colour);
    call(cmd_panel_draw_ellipse, buffer, arg_int(g.disc_first.x), arg_int(g.disc_first.y),
         arg_int(g.disc_second.x), arg_int(g.disc_second.y));
    const int butterfly = load_embedded(butterfly_data);
    picture(butterfly, g.butterfly);
    call(cmd_unload_picture, arg_int(butterfly));

    const Rect whole{0, 0, m_buffer.get_int(prop::kWidth), m_buffer.get_int(prop::kHeight)};
    const Rect moved = from ? from->take_drawn_area() : Rect{};
    // Beyond the old and new boxes both panels hold the layer already.
    const Rect copied = kept ? intersect(whole, unite(m_moved, moved)) : whole;
    if (!empty(copied) || !kept)
        call(cmd_panel_copy, buffer, arg_int(copied.x), arg_int(copied.y), arg_int(copied.w),
             arg_int(copied.h), m_shown.arg(), arg_int(copied.x), arg_int(copied.y), arg_int(1));
    if (full || !from || !to) return;
    m_moved = moved;
    m_buffer_version = from->version();
    m_shown_version = to->version();
    m_hour = hour;
    m_minute = minute;
    m_kept = true;
}

void draw_face() {
    draw_face(current_civil_time());
}

void draw_face(const CivilTime& now) {
    static FacePainter painter(ui::clock::kWindow, ui::clock::画板1, ui::clock::画板2);
    painter.draw(now.hour, now.minute, now.second);
}

}  // namespace vel
