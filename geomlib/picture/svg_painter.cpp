#include "picture/svg_painter.h"

#include "picture/walk.h"
#include "picture/window_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string_view>

namespace geom {

namespace {

// The camera the elements are placed through, and the document they are written into.
struct Svg {
    Camera camera;
    std::string* text;
};

void append(std::string& text, std::string_view piece) {
    text += piece;
}

// With nine significant digits, as %.9g writes them: enough to round-trip a float, and to place
// a window position well inside a pixel. Most numbers are positions from 1 to 1e9 pixels: those
// are scaled to nine digits and rounded directly, where the scaling's own rounding error (below
// 1e-7) cannot decide which way a value rounds; the rest go through printf.
void append(std::string& text, double value) {
    constexpr double powersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double magnitude = std::fabs(value);
    if (magnitude >= 1 && magnitude < 1e9) {
        const auto whole = static_cast<std::uint32_t>(magnitude);
        int decimals = 8;
        while (decimals > 0 && whole >= powersOfTen[9 - decimals]) {
            --decimals;
        }
        const double scaled = magnitude * powersOfTen[decimals];
        const double rounded = std::nearbyint(scaled);
        if (std::fabs(scaled - rounded) < 0.499999 && rounded < 1e9) {
            auto digits = static_cast<std::uint32_t>(rounded);
            while (decimals > 0 && digits % 10 == 0) { // %g drops trailing zeros
                digits /= 10;
                --decimals;
            }
            char buffer[16];
            char* end = std::to_chars(buffer, std::end(buffer), digits).ptr;
            if (decimals > 0) {
                std::copy_backward(end - decimals, end, end + 1);
                *(end++ - decimals) = '.';
            }
            text += value < 0 ? "-" : "";
            text.append(buffer, end);
            return;
        }
    }
    char digits[32];
    text.append(digits, std::size_t(std::snprintf(digits, sizeof digits, "%.9g", value)));
}

// Appends each piece in turn: text as it is, numbers in digits.
template <typename... Pieces> void put(const Svg& svg, const Pieces&... pieces) {
    (append(*svg.text, pieces), ...);
}

// Each channel as an 8-bit framebuffer stores it: scaled in float, rounded to the nearest, ties
// to even.
std::string hex(Rgb c) {
    constexpr char digits[] = "0123456789abcdef";
    std::string text = "#";
    for (const float channel : {c.r, c.g, c.b}) {
        const long level = std::lrint(channel * 255.0f);
        text += {digits[level / 16], digits[level % 16]};
    }
    return text;
}

void segment(DoublePoint from, DoublePoint to, Rgb colour, const void* context) {
    const Svg& svg = *static_cast<const Svg*>(context);
    const PixelPoint a = toWindow(svg.camera, from.x, from.y);
    const PixelPoint b = toWindow(svg.camera, to.x, to.y);
    put(svg, "<line x1=\"", a.x, "\" y1=\"", a.y, "\" x2=\"", b.x, "\" y2=\"", b.y, "\" stroke=\"",
        hex(colour), "\"/>\n");
}

void dot(DoublePoint at, float pixels, Rgb colour, const void* context) {
    const Svg& svg = *static_cast<const Svg*>(context);
    const PixelPoint p = toWindow(svg.camera, at.x, at.y);
    const double size = pixels;
    put(svg, "<rect x=\"", p.x - size / 2, "\" y=\"", p.y - size / 2, "\" width=\"", size,
        "\" height=\"", size, "\" fill=\"", hex(colour), "\"/>\n");
}

void circle(Circle circle, Rgb colour, const void* context) {
    const Svg& svg = *static_cast<const Svg*>(context);
    const PixelPoint at = toWindow(svg.camera, circle.centre.x, circle.centre.y);
    put(svg, "<circle cx=\"", at.x, "\" cy=\"", at.y, "\" r=\"",
        double(circle.radius) * pixelsPerUnit(svg.camera), "\" stroke=\"", hex(colour), "\"/>\n");
}

// A text element, so that a name can be searched, selected and restyled; its capitals `pixels`
// tall in a sans-serif font, whose capitals stand about 0.7 of its size. Their middle is put on
// the place by a baseline 0.35 em below it: librsvg ignores dominant-baseline.
void textElement(DoublePoint at, float pixels, const char* name, Rgb colour, const void* context) {
    const Svg& svg = *static_cast<const Svg*>(context);
    const PixelPoint p = toWindow(svg.camera, at.x, at.y);
    put(svg, "<text x=\"", p.x, "\" y=\"", p.y,
        "\" dy=\"0.35em\" font-family=\"sans-serif\" font-size=\"",
        std::round(double(pixels) / 0.7), "\" text-anchor=\"middle\" fill=\"", hex(colour), "\">",
        name, "</text>\n");
}

} // namespace

std::string pictureSvg(const Picture& picture) {
    std::string text;
    const Svg svg{picture.camera, &text};
    const double width = windowWidth, height = windowHeight;
    // Crisp edges, as the window draws without smoothing; outlines are 1 pixel wide and unfilled.
    put(svg,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ",
        "width=\"", width, "\" height=\"", height, "\" viewBox=\"0 0 ", width, " ", height,
        "\" shape-rendering=\"crispEdges\" fill=\"none\" stroke-width=\"1\">\n<title>", windowTitle,
        "</title>\n<rect width=\"", width, "\" height=\"", height, "\" fill=\"",
        hex(backgroundColour), "\"/>\n");
    paintPicture(picture, {segment, dot, circle, textElement, &svg});
    text += "</svg>\n";
    return text;
}

} // namespace geom
