#pragma once
// The window shapes as rows of rectangles: 0 the full rectangle (no region),
// 1 an ellipse filling the window, 2 a rectangle with rounded corners whose
// corner ellipse is c x c, c = min(w / 5, h / 5).
#include <vector>

#include "platform/window_system.h"

namespace vel {

enum WindowShape : int { kShapeRectangle = 0, kShapeEllipse = 1, kShapeRounded = 2 };

// The region of a shape for a w x h window, as horizontal bands (rows with
// equal spans are merged). Empty for shape 0, for shapes this program does
// not use (3 and above) and for an empty window.
std::vector<plat::Rect> shape_region(int shape, int width, int height);
// The same with the rounded shape's corner ellipse `corner` x `corner`
// (a window's device pixels take the client corner times the ratio).
std::vector<plat::Rect> shape_region(int shape, int width, int height, int corner);
// The region of a shape for a client_w x client_h window at `ratio` device
// pixels per client pixel, in device pixels: cut at the device size, with
// the client size's corner scaled by the ratio and rounded.
std::vector<plat::Rect> device_shape_region(int shape, int client_w, int client_h, double ratio);

// The corner ellipse size of the rounded shape.
int rounded_corner(int width, int height);

}  // namespace vel
