#include "image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int width = 1024, height = 700, unknown = -1, backgroundIndex = std::size(palette8);

double distanceToSegment(Spot p, Spot a, Spot b) {
    const double dx = b.x - a.x, dy = b.y - a.y, squared = dx * dx + dy * dy;
    const double t =
        squared == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// What the picture must show: a palette index, the background or unknown, pixel by pixel, painted
// shape after shape in the window's order. A pixel is surely painted by a 1-pixel line whose
// centre passes within 0.3 of its centre, and may be within 1.3; by a 4 x 4 dot whose centre lies
// within 1.5 of its centre in x and in y, and may be within 2.6. Where a line ends, the next
// line or a dot paints over what the rasteriser leaves.
struct Expected {
    std::vector<int> pixels = std::vector<int>(std::size_t(width * height), backgroundIndex);

    // Over the box from `low` to `high`, widened by `maybe`: the pixels as near as `sure` show
    // c, those as near as `maybe` become unknown unless they show c already.
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

    void dot(Spot at, geom::Colour c) {
        paint(at, at, 1.5, 2.6, c,
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

bool Image::shows(int x, int y, Rgb8 colour) const {
    const std::uint8_t* s = &rgb[3 * std::size_t(y * width + x)];
    return std::abs(s[0] - colour.r) <= 2 && std::abs(s[1] - colour.g) <= 2 &&
           std::abs(s[2] - colour.b) <= 2;
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

View viewOf(geom::BoundingBox box) {
    const float w = float(double(box.high.x) - box.low.x),
                h = float(double(box.high.y) - box.low.y);
    return {(double(box.low.x) + box.high.x) / 2, (double(box.low.y) + box.high.y) / 2,
            double(float(2.0 * std::max(w, h)))};
}

Spot spotOf(View view, double x, double y) {
    // 45 degrees show 2 d tan(22.5 degrees) of the plane over the window's 700 rows.
    const double scale = 350.0 / (view.distance * std::tan(std::numbers::pi / 8));
    return {512.0 + (x - view.x) * scale, 350.0 - (y - view.y) * scale};
}

int mismatches(const Image& image, const geom::Scene& shown, View view, Outlines outlines,
               std::string& where) {
    using namespace geom;
    Expected e;
    const auto spot = [&](Point p) { return spotOf(view, p.x, p.y); };
    for (const Circle& k : shown.circles) {
        const auto vertex = [&](int i) {
            const double angle = double(float(i * 2 * std::numbers::pi / 100));
            return spotOf(view, k.centre.x + k.radius * std::cos(angle),
                          k.centre.y + k.radius * std::sin(angle));
        };
        for (int i = 0; i < 100 && outlines == Outlines::Polygons; ++i) {
            e.line(vertex(i), vertex((i + 1) % 100), k.colour);
        }
        if (outlines == Outlines::Circles) {
            e.circle(spot(k.centre), spot(k.centre).y - spot({k.centre.x, k.centre.y + k.radius}).y,
                     k.colour);
        }
    }
    for (const Segment& s : shown.segments) {
        e.line(spot(s.from), spot(s.to), s.colour);
        e.dot(spot(s.from), s.colour);
        e.dot(spot(s.to), s.colour);
    }
    for (const Point& p : shown.points) {
        e.dot(spot(p), p.colour);
    }
    if (image.width != width || image.height != height) {
        where = " no picture";
        return width * height;
    }
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int c = e.pixels[std::size_t(y) * width + std::size_t(x)];
            if (c != unknown &&
                !image.shows(x, y, c == backgroundIndex ? background : palette8[c]) &&
                ++differing <= 3) {
                where += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    return differing;
}
