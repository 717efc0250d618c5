#pragma once
// The property names a description may set on each unit type, mapped onto
// the fields of the type's property block.
#include <string_view>

#include "forms/resource/form_resource.h"
#include "tools/formc/values.h"

namespace formc {

// Sets `key` on `block` (of whichever type it holds). False with cx.error set
// when the type has no such property or the value does not fit.
bool set_property_key(vel::PropertyBlock& block, std::string_view key, Args args, ValueContext& cx);

}  // namespace formc
