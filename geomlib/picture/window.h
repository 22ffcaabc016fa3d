// One GLUT window showing a picture.
#pragma once

#include "picture/picture.h"
#include "picture/window_settings.h"

namespace geom {

// Opens the window and shows the picture until the window is closed by its close button, Escape or
// q. GLUT takes its own options (-display, -iconic, ...) from argv. Without a display GLUT prints
// its own message and ends the process with status 1.
void runViewer(const Picture& picture, WindowGeometry geometry, int argc, char** argv);

} // namespace geom
