// The timer's tick: the face, then the chime, then the alarms, all from one
// reading of the clock.
#include <chrono>

#include "app/alarms/alarm_check.h"
#include "app/face/face_draw.h"
#include "app/handlers/handler_table.h"
#include "app/tick/chime.h"
#include "app/tick/due_minutes.h"
#include "app/tick/tick.h"

namespace vel {
namespace {

clock::DueMinutes& due_minutes() {
    static clock::DueMinutes due;
    return due;
}

std::int64_t steady_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void clock::start_tick(const CivilTime& at) {
    due_minutes().start(clock::wall_ms(at));
}

void clock::reset_tick() {
    due_minutes().reset();
}

HandlerResult on_clock_tick(std::span<const std::int32_t>) {
    const CivilTime now = current_civil_time();
    draw_face(now);
    // Taken before anything plays or prompts: a tick nested in the chime's
    // wait or in a prompt starts from here.
    const std::vector<clock::WallMs> due = due_minutes().advance(clock::wall_ms(now), steady_ms());
    if (!due.empty() && clock::chime_checked())
        for (const clock::WallMs at : due)
            clock::chime(clock::wall_hour(at), clock::wall_minute(at));
    clock::check_alarms(due);
    return std::nullopt;
}

}  // namespace vel
