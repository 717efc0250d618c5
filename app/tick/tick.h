#pragma once
// The tick (handler on_clock_tick, app/handlers/handler_table.h) keeps the
// reading of its previous run to know which minute starts are due.
namespace vel::clock {

// The next tick counts as the first after start (tests, a fresh start).
void reset_tick();

}  // namespace vel::clock
