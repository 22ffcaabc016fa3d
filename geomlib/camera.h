// Where the eye stands: fitted once to the scene's box, and shared by the OpenGL drawing and the
// SVG writer so that both put every point in the same place.
#pragma once

#include "scene.h"

inline constexpr int windowWidth = 1024;
inline constexpr int windowHeight = 700;
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

// Whether the viewer draws what this camera frames: its distance lies in the range where the
// picture was seen whole, about 5e-33 to 5e36 across.
bool canDraw(Camera camera);

// Where the plane point (x, y) lands in the window, in pixels from its top-left corner.
struct WindowPoint {
    double x, y;
};
WindowPoint toWindow(Camera camera, double x, double y);

// Window pixels per unit of the plane.
double pixelsPerUnit(Camera camera);
