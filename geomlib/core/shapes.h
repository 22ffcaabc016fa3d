// The plane's value records, the colour each is drawn in, and the vector arithmetic they share.
#pragma once

#include <cmath>
#include <cstdint>

namespace geom {

// An index into the palette; a value outside it leaves the colour in force.
enum class Colour : std::int32_t {
    Red,
    Green,
    Blue,
    Yellow,
    Orange,
    Magenta,
    Cyan,
    Purple,
    White,
    Black
};

struct Point {
    float x = 0.0f;
    float y = 0.0f;
    Colour colour = Colour::Black; // read only when the point itself is drawn
};

// The infinite line through origin along direction (any non-zero length).
struct Line {
    Point origin;
    Point direction;
    Colour colour = Colour::Black;
};

struct Segment {
    Point from;
    Point to;
    Colour colour = Colour::Black;
};

struct Circle {
    Point centre;
    float radius = 0.0f;
    Colour colour = Colour::Black;
};

// Axis-aligned.
struct Ellipse {
    Point centre;
    float radiusX = 0.0f;
    float radiusY = 0.0f;
    Colour colour = Colour::Black;
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

// The i-th of `count` points counter-clockwise around an axis-aligned ellipse, starting at
// (centre.x + radiusX, centre.y); the angle is rounded to single precision before its sine and
// cosine are taken.
Point outlinePoint(Point centre, float radiusX, float radiusY, int i, int count);

} // namespace geom
