// The cost of one frame of trimap's picture, against the floor's picture and against a frame that
// only clears, drawn by the window's drawing code in an offscreen context of the window's size.
// The three kinds take turns frame by frame, so that drift hits all alike. Prints medians and
// ratios.
#include "drawing.h"
#include "floor_scene.h"
#include "median.h"
#include "offscreen.h"
#include "triangle_dialogue.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int frames = 301;

double microseconds(const Scene& picture) {
    scene = picture;
    const auto start = std::chrono::steady_clock::now();
    drawScene();
    glFinish();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main() {
    std::FILE* in = std::fopen(EXAMPLES_DIR "/trimap.txt", "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    std::string error;
    if (!in || !trimap.dialogue(in, out, stderr) || !openOffscreen(error)) {
        std::fprintf(stderr, "needs examples/trimap.txt and an OpenGL context: %s\n",
                     error.c_str());
        return 1;
    }
    const Scene picture = scene;
    scene = Scene{};
    addFloorFigures();
    const Scene floor = scene;
    startDrawing(fitCamera(picture.box));
    reshapeView(windowWidth, windowHeight);
    std::vector<double> pictureTimes, floorTimes, clearTimes;
    for (int i = 0; i < frames; ++i) {
        pictureTimes.push_back(microseconds(picture));
        floorTimes.push_back(microseconds(floor));
        clearTimes.push_back(microseconds(Scene{}));
    }
    closeOffscreen();
    const double p = median(pictureTimes), f = median(floorTimes), c = median(clearTimes);
    std::printf("%-24s %8.1f us\n%-24s %8.1f us\n%-24s %8.1f us\n", "trimap picture frame", p,
                "floor frame", f, "clear-only frame", c);
    std::printf("picture / floor %.2fx, picture / clear-only %.2fx; medians of %d frames each\n",
                p / f, p / c, frames);
}
