#include "intersection.h"

namespace {

// Cross product of (ax, ay) and (bx, by), products in double, stored as float.
float cross(float ax, float ay, float bx, float by) {
    return static_cast<float>(double(ax) * double(by) - double(ay) * double(bx));
}

} // namespace

IntersectionKind intersectLines(Point& crossing, Line first, Line second) {
    const Point o1 = first.origin, d1 = first.direction;
    const Point o2 = second.origin, d2 = second.direction;
    const Point e = displacement(o1, o2);
    const float num = cross(e.x, e.y, d2.x, d2.y);
    const float den = cross(d1.x, d1.y, d2.x, d2.y);
    const float s1 = squaredLength(d1);
    const float s2 = squaredLength(d2);
    const double eps = parallelTolerance;

    // Squared sine of the angle between the directions above eps: the lines cross.
    if (eps * double(s1) * double(s2) < double(den) * double(den)) {
        const float t = static_cast<float>(double(num) / double(den));
        crossing.x = static_cast<float>(double(o1.x) + double(t) * double(d1.x));
        crossing.y = static_cast<float>(double(o1.y) + double(t) * double(d1.y));
        return Crossing;
    }
    // Scaled by the first direction only, so the split depends on the directions' length ratio.
    const float sE = squaredLength(e);
    if (double(num) * double(num) > eps * double(s1) * double(sE)) {
        return Parallel;
    }
    return Coincident;
}
