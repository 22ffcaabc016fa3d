// The console half of paraquad: three vertices of a parallelogram in, the fourth out.
#pragma once

#include "shapes.h"

#include <cstdio>
#include <optional>

// Consecutive vertices; ac and bd are the diagonals.
struct Parallelogram {
    Point a, b, c, d;
};

// The vertex opposite b: where the line through a parallel to bc meets the line through c
// parallel to ab.
Point fourthVertex(Point a, Point b, Point c);

// Prompts on `out` and reads from `in`. Empty when the input was rejected, after its message;
// the program then ends with exit status 1.
std::optional<Parallelogram> runParallelogramDialogue(std::FILE* in, std::FILE* out);
