// The start-up floors: the viewer's own window showing the floor's picture, or given a file, that
// picture as a PNG. Built with CLEAR_ONLY=1, the window shows an empty scene: frames only clear.
#include "floor_scene.h"
#include "picture/offscreen.h"
#include "picture/window.h"
#include "program/file_saving.h"

#include <cstdio>

int main(int argc, char** argv) {
    const geom::Picture shown = geom::pictureOf(CLEAR_ONLY ? geom::Scene{} : floorScene());
    if (argc == 2) {
        std::string error;
        const std::string png = geom::picturePng(shown, error);
        const auto failure = png.empty() ? error : geom::saveFile(argv[1], png);
        if (failure) {
            std::fprintf(stderr, "%s\n", failure->c_str());
        }
        return failure ? 1 : 0;
    }
    geom::runViewer(shown, geom::defaultWindow, argc, argv);
}
