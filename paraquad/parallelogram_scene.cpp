#include "parallelogram_scene.h"

namespace geom {

void fillParallelogramScene(Scene& scene, const Parallelogram& p) {
    const Circle unitCircle{{0.0f, 0.0f}, 1.0f};
    traceCircleImage(scene, unitCircle, inscribingMap(p));
    addSegment(scene, Colour::Red, {p.a, p.b});
    addSegment(scene, Colour::Red, {p.b, p.c});
    addSegment(scene, Colour::Red, {p.c, p.d});
    addSegment(scene, Colour::Red, {p.d, p.a});
    addLabel(scene, "A", p.d, p.a, p.b);
    addLabel(scene, "B", p.a, p.b, p.c);
    addLabel(scene, "C", p.b, p.c, p.d);
    addLabel(scene, "D", p.c, p.d, p.a);
}

} // namespace geom
