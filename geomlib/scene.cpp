#include "scene.h"

#include <algorithm>
#include <cmath>

Scene scene;

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

void widen(float x, float y) {
    lowerTo(scene.box.low.x, x);
    lowerTo(scene.box.low.y, y);
    raiseTo(scene.box.high.x, x);
    raiseTo(scene.box.high.y, y);
}

float offset(float coordinate, double by) {
    return static_cast<float>(double(coordinate) + by);
}

} // namespace

bool isFinite(const Scene& s) {
    const auto finiteSegment = [](Segment g) { return isFinite(g.from) && isFinite(g.to); };
    const auto finiteLine = [](Line l) { return isFinite(l.origin) && isFinite(l.direction); };
    const auto finiteCircle = [](Circle k) {
        return isFinite(k.centre) && std::isfinite(k.radius);
    };
    const auto finiteEllipse = [](Ellipse e) {
        return isFinite(e.centre) && std::isfinite(e.radiusX) && std::isfinite(e.radiusY);
    };
    const auto all = [](const auto& list, auto finite) {
        return std::all_of(list.begin(), list.end(), finite);
    };
    return all(s.points, [](Point p) { return isFinite(p); }) && all(s.segments, finiteSegment) &&
           all(s.lines, finiteLine) && all(s.circles, finiteCircle) &&
           all(s.ellipses, finiteEllipse);
}

void addPoint(Colour c, Point p) {
    p.colour = c;
    scene.points.push_back(p);
    widen(p.x, p.y);
}

void addSegment(Colour c, Segment s) {
    s.colour = c;
    scene.segments.push_back(s);
    widen(s.from.x, s.from.y);
    widen(s.to.x, s.to.y);
}

void addCircle(Colour c, Circle k) {
    k.colour = c;
    scene.circles.push_back(k);
    const double r = k.radius;
    lowerTo(scene.box.low.x, offset(k.centre.x, -r));
    lowerTo(scene.box.low.y, offset(k.centre.y, -r));
    raiseTo(scene.box.high.x, offset(k.centre.x, r));
    raiseTo(scene.box.high.y, offset(k.centre.y, r));
}

void traceCircleImage(Circle k, Matrix3 m) {
    addPoint(Cyan, mapPoint(m, k.centre));
    for (int i = 0; i < tracedPoints; ++i) {
        addPoint(Cyan, mapPoint(m, outlinePoint(k.centre, k.radius, k.radius, i, tracedPoints)));
    }
}
