// Pictures as pixels, and what a scene's picture must show, from the described camera and palette.
#pragma once

#include "picture/scene.h"

#include <cstdint>
#include <string>
#include <vector>

// The background, and the palette indexed by Colour, as 0xRRGGBB in an 8-bit picture.
inline constexpr int background = 0xe6e6cc;
inline constexpr int palette8[] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00, 0x00ffff, 0x000000};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb; // rows from the top

    // Each level within 2: 0.5 and 0.9 fall between two 8-bit levels.
    bool shows(int x, int y, int colour) const;
};

// Empty unless `png` holds a PNG file.
Image readPng(const std::string& png);

// The window's eye, 45 degrees over 700 rows, at twice the box's larger extent (in float) over it.
struct View {
    double x, y, scale; // the point at the window's middle, and pixels per unit of the plane
};
View viewOf(geom::BoundingBox box);

// In pixels from the window's top-left corner.
struct Spot {
    double x, y;
};
Spot spotOf(View view, double x, double y);

// The window draws circles as 100-gons; an SVG renderer draws them true.
enum class Outlines : std::uint8_t { Polygons, Circles };

// The pixels unlike the last shape that surely paints them, or the background where none may,
// counted and the first named; not a shape's uncertain edge, nor within 10 of a name's place.
std::string mismatches(const Image& image, const geom::Scene& shown, View view, Outlines outlines,
                       const std::vector<Spot>& names = {});
