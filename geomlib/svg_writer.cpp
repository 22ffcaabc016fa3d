#include "svg_writer.h"

#include "camera.h"
#include "palette.h"
#include "viewer.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

namespace {

constexpr double dotSize = 4.0; // pixels, as the window draws them
constexpr Rgb openGlInitialColour{1.0f, 1.0f, 1.0f};

struct Svg {
    Camera camera;
    double scale; // pixels per unit of the plane
    Rgb colour;   // in force: a shape outside the palette keeps it, as on screen
    std::string text;
};

void append(std::string& text, std::string_view piece) {
    text += piece;
}

// With nine significant digits, as %.9g writes them: enough to round-trip a float, and to place
// a window position well inside a pixel.
void append(std::string& text, double value) {
    char digits[32];
    text.append(digits,
                std::to_chars(digits, std::end(digits), value, std::chars_format::general, 9).ptr);
}

// Appends each piece in turn: text as it is, numbers in digits.
template <typename... Pieces> void put(Svg& svg, const Pieces&... pieces) {
    (append(svg.text, pieces), ...);
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

// The colour a shape of colour c is painted in.
std::string paint(Svg& svg, Colour c) {
    if (const auto rgb = paletteEntry(c)) {
        svg.colour = *rgb;
    }
    return hex(svg.colour);
}

void line(Svg& svg, Point from, Point to, const std::string& colour) {
    const WindowPoint a = toWindow(svg.camera, from.x, from.y);
    const WindowPoint b = toWindow(svg.camera, to.x, to.y);
    put(svg, "<line x1=\"", a.x, "\" y1=\"", a.y, "\" x2=\"", b.x, "\" y2=\"", b.y, "\" stroke=\"",
        colour, "\"/>\n");
}

void dot(Svg& svg, Point p, const std::string& colour) {
    const WindowPoint at = toWindow(svg.camera, p.x, p.y);
    put(svg, "<rect x=\"", at.x - dotSize / 2, "\" y=\"", at.y - dotSize / 2, "\" width=\"",
        dotSize, "\" height=\"", dotSize, "\" fill=\"", colour, "\"/>\n");
}

void circle(Svg& svg, Circle c) {
    const WindowPoint at = toWindow(svg.camera, c.centre.x, c.centre.y);
    const std::string colour = paint(svg, c.colour);
    put(svg, "<circle cx=\"", at.x, "\" cy=\"", at.y, "\" r=\"", double(c.radius) * svg.scale,
        "\" stroke=\"", colour, "\"/>\n");
}

void ellipse(Svg& svg, Ellipse e) {
    const WindowPoint at = toWindow(svg.camera, e.centre.x, e.centre.y);
    const std::string colour = paint(svg, e.colour);
    put(svg, "<ellipse cx=\"", at.x, "\" cy=\"", at.y, "\" rx=\"", double(e.radiusX) * svg.scale,
        "\" ry=\"", double(e.radiusY) * svg.scale, "\" stroke=\"", colour, "\"/>\n");
}

} // namespace

std::string sceneSvg() {
    const Camera camera = fitCamera(scene.box);
    Svg svg{camera, pixelsPerUnit(camera), openGlInitialColour, {}};
    const double width = windowWidth, height = windowHeight;
    // Crisp edges, as the window draws without smoothing; outlines are 1 pixel wide and unfilled.
    put(svg,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ",
        "width=\"", width, "\" height=\"", height, "\" viewBox=\"0 0 ", width, " ", height,
        "\" shape-rendering=\"crispEdges\" fill=\"none\" stroke-width=\"1\">\n<title>", windowTitle,
        "</title>\n<rect width=\"", width, "\" height=\"", height, "\" fill=\"",
        hex(backgroundColour), "\"/>\n");
    for (const Circle& c : scene.circles) {
        circle(svg, c);
    }
    for (const Line& l : scene.lines) {
        const Segment reach = drawnPart(l);
        line(svg, reach.from, reach.to, paint(svg, l.colour));
    }
    for (const Segment& s : scene.segments) {
        const std::string colour = paint(svg, s.colour);
        line(svg, s.from, s.to, colour);
        dot(svg, s.from, colour);
        dot(svg, s.to, colour);
    }
    for (const Point& p : scene.points) {
        dot(svg, p, paint(svg, p.colour));
    }
    for (const Ellipse& e : scene.ellipses) {
        ellipse(svg, e);
    }
    svg.text += "</svg>\n";
    return svg.text;
}
