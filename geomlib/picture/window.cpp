#include "picture/window.h"

#include "picture/frame.h"
#include "picture/gl_painter.h"

#include <GL/freeglut.h>

namespace geom {

namespace {

constexpr int windowX = 100;
constexpr int windowY = 50;
constexpr unsigned char escapeKey = 27;

// What the window shows, for GLUT's callbacks, which take no argument of ours.
struct Shown {
    const Scene* scene;
    Camera camera;
};
Shown shown{};

void displayScene() noexcept {
    drawFrame(*shown.scene, shown.camera);
    glutSwapBuffers();
}

void reshapeView(int width, int height) noexcept {
    setProjection(shown.camera, width, height);
}

void closeOnKey(unsigned char key, int, int) noexcept {
    if (key == escapeKey || key == 'q') {
        glutLeaveMainLoop();
    }
}

} // namespace

void runViewer(const Scene& scene, Camera camera, int argc, char** argv) {
    shown = {&scene, camera};
    // Size and place first, so that a -geometry among the options can still change them.
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(windowX, windowY);
    glutInit(&argc, argv);
    // Closing the window ends the main loop, and the program then ends normally.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
    glutKeyboardFunc(closeOnKey);
    glutMainLoop();
}

} // namespace geom
