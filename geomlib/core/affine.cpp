#include "core/affine.h"

namespace geom {

namespace {

// Columns b - a, c - a and a: takes (0, 0), (1, 0), (0, 1) to a, b, c.
Matrix3 unitTriangleMap(Point a, Point b, Point c) {
    const Point ab = displacement(a, b), ac = displacement(a, c);
    return {{ab.x, ac.x, a.x, ab.y, ac.y, a.y, 0.0f, 0.0f, 1.0f}};
}

// The inverse of unitTriangleMap(a, b, c), in closed form from its determinant.
Matrix3 inverseUnitTriangleMap(Point a, Point b, Point c) {
    const Matrix3 f = unitTriangleMap(a, b, c);
    const float dxB = f.m[0], dxC = f.m[1], dyB = f.m[3], dyC = f.m[4];
    const float k = static_cast<float>(1.0 / triangleDeterminant(a, b, c));
    const float s00 = static_cast<float>(double(dyC) * double(k));
    const float s01 = static_cast<float>(double(-k) * double(dxC));
    const float s10 = static_cast<float>(double(-k) * double(dyB));
    const float s11 = static_cast<float>(double(dxB) * double(k));
    const float s02 = -static_cast<float>(double(s00) * double(a.x) + double(s01) * double(a.y));
    const float s12 = -static_cast<float>(double(s10) * double(a.x) + double(s11) * double(a.y));
    return {{s00, s01, s02, s10, s11, s12, 0.0f, 0.0f, 1.0f}};
}

} // namespace

Matrix3 multiply(Matrix3 p, Matrix3 q) {
    Matrix3 result;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            float sum = +0.0f; // so an all-zero entry is +0, never -0
            for (int k = 0; k < 3; ++k) {
                sum = static_cast<float>(double(sum) +
                                         double(p.m[3 * r + k]) * double(q.m[3 * k + c]));
            }
            result.m[3 * r + c] = sum;
        }
    }
    return result;
}

Point mapPoint(Matrix3 m, Point p) {
    const double x = p.x, y = p.y;
    const float mx = static_cast<float>((double(m.m[0]) * x + double(m.m[1]) * y) + double(m.m[2]));
    const float my = static_cast<float>((double(m.m[3]) * x + double(m.m[4]) * y) + double(m.m[5]));
    return {mx, my};
}

Matrix3 triangleMap(Point a, Point b, Point c, Point a2, Point b2, Point c2) {
    return multiply(unitTriangleMap(a2, b2, c2), inverseUnitTriangleMap(a, b, c));
}

} // namespace geom
