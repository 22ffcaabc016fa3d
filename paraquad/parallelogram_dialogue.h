// The console half of paraquad: three vertices of a parallelogram in, the fourth out.
#pragma once

#include "program/dialogue.h"

#include <cstdio>

namespace geom {

// Prompts and reads. On accepted input fills `scene` with the picture and prints the fourth vertex.
// False when the input was refused, after its message, or when the prompt or the report could not
// be written, after a line on `err` that says why; the program then ends with status 1.
[[nodiscard]] bool runParallelogramDialogue(Streams streams, Scene& scene);

// paraquad: this dialogue, then the picture.
extern const Tool paraquad;

} // namespace geom
