#include "platform/audio/pulse_library.h"

#include <dlfcn.h>

namespace plat {

namespace {

const PulseLibrary* load() {
    void* handle = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    static PulseLibrary library;
    bool complete = true;
#define VEL_PULSE_RESOLVE(name)                                               \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library.name;
    VEL_PULSE_FUNCTIONS(VEL_PULSE_RESOLVE)
#undef VEL_PULSE_RESOLVE
    // Kept loaded: its mainloop thread may outlive everything else.
    return complete ? &library : nullptr;
}

}  // namespace

const PulseLibrary* pulse_library() {
    static const PulseLibrary* library = load();
    return library;
}

}  // namespace plat
