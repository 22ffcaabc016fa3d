// The floor's picture: a red segment, a cyan dot and a blue circle, for Mesa to compile every
// pipeline the programs' pictures use (lines, dots and a line loop, each in a colour set for it).
#pragma once

#include "picture/scene.h"

inline geom::Scene floorScene() {
    using namespace geom;
    Scene floor;
    addSegment(floor, Colour::Red, {{0.0f, 0.0f}, {1.0f, 1.0f}});
    addPoint(floor, Colour::Cyan, {1.0f, 0.0f});
    addCircle(floor, Colour::Blue, {{0.5f, 0.5f}, 0.5f});
    return floor;
}
