#include "library/commands/args.h"
#include "library/commands/system.h"
#include "platform/autostart.h"

namespace vel {

void cmd_set_autostart(ResultRecord* result, int count, const ArgRecord* args) {
    if (count < 2) return;
    const int method = count >= 3 && args[2].present() ? args[2].to_int() : 0;
    // Methods other than 0 and 1 behave as 0.
    const plat::AutostartMethod m =
        method == 1 ? plat::AutostartMethod::user : plat::AutostartMethod::machine;
    result->set_logical(plat::set_autostart(text_at(count, args, 0), text_at(count, args, 1), m));
}

void cmd_remove_autostart(ResultRecord* result, int count, const ArgRecord* args) {
    if (count < 1) return;
    result->set_logical(plat::remove_autostart(text_at(count, args, 0)));
}

}  // namespace vel
