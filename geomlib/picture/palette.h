// The colours the picture is drawn in, and the window's background.
#pragma once

#include <cstdint>

namespace geom {

enum class Colour : std::uint8_t { Red, Green, Blue, Yellow, Cyan, Black };

// Components from 0 to 1, as OpenGL takes them.
struct Rgb {
    float r, g, b;
};

inline constexpr Rgb backgroundColour{0.9f, 0.9f, 0.8f};

constexpr Rgb rgbOf(Colour c) {
    constexpr Rgb palette[] = {
        {1.0f, 0.0f, 0.0f}, // Red
        {0.0f, 1.0f, 0.0f}, // Green
        {0.0f, 0.0f, 1.0f}, // Blue
        {1.0f, 1.0f, 0.0f}, // Yellow
        {0.0f, 1.0f, 1.0f}, // Cyan
        {0.0f, 0.0f, 0.0f}, // Black
    };
    return palette[static_cast<int>(c)];
}

} // namespace geom
