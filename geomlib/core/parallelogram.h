// A parallelogram from three of its vertices, and the map that inscribes an ellipse in it.
#pragma once

#include "core/affine.h"

namespace geom {

// Consecutive vertices; ac and bd are the diagonals.
struct Parallelogram {
    Point a, b, c, d;
};

// The vertex opposite b: where the line through a parallel to bc meets the line through c
// parallel to ab.
Point fourthVertex(Point a, Point b, Point c);

// Takes the square with corners (+-1, +-1) onto the parallelogram: (-1, -1) to a, (1, -1) to b,
// (1, 1) to c, so the unit circle goes to the inscribed ellipse.
Matrix3 inscribingMap(Parallelogram p);

} // namespace geom
