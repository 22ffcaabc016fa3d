#include "picture/walk.h"

#include "picture/glyphs.h"

namespace geom {

namespace {

constexpr float dotSize = 4.0f;       // pixels
constexpr double lineReach = 100.0;   // times the direction, on each side of the origin
constexpr float nameHeight = 14.0f;   // pixels, of a capital
constexpr double nameDistance = 16.0; // pixels from a vertex to the middle of its name
constexpr Colour nameColour = Colour::Black;
constexpr Rgb openGlInitialColour{1.0f, 1.0f, 1.0f};

Place placeOf(Point p) {
    return {p.x, p.y};
}

// The colour in force as the walk goes, the camera and the painter.
struct Walk {
    const Painter& painter;
    Camera camera;
    Rgb colour = openGlInitialColour;

    // Makes c the colour in force; a colour outside the palette leaves the one there is.
    Rgb setColour(Colour c) {
        colour = paletteEntry(c).value_or(colour);
        return colour;
    }

    void drawCircle(Circle k) {
        painter.outline(k.centre, k.radius, k.radius, setColour(k.colour), painter.context);
    }

    // A line is drawn as the part of it 100 times its direction on each side of its origin.
    void drawLine(Line l) {
        const auto reach = [](float origin, float direction, double sign) {
            return double(
                static_cast<float>(double(origin) + sign * lineReach * double(direction)));
        };
        const Point o = l.origin, d = l.direction;
        painter.segment({reach(o.x, d.x, 1.0), reach(o.y, d.y, 1.0)},
                        {reach(o.x, d.x, -1.0), reach(o.y, d.y, -1.0)}, setColour(l.colour),
                        painter.context);
    }

    // Its line, then a dot on each end over it.
    void drawSegment(Segment g) {
        const Rgb rgb = setColour(g.colour);
        painter.segment(placeOf(g.from), placeOf(g.to), rgb, painter.context);
        painter.dot(placeOf(g.from), dotSize, rgb, painter.context);
        painter.dot(placeOf(g.to), dotSize, rgb, painter.context);
    }

    void drawDot(Point p) {
        painter.dot(placeOf(p), dotSize, setColour(p.colour), painter.context);
    }

    void drawEllipse(Ellipse e) {
        painter.outline(e.centre, e.radiusX, e.radiusY, setColour(e.colour), painter.context);
    }

    // The name a fixed number of pixels out of its figure, whatever the figure's scale.
    void drawLabel(Label l) {
        const double perPixel = 1.0 / pixelsPerUnit(camera);
        const Place at{l.vertex.x + l.away.x * nameDistance * perPixel,
                       l.vertex.y + l.away.y * nameDistance * perPixel};
        const Rgb rgb = setColour(nameColour);
        if (painter.text) {
            painter.text(at, nameHeight, l.name, rgb, painter.context);
            return;
        }
        const double size = nameHeight * perPixel;
        for (const Stroke& s : nameStrokes(l.name)) {
            painter.segment({at.x + s.x0 * size, at.y + s.y0 * size},
                            {at.x + s.x1 * size, at.y + s.y1 * size}, rgb, painter.context);
        }
    }
};

} // namespace

void paintScene(const Scene& scene, Camera camera, const Painter& painter) {
    Walk walk{painter, camera};
    for (const Circle& k : scene.circles) {
        walk.drawCircle(k);
    }
    for (const Line& l : scene.lines) {
        walk.drawLine(l);
    }
    for (const Segment& g : scene.segments) {
        walk.drawSegment(g);
    }
    for (const Point& p : scene.points) {
        walk.drawDot(p);
    }
    for (const Ellipse& e : scene.ellipses) {
        walk.drawEllipse(e);
    }
    for (const Label& l : scene.labels) {
        walk.drawLabel(l);
    }
}

} // namespace geom
