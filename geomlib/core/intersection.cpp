#include "core/intersection.h"

#include <algorithm>
#include <iterator>

namespace geom {

namespace {

// The value as stored: in single precision, or whole where single precision cannot hold it.
double stored(double value, bool inFloat) {
    if (!inFloat) {
        return value;
    }
    const float rounded = static_cast<float>(value);
    return rounded;
}

} // namespace

IntersectionKind intersectLines(Point& crossing, Line first, Line second) {
    const Point o1 = first.origin, d1 = first.direction, d2 = second.direction;
    const Point e = displacement(o1, second.origin);
    // Each quantity is stored in single precision, unless one of them would overflow or
    // underflow there; figures that far out are then judged in double throughout.
    const double exact[] = {cross(e, d2), cross(d1, d2), squaredNorm(d1), squaredNorm(d2)};
    const bool inFloat = std::all_of(std::begin(exact), std::end(exact), fitsFloat);
    const double num = stored(exact[0], inFloat);
    const double den = stored(exact[1], inFloat);
    const double s1 = stored(exact[2], inFloat);
    const double s2 = stored(exact[3], inFloat);
    const double eps = parallelTolerance;

    // Squared sine of the angle between the directions above eps: the lines cross.
    if (eps * s1 * s2 < den * den) {
        const double t = stored(num / den, inFloat);
        crossing.x = static_cast<float>(double(o1.x) + t * double(d1.x));
        crossing.y = static_cast<float>(double(o1.y) + t * double(d1.y));
        return IntersectionKind::Crossing;
    }
    // Scaled by the first direction only, so the split depends on the directions' length ratio.
    const double sE = stored(squaredNorm(e), inFloat);
    if (num * num > eps * s1 * sE) {
        return IntersectionKind::Parallel;
    }
    return IntersectionKind::Coincident;
}

} // namespace geom
