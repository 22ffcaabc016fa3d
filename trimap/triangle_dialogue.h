// The console half of trimap: two triangles in, the affine map between them out.
#pragma once

#include "command_line.h"

#include <cstdio>

// Prompts on `out` and reads from `in`. On accepted input fills the scene with the picture and
// prints the report. False when the input was refused, after its message, or when `out` could not
// be written, after a line on `err` that says why; the program then ends with status 1.
bool runTriangleDialogue(std::FILE* in, std::FILE* out, std::FILE* err);

// trimap: this dialogue, then the picture.
extern const Tool trimap;
