// The scene as vectors: the picture the window shows, as an SVG document.
#pragma once

#include "picture/picture.h"

#include <string>

namespace geom {

// A document of the window's size and title: the background, then one element a line, in the
// walk's order and colours. Circles are true circles where the window draws 100-gons.
std::string pictureSvg(const Picture& picture);

} // namespace geom
