#include "shapes.h"

#include <GL/gl.h>

namespace {

struct Rgb {
    GLfloat r, g, b;
};

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

} // namespace

void setColour(Colour c) {
    // Unsigned view: negative colours fall outside the palette too.
    const auto index = static_cast<std::uint32_t>(c);
    if (index > static_cast<std::uint32_t>(Black)) {
        return;
    }
    const Rgb rgb = palette[index];
    glColor3f(rgb.r, rgb.g, rgb.b);
}
