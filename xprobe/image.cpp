#include "image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int width = 1024, height = 700, unknown = -2, backgroundIndex = -1;

double distanceToSegment(Spot p, Spot a, Spot b) {
    const double dx = b.x - a.x, dy = b.y - a.y, squared = dx * dx + dy * dy;
    const double t =
        squared == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// A palette index, the background or unknown for each pixel, in the window's order. A line surely
// paints within 0.3 and may within 1.3; a 4 x 4 dot within 1.5 and 2.6 in x and y.
struct Expected {
    std::vector<int> pixels = std::vector<int>(std::size_t(width * height), backgroundIndex);

    // Over the box from `low` to `high` widened by `maybe`.
    template <typename Distance>
    void paint(Spot low, Spot high, double sure, double maybe, geom::Colour colour,
               Distance distance) {
        const int c = static_cast<int>(colour);
        for (int y = std::max(0, int(low.y - maybe));
             y <= std::min(height - 1, int(high.y + maybe)); ++y) {
            for (int x = std::max(0, int(low.x - maybe));
                 x <= std::min(width - 1, int(high.x + maybe)); ++x) {
                const double d = distance(Spot{x + 0.5, y + 0.5});
                int& here = pixels[std::size_t(y) * width + std::size_t(x)];
                here = d <= sure ? c : d <= maybe && here != c ? unknown : here;
            }
        }
    }

    void dot(Spot at, geom::Colour c, double sure = 1.5, double maybe = 2.6) {
        paint(at, at, sure, maybe, c,
              [&](Spot p) { return std::max(std::abs(p.x - at.x), std::abs(p.y - at.y)); });
    }

    void line(Spot a, Spot b, geom::Colour c) {
        paint({std::min(a.x, b.x), std::min(a.y, b.y)}, {std::max(a.x, b.x), std::max(a.y, b.y)},
              0.3, 1.3, c, [&](Spot p) { return distanceToSegment(p, a, b); });
    }

    void circle(Spot centre, double r, geom::Colour c) {
        paint({centre.x - r, centre.y - r}, {centre.x + r, centre.y + r}, 0.3, 1.3, c,
              [&](Spot p) { return std::abs(std::hypot(p.x - centre.x, p.y - centre.y) - r); });
    }
};

} // namespace

bool Image::shows(int x, int y, int colour) const {
    const std::uint8_t* s = &rgb[3 * std::size_t(y * width + x)];
    return std::abs(s[0] - (colour >> 16)) <= 2 && std::abs(s[1] - (colour >> 8 & 0xff)) <= 2 &&
           std::abs(s[2] - (colour & 0xff)) <= 2;
}

Image readPng(const std::string& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    Image read{int(image.width), int(image.height),
               std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    png_image_finish_read(&image, nullptr, read.rgb.data(), 0, nullptr);
    return read;
}

View viewOf(geom::BoundingBox box) {
    const float w = float(double(box.high.x) - box.low.x),
                h = float(double(box.high.y) - box.low.y);
    const double distance = double(float(2.0 * std::max(w, h)));
    // 45 degrees show 2 d tan(22.5 degrees) of the plane over the window's 700 rows.
    return {(double(box.low.x) + box.high.x) / 2, (double(box.low.y) + box.high.y) / 2,
            350.0 / (distance * std::tan(std::numbers::pi / 8))};
}

Spot spotOf(View view, double x, double y) {
    return {512.0 + (x - view.x) * view.scale, 350.0 - (y - view.y) * view.scale};
}

std::string mismatches(const Image& image, const geom::Scene& shown, View view, Outlines outlines,
                       const std::vector<Spot>& names) {
    using namespace geom;
    Expected e;
    const auto spot = [&](Point p) { return spotOf(view, p.x, p.y); };
    for (const SceneCircle& drawn : shown.circles) {
        const Circle k = drawn.circle;
        const Colour colour = drawn.colour;
        const auto vertex = [&](int i) {
            const double angle = double(float(i * 2 * std::numbers::pi / 100));
            return spotOf(view, k.centre.x + k.radius * std::cos(angle),
                          k.centre.y + k.radius * std::sin(angle));
        };
        for (int i = 0; i < 100 && outlines == Outlines::Polygons; ++i) {
            e.line(vertex(i), vertex((i + 1) % 100), colour);
        }
        if (outlines == Outlines::Circles) {
            e.circle(spot(k.centre), spot(k.centre).y - spot({k.centre.x, k.centre.y + k.radius}).y,
                     colour);
        }
    }
    for (const auto& [s, colour] : shown.segments) {
        e.line(spot(s.from), spot(s.to), colour);
        e.dot(spot(s.from), colour);
        e.dot(spot(s.to), colour);
    }
    for (const auto& [p, colour] : shown.dots) {
        e.dot(spot(p), colour);
    }
    for (const Spot& name : names) {
        e.dot(name, Colour::Black, -1, 10);
    }
    if (image.width != width || image.height != height) {
        return "no picture";
    }
    int differing = 0;
    std::string first;
    for (int at = 0; at < width * height; ++at) {
        const int c = e.pixels[std::size_t(at)];
        if (c != unknown &&
            !image.shows(at % width, at / width, c == backgroundIndex ? background : palette8[c]) &&
            ++differing <= 3) {
            first += " (" + std::to_string(at % width) + ", " + std::to_string(at / width) + ")";
        }
    }
    return differing == 0 ? "" : std::to_string(differing) + " pixels differ, from" + first;
}
