#include "app/tick/chime.h"

#include <cstdio>

#include "app/clock_globals.h"
#include "app/window/clock_window.h"
#include "library/call.h"
#include "library/commands/system.h"
#include "library/sound/sound_commands.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"

namespace vel::clock {
namespace {

constexpr int kChimeSounds = 25;
constexpr int kHalfHourEntry = 25;
constexpr int kBetweenSounds = 2600;  // ms: the announcement is 2.8-3.0 s long

std::function<void(int)>& chime_wait() {
    static std::function<void(int)> wait;
    return wait;
}

void fill_chime_sounds() {
    chime_sounds.clear();
    chime_sounds.resize(kChimeSounds + 1);
    for (int k = 1; k <= kChimeSounds; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "hour%02d.wav", k);
        chime_sounds[static_cast<std::size_t>(k)].reset(make_byteset(embedded_bytes(name)));
    }
}

void play_entry(int entry) {
    if (entry < 1 || entry > kChimeSounds) return;
    call(cmd_play_sound, arg_byteset(chime_sounds[static_cast<std::size_t>(entry)].get()));
}

}  // namespace

bool chime_checked() {
    return clock_window::kWindow.window_loaded() && clock_window::checked(ui::clock::半点报时);
}

void set_chime_wait(std::function<void(int)> wait) {
    chime_wait() = std::move(wait);
}

void chime(int hour, int minute) {
    if (minute != 0 && minute != 30) return;
    fill_chime_sounds();
    play_entry(hour + 1);
    if (chime_wait())
        chime_wait()(kBetweenSounds);
    else
        call(cmd_delay, arg_int(kBetweenSounds));
    // What is left of the announcement plays on beside the half-hour sound.
    if (minute == 30) play_entry(kHalfHourEntry);
}

}  // namespace vel::clock
