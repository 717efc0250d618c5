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

// The corner ellipse size of the rounded shape.
int rounded_corner(int width, int height);

}  // namespace vel
