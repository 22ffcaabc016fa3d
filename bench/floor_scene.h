// The floor's picture: a red segment, a cyan dot and a blue circle. Drawing lines, dots and a line
// loop, each in a colour set for it, makes Mesa compile every pipeline the programs' pictures use.
#pragma once

#include "scene.h"

inline void addFloorFigures() {
    addSegment(Red, {{0.0f, 0.0f}, {1.0f, 1.0f}});
    addPoint(Cyan, {1.0f, 0.0f});
    addCircle(Blue, {{0.5f, 0.5f}, 0.5f});
}
