// Pictures as pixels, read from PNG files or taken off the screen, and where an eye over the
// plane puts a point: worked out here from the window's geometry, apart from the programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
    int r, g, b;
};

// The background and the palette as an 8-bit picture holds them.
inline constexpr Rgb8 background{230, 230, 204}, red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255},
    yellow{255, 255, 0}, cyan{0, 255, 255};

// From the picture's top-left corner.
struct Pixel {
    int x, y;
};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb; // rows from the top

    // How many pixels in the square of `radius` around p show `colour`, each level within 2.
    int count(Pixel p, int radius, Rgb8 colour) const;
};

// Empty when the file is not a PNG.
Image readPng(const std::string& path);

// An eye at (x, y, distance) looking down on the plane, with a vertical field of view of 45
// degrees, into a 1024 x 700 window.
struct View {
    double x, y, distance;
};

Pixel pixelOf(View view, double x, double y);
