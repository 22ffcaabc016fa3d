#include "picture/walk.h"

#include "picture/glyphs.h"
#include "picture/name_places.h"

namespace geom {

namespace {

constexpr float dotSize = 4.0f;     // pixels
constexpr float nameHeight = 14.0f; // pixels, of a capital
constexpr Colour nameColour = Colour::Black;

DoublePoint doublePoint(Point p) {
    return {p.x, p.y};
}

// Its line, then a dot on each end over it.
void paintSegment(SceneSegment s, const Painter& painter) {
    const Rgb rgb = rgbOf(s.colour);
    const DoublePoint from = doublePoint(s.segment.from), to = doublePoint(s.segment.to);
    painter.segment(from, to, rgb, painter.context);
    painter.dot(from, dotSize, rgb, painter.context);
    painter.dot(to, dotSize, rgb, painter.context);
}

// The name centred on its place, a fixed size whatever the figure's scale: as text where the
// painter has it, otherwise in strokes.
void paintName(const char* name, PixelPoint place, Camera camera, const Painter& painter) {
    const double perPixel = 1.0 / pixelsPerUnit(camera);
    const DoublePoint at = fromWindow(camera, place);
    const Rgb rgb = rgbOf(nameColour);
    if (painter.text) {
        painter.text(at, nameHeight, name, rgb, painter.context);
        return;
    }
    const double size = nameHeight * perPixel;
    for (const Stroke& s : nameStrokes(name)) {
        painter.segment({at.x + s.x0 * size, at.y + s.y0 * size},
                        {at.x + s.x1 * size, at.y + s.y1 * size}, rgb, painter.context);
    }
}

} // namespace

void paintPicture(const Picture& picture, const Painter& painter) {
    const Scene& scene = picture.scene;
    for (const SceneCircle& c : scene.circles) {
        painter.circle(c.circle, rgbOf(c.colour), painter.context);
    }
    for (const SceneSegment& s : scene.segments) {
        paintSegment(s, painter);
    }
    for (const SceneDot& d : scene.dots) {
        painter.dot(doublePoint(d.at), dotSize, rgbOf(d.colour), painter.context);
    }
    if (!picture.names) {
        return;
    }
    const std::vector<PixelPoint> places = namePlaces(picture);
    for (std::size_t i = 0; i < places.size(); ++i) {
        paintName(scene.names[i].text, places[i], picture.camera, painter);
    }
}

} // namespace geom
