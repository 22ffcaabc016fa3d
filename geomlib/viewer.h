// One GLUT window showing the scene, with the camera fitted once to its box.
#pragma once

inline constexpr const char* windowTitle = "Geometrija - prikaz zadatka";

// Opens the window and shows the scene until the window is closed by its close button, Escape or
// q. GLUT takes its own options (-display, -geometry, ...) from argv. Without a display GLUT
// prints its own message and ends the process with status 1.
void runViewer(int argc, char** argv);
