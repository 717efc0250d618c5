#pragma once
// The create operations of the core library's unit types.
#include "forms/units/live_unit.h"

namespace vel {

std::unique_ptr<LiveUnit> create_window_unit(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_edit_box(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_draw_panel(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_label(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_button(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_combo_box(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_list_box(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_common_dialog(const UnitCreation& c);
std::unique_ptr<LiveUnit> create_timer(const UnitCreation& c);

}  // namespace vel

namespace vel {
// Runs the dialog a common-dialog unit describes; true and the path stored
// in its file name on OK, false on cancel (or for another kind of unit).
bool run_common_dialog(LiveUnit* unit);
}  // namespace vel
