// The console half of paraquad: three vertices of a parallelogram in, the fourth out.
#pragma once

#include "program/dialogue.h"

#include <cstdio>

namespace geom {

// Prompts and reads three vertices. Accepted, the decision holds the fourth vertex's line and the
// picture's scene; refused, the refusal's message.
Decision decideParallelogram(std::FILE* in, std::FILE* prompts);

// paraquad: this dialogue, then the picture.
extern const Program paraquad;

} // namespace geom
