// The console half of paraquad: three vertices of a parallelogram in, the fourth out.
#pragma once

#include "command_line.h"
#include "shapes.h"

#include <cstdio>

// The vertex opposite b: where the line through a parallel to bc meets the line through c
// parallel to ab.
Point fourthVertex(Point a, Point b, Point c);

// Prompts on `out` and reads from `in`. On accepted input fills the scene with the picture and
// prints the fourth vertex. False when the input was refused, after its message, or when `out`
// could not be written, after a line on `err` that says why; the program then ends with status 1.
bool runParallelogramDialogue(std::FILE* in, std::FILE* out, std::FILE* err);

// paraquad: this dialogue, then the picture.
extern const Tool paraquad;
