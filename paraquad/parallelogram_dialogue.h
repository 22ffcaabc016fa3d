// The console half of paraquad: three vertices of a parallelogram in, the fourth out.
#pragma once

#include "program/dialogue.h"

#include <cstdio>

namespace geom {

// Prompts on `out` and reads from `in`. On accepted input fills `scene` with the picture and
// prints the fourth vertex. False when the input was refused, after its message, or when `out`
// could not be written, after a line on `err` that says why; the program then ends with status 1.
[[nodiscard]] bool runParallelogramDialogue(std::FILE* in, std::FILE* out, std::FILE* err,
                                            Scene& scene);

// paraquad: this dialogue, then the picture.
extern const Tool paraquad;

} // namespace geom
