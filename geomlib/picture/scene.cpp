#include "picture/scene.h"

#include "core/constructions.h"
#include "picture/camera.h"

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

bool isFinite(const Scene& scene) {
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
    return all(scene.points, [](Point p) { return isFinite(p); }) &&
           all(scene.segments, finiteSegment) && all(scene.lines, finiteLine) &&
           all(scene.circles, finiteCircle) && all(scene.ellipses, finiteEllipse);
}

} // namespace

void addPoint(Scene& scene, Colour c, Point p) {
    p.colour = c;
    scene.points.push_back(p);
    widen(scene.box, p.x, p.y);
}

void addSegment(Scene& scene, Colour c, Segment g) {
    g.colour = c;
    scene.segments.push_back(g);
    widen(scene.box, g.from.x, g.from.y);
    widen(scene.box, g.to.x, g.to.y);
}

void addCircle(Scene& scene, Colour c, Circle k) {
    k.colour = c;
    scene.circles.push_back(k);
    const double r = k.radius;
    lowerTo(scene.box.low.x, offset(k.centre.x, -r));
    lowerTo(scene.box.low.y, offset(k.centre.y, -r));
    raiseTo(scene.box.high.x, offset(k.centre.x, r));
    raiseTo(scene.box.high.y, offset(k.centre.y, r));
}

void addLabel(Scene& scene, const char* name, Point previous, Point vertex, Point next) {
    scene.labels.push_back({name, vertex, outwardDirection(previous, vertex, next)});
}

void traceCircleImage(Scene& scene, Circle k, Matrix3 m) {
    addPoint(scene, Colour::Cyan, mapPoint(m, k.centre));
    for (int i = 0; i < tracedPoints; ++i) {
        addPoint(scene, Colour::Cyan,
                 mapPoint(m, outlinePoint(k.centre, k.radius, k.radius, i, tracedPoints)));
    }
}

bool canDraw(const Scene& scene) {
    return isFinite(scene) && canDraw(fitCamera(scene.box));
}

} // namespace geom
