#include "viewer.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

namespace {

struct Rgb {
    GLfloat r, g, b;
};

constexpr Rgb palette[] = {
    {1.0f, 0.0f, 0.0f}, // Red
    {0.0f, 1.0f, 0.0f}, // Green
    {0.0f, 0.0f, 1.0f}, // Blue
    {1.0f, 1.0f, 0.0f}, // Yellow
    {1.0f, 0.5f, 0.0f}, // Orange
    {1.0f, 0.0f, 1.0f}, // Magenta
    {0.0f, 1.0f, 1.0f}, // Cyan
    {0.5f, 0.0f, 0.5f}, // Purple
    {1.0f, 1.0f, 1.0f}, // White
    {0.0f, 0.0f, 0.0f}, // Black
};

struct ClipPlanes {
    double nearPlane;
    double farPlane;
};

constexpr int windowX = 100;
constexpr int windowY = 50;
constexpr Rgb clearColour{0.9f, 0.9f, 0.8f};
constexpr double fieldOfViewY = 45.0;
constexpr ClipPlanes usualClipPlanes{1.0, 1000.0};
constexpr GLfloat dotSize = 4.0f;
constexpr int outlineVertices = 100;
constexpr double lineReach = 100.0; // times the direction, on each side of the origin

// Camera distances well inside those at which Mesa's software pipeline was seen to draw every
// figure whole (about 1e-35 to 8e37); beyond those its single-precision arithmetic loses it.
constexpr float nearestDistance = 1e-32f;
constexpr float farthestDistance = 1e37f;

constexpr Camera emptySceneCamera{0.0f, 0.0f, 1.0f}; // any view of nothing shows the clear colour

// Placed once; the projection needs its distance, and vertices are drawn relative to its centre.
Camera placed = emptySceneCamera;

// Relative to the camera's centre, taken in double: the pipeline folds the view into one
// single-precision matrix, which would lose the shape of a small figure far from the origin.
void vertex(float x, float y) {
    glVertex2f(static_cast<float>(double(x) - double(placed.centreX)),
               static_cast<float>(double(y) - double(placed.centreY)));
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

float reach(float origin, float direction, double sign) {
    return static_cast<float>(double(origin) + sign * lineReach * double(direction));
}

} // namespace

void setColour(Colour c) {
    // Unsigned view: negative colours fall outside the palette too.
    const auto index = static_cast<std::uint32_t>(c);
    if (index > static_cast<std::uint32_t>(Black)) {
        return;
    }
    const Rgb rgb = palette[index];
    glColor3f(rgb.r, rgb.g, rgb.b);
}

Camera fitCamera(BoundingBox b) {
    if (isEmpty(b)) {
        return emptySceneCamera;
    }
    const float width = static_cast<float>(double(b.high.x) - double(b.low.x));
    const float height = static_cast<float>(double(b.high.y) - double(b.low.y));
    const float extent = height > width ? height : width;
    return {static_cast<float>((double(b.low.x) + double(b.high.x)) * 0.5),
            static_cast<float>((double(b.low.y) + double(b.high.y)) * 0.5),
            static_cast<float>(2.0 * double(extent))};
}

bool canDraw(Camera camera) {
    return camera.distance >= nearestDistance && camera.distance <= farthestDistance &&
           std::isfinite(camera.centreX) && std::isfinite(camera.centreY);
}

void placeCamera(Camera camera) {
    placed = camera;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -camera.distance);
}

void openViewer(int& argc, char** argv) {
    glutInit(&argc, argv);
    // Closing the window ends the main loop, and the program then ends normally.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(windowX, windowY);
    glutCreateWindow(windowTitle);
    glClearColor(clearColour.r, clearColour.g, clearColour.b, 0.0f);
    placeCamera(fitCamera(scene.box));
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
}

void runViewer(int argc, char** argv) {
    openViewer(argc, argv);
    glutMainLoop();
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
    vertex(reach(o.x, d.x, 1.0), reach(o.y, d.y, 1.0));
    vertex(reach(o.x, d.x, -1.0), reach(o.y, d.y, -1.0));
    glEnd();
}

void drawCircle(Circle circle) {
    drawOutline(circle.centre, circle.radius, circle.radius, circle.colour);
}

void drawEllipse(Ellipse ellipse) {
    drawOutline(ellipse.centre, ellipse.radiusX, ellipse.radiusY, ellipse.colour);
}
