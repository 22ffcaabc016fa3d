// The floor for the programs' start-up: the viewer's own window showing the floor's picture.
// Built a second time with CLEAR_ONLY, it shows an empty scene, so each frame only clears.
#include "floor_scene.h"
#include "viewer.h"

int main(int argc, char** argv) {
#ifndef CLEAR_ONLY
    addFloorFigures();
#endif
    runViewer(argc, argv);
}
