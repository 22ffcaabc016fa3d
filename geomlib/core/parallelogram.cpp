#include "core/parallelogram.h"

#include "core/intersection.h"

namespace geom {

namespace {

float half(double value) {
    return static_cast<float>(value * 0.5);
}

} // namespace

Point fourthVertex(Point a, Point b, Point c) {
    Point d;
    const Line throughA{a, displacement(b, c)};
    const Line throughC{c, displacement(a, b)};
    if (intersectLines(d, throughA, throughC) != IntersectionKind::Crossing) {
        // Sides within the tolerance of parallel hide the crossing; a + c - b still is D.
        d.x = static_cast<float>(double(a.x) + double(c.x) - double(b.x));
        d.y = static_cast<float>(double(a.y) + double(c.y) - double(b.y));
    }
    return d;
}

Matrix3 inscribingMap(Parallelogram p) {
    const Point a = p.a, b = p.b, c = p.c, d = p.d;
    return {{half(double(b.x) - double(a.x)), half(double(d.x) - double(a.x)),
             half(double(a.x) + double(c.x)), //
             half(double(b.y) - double(a.y)), half(double(d.y) - double(a.y)),
             half(double(a.y) + double(c.y)), //
             0.0f, 0.0f, 1.0f}};
}

} // namespace geom
