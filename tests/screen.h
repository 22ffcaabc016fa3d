// Reading pixels back and predicting where the camera puts a point of the plane.
#pragma once

#include "viewer.h"

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

// The palette and the background as an 8-bit-per-channel window shows them.
inline constexpr Rgb background{230, 230, 204};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb green{0, 255, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb yellow{255, 255, 0};
inline constexpr Rgb orange{255, 128, 0};
inline constexpr Rgb cyan{0, 255, 255};

// Window coordinates: x to the right, y down from the top row.
struct Pixel {
    int x, y;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> rows; // top row first

    Rgb at(Pixel p) const { return rows[std::size_t(p.y) * std::size_t(width) + std::size_t(p.x)]; }
};

bool looksLike(Rgb expected, Rgb actual);

std::string describe(Rgb colour);

// How many pixels within `radius` (a square) of `centre` show `colour`.
int countAround(const Image& image, Pixel centre, int radius, Rgb colour);

// Where the point (x, y) of the plane lands in a window of the given size, under the
// perspective of the viewer.
Pixel project(Camera camera, float x, float y, int width = windowWidth, int height = windowHeight);
