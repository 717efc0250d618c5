#pragma once
// The clock's handler names (resources/forms/handlers.def) as an index
// enumeration and a name table. A HandlerRef in the compiled form resource is
// an index into these (tools/formc looks the names up here); the handler
// table handed to the runtime at start-up is filled in the same order.
#include <array>
#include <string_view>

namespace vel {

enum class HandlerIndex : int {
#define VEL_HANDLER(name) name,
#include "resources/forms/handlers.def"
#undef VEL_HANDLER
    count
};

inline constexpr int kHandlerCount = static_cast<int>(HandlerIndex::count);

inline constexpr std::array<std::string_view, kHandlerCount> kHandlerNames = {
#define VEL_HANDLER(name) #name,
#include "resources/forms/handlers.def"
#undef VEL_HANDLER
};

// The index of a handler name; -1 when the list has no such name.
constexpr int handler_index(std::string_view name) {
    for (int i = 0; i < kHandlerCount; ++i)
        if (kHandlerNames[static_cast<std::size_t>(i)] == name) return i;
    return -1;
}

}  // namespace vel
