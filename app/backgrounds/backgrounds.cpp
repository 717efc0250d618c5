// Restoring the saved background at start-up.
#include "app/backgrounds/backgrounds.h"

#include "app/backgrounds/background_units.h"
#include "app/backgrounds/catalogue.h"
#include "app/settings/settings_file.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "resources/form_ids.h"

namespace vel {

void restore_background() {
    using namespace backgrounds;
    const std::string stored = settings::read("background.vel");
    // Every later choice then has an item to uncheck.
    set_current_item(ui::clock::使用);
    // Every stored value is non-empty and the values all differ: at most one
    // entry matches, and an empty or foreign text matches none.
    if (stored == kMineValue) {
        use_my_background();
    } else {
        for (std::size_t i = 0; i < kColours.size(); ++i)
            if (stored == caption_of(kColours[i].item)) choose_colour(static_cast<int>(i));
        for (std::size_t i = 0; i < ui::clock::pictures.size(); ++i)
            if (stored == caption_of(ui::clock::pictures[i])) choose_picture(static_cast<int>(i));
    }
    call(cmd_close_all_files);
}

}  // namespace vel
