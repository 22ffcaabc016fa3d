#include "parallelogram_scene.h"

namespace geom {

Scene parallelogramScene(const Parallelogram& p) {
    const Circle unitCircle{{0.0f, 0.0f}, 1.0f};
    Scene scene;
    traceCircleImage(scene, unitCircle, inscribingMap(p));
    addSegment(scene, Colour::Red, {p.a, p.b});
    addSegment(scene, Colour::Red, {p.b, p.c});
    addSegment(scene, Colour::Red, {p.c, p.d});
    addSegment(scene, Colour::Red, {p.d, p.a});
    addName(scene, "A", p.d, p.a, p.b);
    addName(scene, "B", p.a, p.b, p.c);
    addName(scene, "C", p.b, p.c, p.d);
    addName(scene, "D", p.c, p.d, p.a);
    return scene;
}

} // namespace geom
