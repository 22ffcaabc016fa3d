// The floor for the PNG export: the same offscreen context and PNG writer, with the floor's
// picture (a segment, a dot and a line loop), written to the file named.
#include "floor_scene.h"
#include "picture_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }
    addFloorFigures();
    return savePicture(argv[1], PictureFormat::Png, stderr) ? 0 : 1;
}
