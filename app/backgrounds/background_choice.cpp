// Choosing a colour, a supplied picture or the user's own picture, and saving
// the choice: the panels get the window's background, background.vel the
// chosen value, the chosen item the check mark.
#include "app/backgrounds/background_units.h"
#include "app/backgrounds/backgrounds.h"
#include "app/backgrounds/catalogue.h"
#include "app/face/face_draw.h"
#include "app/settings/settings_file.h"
#include "app/window/clock_window.h"
#include "resources/form_ids.h"

namespace vel::backgrounds {
namespace {

constexpr std::string_view kStoreFile = "background.vel";

UnitId g_current = 0;

void uncheck_current() {
    if (g_current != 0) clock_window::set_checked(g_current, false);
}

// The window's background goes to both panels, the current item's caption
// to background.vel, and the current item gets the check mark.
void save_background() {
    settings::StoreFile file(kStoreFile);
    const std::uint32_t colour = colour_of(Surface::window);
    const Bytes picture = picture_of(Surface::window);
    for (Surface panel : {Surface::panel1, Surface::panel2}) {
        set_picture(panel, picture.get());
        set_colour(panel, colour);
    }
    file.replace(kStoredBytes, caption_of(g_current));
    clock_window::set_checked(g_current, true);
    // Writing a panel's background painted it bare: the face goes over the
    // new background now rather than at the next tick, up to a second later.
    draw_face();
}

}  // namespace

UnitId current_item() {
    return g_current;
}

void set_current_item(UnitId item) {
    g_current = item;
}

void choose_colour(int index) {
    const ColourEntry& entry = kColours.at(static_cast<std::size_t>(index));
    uncheck_current();
    set_picture(Surface::window, nullptr);
    set_colour(Surface::window, entry.colour);
    g_current = entry.item;
    save_background();
}

void choose_picture(int index) {
    const UnitId item = ui::clock::pictures.at(static_cast<std::size_t>(index));
    uncheck_current();
    g_current = item;
    // A missing file removes the picture: the window's colour shows instead.
    const std::string name = caption_of(item);
    const Bytes picture = read_picture_file(picture_path(name));
    add_double_size_partner(name, picture);
    set_picture(Surface::window, picture.get());
    save_background();
}

void use_my_background() {
    settings::StoreFile file(kStoreFile);
    uncheck_current();
    g_current = ui::clock::使用;
    const Bytes picture = read_picture_file(picture_path(kMineValue));
    set_picture(Surface::window, picture.get());
    // The panels keep their colours: only the picture is the user's.
    set_picture(Surface::panel1, picture.get());
    set_picture(Surface::panel2, picture.get());
    file.replace(kStoredBytes, kMineValue);
    clock_window::set_checked(ui::clock::使用, true);
    draw_face();
}

}  // namespace vel::backgrounds
