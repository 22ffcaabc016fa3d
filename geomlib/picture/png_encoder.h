// Pixels as a PNG file's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace geom {

// An 8-bit RGB PNG of `height` rows of `width` pixels, the top row first. Empty only when memory
// ran out.
std::string encodePng(const std::vector<std::uint8_t>& rgb, int width, int height);

} // namespace geom
