// Whether a scene holds nothing but finite numbers, judged apart from the programs' own check.
#pragma once

#include "scene.h"

#include <algorithm>
#include <cmath>

inline bool holdsOnlyFiniteValues(const Scene& s) {
    const auto finite = [](Point p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    return std::all_of(s.points.begin(), s.points.end(), finite) &&
           std::all_of(s.segments.begin(), s.segments.end(),
                       [&](Segment g) { return finite(g.from) && finite(g.to); }) &&
           std::all_of(s.circles.begin(), s.circles.end(),
                       [&](Circle c) { return finite(c.centre) && std::isfinite(c.radius); });
}
