// The cost of one displayScene frame of trimap's picture, against the floor's picture and against
// a frame that only clears, in the viewer's own window. The three kinds take turns frame by frame,
// so that drift hits all alike. Run in an X server; prints medians and ratios.
#include "floor_scene.h"
#include "median.h"
#include "triangle_dialogue.h"
#include "x_screen.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int frames = 301;

double microseconds(const Scene& picture) {
    scene = picture;
    const auto start = std::chrono::steady_clock::now();
    displayScene();
    glFinish();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    std::FILE* in = std::fopen(EXAMPLES_DIR "/trimap.txt", "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    if (!runTriangleDialogue(in, out, stderr) || !haveDisplay()) {
        std::fprintf(stderr, "needs an X server and examples/trimap.txt\n");
        return 2;
    }
    const Scene picture = scene;
    scene = Scene{};
    addFloorFigures();
    const Scene floor = scene;
    scene = picture;
    openViewer(argc, argv);
    waitUntil(10, [] {
        glutMainLoopEvent();
        return findWindow(windowTitle).has_value();
    });
    reshapeView(windowWidth, windowHeight);
    std::vector<double> pictureTimes, floorTimes, clearTimes;
    for (int i = 0; i < frames; ++i) {
        pictureTimes.push_back(microseconds(picture));
        floorTimes.push_back(microseconds(floor));
        clearTimes.push_back(microseconds(Scene{}));
    }
    const double p = median(pictureTimes), f = median(floorTimes), c = median(clearTimes);
    std::printf("%-24s %8.1f us\n%-24s %8.1f us\n%-24s %8.1f us\n", "trimap picture frame", p,
                "floor frame", f, "clear-only frame", c);
    std::printf("picture / floor %.2fx, picture / clear-only %.2fx; medians of %d frames each\n",
                p / f, p / c, frames);
}
