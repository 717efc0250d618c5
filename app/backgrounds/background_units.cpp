#include "app/backgrounds/background_units.h"

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"
#include "resources/form_ids.h"

namespace vel::backgrounds {
namespace {

struct Target {
    UnitId unit;
    int colour;
    int picture;
};

Target target(Surface s) {
    switch (s) {
        case Surface::panel1:
            return {ui::clock::画板1, prop::kPanelBackColour, prop::kPanelPicture};
        case Surface::panel2:
            return {ui::clock::画板2, prop::kPanelBackColour, prop::kPanelPicture};
        case Surface::window:
            break;
    }
    return {ui::clock::kWindowUnit, prop::kWindowBackColour, prop::kWindowPicture};
}

FormRuntime& rt() {
    return FormRuntime::instance();
}

Value get(UnitId unit, int number) {
    return rt().get_property(ui::clock::kWindow, unit, number);
}

void set(UnitId unit, int number, Value v) {
    rt().set_property(ui::clock::kWindow, unit, number, -1, v);
}

}  // namespace

Bytes picture_of(Surface s) {
    const Target t = target(s);
    return Bytes(reinterpret_cast<std::uint8_t*>(get(t.unit, t.picture).payload));
}

void set_picture(Surface s, const std::uint8_t* byteset) {
    const Target t = target(s);
    set(t.unit, t.picture, Value{reinterpret_cast<std::uintptr_t>(byteset), TAG_BYTESET});
}

std::uint32_t colour_of(Surface s) {
    const Target t = target(s);
    return static_cast<std::uint32_t>(get(t.unit, t.colour).payload);
}

void set_colour(Surface s, std::uint32_t colour) {
    const Target t = target(s);
    set(t.unit, t.colour, Value{colour, TAG_INT});
}

std::string caption_of(UnitId item) {
    const Text caption(reinterpret_cast<char*>(get(item, prop::kMenuCaption).payload));
    return std::string(view(caption));
}

void set_checked(UnitId item, bool checked) {
    set(item, prop::kMenuChecked, Value{checked ? 1u : 0u, TAG_LOGICAL});
}

bool is_checked(UnitId item) {
    return (get(item, prop::kMenuChecked).payload & 0xFFFFFFFFu) != 0;
}

std::string picture_path(std::string_view name) {
    return run_directory() + "\x5Cimage\x5C" + std::string(name) + ".jpg";
}

Bytes read_picture_file(const std::string& path) {
    const ResultRecord r = call(cmd_read_file, arg_text(path.c_str()));
    return Bytes(r.as_ptr<std::uint8_t>());
}

}  // namespace vel::backgrounds
