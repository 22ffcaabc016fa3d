#include "picture/scene.h"

#include "core/constructions.h"

#include <algorithm>
#include <cmath>

namespace geom {

namespace {

constexpr int tracedPoints = 200;

// Written as "unless greater" so that a NaN takes the bound's place, as min/max would not.
void lowerTo(float& bound, float value) {
    if (!(value > bound)) {
        bound = value;
    }
}

void raiseTo(float& bound, float value) {
    if (!(bound > value)) {
        bound = value;
    }
}

void widen(BoundingBox& box, float x, float y) {
    lowerTo(box.low.x, x);
    lowerTo(box.low.y, y);
    raiseTo(box.high.x, x);
    raiseTo(box.high.y, y);
}

float offset(float coordinate, double by) {
    return static_cast<float>(double(coordinate) + by);
}

} // namespace

void addDot(Scene& scene, Colour colour, Point at) {
    scene.dots.push_back({at, colour});
    widen(scene.box, at.x, at.y);
}

void addSegment(Scene& scene, Colour colour, Segment segment) {
    scene.segments.push_back({segment, colour});
    widen(scene.box, segment.from.x, segment.from.y);
    widen(scene.box, segment.to.x, segment.to.y);
}

void addCircle(Scene& scene, Colour colour, Circle circle) {
    scene.circles.push_back({circle, colour});
    const Point c = circle.centre;
    const double r = circle.radius;
    lowerTo(scene.box.low.x, offset(c.x, -r));
    lowerTo(scene.box.low.y, offset(c.y, -r));
    raiseTo(scene.box.high.x, offset(c.x, r));
    raiseTo(scene.box.high.y, offset(c.y, r));
}

void addName(Scene& scene, const char* text, Point previous, Point vertex, Point next) {
    scene.names.push_back({text, vertex, outwardDirection(previous, vertex, next)});
}

void traceCircleImage(Scene& scene, Circle circle, Matrix3 m) {
    addDot(scene, Colour::Cyan, mapPoint(m, circle.centre));
    for (int i = 0; i < tracedPoints; ++i) {
        addDot(scene, Colour::Cyan, mapPoint(m, pointOnCircle(circle, i, tracedPoints)));
    }
}

bool isFinite(const Scene& scene) {
    const auto all = [](const auto& list, auto finite) {
        return std::all_of(list.begin(), list.end(), finite);
    };
    return all(scene.dots, [](SceneDot d) { return isFinite(d.at); }) &&
           all(scene.segments,
               [](SceneSegment s) { return isFinite(s.segment.from) && isFinite(s.segment.to); }) &&
           all(scene.circles, [](SceneCircle c) {
               return isFinite(c.circle.centre) && std::isfinite(c.circle.radius);
           });
}

} // namespace geom
