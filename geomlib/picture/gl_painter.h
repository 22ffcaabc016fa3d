// The scene painted with OpenGL into whatever context is current, the window's or an offscreen
// one, so that a PNG holds the window's very pixels.
#pragma once

#include "picture/camera.h"
#include "picture/scene.h"

namespace geom {

// The projection for a viewport of this size, with clip planes around the camera's distance; a
// height of 0 counts as 1.
void setProjection(Camera camera, int width, int height);

// One whole frame through the camera, flushed but not presented.
void drawFrame(const Scene& scene, Camera camera);

} // namespace geom
