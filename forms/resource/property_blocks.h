#pragma once
// The property block that ends the entry of a window unit or control: one
// layout per unit type, each led by a version word.
#include "forms/resource/byte_cursor.h"
#include "forms/resource/form_resource.h"

namespace vel::resource_io {

// Reads the block of a unit of type `type` from the rest of its entry. A
// version above the type's maximum fails the reader; an unknown type keeps
// every remaining byte as RawProperties.
PropertyBlock read_property_block(TypeTag type, ByteReader& in);

// Writes the fields that the block's own version has.
void write_property_block(const PropertyBlock& block, ByteWriter& out);

// The empty block of the right kind for a unit type (defaults of the newest
// version); RawProperties for a type this format does not know.
PropertyBlock default_property_block(TypeTag type);

}  // namespace vel::resource_io
