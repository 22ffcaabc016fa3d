#include "picture/window.h"

#include "picture/gl_painter.h"

#include <GL/freeglut.h>

namespace geom {

namespace {

constexpr unsigned char escapeKey = 27;

// What the window shows, for GLUT's callbacks, which take no argument of ours.
const Picture* shown = nullptr;

void displayPicture() noexcept {
    drawPicture(*shown);
    glutSwapBuffers();
}

void reshapeView(int width, int height) noexcept {
    setProjection(shown->camera, width, height);
}

void closeOnKey(unsigned char key, int, int) noexcept {
    if (key == escapeKey || key == 'q') {
        glutLeaveMainLoop();
    }
}

} // namespace

void runViewer(const Picture& picture, WindowGeometry geometry, int argc, char** argv) {
    shown = &picture;
    glutInit(&argc, argv);
    glutInitWindowSize(geometry.width, geometry.height);
    // Offsets from the right or bottom, as X counts them: -0 puts that edge on the screen's.
    const int left =
        geometry.fromRight ? glutGet(GLUT_SCREEN_WIDTH) - geometry.width + geometry.x : geometry.x;
    const int top = geometry.fromBottom ? glutGet(GLUT_SCREEN_HEIGHT) - geometry.height + geometry.y
                                        : geometry.y;
    // A negative place, as of a window wider than the screen put by its right edge, is left to
    // the window manager: GLUT places no window beyond the screen's left or top edge.
    glutInitWindowPosition(geometry.placed ? left : -1, geometry.placed ? top : -1);
    // Closing the window ends the main loop, and the program then ends normally.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);
    glutDisplayFunc(displayPicture);
    glutReshapeFunc(reshapeView);
    glutKeyboardFunc(closeOnKey);
    glutMainLoop();
}

} // namespace geom
