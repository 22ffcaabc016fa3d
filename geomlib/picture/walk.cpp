#include "picture/walk.h"

namespace geom {

namespace {

constexpr float dotSize = 4.0f;     // pixels
constexpr double lineReach = 100.0; // times the direction, on each side of the origin
constexpr Rgb openGlInitialColour{1.0f, 1.0f, 1.0f};

// The colour in force as the walk goes, and the painter it paints with.
struct Walk {
    const Painter& painter;
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
            return static_cast<float>(double(origin) + sign * lineReach * double(direction));
        };
        const Point o = l.origin, d = l.direction;
        painter.segment({reach(o.x, d.x, 1.0), reach(o.y, d.y, 1.0)},
                        {reach(o.x, d.x, -1.0), reach(o.y, d.y, -1.0)}, setColour(l.colour),
                        painter.context);
    }

    // Its line, then a dot on each end over it.
    void drawSegment(Segment g) {
        const Rgb rgb = setColour(g.colour);
        painter.segment(g.from, g.to, rgb, painter.context);
        painter.dot(g.from, dotSize, rgb, painter.context);
        painter.dot(g.to, dotSize, rgb, painter.context);
    }

    void drawDot(Point p) { painter.dot(p, dotSize, setColour(p.colour), painter.context); }

    void drawEllipse(Ellipse e) {
        painter.outline(e.centre, e.radiusX, e.radiusY, setColour(e.colour), painter.context);
    }
};

} // namespace

void paintScene(const Scene& scene, const Painter& painter) {
    Walk walk{painter};
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
}

} // namespace geom
