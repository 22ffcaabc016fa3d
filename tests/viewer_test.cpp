// The viewer in a real X server with Mesa's software OpenGL: frames drawn in-process and read
// back off the screen where the camera puts each figure.
#include "x_screen.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Camera, FramesALargerExtentWhollyOnTheNegativeSide) {
    const Camera negative = fitCamera({{-10, -1}, {-2, 1}});
    EXPECT_EQ(-6.0f, negative.centreX);
    EXPECT_EQ(16.0f, negative.distance);
}

class Viewer : public testing::Test {
  protected:
    // One viewer window for the whole suite, shown and painted once by GLUT before use.
    static void SetUpTestSuite() {
        if (haveDisplay()) {
            char name[] = "viewer_test";
            char* argv[] = {name, nullptr};
            int argc = 1;
            openViewer(argc, argv);
            waitUntil(5, [] {
                glutMainLoopEvent();
                return (window = findWindow(windowTitle)).has_value();
            });
        }
    }

    void SetUp() override {
        ASSERT_TRUE(window) << "no X display; scripts/test.sh runs the suite in Xvfb";
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

    int count(const Image& image, float x, float y, int radius, Rgb colour) const {
        return image.count(project(camera_, x, y), radius, colour);
    }

    static inline std::optional<WindowInfo> window;
    Camera camera_{};
};

// Off the origin, the box's centre is the window's.
TEST_F(Viewer, SegmentWithFourPixelEndDotsOnTheBackground) {
    addSegment(Orange, {{998, 999}, {1006, 1003}});
    const Image image = render();
    EXPECT_EQ(1, image.count({0, 0}, 0, background));
    EXPECT_EQ(Pixel({512, 350}), project(camera_, 1002, 1001));
    EXPECT_GE(count(image, 1004, 1002, 1, orange), 1);
    EXPECT_EQ(9, count(image, 998, 999, 1, orange)); // a dot covers the 3x3 around its centre
    EXPECT_EQ(9, count(image, 1006, 1003, 1, orange));
    EXPECT_EQ(1, count(image, 1004, 999, 0, background));
}

TEST_F(Viewer, PointDotIsDrawnOverACircle) {
    addCircle(Blue, {{0, 0}, 2});
    addPoint(Yellow, {2, 0});
    const Image image = render();
    EXPECT_EQ(9, count(image, 2, 0, 1, yellow));
    EXPECT_GE(count(image, -2, 0, 1, blue), 1);
    EXPECT_GE(count(image, 0, 2, 1, blue), 1);
}

TEST_F(Viewer, ColourOutsideThePaletteKeepsTheCurrentOne) {
    addSegment(Green, {{0, 0}, {4, 0}});
    addSegment(10, {{0, 2}, {4, 2}});
    addSegment(-1, {{0, 4}, {4, 4}});
    const Image image = render();
    EXPECT_GE(count(image, 2, 2, 1, green), 1);
    EXPECT_GE(count(image, 2, 4, 1, green), 1);
}

TEST_F(Viewer, LineReachesAHundredTimesItsDirectionEachWay) {
    scene.lines.push_back({{2, 1}, {0.4f, 0.2f}, Magenta}); // from (-38, -19) to (42, 21)
    scene.box = {{-40, -20}, {44, 22}};
    const Image image = render();
    EXPECT_GE(count(image, 41, 20.5f, 1, magenta), 1);
    EXPECT_GE(count(image, -37, -18.5f, 1, magenta), 1);
    EXPECT_EQ(9, count(image, 43, 21.5f, 1, background));
    EXPECT_EQ(9, count(image, -39, -19.5f, 1, background));
}

TEST_F(Viewer, EllipseHasItsOwnHalfAxes) {
    scene.ellipses.push_back({{3, 1}, 8, 2, Purple});
    scene.box = {{-6, -8}, {12, 10}};
    const Image image = render();
    for (const auto& [x, y] : {std::pair{11.0f, 1.0f}, {-5, 1}, {3, 3}, {3, -1}}) {
        EXPECT_GE(count(image, x, y, 1, purple), 1) << x << ", " << y;
    }
    EXPECT_EQ(9, count(image, 3, 9, 1, background));
}

TEST_F(Viewer, EmptySceneShowsTheClearColour) {
    const Image image = render();
    EXPECT_EQ(windowWidth * windowHeight, image.count({512, 350}, 512, background));
}

TEST_F(Viewer, ReshapeToHeightZeroKeepsOnePixel) {
    reshapeView(800, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(1, viewport[3]);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(float(1.0 / std::tan(M_PI / 8.0) / 800.0), projection[0]); // aspect 800
}

} // namespace
