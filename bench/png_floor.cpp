// The floor for the PNG export: the same offscreen context and PNG encoder, with the floor's
// picture (a segment, a dot and a line loop), written to the file named.
#include "floor_scene.h"
#include "picture/picture_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }
    const geom::Scene floor = floorScene();
    return geom::savePicture(floor, geom::fitCamera(floor.box), argv[1], geom::PictureFormat::Png,
                             stderr)
               ? 0
               : 1;
}
