#include "triangle_scene.h"

#include "constructions.h"
#include "scene.h"

namespace {

// Sides in the order BC, AC, AB.
void addTriangle(Point a, Point b, Point c) {
    addSegment(Red, {b, c});
    addSegment(Red, {a, c});
    addSegment(Red, {a, b});
}

} // namespace

void fillTriangleScene(const TriangleMapReport& r) {
    addTriangle(r.a, r.b, r.c);
    addPoint(Yellow, r.imageA);
    addPoint(Yellow, r.imageB);
    addPoint(Yellow, r.imageC);
    const Circle circum = circumcircle(r.a, r.b, r.c);
    addCircle(Blue, circum);
    addPoint(Blue, circum.centre);
    const Circle inscribed = incircle(r.a, r.b, r.c);
    addCircle(Green, inscribed);
    addPoint(Green, inscribed.centre);
    addTriangle(r.a2, r.b2, r.c2);
    traceCircleImage(inscribed, r.map);
    traceCircleImage(circum, r.map);
}
