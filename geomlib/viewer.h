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

// Makes c the current OpenGL colour; call outside glBegin/glEnd.
void setColour(Colour c);

// Frames the box: centred on it, at twice its larger extent.
Camera fitCamera(BoundingBox box);

// Whether the viewer draws what this camera frames: its distance lies in the range where the
// picture was seen whole, about 5e-33 to 5e36 across.
bool canDraw(Camera camera);

// Makes this the camera that reshapeView and displayScene use, and loads its view.
void placeCamera(Camera camera);

// Creates the window, places the camera from the scene's box and registers the callbacks.
void openViewer(int& argc, char** argv);

// openViewer, then GLUT's main loop until the window is closed. Without a display GLUT prints
// its own message and ends the process with status 1.
void runViewer(int argc, char** argv);

// GLUT callbacks.
void reshapeView(int width, int height);
void displayScene();

void drawLine(Line line);
void drawCircle(Circle circle);
void drawEllipse(Ellipse ellipse);
