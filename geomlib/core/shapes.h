// The plane's value types and the vector arithmetic they share.
#pragma once

#include <cmath>

namespace geom {

// A place in the plane, or a vector between two.
struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

// The infinite line through origin along direction (any non-zero length).
struct Line {
    Point origin;
    Point direction;
};

struct Segment {
    Point from;
    Point to;
};

struct Circle {
    Point centre;
    float radius = 0.0f;
};

// The vector from `from` to `to`, each coordinate rounded to single precision.
inline Point displacement(Point from, Point to) {
    return {static_cast<float>(double(to.x) - double(from.x)),
            static_cast<float>(double(to.y) - double(from.y))};
}

// The cross product of a and b: the products exact in double, the difference rounded once.
inline double cross(Point a, Point b) {
    return double(a.x) * double(b.y) - double(a.y) * double(b.x);
}

// The squared length, summed in double.
inline double squaredNorm(Point v) {
    return double(v.y) * double(v.y) + double(v.x) * double(v.x);
}

// The squared length rounded to single precision, as it is stored.
inline float squaredLength(Point v) {
    return static_cast<float>(squaredNorm(v));
}

// Whether rounding to single precision keeps the value's magnitude: it neither overflows nor
// underflows to zero or a subnormal. Where it would not, the arithmetic keeps the double.
inline bool fitsFloat(double value) {
    return value == 0.0 || std::isnormal(static_cast<float>(value));
}

// The root of the single-precision squared length, rounded again. Where that square does not fit
// a float, the length is taken from the coordinates in double and rounded once.
float length(Point v);

inline bool isFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Twice the signed area of abc: single-precision differences, products exact in double. Zero
// exactly when the dialogues reject the vertices as collinear.
inline double triangleDeterminant(Point a, Point b, Point c) {
    return cross(displacement(a, b), displacement(a, c));
}

// The i-th of `count` points counter-clockwise around the circle, starting at (centre.x + radius,
// centre.y); the angle is rounded to single precision before its sine and cosine are taken.
Point pointOnCircle(Circle circle, int i, int count);

} // namespace geom
