// The viewer in a real X server with Mesa's software OpenGL: frames drawn in-process and read
// back off the screen where the camera puts each figure.
#include "x_screen.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

namespace {

TEST(Camera, FramesTheBoxMeasuredFromTheOrigin) {
    const Camera empty = fitCamera(BoundingBox{});
    EXPECT_EQ(512.0f, empty.centreX);
    EXPECT_EQ(350.0f, empty.centreY);
    EXPECT_EQ(2048.0f, empty.distance);
    EXPECT_EQ(16.0f, fitCamera({{-2, -1}, {6, 3}}).distance);
    // Width and height are high + |low| (6 and 6 here), not high - low.
    const Camera offside = fitCamera({{1, 2}, {5, 4}});
    EXPECT_EQ(3.0f, offside.centreY);
    EXPECT_EQ(12.0f, offside.distance);
}

TEST(Camera, ClipPlanesKeepTheDrawingPlaneBetweenThem) {
    for (const float d : {2.0f, 16.0f, 500.0f}) {
        EXPECT_EQ(1.0, clipPlanes(d).nearPlane);
        EXPECT_EQ(1000.0, clipPlanes(d).farPlane);
    }
    EXPECT_EQ(1.0, clipPlanes(600.0f).nearPlane);
    EXPECT_EQ(1200.0, clipPlanes(600.0f).farPlane);
    EXPECT_FLOAT_EQ(0.2f, float(clipPlanes(0.4f).nearPlane));
    EXPECT_EQ(1000.0, clipPlanes(0.4f).farPlane);
}

std::optional<WindowInfo> window;

// One viewer window per test process, shown and painted once by GLUT before use.
bool openWindow() {
    if (window || !haveDisplay()) {
        return window.has_value();
    }
    char name[] = "viewer_test";
    char* argv[] = {name, nullptr};
    int argc = 1;
    openViewer(argc, argv);
    waitUntil(5, [] {
        glutMainLoopEvent();
        return (window = findWindow(windowTitle)).has_value();
    });
    return window.has_value();
}

class Viewer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(openWindow()) << "no X display; scripts/test.sh runs the suite in Xvfb";
        scene = Scene{};
    }

    // Fits the camera to the scene as it stands, draws a frame and takes it off the screen.
    Image render() {
        camera_ = fitCamera(scene.box);
        placeCamera(camera_);
        reshapeView(windowWidth, windowHeight);
        displayScene();
        glFinish();
        return grab(*window);
    }

    Pixel at(float x, float y) const { return project(camera_, x, y); }

    Camera camera_{};
};

TEST_F(Viewer, SegmentWithFourPixelEndDotsOnTheBackground) {
    addSegment(Orange, {{-2, -1}, {6, 3}});
    const Image image = render();
    EXPECT_EQ(1, image.count({0, 0}, 0, background));
    EXPECT_EQ(512, at(2, 1).x) << "the box's centre is the window's";
    EXPECT_GE(image.count(at(4, 2), 1, orange), 1);
    EXPECT_EQ(9, image.count(at(-2, -1), 1, orange)); // a dot covers the 3x3 around its centre
    EXPECT_EQ(9, image.count(at(6, 3), 1, orange));
    EXPECT_EQ(1, image.count(at(4, -1), 0, background));
}

TEST_F(Viewer, PointDotIsDrawnOverACircle) {
    addCircle(Blue, {{0, 0}, 2});
    addPoint(Yellow, {2, 0});
    const Image image = render();
    EXPECT_EQ(9, image.count(at(2, 0), 1, yellow));
    EXPECT_GE(image.count(at(-2, 0), 1, blue), 1);
    EXPECT_GE(image.count(at(0, 2), 1, blue), 1);
}

TEST_F(Viewer, ColourOutsideThePaletteKeepsTheCurrentOne) {
    addSegment(Green, {{0, 0}, {4, 0}});
    addSegment(10, {{0, 2}, {4, 2}});
    addSegment(-1, {{0, 4}, {4, 4}});
    const Image image = render();
    EXPECT_GE(image.count(at(2, 2), 1, green), 1);
    EXPECT_GE(image.count(at(2, 4), 1, green), 1);
}

TEST_F(Viewer, FarAndTinyFiguresAreNotClippedAway) {
    addSegment(Red, {{-300, -10}, {300, 10}}); // camera distance 1200, beyond 1000
    EXPECT_EQ(9, render().count(at(300, 10), 1, red));
    scene = Scene{};
    addSegment(Red, {{0, 0}, {0.2f, 0.2f}}); // camera distance 0.4, nearer than 1
    EXPECT_EQ(9, render().count(at(0.2f, 0.2f), 1, red));
}

} // namespace
