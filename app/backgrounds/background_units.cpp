#include "app/backgrounds/background_units.h"

#include "app/window/clock_window.h"
#include "forms/pictures/double_size.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"
#include "resources/form_ids.h"

namespace vel::backgrounds {
namespace {

struct Target {
    UnitRef unit;
    int colour;
    int picture;
};

Target target(Surface s) {
    constexpr auto panel = [](UnitId id) {
        return UnitRef{ui::clock::kWindow, id, TAG_UNIT_DRAWPANEL};
    };
    switch (s) {
        case Surface::panel1:
            return {panel(ui::clock::画板1), prop::kPanelBackColour, prop::kPanelPicture};
        case Surface::panel2:
            return {panel(ui::clock::画板2), prop::kPanelBackColour, prop::kPanelPicture};
        case Surface::window:
            break;
    }
    return {clock_window::kWindow, prop::kWindowBackColour, prop::kWindowPicture};
}

}  // namespace

Bytes picture_of(Surface s) {
    const Target t = target(s);
    return t.unit.get_bytes(t.picture);
}

void set_picture(Surface s, const std::uint8_t* byteset) {
    const Target t = target(s);
    t.unit.set_bytes(t.picture, byteset);
}

std::uint32_t colour_of(Surface s) {
    const Target t = target(s);
    return static_cast<std::uint32_t>(t.unit.get_int(t.colour));
}

void set_colour(Surface s, std::uint32_t colour) {
    const Target t = target(s);
    t.unit.set_int(t.colour, static_cast<std::int32_t>(colour));
}

std::string caption_of(UnitId item) {
    return clock_window::menu_item(item).get_text(prop::kMenuCaption);
}

std::string picture_path(std::string_view name) {
    return run_directory() + "\x5Cimage\x5C" + std::string(name) + ".jpg";
}

Bytes read_picture_file(const std::string& path) {
    const ResultRecord r = call(cmd_read_file, arg_text(path.c_str()));
    return Bytes(r.as_ptr<std::uint8_t>());
}

void add_double_size_partner(std::string_view name, const Bytes& picture) {
    if (!picture) return;
    const std::string one = "image\x5C" + std::string(name) + ".jpg";
    const std::string two = picture_path(std::string(name) + "@2x");
    add_double_size(byteset_span(picture.get()),
                    [one, two](std::span<const std::uint8_t> bytes) -> std::vector<std::uint8_t> {
                        if (!is_shipped_file(one, bytes)) return {};
                        const Bytes partner = read_picture_file(two);
                        if (!partner) return {};
                        const auto span = byteset_span(partner.get());
                        return {span.begin(), span.end()};
                    });
}

}  // namespace vel::backgrounds
