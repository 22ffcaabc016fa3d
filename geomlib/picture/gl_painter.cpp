#include "picture/gl_painter.h"

#include "picture/walk.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

namespace geom {

namespace {

struct ClipPlanes {
    double nearPlane;
    double farPlane;
};

constexpr ClipPlanes usualClipPlanes{1.0, 1000.0};
constexpr int circleVertices = 100;

// The usual planes, moved out where the drawing plane at `distance` would fall outside them.
ClipPlanes clipPlanes(float distance) {
    const double d = distance;
    if (d >= 2.0 && d <= 500.0) {
        return usualClipPlanes;
    }
    return {std::min(usualClipPlanes.nearPlane, d / 2.0),
            std::max(usualClipPlanes.farPlane, 2.0 * d)};
}

// Relative to the camera's centre, taken in double: the pipeline folds the view into one
// single-precision matrix, which would lose the shape of a small figure far from the origin.
void vertex(DoublePoint p, const void* camera) {
    const Camera& c = *static_cast<const Camera*>(camera);
    glVertex2f(static_cast<float>(p.x - c.centreX), static_cast<float>(p.y - c.centreY));
}

void segment(DoublePoint from, DoublePoint to, Rgb colour, const void* camera) {
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_LINES);
    vertex(from, camera);
    vertex(to, camera);
    glEnd();
}

void dot(DoublePoint at, float pixels, Rgb colour, const void* camera) {
    glPointSize(pixels);
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_POINTS);
    vertex(at, camera);
    glEnd();
}

void circle(Circle circle, Rgb colour, const void* camera) {
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < circleVertices; ++i) {
        const Point p = pointOnCircle(circle, i, circleVertices);
        vertex({p.x, p.y}, camera);
    }
    glEnd();
}

} // namespace

void setProjection(Camera camera, int width, int height) {
    const int h = height == 0 ? 1 : height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, h);
    const float aspect = static_cast<float>(double(width) / double(h));
    const ClipPlanes planes = clipPlanes(camera.distance);
    gluPerspective(fieldOfViewY, double(aspect), planes.nearPlane, planes.farPlane);
}

void drawPicture(const Picture& picture) {
    glClearColor(backgroundColour.r, backgroundColour.g, backgroundColour.b, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -picture.camera.distance);
    // Names are drawn as strokes, through segment.
    paintPicture(picture, {segment, dot, circle, nullptr, &picture.camera});
    glFlush();
}

} // namespace geom
