#include "drawing.h"

#include "palette.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

namespace {

struct ClipPlanes {
    double nearPlane;
    double farPlane;
};

constexpr ClipPlanes usualClipPlanes{1.0, 1000.0};
constexpr GLfloat dotSize = 4.0f;
constexpr int outlineVertices = 100;

// Set by startDrawing; the projection needs its distance, and vertices go relative to its centre.
Camera placed{0.0, 0.0, 1.0f};

// Relative to the camera's centre, taken in double: the pipeline folds the view into one
// single-precision matrix, which would lose the shape of a small figure far from the origin.
void vertex(float x, float y) {
    glVertex2f(static_cast<float>(double(x) - placed.centreX),
               static_cast<float>(double(y) - placed.centreY));
}

void vertex(Point p) {
    vertex(p.x, p.y);
}

void drawOutline(Point centre, float radiusX, float radiusY, Colour colour) {
    setColour(colour);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < outlineVertices; ++i) {
        vertex(outlinePoint(centre, radiusX, radiusY, i, outlineVertices));
    }
    glEnd();
}

// A segment's line, then a dot on each end over it.
void drawSegment(Segment segment) {
    glPointSize(dotSize);
    setColour(segment.colour);
    glBegin(GL_LINES);
    vertex(segment.from);
    vertex(segment.to);
    glEnd();
    glBegin(GL_POINTS);
    vertex(segment.from);
    vertex(segment.to);
    glEnd();
}

void drawDot(Point point) {
    setColour(point.colour);
    glPointSize(dotSize);
    glBegin(GL_POINTS);
    vertex(point);
    glEnd();
}

// The usual planes, moved out where the drawing plane at `distance` would fall outside them.
ClipPlanes clipPlanes(float distance) {
    const double d = distance;
    if (d >= 2.0 && d <= 500.0) {
        return usualClipPlanes;
    }
    return {std::min(usualClipPlanes.nearPlane, d / 2.0),
            std::max(usualClipPlanes.farPlane, 2.0 * d)};
}

} // namespace

void setColour(Colour c) {
    if (const auto rgb = paletteEntry(c)) {
        glColor3f(rgb->r, rgb->g, rgb->b);
    }
}

void startDrawing(Camera camera) {
    placed = camera;
    glClearColor(backgroundColour.r, backgroundColour.g, backgroundColour.b, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -camera.distance);
}

void reshapeView(int width, int height) {
    const int h = height == 0 ? 1 : height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, h);
    const float aspect = static_cast<float>(double(width) / double(h));
    const ClipPlanes planes = clipPlanes(placed.distance);
    gluPerspective(fieldOfViewY, double(aspect), planes.nearPlane, planes.farPlane);
}

void drawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    for (const Circle& circle : scene.circles) {
        drawCircle(circle);
    }
    for (const Line& line : scene.lines) {
        drawLine(line);
    }
    for (const Segment& segment : scene.segments) {
        drawSegment(segment);
    }
    for (const Point& point : scene.points) {
        drawDot(point);
    }
    for (const Ellipse& ellipse : scene.ellipses) {
        drawEllipse(ellipse);
    }
    glPopMatrix();
    glFlush();
}

void drawLine(Line line) {
    const Segment reach = drawnPart(line);
    setColour(line.colour);
    glBegin(GL_LINES);
    vertex(reach.from);
    vertex(reach.to);
    glEnd();
}

void drawCircle(Circle circle) {
    drawOutline(circle.centre, circle.radius, circle.radius, circle.colour);
}

void drawEllipse(Ellipse ellipse) {
    drawOutline(ellipse.centre, ellipse.radiusX, ellipse.radiusY, ellipse.colour);
}
