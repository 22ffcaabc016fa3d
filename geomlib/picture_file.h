// The picture written to a file instead of shown: PNG through the window's own drawing code, or
// SVG.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

enum class PictureFormat { Png, Svg };

// From the file name's extension, .png or .svg in any case; nothing for any other.
std::optional<PictureFormat> pictureFormat(const std::string& path);

// Writes the scene to `path`, replacing any file there, whole or not at all. When it cannot, says
// why on `err` in one line and returns false.
bool savePicture(const std::string& path, PictureFormat format, std::FILE* err);
