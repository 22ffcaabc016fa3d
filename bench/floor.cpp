// The start-up floors: the viewer's own window showing the floor's picture, or given a file, that
// picture as a PNG. Built with CLEAR_ONLY=1, the window shows an empty scene: frames only clear.
#include "floor_scene.h"
#include "picture/picture_file.h"
#include "picture/window.h"

int main(int argc, char** argv) {
    const geom::Scene shown = CLEAR_ONLY ? geom::Scene{} : floorScene();
    const geom::Camera camera = geom::fitCamera(shown.box);
    if (argc == 2) {
        return geom::savePicture(shown, camera, argv[1], geom::PictureFormat::Png, stderr) ? 0 : 1;
    }
    geom::runViewer(shown, camera, argc, argv);
}
