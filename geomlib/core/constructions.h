// Ruler-and-compass constructions of a triangle's circumscribed and inscribed circles.
#pragma once

#include "core/shapes.h"

namespace geom {

// The points equidistant from p and q: through their midpoint, along pq turned a quarter left.
Line perpendicularBisector(Point p, Point q);

// Through the vertex v, halving the angle pvr; the direction is not normalised.
Line angleBisector(Point p, Point v, Point r);

float distanceToLine(Point p, Line line);

// Where the bisectors of ab and bc meet, with the radius measured to a. A triangle too flat
// for the lines to cross within the tolerance gets its centre from the closed form.
Circle circumcircle(Point a, Point b, Point c);

// Where the bisectors at a and b meet, with the radius measured to side ab. A triangle too flat
// for the lines to cross within the tolerance gets the centre (la a + lb b + lc c) / (la + lb
// + lc), each vertex weighted by the length of the side opposite it.
Circle incircle(Point a, Point b, Point c);

// The unit direction out of a convex figure at `vertex`, between its neighbours `previous` and
// `next`: the bisector of the angle outside it, so that it leans towards neither side. At a
// straight angle, square to the sides, away from the segment between the neighbours.
Point outwardDirection(Point previous, Point vertex, Point next);

} // namespace geom
