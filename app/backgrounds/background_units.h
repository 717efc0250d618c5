#pragma once
// The properties the background routines read and write: the clock window's
// and the two panels' background colour and picture, menu items' captions,
// and the paths of the picture folder and background.vel.
#include <cstdint>
#include <string>

#include "forms/resource/form_resource.h"
#include "library/blocks.h"

namespace vel::backgrounds {

// The clock window (the master copy) or one of its drawing panels.
enum class Surface { window, panel1, panel2 };

// The picture bytes, as a byte set owned by the caller (null when none).
Bytes picture_of(Surface surface);
void set_picture(Surface surface, const std::uint8_t* byteset);
std::uint32_t colour_of(Surface surface);
void set_colour(Surface surface, std::uint32_t colour);

std::string caption_of(UnitId item);  // a menu item's

// "<run directory>\image\<name>.jpg".
std::string picture_path(std::string_view name);
// The whole file as a byte set; null when it is missing, empty or unreadable.
Bytes read_picture_file(const std::string& path);
// Gives the supplied picture `name`, whose bytes are `picture`, its partner
// drawn at twice the size, "<run directory>\image\<name>@2x.jpg", for
// high-density screens. The partner is read only when a drawing asks for
// it, and only while image\<name>.jpg is still the file the clock shipped.
void add_double_size_partner(std::string_view name, const Bytes& picture);

}  // namespace vel::backgrounds
