#pragma once
// The flat control style: push buttons, check boxes, radio buttons, group
// boxes, edits, drop-down combo boxes (with their drop-down lists) and
// up-down controls drawn in one of three colour schemes. Controls created
// while a scheme is on are restyled as they appear.
namespace plat {

enum ControlScheme : int { kSchemeNone = 0, kSchemeBlue = 1, kSchemeOlive = 2, kSchemeSilver = 3 };

// 1 to 3: restyle every control of the application in that scheme and keep
// restyling new ones; true when that is in place. Any other value: give
// every restyled control its own look back; true when a scheme was on.
bool set_control_style(int style);
int control_style();
// How many controls are restyled now (tests).
int restyled_control_count();
// A digest of how every visible control of a restyled kind looks right now,
// rendered off screen (tests: equal digests mean equal pixels).
unsigned long long controls_look_digest();

}  // namespace plat
