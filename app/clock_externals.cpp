#include "app/clock_externals.h"

namespace vel {

std::vector<ExternalDeclaration> clock_external_declarations() {
    return {{"user32.dll", "FindWindowA"},
            {"", "GetWindow"},
            {"", "SetParent"},
            {"", "OpenEventA"},
            {"", "CreateEventA"},
            {"user32.dll", "GetWindowLongA"},
            {"", "SetWindowLongA"},
            {"", "SetLayeredWindowAttributes"}};
}

}  // namespace vel
