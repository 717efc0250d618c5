// Choosing a stored setting from the menu, and start at logon.
#include "app/settings/toggles.h"

#include <string>

#include "app/settings/settings_file.h"
#include "library/call.h"
#include "library/commands/run_directory.h"
#include "library/commands/system.h"

namespace vel::settings {
namespace {

namespace cw = clock_window;

constexpr int kRegistryMethod = 0;  // machine-wide, falling back to the user's own entry
// Deleted before a shape is written: the longest shape caption.
constexpr std::int32_t kOutlineBytes = 8;

}  // namespace

void choose(const StoredSetting& row) {
    StoreFile file(row.file);
    if (row.shape != kNoShape) {
        cw::kWindow.set_int(cw::kShape, row.shape);
        file.replace(kOutlineBytes, row.on);
        for (const StoredSetting& other : kStoredSettings)
            if (other.shape != kNoShape) cw::set_checked(other.item, other.item == row.item);
        return;
    }
    const bool on = !cw::checked(row.item);
    if (row.apply != nullptr && !row.apply(on)) return;
    cw::set_checked(row.item, on);
    if (on)
        file.set(row.on);
    else
        file.clear();
}

bool apply_autostart(bool on) {
    const std::string& name = executable_file_name();
    if (!on) {
        call(cmd_remove_autostart, arg_text(name.c_str()));
        return true;
    }
    const std::string program = run_directory() + "\\" + name;
    // Neither the machine-wide nor the user's entry could be written: the
    // clock will not start at logon, so the item must not say it will.
    // start.vel keeps what it held, for the next start to try again.
    return call(cmd_set_autostart, arg_text(name.c_str()), arg_text(program.c_str()),
                arg_int(kRegistryMethod))
        .as_logical();
}

}  // namespace vel::settings
