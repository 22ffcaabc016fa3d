#include "parallelogram_scene.h"

#include "scene.h"

namespace {

float half(double value) {
    return static_cast<float>(value * 0.5);
}

} // namespace

Matrix3 inscribingMap(Parallelogram p) {
    const Point a = p.a, b = p.b, c = p.c, d = p.d;
    return {{half(double(b.x) - double(a.x)), half(double(d.x) - double(a.x)),
             half(double(a.x) + double(c.x)), //
             half(double(b.y) - double(a.y)), half(double(d.y) - double(a.y)),
             half(double(a.y) + double(c.y)), //
             0.0f, 0.0f, 1.0f}};
}

void fillParallelogramScene(const Parallelogram& p) {
    const Circle unitCircle{{0.0f, 0.0f}, 1.0f};
    traceCircleImage(unitCircle, inscribingMap(p));
    addSegment(Red, {p.a, p.b});
    addSegment(Red, {p.b, p.c});
    addSegment(Red, {p.c, p.d});
    addSegment(Red, {p.d, p.a});
}
