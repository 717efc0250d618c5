#pragma once
// The background of a window or drawing panel: a colour, an optional picture
// (kept as its bytes, decoded on first use) and the picture mode. It renders
// itself for a client size at a device pixel ratio and keeps that rendering
// until something changes, so repainting an area is a copy of rows.
//
// At a ratio above 1 a picture is drawn from its twice-size partner when it
// has one, else enlarged smoothly from its own pixels; the picture modes
// place it as at ratio 1, every client length times the ratio.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "forms/pictures/picture.h"
#include "platform/raster/bitmap.h"

namespace vel {

// 0xFF000000 stands for the system's button-face colour.
inline constexpr std::uint32_t kSystemColour = 0xFF000000u;
// The colour to fill with: the system face colour for kSystemColour.
plat::raster::Colour resolve_colour(std::uint32_t colour);

class Background {
public:
    void set_colour(std::uint32_t colour);
    // Drops the decoded picture; it is decoded again on next use.
    void set_picture(std::string bytes);
    void set_mode(int mode);

    std::uint32_t colour() const { return m_colour; }
    int mode() const { return m_mode; }
    // Whether there is a picture and it decodes (it is decoded on first use).
    bool has_picture();
    // What is kept of the decoded picture, null when there is none. Modes 0
    // and 1 show a picture from the top-left corner at its own size, so of
    // one larger than the client area only the part the last rendering
    // showed is kept (a camera's photo would hold hundreds of MB otherwise);
    // a larger client area or another mode decodes the bytes again.
    const Picture* kept_picture() const { return m_decoded ? &*m_decoded : nullptr; }

    // Paints `area` of `dst`, the device pixels of a client area at `ratio`
    // device pixels per client pixel (`area` in device pixels too). Pixels a
    // tiled picture does not reach stay as they were; all others are
    // overwritten.
    void paint(plat::raster::Bitmap& dst, plat::raster::Rect area, double ratio = 1.0);
    // The whole background of width x height device pixels showing a client
    // area at `ratio` (cached).
    const plat::raster::Bitmap& rendered(int width, int height, double ratio = 1.0);

private:
    // The picture with at least what a width x height client area shows.
    const Picture* picture_for(int width, int height);
    void keep_shown_part(int width, int height);
    void render(plat::raster::Bitmap& out, double ratio);

    std::uint32_t m_colour = kSystemColour;
    int m_mode = 0;
    std::string m_bytes;
    std::optional<Picture> m_decoded;
    bool m_tried = false;
    int m_decoded_width = 0;  // the decoded picture's size before any cut
    int m_decoded_height = 0;
    // The twice-size partner of the decoded picture, looked up at the first
    // rendering above ratio 1.
    std::shared_ptr<const plat::raster::Bitmap> m_double;
    bool m_double_tried = false;
    plat::raster::Bitmap m_rendered;
    double m_rendered_ratio = 1.0;
    bool m_rendered_valid = false;
};

}  // namespace vel
