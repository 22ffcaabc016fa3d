#include "triangle_scene.h"

#include "core/constructions.h"

namespace geom {

namespace {

// Sides in the order BC, AC, AB.
void addTriangle(Scene& scene, Point a, Point b, Point c) {
    addSegment(scene, Colour::Red, {b, c});
    addSegment(scene, Colour::Red, {a, c});
    addSegment(scene, Colour::Red, {a, b});
}

} // namespace

void fillTriangleScene(Scene& scene, const TriangleMapReport& r) {
    addTriangle(scene, r.a, r.b, r.c);
    addPoint(scene, Colour::Yellow, r.imageA);
    addPoint(scene, Colour::Yellow, r.imageB);
    addPoint(scene, Colour::Yellow, r.imageC);
    const Circle circum = circumcircle(r.a, r.b, r.c);
    addCircle(scene, Colour::Blue, circum);
    addPoint(scene, Colour::Blue, circum.centre);
    const Circle inscribed = incircle(r.a, r.b, r.c);
    addCircle(scene, Colour::Green, inscribed);
    addPoint(scene, Colour::Green, inscribed.centre);
    addTriangle(scene, r.a2, r.b2, r.c2);
    traceCircleImage(scene, inscribed, r.map);
    traceCircleImage(scene, circum, r.map);
}

} // namespace geom
