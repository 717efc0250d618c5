// The form resource reader on arbitrary bytes: an error result or a resource,
// never a crash. What it reads must also lay out and read back the same.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/resource/form_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vel::FormReadResult r = vel::read_form_resource(std::span(data, size));
    if (!r.ok()) return 0;
    vel::ResourceBytes again = vel::write_form_resource(*r.resource);
    vel::FormReadResult back = vel::read_form_resource(again);
    if (!back.ok() || !(*back.resource == *r.resource)) std::abort();
    return 0;
}
