// One GLUT window showing a scene, through a camera fitted once to it.
#pragma once

#include "picture/camera.h"
#include "picture/frame.h"
#include "picture/scene.h"

namespace geom {

// Opens the window and shows the scene until the window is closed by its close button, Escape or
// q. GLUT takes its own options (-display, -iconic, ...) from argv. Without a display GLUT prints
// its own message and ends the process with status 1.
void runViewer(const Scene& scene, Camera camera, WindowGeometry geometry, int argc, char** argv);

} // namespace geom
