#include "shapes.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double twoPi = 6.283185307179586;

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

// A float that no optimiser may keep in double: GCC 12's SLP vectoriser at -O2 drops a plain
// cast of sin and cos results.
float roundToFloat(double value) {
    const volatile float rounded = static_cast<float>(value);
    return rounded;
}

} // namespace

float length(Point v) {
    return static_cast<float>(std::sqrt(double(squaredLength(v))));
}

Point outlinePoint(Point centre, float radiusX, float radiusY, int i, int count) {
    const float theta = static_cast<float>(double(i) * twoPi / double(count));
    const float c = roundToFloat(std::cos(double(theta)));
    const float s = roundToFloat(std::sin(double(theta)));
    return {static_cast<float>(double(c) * double(radiusX) + double(centre.x)),
            static_cast<float>(double(s) * double(radiusY) + double(centre.y))};
}

void setColour(Colour c) {
    // Unsigned view: negative colours fall outside the palette too.
    const auto index = static_cast<std::uint32_t>(c);
    if (index > static_cast<std::uint32_t>(Black)) {
        return;
    }
    const Rgb rgb = palette[index];
    glColor3f(rgb.r, rgb.g, rgb.b);
}
