// The one process-wide collection of everything the viewer draws, with its bounding box.
#pragma once

#include "affine.h"
#include "shapes.h"

#include <vector>

// Smallest and largest coordinates added so far. The starting corners are not an empty box:
// `low` starts at the window's size in pixels and `high` at the origin, and every figure is
// framed together with them.
struct BoundingBox {
    Point low{1024.0f, 700.0f};
    Point high{0.0f, 0.0f};
};

// Lists keep insertion order, which is the order they are drawn in.
struct Scene {
    std::vector<Point> points;
    std::vector<Segment> segments;
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Ellipse> ellipses;
    BoundingBox box;
};

// Filled by the programs before the viewer starts; only read afterwards.
extern Scene scene;

// Each add stores the record with the given colour and widens the box.
void addPoint(Colour c, Point p);
void addSegment(Colour c, Segment s);
void addCircle(Colour c, Circle k);

// Adds, in Cyan, the image of k's centre under m, then 200 points of the image of its boundary.
void traceCircleImage(Circle k, Matrix3 m);
