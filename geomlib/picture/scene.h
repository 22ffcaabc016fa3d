// The store of everything a picture shows, with the box around it.
#pragma once

#include "core/affine.h"
#include "picture/bounding_box.h"

#include <vector>

namespace geom {

// A vertex's name, drawn beside it, out of its figure.
struct Label {
    const char* name;
    Point vertex;
    Point away; // the unit direction out of the figure
};

// Lists keep insertion order, which is the order they are drawn in. Labels stand beside the
// picture's figures, and the camera is fitted to the figures alone.
struct Scene {
    std::vector<Point> points;
    std::vector<Segment> segments;
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Ellipse> ellipses;
    std::vector<Label> labels;
    BoundingBox box;
};

// Each add stores the record with the given colour and widens the box.
void addPoint(Scene& scene, Colour c, Point p);
void addSegment(Scene& scene, Colour c, Segment g);
void addCircle(Scene& scene, Colour c, Circle k);

// Names a vertex of a convex figure, between its neighbours `previous` and `next`.
void addLabel(Scene& scene, const char* name, Point previous, Point vertex, Point next);

// Adds, in Cyan, the image of k's centre under m, then 200 points of the image of its boundary.
void traceCircleImage(Scene& scene, Circle k, Matrix3 m);

// Whether the painters can draw the scene: it holds only finite numbers, and the camera fitted
// to its box frames it at a distance where they draw it whole.
[[nodiscard]] bool canDraw(const Scene& scene);

} // namespace geom
