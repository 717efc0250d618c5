#include "app/window/place.h"

#include <algorithm>

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
// How much of the window must lie on one monitor, each way, for a person to
// see it and drag it.
constexpr int kSeenPart = 96;

// How far a window at `pos` of `size` and a monitor at `start` of `length`
// overlap along one axis (negative when apart).
long long shared(long long pos, int size, int start, int length) {
    return std::min(pos + size, static_cast<long long>(start) + length) -
           std::max(pos, static_cast<long long>(start));
}

// One coordinate brought onto a monitor: at or beyond its far edge it goes
// to 0, then it is clamped so that the window lies on the monitor (at its
// near edge when the window is the larger).
int onto(int pos, int size, int start, int length) {
    const long long end = static_cast<long long>(start) + length;
    if (pos >= end) pos = 0;
    const long long last = std::max(static_cast<long long>(start), end - size);
    return static_cast<int>(
        std::clamp(static_cast<long long>(pos), static_cast<long long>(start), last));
}

// Moves the clock window onto the monitors when it is not seen on any; each
// correction moves the window again, and that move saves the place.
Place keep_clock_on_monitors() {
    namespace cw = clock_window;
    const Place now{cw::kWindow.get_int(cw::kLeft), cw::kWindow.get_int(cw::kTop)};
    const Place kept = keep_on_monitors(now, cw::kWindow.get_int(cw::kWidth),
                                        cw::kWindow.get_int(cw::kHeight), screen_areas());
    if (kept.left != now.left) cw::kWindow.set_int(cw::kLeft, kept.left);
    if (kept.top != now.top) cw::kWindow.set_int(cw::kTop, kept.top);
    return kept;
}

}  // namespace

Place parse_place(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    return {text_to_integer(text.substr(0, comma)), text_to_integer(text.substr(comma + 1))};
}

std::string place_text(Place place) {
    return std::to_string(place.left) + "," + std::to_string(place.top);
}

Place keep_on_monitors(Place place, int width, int height, std::span<const ScreenArea> monitors) {
    if (monitors.empty()) return place;
    const auto on = [&](const ScreenArea& m) {
        return shared(place.left, width, m.left, m.width) >= std::min(kSeenPart, width) &&
               shared(place.top, height, m.top, m.height) >= std::min(kSeenPart, height);
    };
    if (std::any_of(monitors.begin(), monitors.end(), on)) return place;
    const ScreenArea& primary = monitors.front();
    return {onto(place.left, width, primary.left, primary.width),
            onto(place.top, height, primary.top, primary.height)};
}

void restore_place() {
    const Place p = parse_place(settings::read(kReadName));
    call(cmd_move, clock_window::kWindow.arg(),
         arg_int(std::clamp(p.left, -kPositionLimit, kPositionLimit)),
         arg_int(std::clamp(p.top, -kPositionLimit, kPositionLimit)));
    [[maybe_unused]] static const bool watching = [] {
        when_screen_removed([] {
            if (clock_window::kWindow.window_loaded()) keep_clock_on_monitors();
        });
        return true;
    }();
}

HandlerResult on_clock_moved(std::span<const std::int32_t>) {
    const Place kept = keep_clock_on_monitors();
    settings::StoreFile(kWriteName).replace(kPlaceBytes, place_text(kept));
    return std::nullopt;
}

}  // namespace vel
