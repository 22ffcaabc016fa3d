// The console half of trimap: two triangles in, the affine map between them out.
#pragma once

#include "program/dialogue.h"

#include <cstdio>

namespace geom {

// Prompts and reads two triangles. Accepted, the decision holds the report and the picture's
// scene; refused, the refusal's message.
Decision decideTriangleMap(std::FILE* in, std::FILE* prompts);

// trimap: this dialogue, then the picture.
extern const Program trimap;

} // namespace geom
