#include "app/window/place.h"

#include <algorithm>
#include <climits>

#include "app/settings/settings_file.h"
#include "app/window/clock_window.h"
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "library/commands/convert_commands.h"

namespace vel {
namespace {

// Opened by one name at start-up and by the other when saving: the settings
// folder matches names without regard to case.
constexpr std::string_view kReadName = "coordinate.VEL";
constexpr std::string_view kWriteName = "coordinate.vel";
// Stored places are at most this long when written by the clock itself; the
// rewrite removes them whole (and a longer, hand-edited text as well).
constexpr std::int32_t kPlaceBytes = 10;
// X coordinates are 16-bit: anything further out lies off every screen anyway.
constexpr int kPositionLimit = 32627;

}  // namespace

Place parse_place(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    return {text_to_integer(text.substr(0, comma)), text_to_integer(text.substr(comma + 1))};
}

std::string place_text(Place place) {
    return std::to_string(place.left) + "," + std::to_string(place.top);
}

Place keep_on_screens(Place place, std::span<const ScreenArea> screens) {
    if (screens.empty()) return place;
    long long right = LLONG_MIN, bottom = LLONG_MIN;
    for (const ScreenArea& s : screens) {
        right = std::max(right, static_cast<long long>(s.left) + s.width);
        bottom = std::max(bottom, static_cast<long long>(s.top) + s.height);
    }
    if (place.left >= right) place.left = 0;
    if (place.top >= bottom) place.top = 0;
    return place;
}

void restore_place() {
    const Place p = parse_place(settings::read(kReadName));
    call(cmd_move, clock_window::kWindow.arg(),
         arg_int(std::clamp(p.left, -kPositionLimit, kPositionLimit)),
         arg_int(std::clamp(p.top, -kPositionLimit, kPositionLimit)));
}

HandlerResult on_clock_moved(std::span<const std::int32_t>) {
    namespace cw = clock_window;
    const Place now{cw::kWindow.get_int(cw::kLeft), cw::kWindow.get_int(cw::kTop)};
    const Place kept = keep_on_screens(now, screen_areas());
    // Each correction moves the window again, and that move saves the place.
    if (kept.left != now.left) cw::kWindow.set_int(cw::kLeft, kept.left);
    if (kept.top != now.top) cw::kWindow.set_int(cw::kTop, kept.top);
    settings::StoreFile(kWriteName).replace(kPlaceBytes, place_text(kept));
    return std::nullopt;
}

}  // namespace vel
