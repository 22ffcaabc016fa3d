#include "core/shapes.h"

#include <cmath>

namespace geom {

namespace {

constexpr double twoPi = 6.283185307179586;

// A float that no optimiser may keep in double: GCC 12's SLP vectoriser at -O2 drops a plain
// cast of sin and cos results.
float roundToFloat(double value) {
    const volatile float rounded = static_cast<float>(value);
    return rounded;
}

} // namespace

float length(Point v) {
    if (fitsFloat(squaredNorm(v))) {
        return static_cast<float>(std::sqrt(double(squaredLength(v))));
    }
    // The square overflowed or lost its digits below the normal floats; the length need not.
    return static_cast<float>(std::hypot(double(v.x), double(v.y)));
}

Point pointOnCircle(Circle circle, int i, int count) {
    const float theta = static_cast<float>(double(i) * twoPi / double(count));
    const float c = roundToFloat(std::cos(double(theta)));
    const float s = roundToFloat(std::sin(double(theta)));
    return {static_cast<float>(double(c) * double(circle.radius) + double(circle.centre.x)),
            static_cast<float>(double(s) * double(circle.radius) + double(circle.centre.y))};
}

} // namespace geom
