#include "viewer.h"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int windowX = 100;
constexpr int windowY = 50;
constexpr double fieldOfViewY = 45.0;
constexpr ClipPlanes usualClipPlanes{1.0, 1000.0};
constexpr GLfloat dotSize = 4.0f;
constexpr int outlineVertices = 100;
constexpr double lineReach = 100.0; // times the direction, on each side of the origin

// The camera is fitted once; the projection, set on every reshape, needs its distance.
float cameraDistance = 0.0f;

void vertex(Point p) {
    glVertex2f(p.x, p.y);
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

float reach(float origin, float direction, double sign) {
    return static_cast<float>(double(origin) + sign * lineReach * double(direction));
}

} // namespace

Camera fitCamera(BoundingBox b) {
    // Not high - low: these equal the box's size only where low is zero or negative.
    const float width = static_cast<float>(double(b.high.x) + std::fabs(double(b.low.x)));
    const float height = static_cast<float>(double(b.high.y) + std::fabs(double(b.low.y)));
    const float extent = height > width ? height : width;
    return {static_cast<float>((double(b.low.x) + double(b.high.x)) * 0.5),
            static_cast<float>((double(b.low.y) + double(b.high.y)) * 0.5),
            static_cast<float>(2.0 * double(extent))};
}

ClipPlanes clipPlanes(float distance) {
    const double d = distance;
    if (d >= 2.0 && d <= 500.0) {
        return usualClipPlanes;
    }
    return {std::min(usualClipPlanes.nearPlane, d / 2.0),
            std::max(usualClipPlanes.farPlane, 2.0 * d)};
}

void placeCamera(Camera camera) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-camera.centreX, -camera.centreY, -camera.distance);
    cameraDistance = camera.distance;
}

void openViewer(int& argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(windowX, windowY);
    glutCreateWindow(windowTitle);
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
    placeCamera(fitCamera(scene.box));
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
}

void runViewer(int argc, char** argv) {
    // The printed report must reach a pipe even if the process is ended while the window is open.
    std::fflush(stdout);
    openViewer(argc, argv);
    glutMainLoop();
}

void reshapeView(int width, int height) {
    const int h = height == 0 ? 1 : height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, h);
    const float aspect = static_cast<float>(double(width) / double(h));
    const ClipPlanes planes = clipPlanes(cameraDistance);
    gluPerspective(fieldOfViewY, double(aspect), planes.nearPlane, planes.farPlane);
}

void displayScene() {
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
    glutSwapBuffers();
}

void drawLine(Line line) {
    const Point o = line.origin, d = line.direction;
    setColour(line.colour);
    glBegin(GL_LINES);
    glVertex2f(reach(o.x, d.x, 1.0), reach(o.y, d.y, 1.0));
    glVertex2f(reach(o.x, d.x, -1.0), reach(o.y, d.y, -1.0));
    glEnd();
}

void drawCircle(Circle circle) {
    drawOutline(circle.centre, circle.radius, circle.radius, circle.colour);
}

void drawEllipse(Ellipse ellipse) {
    drawOutline(ellipse.centre, ellipse.radiusX, ellipse.radiusY, ellipse.colour);
}
