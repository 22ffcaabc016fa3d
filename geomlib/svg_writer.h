// The scene as vectors: the picture the window shows, as an SVG document.
#pragma once

#include <string>

// A document of the window's size, seen through the window's camera: the background, then
// circles, lines, segments with their end dots, point dots and ellipses, in the window's order,
// each in its palette colour. Circles and ellipses are true ones, not the window's 100-gons.
std::string sceneSvg();
