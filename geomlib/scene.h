// The one process-wide collection of everything the viewer draws, with its bounding box.
#pragma once

#include "affine.h"
#include "shapes.h"

#include <limits>
#include <vector>

// Smallest and largest coordinates added so far. It starts inside out, so that the first add
// sets both corners and later ones widen them.
struct BoundingBox {
    static constexpr float infinity = std::numeric_limits<float>::infinity();
    Point low{infinity, infinity};
    Point high{-infinity, -infinity};
};

// Nothing has been added yet.
inline bool isEmpty(BoundingBox box) {
    return box.low.x > box.high.x;
}

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

// Every coordinate and radius it holds is a finite number.
bool isFinite(const Scene& s);

// Each add stores the record with the given colour and widens the box.
void addPoint(Colour c, Point p);
void addSegment(Colour c, Segment s);
void addCircle(Colour c, Circle k);

// Adds, in Cyan, the image of k's centre under m, then 200 points of the image of its boundary.
void traceCircleImage(Circle k, Matrix3 m);
