// Affine maps of the plane as 3x3 matrices acting on homogeneous columns (x, y, 1).
#pragma once

#include "core/shapes.h"

namespace geom {

// Row-major: m[3 * row + column]. An affine map has row 2 equal to (0, 0, 1).
struct Matrix3 {
    float m[9] = {};
};

// p * q, each entry summed from +0 in single precision after every term.
Matrix3 multiply(Matrix3 p, Matrix3 q);

// The image of p under the affine map m.
Point mapPoint(Matrix3 m, Point p);

// The map taking a, b, c onto a2, b2, c2; a, b, c must not be collinear.
Matrix3 triangleMap(Point a, Point b, Point c, Point a2, Point b2, Point c2);

} // namespace geom
