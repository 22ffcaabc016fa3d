// Where two infinite lines meet, with a tolerance relative to the figure's scale.
#pragma once

#include "core/shapes.h"

#include <cstdint>

namespace geom {

enum class IntersectionKind : std::uint8_t {
    Parallel,   // distinct parallel lines
    Crossing,   // one common point
    Coincident, // the same line
};

// Bounds the squared sine of the angle below which two directions count as parallel.
inline constexpr float parallelTolerance = 0.00001f;

// On Crossing writes x and y of `crossing` (measured along `first`); otherwise leaves it as it
// was, so callers that preset (0, 0) get (0, 0) back.
[[nodiscard]] IntersectionKind intersectLines(Point& crossing, Line first, Line second);

} // namespace geom
