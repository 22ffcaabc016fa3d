#include "image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

int Image::count(Pixel p, int radius, Rgb8 colour) const {
    int n = 0;
    for (int y = std::max(0, p.y - radius); y <= std::min(height - 1, p.y + radius); ++y) {
        for (int x = std::max(0, p.x - radius); x <= std::min(width - 1, p.x + radius); ++x) {
            const std::uint8_t* s = &rgb[3 * std::size_t(y * width + x)];
            // 0.5 and 0.9 fall between two 8-bit levels.
            n += std::abs(s[0] - colour.r) <= 2 && std::abs(s[1] - colour.g) <= 2 &&
                 std::abs(s[2] - colour.b) <= 2;
        }
    }
    return n;
}

Image readPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        return {};
    }
    png.format = PNG_FORMAT_RGB;
    Image image{int(png.width), int(png.height), std::vector<std::uint8_t>(PNG_IMAGE_SIZE(png))};
    png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr);
    return image;
}

Pixel pixelOf(View view, double x, double y) {
    // 45 degrees show 2 d tan(22.5 degrees) of the plane over the window's 700 rows.
    const double scale = 350.0 / (view.distance * std::tan(M_PI / 8.0));
    return {int(std::floor(512.0 + (x - view.x) * scale)),
            int(std::floor(350.0 - (y - view.y) * scale))};
}
