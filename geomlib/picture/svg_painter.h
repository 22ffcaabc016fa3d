// The scene as vectors: the picture the window shows, as an SVG document.
#pragma once

#include "picture/camera.h"
#include "picture/scene.h"

#include <string>

namespace geom {

// A document of the window's size and title, seen through the camera: the background, then one
// element a line, in the walk's order and colours. Outlines are true circles and ellipses where
// the window draws 100-gons.
std::string sceneSvg(const Scene& scene, Camera camera);

} // namespace geom
