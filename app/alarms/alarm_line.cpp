#include "app/alarms/alarm_line.h"

#include <cstdio>

#include "library/commands/convert_commands.h"
#include "library/commands/gbk_search.h"
#include "resources/embedded.h"

namespace vel::alarms {

int ring_index(std::string_view ring) {
    for (std::size_t i = 0; i < kRingNames.size(); ++i)
        if (kRingNames[i] == ring) return static_cast<int>(i);
    return -1;
}

const unsigned char* ring_sound(int index) {
    if (index < 0 || index >= static_cast<int>(kRingNames.size())) return nullptr;
    char name[16];
    std::snprintf(name, sizeof name, "ring%02d.wav", index + 1);
    return embedded_byteset(name);
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        // A byte search: CR and LF are never the second byte of a character,
        // so no character is cut, and a stray lead byte before a line end
        // stays on its own line instead of swallowing the CR.
        const std::size_t end = text.find(kLineEnd, start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kLineEnd.size();
    }
    return lines;
}

std::optional<AlarmLine> parse_alarm_line(std::string_view line) {
    constexpr auto npos = std::string_view::npos;
    if (line.empty()) return std::nullopt;
    const std::size_t p1 = find_on_boundary(line, 0, kFullWidthColon);
    const std::size_t p2 = find_on_boundary(line, 0, ":");
    const std::size_t p3 = find_on_boundary(line, 0, "/");
    if (p1 == npos || p2 == npos || p3 == npos || p2 < p1 || p3 < p2) return std::nullopt;
    AlarmLine a;
    a.name = line.substr(0, p1);
    a.hour = text_to_integer(line.substr(p1 + kFullWidthColon.size(), p2 - p1 - 2));
    a.minute = text_to_integer(line.substr(p2 + 1, p3 - p2 - 1));
    a.ring = line.substr(p3 + 1);
    return a;
}

std::string format_alarm_line(std::string_view name, int hour, int minute, std::string_view ring) {
    std::string line(name);
    line += kFullWidthColon;
    line += std::to_string(hour);
    line += ':';
    line += std::to_string(minute);
    line += '/';
    line += ring;
    return line;
}

}  // namespace vel::alarms
