#include "viewer.h"

#include "drawing.h"

#include <GL/freeglut.h>

namespace {

constexpr int windowX = 100;
constexpr int windowY = 50;
constexpr unsigned char escapeKey = 27;

void displayScene() {
    drawScene();
    glutSwapBuffers();
}

void closeOnKey(unsigned char key, int, int) {
    if (key == escapeKey || key == 'q') {
        glutLeaveMainLoop();
    }
}

} // namespace

void runViewer(int argc, char** argv) {
    // Size and place first, so that a -geometry among the options can still change them.
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(windowX, windowY);
    glutInit(&argc, argv);
    // Closing the window ends the main loop, and the program then ends normally.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);
    startDrawing(fitCamera(scene.box));
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
    glutKeyboardFunc(closeOnKey);
    glutMainLoop();
}
