#pragma once
// A message box as the clock shows every message: OK only, task-modal and
// without owner. The clock window leaves the top-most band while the box is
// open, so that the box is not hidden behind it, and returns to it afterwards
// when "置于顶层" is checked.
namespace vel {

void show_message(const char* text, const char* caption);

}  // namespace vel
