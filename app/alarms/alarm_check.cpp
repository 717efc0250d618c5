#include "app/alarms/alarm_check.h"

#include <string>

#include "app/alarms/alarm_file.h"
#include "app/alarms/alarm_line.h"
#include "app/common/message.h"
#include "library/call.h"
#include "library/commands/convert_commands.h"
#include "library/commands/file_commands.h"
#include "library/sound/sound_commands.h"

namespace vel::clock {
namespace {

constexpr char kPromptCaption[] = "\xC4\xD6\xC1\xE5\xCC\xE1\xCA\xBE";  // 闹铃提示

void ring(const alarms::AlarmLine& alarm) {
    if (const unsigned char* sound = alarms::ring_sound(alarms::ring_index(alarm.ring)))
        call(cmd_play_sound, arg_byteset(sound));
    show_message(alarm.name, kPromptCaption);
    call(cmd_stop_sound);
}

// Rings every line of each due minute start, from the file as it is now.
void ring_due(std::span<const WallMs> due) {
    // Owned here: ticks nested in a prompt below read the file for themselves.
    const std::string text = alarms::read_alarm_file().text;
    const std::vector<std::string_view> lines = alarms::split_lines(text);
    for (const WallMs at : due) {
        const int hour = wall_hour(at);
        const int minute = wall_minute(at);
        for (const std::string_view line : lines) {
            const alarms::AlarmLine alarm = alarms::parse_alarm_line(line);
            if (alarm.is_alarm() && text_to_integer(alarm.hour) == hour &&
                text_to_integer(alarm.minute) == minute)
                ring(alarm);
        }
    }
}

}  // namespace

void check_alarms(std::span<const WallMs> due) {
    // Only a minute start can ring, so only then is the file worth reading;
    // it is read afresh at each one, so an alarm added a moment ago rings.
    if (!due.empty()) ring_due(due);
    call(cmd_close_all_files);
}

}  // namespace vel::clock
