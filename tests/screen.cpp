#include "screen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

bool looksLike(Rgb expected, Rgb actual) {
    const int tolerance = 2; // 0.5 and 0.9 fall between two 8-bit levels
    return std::abs(expected.r - actual.r) <= tolerance &&
           std::abs(expected.g - actual.g) <= tolerance &&
           std::abs(expected.b - actual.b) <= tolerance;
}

std::string describe(Rgb c) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
    return text;
}

int countAround(const Image& image, Pixel centre, int radius, Rgb colour) {
    int count = 0;
    for (int y = centre.y - radius; y <= centre.y + radius; ++y) {
        for (int x = centre.x - radius; x <= centre.x + radius; ++x) {
            if (x >= 0 && y >= 0 && x < image.width && y < image.height &&
                looksLike(colour, image.at({x, y}))) {
                ++count;
            }
        }
    }
    return count;
}

Pixel project(Camera camera, float x, float y, int width, int height) {
    // gluPerspective with a 45 degree field: the plane at distance d spans 2 d tan(22.5 deg).
    const double halfHeight = camera.distance * std::tan(M_PI / 8.0);
    const double halfWidth = halfHeight * width / height;
    const double ndcX = (x - camera.centreX) / halfWidth;
    const double ndcY = (y - camera.centreY) / halfHeight;
    return {int(std::floor((ndcX + 1.0) * 0.5 * width)),
            int(std::floor((1.0 - ndcY) * 0.5 * height))};
}
