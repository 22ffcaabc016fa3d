// The ten colours a shape can be drawn in, and the window's background.
#pragma once

#include "core/shapes.h"

#include <cstdint>
#include <iterator>
#include <optional>

namespace geom {

// Components from 0 to 1, as OpenGL takes them.
struct Rgb {
    float r, g, b;
};

inline constexpr Rgb backgroundColour{0.9f, 0.9f, 0.8f};

// The palette entry of c, in the order of Colour; nothing for a colour outside the palette.
inline std::optional<Rgb> paletteEntry(Colour c) {
    constexpr Rgb palette[] = {
        {1.0f, 0.0f, 0.0f}, // Red
        {0.0f, 1.0f, 0.0f}, // Green
        {0.0f, 0.0f, 1.0f}, // Blue
        {1.0f, 1.0f, 0.0f}, // Yellow
        {1.0f, 0.5f, 0.0f}, // Orange
        {1.0f, 0.0f, 1.0f}, // Magenta
        {0.0f, 1.0f, 1.0f}, // Cyan
        {0.5f, 0.0f, 0.5f}, // Purple
        {1.0f, 1.0f, 1.0f}, // White
        {0.0f, 0.0f, 0.0f}, // Black
    };
    // Unsigned view: negative colours fall outside the palette too.
    const auto index = static_cast<std::uint32_t>(c);
    if (index >= std::size(palette)) {
        return std::nullopt;
    }
    return palette[index];
}

} // namespace geom
