#include "triangle_scene.h"

#include "core/constructions.h"

namespace geom {

namespace {

// Sides in the order BC, AC, AB, and the names of the vertices.
void addTriangle(Scene& scene, Point a, Point b, Point c, const char* const names[3]) {
    addSegment(scene, Colour::Red, {b, c});
    addSegment(scene, Colour::Red, {a, c});
    addSegment(scene, Colour::Red, {a, b});
    addName(scene, names[0], c, a, b);
    addName(scene, names[1], a, b, c);
    addName(scene, names[2], b, c, a);
}

} // namespace

Scene triangleScene(const TriangleMapReport& r) {
    const char* const source[] = {"A", "B", "C"};
    const char* const target[] = {"A'", "B'", "C'"};
    Scene scene;
    addTriangle(scene, r.a, r.b, r.c, source);
    const Circle circum = circumcircle(r.a, r.b, r.c);
    addCircle(scene, Colour::Blue, circum);
    addDot(scene, Colour::Blue, circum.centre);
    const Circle inscribed = incircle(r.a, r.b, r.c);
    addCircle(scene, Colour::Green, inscribed);
    addDot(scene, Colour::Green, inscribed.centre);
    addTriangle(scene, r.a2, r.b2, r.c2, target);
    traceCircleImage(scene, inscribed, r.map);
    traceCircleImage(scene, circum, r.map);
    // Last, so that no traced dot hides the images of A, B and C that the report names.
    addDot(scene, Colour::Yellow, r.imageA);
    addDot(scene, Colour::Yellow, r.imageB);
    addDot(scene, Colour::Yellow, r.imageC);
    return scene;
}

} // namespace geom
