// The floor's picture: a line, a dot and a line loop in their colours, each pipeline Mesa compiles.
#pragma once

#include "picture/scene.h"

inline geom::Scene floorScene() {
    using namespace geom;
    Scene floor;
    addSegment(floor, Colour::Red, {{0.0f, 0.0f}, {1.0f, 1.0f}});
    addDot(floor, Colour::Cyan, {1.0f, 0.0f});
    addCircle(floor, Colour::Blue, {{0.5f, 0.5f}, 0.5f});
    return floor;
}
