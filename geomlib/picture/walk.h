// The one walk over a scene's contents for drawing: it owns the draw order, the dot size and the
// colours, and asks a painter for a few primitives, as Box2D's debug draw does. OpenGL paints
// them for the window and the PNG, SVG elements for the vector picture.
#pragma once

#include "picture/palette.h"
#include "picture/scene.h"

namespace geom {

// Positions are in the plane, sizes in window pixels, colours resolved from the palette.
struct Painter {
    void (*segment)(Point from, Point to, Rgb colour, void* context);
    // A square dot, `pixels` wide, centred on `at`.
    void (*dot)(Point at, float pixels, Rgb colour, void* context);
    // The outline of an axis-aligned ellipse, a circle where the radii are equal.
    void (*outline)(Point centre, float radiusX, float radiusY, Rgb colour, void* context);
    void* context;
};

// Paints the scene in the window's order: circles, lines, segments with a dot on each end, point
// dots, then ellipses, each later one over the earlier. A colour outside the palette keeps the one
// in force, as OpenGL's current colour does; every walk starts from OpenGL's first, white.
void paintScene(const Scene& scene, const Painter& painter);

} // namespace geom
