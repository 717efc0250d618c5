#include "app/clock_globals.h"

namespace vel::clock {

void release_globals() {
    std::vector<Bytes>().swap(chime_sounds);
    std::string().swap(typed_name);
    std::string().swap(ring_text);
    std::string().swap(selected_alarm_text);
}

}  // namespace vel::clock
