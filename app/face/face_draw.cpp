#include "app/face/face_draw.h"

#include "app/clock_globals.h"
#include "app/face/face_geometry.h"
#include "app/handlers/clock_ids.h"
#include "forms/appearance/panel_methods.h"
#include "forms/pictures/picture_table.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "library/call.h"
#include "resources/embedded.h"

namespace vel {
namespace {

ArgRecord buffer() {
    return arg_unit(ids::kClockWindow, ids::k画板1, TAG_UNIT_DRAWPANEL);
}

void set_pen(int width, std::uint32_t colour) {
    FormRuntime& rt = FormRuntime::instance();
    rt.set_property(ids::kClockWindow, ids::k画板1, prop::kPanelPenWidth, -1,
                    Value{static_cast<std::uint32_t>(width), TAG_INT});
    rt.set_property(ids::kClockWindow, ids::k画板1, prop::kPanelPenColour, -1,
                    Value{colour, TAG_INT});
}

int panel_int(int property) {
    const Value v = FormRuntime::instance().get_property(ids::kClockWindow, ids::k画板1, property);
    return static_cast<std::int32_t>(v.payload & 0xFFFFFFFFu);
}

int load_embedded(const unsigned char* block) {
    return block ? call(cmd_load_picture, arg_byteset(block)).as_int() : 0;
}

void line(const face::Stroke& s) {
    set_pen(s.pen_width, s.colour);
    call(cmd_panel_draw_line, buffer(), arg_int(s.from.x), arg_int(s.from.y), arg_int(s.to.x),
         arg_int(s.to.y));
}

void picture(int number, const face::Placement& at) {
    call(cmd_panel_draw_picture, buffer(), arg_int(number), arg_int(at.at.x), arg_int(at.at.y),
         arg_int(at.width), arg_int(at.height), arg_int(face::kTransparentCopyMode));
}

}  // namespace

void draw_face() {
    draw_face(current_civil_time());
}

void draw_face(const CivilTime& now) {
    // The program's constant pictures: found once, loaded every second.
    static const unsigned char* const dial_data = embedded_byteset("dial.gif");
    static const unsigned char* const butterfly_data = embedded_byteset("butterfly.gif");
    const int dial = load_embedded(dial_data);
    const int butterfly = load_embedded(butterfly_data);
    // All three from one reading: separate readings across 7:59:59.999 could
    // give hour 7 with minute 0.
    clock::current_hour = now.hour;
    clock::current_minute = now.minute;
    clock::current_second = now.second;
    const face::FaceGeometry g =
        face::face_geometry(clock::current_hour, clock::current_minute, clock::current_second);

    call(cmd_panel_clear, buffer());
    picture(dial, g.dial);
    call(cmd_unload_picture, arg_int(dial));

    clock::hand_angle = g.hour_angle;
    line(g.hands[0]);
    line(g.hands[1]);
    clock::hand_angle = g.minute_angle;
    line(g.hands[2]);
    line(g.hands[3]);
    clock::hand_angle = g.second_angle;
    line(g.hands[4]);
    line(g.hands[5]);

    set_pen(g.disc_pen_width, g.disc_colour);
    call(cmd_panel_draw_ellipse, buffer(), arg_int(g.disc_first.x), arg_int(g.disc_first.y),
         arg_int(g.disc_second.x), arg_int(g.disc_second.y));
    picture(butterfly, g.butterfly);
    call(cmd_unload_picture, arg_int(butterfly));

    const int width = panel_int(prop::kWidth);
    const int height = panel_int(prop::kHeight);
    call(cmd_panel_copy, buffer(), arg_int(0), arg_int(0), arg_int(width), arg_int(height),
         arg_unit(ids::kClockWindow, ids::k画板2, TAG_UNIT_DRAWPANEL), arg_int(0), arg_int(0),
         arg_int(1));
}

}  // namespace vel
