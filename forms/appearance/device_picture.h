#pragma once
// Pictures drawn at device pixels on a high-density screen: from the
// picture's twice-size partner when it has one, else from its own pixels,
// smoothly stretched to the device box.
#include "forms/pictures/picture.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/mix.h"

namespace vel {

// Draws `picture` over the device box `to` of `dst` in `mode`.
void draw_device_picture(plat::raster::Bitmap& dst, const Picture& picture, plat::raster::Rect to,
                         plat::raster::CopyMode mode);
// The same with the pixels of `key` left out. The key is resolved before
// any filtering, as transparent_blit's smooth stretch does, so no fringe of
// the key colour shows. A picture drawn the same way again is drawn from
// what was made for it the first time.
void draw_device_keyed(plat::raster::Bitmap& dst, const Picture& picture, plat::raster::Rect to,
                       plat::raster::Colour key);

}  // namespace vel
