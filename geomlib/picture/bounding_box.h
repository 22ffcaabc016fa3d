// The box around everything a scene holds, which the camera is fitted to.
#pragma once

#include "core/shapes.h"

#include <limits>

namespace geom {

// Smallest and largest coordinates added so far. It starts inside out, so that the first add
// sets both corners and later ones widen them.
struct BoundingBox {
    static constexpr float infinity = std::numeric_limits<float>::infinity();
    Point low{infinity, infinity};
    Point high{-infinity, -infinity};
};

// Nothing has been added yet.
inline bool isEmpty(BoundingBox box) {
    return box.low.x > box.high.x;
}

} // namespace geom
