// The scene painted with OpenGL into whatever context is current, the window's or an offscreen
// one, so that a PNG holds the window's very pixels.
#pragma once

#include "picture/picture.h"

namespace geom {

// The projection for a viewport of this size, with clip planes around the camera's distance; a
// height of 0 counts as 1.
void setProjection(Camera camera, int width, int height);

// The whole picture, flushed but not presented.
void drawPicture(const Picture& picture);

} // namespace geom
