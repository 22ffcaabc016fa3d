// The viewer in a real X server: frames rendered in-process and read back pixel by pixel.
#include "screen.h"
#include "viewer.h"
#include "x_display.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

namespace {

int framesShown = 0;
std::optional<WindowInfo> window;

void countFrame() {
    displayScene();
    ++framesShown;
}

// One window per process; waits until GLUT has mapped and painted it.
bool openWindowOnce() {
    static bool open = false;
    if (open || !connectToDisplay()) {
        return open;
    }
    char name[] = "viewer_test";
    char* argv[] = {name, nullptr};
    int argc = 1;
    openViewer(argc, argv);
    glutDisplayFunc(countFrame);
    waitUntil(5.0, [] {
        glutMainLoopEvent();
        return framesShown > 0;
    });
    window = waitForWindow(connectToDisplay(), windowTitle, 5.0);
    open = framesShown > 0 && window;
    return open;
}

// Fits the camera to the scene as it stands, draws one frame and takes it off the screen.
Image render() {
    placeCamera(fitCamera(scene.box));
    reshapeView(windowWidth, windowHeight);
    displayScene();
    glFinish();
    return grabWindow(connectToDisplay(), *window);
}

class Viewer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(openWindowOnce())
            << "no X display to open the viewer on; scripts/test.sh runs the suite in Xvfb";
        scene = Scene{};
    }

    Pixel at(float x, float y) const { return project(fitCamera(scene.box), x, y); }
};

// A 4-pixel dot covers the 3x3 pixels around the pixel its centre falls in.
void expectDot(const Image& image, Pixel centre, Rgb colour) {
    EXPECT_EQ(9, countAround(image, centre, 1, colour))
        << "dot at " << centre.x << "," << centre.y << " shows " << describe(image.at(centre));
}

void expectLineThrough(const Image& image, Pixel p, Rgb colour) {
    EXPECT_GE(countAround(image, p, 1, colour), 1)
        << "near " << p.x << "," << p.y << " shows " << describe(image.at(p));
}

TEST(FitCamera, FramesTheBoxMeasuredFromTheOrigin) {
    const Camera empty = fitCamera(BoundingBox{});
    EXPECT_EQ(512.0f, empty.centreX);
    EXPECT_EQ(350.0f, empty.centreY);
    EXPECT_EQ(2048.0f, empty.distance);

    const Camera around = fitCamera({{-2, -1}, {6, 3}});
    EXPECT_EQ(2.0f, around.centreX);
    EXPECT_EQ(1.0f, around.centreY);
    EXPECT_EQ(16.0f, around.distance);

    // Width and height are high + |low|, not high - low: 6 and 6 here, not 4 and 2.
    const Camera offside = fitCamera({{1, 2}, {5, 4}});
    EXPECT_EQ(3.0f, offside.centreX);
    EXPECT_EQ(3.0f, offside.centreY);
    EXPECT_EQ(12.0f, offside.distance);
}

TEST(ClipPlanes, StayFixedUnlessTheDrawingWouldFallOutside) {
    for (const float d : {2.0f, 16.0f, 500.0f}) {
        EXPECT_EQ(1.0, clipPlanes(d).nearPlane) << d;
        EXPECT_EQ(1000.0, clipPlanes(d).farPlane) << d;
    }
    EXPECT_EQ(1.0, clipPlanes(1200.0f).nearPlane);
    EXPECT_EQ(2400.0, clipPlanes(1200.0f).farPlane);
    EXPECT_EQ(1200.0, clipPlanes(600.0f).farPlane);
    EXPECT_FLOAT_EQ(0.2f, float(clipPlanes(0.4f).nearPlane));
    EXPECT_EQ(1000.0, clipPlanes(0.4f).farPlane);
}

TEST_F(Viewer, EmptySceneShowsTheBackground) {
    const Image image = render();
    for (const Pixel p : {Pixel{0, 0}, Pixel{1023, 699}, Pixel{512, 350}}) {
        EXPECT_TRUE(looksLike(background, image.at(p))) << describe(image.at(p));
    }
}

TEST_F(Viewer, SegmentWithItsEndDots) {
    addSegment(Orange, {{-2, -1}, {6, 3}});
    const Image image = render();
    EXPECT_EQ(512, at(2, 1).x) << "the box's centre is the window's";
    expectLineThrough(image, at(2, 1), orange);
    expectLineThrough(image, at(4, 2), orange);
    expectDot(image, at(-2, -1), orange);
    expectDot(image, at(6, 3), orange);
    EXPECT_TRUE(looksLike(background, image.at(at(4, -1))));
}

TEST_F(Viewer, PointDotIsDrawnOverACircle) {
    addCircle(Blue, {{0, 0}, 2});
    addPoint(Yellow, {2, 0});
    const Image image = render();
    expectDot(image, at(2, 0), yellow);
    expectLineThrough(image, at(-2, 0), blue);
    expectLineThrough(image, at(0, 2), blue);
    EXPECT_TRUE(looksLike(background, image.at(at(0, 0))));
}

TEST_F(Viewer, ColourOutsideThePaletteKeepsTheCurrentOne) {
    addSegment(Green, {{0, 0}, {4, 0}});
    addSegment(10, {{0, 2}, {4, 2}});
    addSegment(-1, {{0, 4}, {4, 4}});
    const Image image = render();
    expectLineThrough(image, at(2, 2), green);
    expectLineThrough(image, at(2, 4), green);
}

TEST_F(Viewer, FarFigureIsNotClippedAway) {
    addSegment(Red, {{-300, -10}, {300, 10}}); // camera distance 1200, beyond 1000
    const Image image = render();
    expectLineThrough(image, at(0, 0), red);
    expectDot(image, at(300, 10), red);
}

TEST_F(Viewer, TinyFigureIsNotClippedAway) {
    addSegment(Red, {{0, 0}, {0.2f, 0.2f}}); // camera distance 0.4, nearer than 1
    const Image image = render();
    expectLineThrough(image, at(0.1f, 0.1f), red);
    expectDot(image, at(0.2f, 0.2f), red);
}

TEST_F(Viewer, ReshapeToZeroHeightUsesOneRow) {
    reshapeView(800, 0);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(1, viewport[3]);
}

} // namespace
