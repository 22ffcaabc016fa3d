// Where the names of a picture's vertices stand.
#pragma once

#include "picture/picture.h"

#include <vector>

namespace geom {

// The middle of each of the scene's names, in the scene's order, in window pixels. Each stands
// beside its vertex, at least 16 pixels from every other name, at the first of the places around
// the vertex (the bisector's side first, then turning away from it, then a little further out)
// where it touches none of the figure's lines, dots or circles; where none is free, at the least
// covered of them.
std::vector<PixelPoint> namePlaces(const Picture& picture);

} // namespace geom
