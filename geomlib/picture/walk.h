// The one walk over a scene's contents for drawing: it owns the draw order, the dot size, the
// colours and where the names stand, and asks a painter for a few primitives, as Box2D's debug
// draw does. OpenGL paints them for the window and the PNG, SVG elements for the vector picture.
#pragma once

#include "picture/camera.h"
#include "picture/palette.h"
#include "picture/scene.h"

namespace geom {

// A place in the plane, in double: a name stands a few pixels off its vertex, nearer than a float
// far from the origin can tell apart.
struct Place {
    double x, y;
};

// Sizes are in window pixels, colours resolved from the palette.
struct Painter {
    void (*segment)(Place from, Place to, Rgb colour, void* context);
    // A square dot, `pixels` wide, centred on `at`.
    void (*dot)(Place at, float pixels, Rgb colour, void* context);
    // The outline of an axis-aligned ellipse, a circle where the radii are equal.
    void (*outline)(Point centre, float radiusX, float radiusY, Rgb colour, void* context);
    // A name as text centred on `at`, its capitals `pixels` tall. Where a painter has none, the
    // walk draws the name's letters as segments.
    void (*text)(Place at, float pixels, const char* name, Rgb colour, void* context);
    void* context;
};

// Paints the scene through the camera in the window's order: circles, lines, segments with a dot
// on each end, point dots, ellipses, then the names of the vertices, each later one over the
// earlier. A colour outside the palette keeps the one in force, as OpenGL's current colour does;
// every walk starts from OpenGL's first, white.
void paintScene(const Scene& scene, Camera camera, const Painter& painter);

} // namespace geom
