// Pictures as pixels, read from PNG files or taken off the screen; where the window's camera puts a
// point of the plane; and what a picture of a scene must show, pixel by pixel. All of it is worked
// out here from the window's described geometry, apart from the programs.
#pragma once

#include "picture/scene.h"

#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
    int r, g, b;
};

// The background and the palette as an 8-bit picture holds them, indexed by Colour.
inline constexpr Rgb8 background{230, 230, 204};
inline constexpr Rgb8 palette8[] = {{255, 0, 0},     {0, 255, 0},   {0, 0, 255},   {255, 255, 0},
                                    {255, 128, 0},   {255, 0, 255}, {0, 255, 255}, {128, 0, 128},
                                    {255, 255, 255}, {0, 0, 0}};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb; // rows from the top

    // Whether the pixel at (x, y) shows `colour`, each level within 2 (0.5 and 0.9 fall between
    // two 8-bit levels).
    bool shows(int x, int y, Rgb8 colour) const;
};

// Empty when the file is not a PNG.
Image readPng(const std::string& path);

// An eye at (x, y, distance) looking down on the plane, with a vertical field of view of 45
// degrees, into the 1024 x 700 window.
struct View {
    double x, y, distance;
};

// Centred on the box, at twice its larger extent (each rounded to single precision).
View viewOf(geom::BoundingBox box);

// Where the view puts the plane point (x, y), in pixels from the window's top-left corner.
struct Spot {
    double x, y;
};
Spot spotOf(View view, double x, double y);

// The window draws circles as 100-gons; an SVG renderer draws them true.
enum class Outlines { Polygons, Circles };

// How many pixels of `image` differ from what the scene must show through the view: the colour of
// the last shape that surely paints a pixel, or the background where no shape may paint it. Pixels
// that a shape may or may not paint at its edges are not judged. `where` names the first few.
int mismatches(const Image& image, const geom::Scene& shown, View view, Outlines outlines,
               std::string& where);
