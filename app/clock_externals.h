#pragma once
// The external routines the clock declares, handed to the runtime at
// start-up, and their indexes in the runtime's table.
#include <vector>

#include "library/call.h"

namespace vel {

// The eight declarations, in index order.
std::vector<ExternalDeclaration> clock_external_declarations();

enum ExternalIndex : int {
    kFindWindow,
    kGetWindow,
    kSetParent,
    kOpenEvent,
    kCreateEvent,
    kGetWindowLong,
    kSetWindowLong,
    kSetLayered,
};

}  // namespace vel
