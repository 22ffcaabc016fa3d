// The floor for the programs' start-up: the viewer's own window showing the floor's picture.
// Built a second time with CLEAR_ONLY, it shows an empty scene, so each frame only clears.
#include "floor_scene.h"
#include "picture/window.h"

int main(int argc, char** argv) {
#ifdef CLEAR_ONLY
    const geom::Scene shown;
#else
    const geom::Scene shown = floorScene();
#endif
    geom::runViewer(shown, geom::fitCamera(shown.box), argc, argv);
}
