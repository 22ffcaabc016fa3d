// The one walk over a picture for drawing: it owns the draw order, the dot size, the colours and
// where the names stand, and asks a painter for a few primitives, as Box2D's debug draw does.
// OpenGL paints them for the window and the PNG, SVG elements for the vector picture.
#pragma once

#include "picture/picture.h"

namespace geom {

// Sizes are in window pixels. Like a debug draw's flags, drawNames says whether the walk names
// the vertices at all.
struct Painter {
    void (*segment)(DoublePoint from, DoublePoint to, Rgb colour, const void* context);
    // A square dot, `pixels` wide, centred on `at`.
    void (*dot)(DoublePoint at, float pixels, Rgb colour, const void* context);
    void (*circle)(Circle circle, Rgb colour, const void* context);
    // A name as text centred on `at`, its capitals `pixels` tall. Where a painter has none, the
    // walk draws the name's letters as segments.
    void (*text)(DoublePoint at, float pixels, const char* name, Rgb colour, const void* context);
    const void* context; // read by the painter; what it writes to, it reaches through this
};

// Paints the picture in the window's order: circles, segments with a dot on each end, dots, then,
// where the picture asks for them, the names of the vertices; each later one over the earlier.
void paintPicture(const Picture& picture, const Painter& painter);

} // namespace geom
