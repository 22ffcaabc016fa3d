// The floor of any such program: the viewer's window opened the same way, only cleared.
// Built a second time with DRAW_ONE_SEGMENT, it also draws one segment and one dot, which is
// what makes Mesa's software rasteriser compile its line and point pipelines.
#include "viewer.h"

#include <GL/glut.h>

namespace {

void clearFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
#ifdef DRAW_ONE_SEGMENT
    glBegin(GL_LINES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.5f, 0.5f);
    glEnd();
    glBegin(GL_POINTS);
    glVertex2f(0.0f, 0.0f);
    glEnd();
#endif
    glFlush();
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(100, 50); // as the viewer's
    glutCreateWindow(windowTitle);
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f); // as the viewer's
    glutDisplayFunc(clearFrame);
    glutMainLoop();
}
