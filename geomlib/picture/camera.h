// Where the eye stands: fitted once a run to the box around the picture, and shared by the
// painters so that each puts every point in the same place.
#pragma once

#include "picture/bounding_box.h"

namespace geom {

inline constexpr double fieldOfViewY = 45.0; // degrees

// The eye sits at (centreX, centreY, distance) and looks down -z. The centre stays in double: a
// small figure far from the origin has a centre that no float can hold.
struct Camera {
    double centreX;
    double centreY;
    float distance;
};

// Centred on the box, at twice its larger extent.
Camera fitCamera(BoundingBox box);

// Whether the painters draw what this camera frames: its distance lies in the range where the
// picture was seen whole, about 5e-33 to 5e36 across.
[[nodiscard]] bool canDraw(Camera camera);

// A point of the plane in double: a name stands a few pixels off its vertex, nearer than a float
// far from the origin can tell apart.
struct DoublePoint {
    double x, y;
};

// A point of the window, in pixels from its top-left corner, y down.
struct PixelPoint {
    double x, y;
};

// Where the plane point (x, y) lands in the window.
PixelPoint toWindow(Camera camera, double x, double y);

// The plane point that lands on this point of the window.
DoublePoint fromWindow(Camera camera, PixelPoint p);

// Window pixels per unit of the plane.
double pixelsPerUnit(Camera camera);

} // namespace geom
