#include "svg_writer.h"

#include "camera.h"
#include "palette.h"
#include "viewer.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

constexpr double dotSize = 4.0; // pixels, as the window draws them
constexpr Rgb openGlInitialColour{1.0f, 1.0f, 1.0f};

struct Svg {
    Camera camera;
    double scale; // pixels per unit of the plane
    Rgb colour;   // in force: a shape outside the palette keeps it, as on screen
    std::string text;
};

[[gnu::format(printf, 2, 3)]] void append(Svg& svg, const char* format, ...) {
    std::va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    const auto size = static_cast<std::size_t>(std::vsnprintf(nullptr, 0, format, arguments));
    const std::size_t end = svg.text.size();
    svg.text.resize(end + size + 1);
    std::vsnprintf(svg.text.data() + end, size + 1, format, again);
    svg.text.resize(end + size); // drops the terminating nul
    va_end(again);
    va_end(arguments);
}

// As an 8-bit framebuffer stores it: scaled in float, rounded to the nearest, ties to even.
long channel(float c) {
    return std::lrint(c * 255.0f);
}

std::string hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02lx%02lx%02lx", channel(c.r), channel(c.g), channel(c.b));
    return text;
}

// The colour a shape of colour c is painted in.
std::string paint(Svg& svg, Colour c) {
    if (const auto rgb = paletteEntry(c)) {
        svg.colour = *rgb;
    }
    return hex(svg.colour);
}

// %.9g round-trips a float; the window positions are doubles, and these digits place them well
// inside a pixel.
void line(Svg& svg, Point from, Point to, const std::string& colour) {
    const WindowPoint a = toWindow(svg.camera, from.x, from.y);
    const WindowPoint b = toWindow(svg.camera, to.x, to.y);
    append(svg, "<line x1=\"%.9g\" y1=\"%.9g\" x2=\"%.9g\" y2=\"%.9g\" stroke=\"%s\"/>\n", a.x, a.y,
           b.x, b.y, colour.c_str());
}

void dot(Svg& svg, Point p, const std::string& colour) {
    const WindowPoint at = toWindow(svg.camera, p.x, p.y);
    append(svg, "<rect x=\"%.9g\" y=\"%.9g\" width=\"%g\" height=\"%g\" fill=\"%s\"/>\n",
           at.x - dotSize / 2, at.y - dotSize / 2, dotSize, dotSize, colour.c_str());
}

void circle(Svg& svg, Circle c) {
    const WindowPoint at = toWindow(svg.camera, c.centre.x, c.centre.y);
    const std::string colour = paint(svg, c.colour);
    append(svg, "<circle cx=\"%.9g\" cy=\"%.9g\" r=\"%.9g\" stroke=\"%s\"/>\n", at.x, at.y,
           double(c.radius) * svg.scale, colour.c_str());
}

void ellipse(Svg& svg, Ellipse e) {
    const WindowPoint at = toWindow(svg.camera, e.centre.x, e.centre.y);
    const std::string colour = paint(svg, e.colour);
    append(svg, "<ellipse cx=\"%.9g\" cy=\"%.9g\" rx=\"%.9g\" ry=\"%.9g\" stroke=\"%s\"/>\n", at.x,
           at.y, double(e.radiusX) * svg.scale, double(e.radiusY) * svg.scale, colour.c_str());
}

} // namespace

std::string sceneSvg() {
    const Camera camera = fitCamera(scene.box);
    Svg svg{camera, pixelsPerUnit(camera), openGlInitialColour, {}};
    // Crisp edges, as the window draws without smoothing; outlines are 1 pixel wide and unfilled.
    append(svg,
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
           "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\" fill=\"none\" "
           "stroke-width=\"1\">\n<title>%s</title>\n",
           windowWidth, windowHeight, windowWidth, windowHeight, windowTitle);
    append(svg, "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", windowWidth, windowHeight,
           hex(backgroundColour).c_str());
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
