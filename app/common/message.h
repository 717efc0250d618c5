#pragma once
// How the clock shows a message: its windows leave the top-most band while
// the box is open, so the box is never hidden behind them, and return to it
// afterwards (the clock window as "置于顶层" says, the alarm editor always).
#include <functional>
#include <string_view>

namespace vel::clock {

// Shows `text` (GBK) captioned `caption` with the box style `flags` (0: an
// OK button only) and waits for the answer; gives the button code of the
// message box command (OK 0, Cancel 1, ... No 6). `before_restore`, when
// given, runs after the answer and before the windows return on top.
int show_message(std::string_view text, std::string_view caption, int flags = 0,
                 const std::function<void()>& before_restore = {});

}  // namespace vel::clock
