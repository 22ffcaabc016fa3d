// The picture paraquad shows after the fourth vertex.
#pragma once

#include "core/parallelogram.h"
#include "picture/scene.h"

namespace geom {

// The inscribed ellipse traced as dots with its centre, then the four sides and the names of the
// vertices.
Scene parallelogramScene(const Parallelogram& p);

} // namespace geom
