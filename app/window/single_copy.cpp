#include "app/window/single_copy.h"

#include <cstdint>

#include "app/clock_externals.h"
#include "library/call.h"

namespace vel {
namespace {

// "VEL时钟运行中" in GBK.
constexpr char kEventName[] = "VEL\xCA\xB1\xD6\xD3\xD4\xCB\xD0\xD0\xD6\xD0";
constexpr std::int64_t kEventAllAccess = 0x1F0003;

std::int64_t text_word(const char* text) {
    return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(text));
}

}  // namespace

bool another_copy_running() {
    ExternalRoutineTable& routines = external_routines();
    // Failing to open for any reason means no other copy.
    if (routines.call(kOpenEvent, {kEventAllAccess, 0, text_word(kEventName)}) != 0) return true;
    // No security attributes, automatic reset, not signalled; never signalled.
    routines.call(kCreateEvent, {0, 0, 0, text_word(kEventName)});
    return false;
}

}  // namespace vel
