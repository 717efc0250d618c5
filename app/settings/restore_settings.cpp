// Start-up: the stored choices are applied again, each by comparing the
// whole content of its file with the value its item stores.
#include <cstdio>

#include "app/settings/settings_file.h"
#include "app/settings/toggles.h"
#include "forms/appearance/tray_command.h"

namespace vel {

void restore_settings() {
    namespace cw = clock_window;
    for (const settings::StoredSetting& row : settings::kStoredSettings) {
        if (!settings::holds(row.file, row.on)) continue;
        // With no tray to show the icon whose menu turns it off, this
        // setting would lock the user out.
        if (row.tray_only && !tray_available()) {
            std::fprintf(stderr,
                         "No tray to show the clock's icon: the stored click-through (%.*s) "
                         "is not applied, as nothing could turn it off.\n",
                         static_cast<int>(row.file.size()), row.file.data());
        } else if (row.apply == nullptr) {
            // The chime reads the check mark; with no shape matching, the
            // window keeps its form's shape.
            cw::set_checked(row.item, true);
            if (row.shape != settings::kNoShape) cw::kWindow.set_int(cw::kShape, row.shape);
        } else {
            // From unchecked the setting takes its turning-on branch.
            cw::set_checked(row.item, false);
            settings::choose(row);
        }
    }
}

}  // namespace vel
