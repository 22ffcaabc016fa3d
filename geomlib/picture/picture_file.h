// The picture written to a file instead of shown: PNG through the window's own painter, or SVG.
#pragma once

#include "picture/camera.h"
#include "picture/scene.h"

#include <cstdio>
#include <optional>
#include <string>

namespace geom {

enum class PictureFormat { Png, Svg };

// From the file name's extension, .png or .svg in any case; nothing for any other.
std::optional<PictureFormat> pictureFormat(const std::string& path);

// Writes the scene through the camera to `path`, replacing any file there as an editor saves it,
// whole or not at all. When it cannot, says why on `err` in one line and returns false.
[[nodiscard]] bool savePicture(const Scene& scene, Camera camera, const std::string& path,
                               PictureFormat format, std::FILE* err);

} // namespace geom
