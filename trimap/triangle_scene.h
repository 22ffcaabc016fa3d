// The picture trimap shows after its report.
#pragma once

#include "core/affine.h"
#include "picture/scene.h"

namespace geom {

// Everything the dialogue computed and printed, handed on to the picture.
struct TriangleMapReport {
    Point a, b, c;    // source triangle ABC
    Point a2, b2, c2; // target triangle A'B'C'
    Matrix3 map;      // takes ABC onto A'B'C'
    Point imageA, imageB, imageC;
};

// Both triangles with the names of their vertices, the circumcircle and incircle of ABC with
// their centres, the traced images of both circles, and over them the images of A, B and C.
Scene triangleScene(const TriangleMapReport& report);

} // namespace geom
