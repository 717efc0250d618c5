#pragma once
// The tick (handler on_clock_tick, app/handlers/handler_table.h) keeps the
// reading of its previous run to know which minute starts are due.
#include "library/datetime/date_time.h"

namespace vel::clock {

// The clock started at `at`: its first tick, a second later, still serves
// the minute start of the second it started in.
void start_tick(const CivilTime& at);
// The next tick counts as the first after start (tests, a fresh start).
void reset_tick();

}  // namespace vel::clock
