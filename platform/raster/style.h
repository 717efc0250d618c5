#pragma once
// Pens, brushes and the drawing state that lines, ellipses and fills use.
#include <array>
#include <cstdint>

#include "platform/raster/bitmap.h"
#include "platform/raster/mix.h"

namespace plat::raster {

enum PenType : int {
    kPenNone = 0,
    kPenSolid = 1,
    kPenDash = 2,
    kPenDot = 3,
    kPenDashDot = 4,
    kPenDashDotDot = 5,
};

// Width 0 and 1 draw one pixel wide; wider pens draw solid with round ends
// and joins (dash styles apply to one-pixel pens only). Widths are clamped to
// 0 ... 32767; an unknown type draws solid.
struct Pen {
    int type = kPenSolid;
    int width = 0;
    Colour colour = 0;

    bool visible() const { return type != kPenNone; }
    int pixel_width() const { return width < 1 ? 1 : (width > 32767 ? 32767 : width); }
};

enum BrushType : int {
    kBrushHollow = 0,
    kBrushSolid = 1,
    // 2 ... 7: hatches horizontal, vertical, falling diagonal, rising
    // diagonal, cross, diagonal cross. 8 and up: the 8 x 8 pattern table.
    kBrushFirstHatch = 2,
    kBrushFirstPattern = 8,
};

struct Brush {
    int type = kBrushSolid;
    Colour colour = 0xFFFFFF;

    bool visible() const { return type != kBrushHollow; }
};

// 8 rows of 8 bits (bit 7 = left column) of a hatched or pattern brush; all
// ones for a solid brush, all zeros for a hollow one. Patterns are aligned
// to the bitmap's origin.
std::array<std::uint8_t, 8> brush_bits(const Brush& brush);
inline constexpr int kPatternCount = 8;

// Everything a drawing operation reads besides its coordinates.
struct DrawState {
    Pen pen;
    Brush brush;
    int mix = kMixCopyPen;  // 1 ... 16 (MixMode); anything else plain copy
    // Colour of the gaps of dashed pens and of the clear bits of hatched and
    // pattern brushes; kNoColour leaves them out.
    Colour background = kNoColour;
    // Antialiased edges for lines and ellipses, used only in kMixCopyPen.
    bool smooth = false;
};

}  // namespace plat::raster
