// What a picture holds: the figures in their colours, the names of their vertices, and the box
// around it all, which the camera is fitted to.
#pragma once

#include "core/affine.h"
#include "picture/bounding_box.h"
#include "picture/palette.h"

#include <vector>

namespace geom {

struct SceneDot {
    Point at;
    Colour colour;
};

struct SceneSegment {
    Segment segment;
    Colour colour;
};

struct SceneCircle {
    Circle circle;
    Colour colour;
};

// A vertex's name, drawn beside it, out of its figure.
struct VertexName {
    const char* text;
    Point vertex;
    Point away; // the unit direction out of the figure
};

// Lists keep insertion order, which is the order they are drawn in. Names stand beside the
// figures, and the box holds the figures alone.
struct Scene {
    std::vector<SceneDot> dots;
    std::vector<SceneSegment> segments;
    std::vector<SceneCircle> circles;
    std::vector<VertexName> names;
    BoundingBox box;
};

// Each add stores the figure in its colour and widens the box.
void addDot(Scene& scene, Colour colour, Point at);
void addSegment(Scene& scene, Colour colour, Segment segment);
void addCircle(Scene& scene, Colour colour, Circle circle);

// Names a vertex of a convex figure, between its neighbours `previous` and `next`.
void addName(Scene& scene, const char* text, Point previous, Point vertex, Point next);

// Adds, as Cyan dots, the image of the circle's centre under m, then 200 points of the image of
// its boundary.
void traceCircleImage(Scene& scene, Circle circle, Matrix3 m);

// Whether every number the scene holds is finite.
[[nodiscard]] bool isFinite(const Scene& scene);

} // namespace geom
