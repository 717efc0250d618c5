#pragma once
// Lines, ellipses and rectangle fills on a Bitmap, clipped to it. Coordinates
// are pixel positions; pixel (x, y) covers the square [x, x+1) x [y, y+1).
//
// Every pixel of a shape is changed exactly once, so exclusive-or and the
// other mix modes give clean results even where a shape overlaps itself.
#include "platform/raster/bitmap.h"
#include "platform/raster/style.h"

namespace plat::raster {

// A line with the state's pen from (x1, y1) towards (x2, y2).
// A one-pixel pen draws every pixel of the path except (x2, y2) itself, so
// lines joined end to start draw each pixel once; a zero-length line draws
// nothing. A wider pen of width w draws every pixel whose centre lies within
// w / 2 of the segment (round ends), centred on the pixel for odd widths and
// on the pixel's top-left corner for even ones. With `smooth` and plain copy
// the edges of wide lines are antialiased; one-pixel lines never are.
void draw_line(Bitmap& bm, const DrawState& state, int x1, int y1, int x2, int y2);

// The ellipse inscribed in the rectangle of corners (x1, y1) and (x2, y2),
// put in order first. The box covers pixels left ... right - 1 and
// top ... bottom - 1: a one-pixel pen touches all four of those edges; a
// wider pen is centred on that path. The inside is filled with the brush,
// then the outline drawn with the pen (a none pen: the brush fills the whole
// path). An empty box (equal x or equal y) draws nothing.
void draw_ellipse(Bitmap& bm, const DrawState& state, int x1, int y1, int x2, int y2);

// Fills a rectangle with a plain colour (plain copy).
void fill_rect(Bitmap& bm, Rect r, Colour colour);
// Fills a rectangle with the state's brush and mix mode.
void fill_rect(Bitmap& bm, Rect r, const DrawState& state);

}  // namespace plat::raster
