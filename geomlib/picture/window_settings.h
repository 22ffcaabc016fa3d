// The window every picture fills: its size and title, and where it opens.
#pragma once

namespace geom {

inline constexpr int windowWidth = 1024;
inline constexpr int windowHeight = 700;
inline constexpr const char* windowTitle = "Geometrija - prikaz zadatka";

// The window's size, and where it opens, as X's -geometry gives them. Without a place the window
// manager places it.
struct WindowGeometry {
    int width = windowWidth;
    int height = windowHeight;
    bool placed = false;
    int x = 0, y = 0;                           // the offsets, signed as X reads them
    bool fromRight = false, fromBottom = false; // offsets of the right or bottom edges, as -X-Y
};

// Where the window opens when no -geometry says.
inline constexpr WindowGeometry defaultWindow{windowWidth, windowHeight, true, 100, 50};

} // namespace geom
