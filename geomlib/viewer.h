// One GLUT window showing the scene in the plane z = 0, with a camera fitted once to its box.
#pragma once

#include "scene.h"

inline constexpr int windowWidth = 1024;
inline constexpr int windowHeight = 700;
inline constexpr const char* windowTitle = "Geometrija - prikaz zadatka";

// The eye sits at (centreX, centreY, distance) and looks down -z.
struct Camera {
    float centreX;
    float centreY;
    float distance;
};

struct ClipPlanes {
    double nearPlane;
    double farPlane;
};

// Frames the box: centred on it, at twice its larger extent measured from the origin's side.
Camera fitCamera(BoundingBox box);

// Clipping planes that keep the drawing plane, at `distance`, between them.
ClipPlanes clipPlanes(float distance);

// Loads the camera's view into the modelview matrix and keeps its distance for reshapeView.
void placeCamera(Camera camera);

// Creates the window, places the camera from the scene's box and registers the callbacks.
void openViewer(int& argc, char** argv);

// openViewer, then GLUT's main loop; GLUT ends the process when the window is closed.
void runViewer(int argc, char** argv);

// GLUT callbacks.
void reshapeView(int width, int height);
void displayScene();

void drawLine(Line line);
void drawCircle(Circle circle);
void drawEllipse(Ellipse ellipse);
