// The frame every picture fills: the window's size and title.
#pragma once

namespace geom {

inline constexpr int windowWidth = 1024;
inline constexpr int windowHeight = 700;
inline constexpr const char* windowTitle = "Geometrija - prikaz zadatka";

} // namespace geom
