// The console half of trimap: two triangles in, the affine map between them out.
#pragma once

#include "program/dialogue.h"

#include <cstdio>

namespace geom {

// Prompts and reads. On accepted input fills `scene` with the picture and prints the report. False
// when the input was refused, after its message, or when the prompts or the report could not be
// written, after a line on `err` that says why; the program then ends with status 1.
[[nodiscard]] bool runTriangleDialogue(Streams streams, Scene& scene);

// trimap: this dialogue, then the picture.
extern const Tool trimap;

} // namespace geom
