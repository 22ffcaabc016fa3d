// The console half of trimap: two triangles in, the affine map between them out.
#pragma once

#include "affine.h"

#include <cstdio>
#include <optional>

// Everything the dialogue computed and printed, handed on to the picture.
struct TriangleMapReport {
    Point a, b, c;    // source triangle ABC
    Point a2, b2, c2; // target triangle A'B'C'
    Matrix3 map;      // takes ABC onto A'B'C'
    Point imageA, imageB, imageC;
};

// Prompts on `out` and reads from `in`. Empty when the input was rejected, after its message;
// the program then ends with exit status 1.
std::optional<TriangleMapReport> runTriangleDialogue(std::FILE* in, std::FILE* out);
