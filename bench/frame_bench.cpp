// The cost of one frame of trimap's picture, against the floor's picture and against a frame that
// only clears, drawn by the window's drawing code in an offscreen context of the window's size.
// The three kinds take turns frame by frame, so that drift hits all alike. Prints medians and
// ratios.
#include "floor_scene.h"
#include "median.h"
#include "picture/gl_painter.h"
#include "picture/offscreen.h"
#include "picture/window_settings.h"
#include "triangle_dialogue.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace geom;

constexpr int frames = 301;

// Every frame through the picture's camera, so that the three differ only in what they draw.
double microseconds(const Scene& drawn, Camera camera) {
    const Picture picture{drawn, camera, false};
    const auto start = std::chrono::steady_clock::now();
    drawPicture(picture);
    glFinish();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main() {
    std::FILE* in = std::fopen(EXAMPLES_DIR "/trimap.txt", "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    const Decision decision =
        in && out ? trimap.decide(in, out) : Decision{Verdict::Unreadable, "", "", {}};
    for (std::FILE* stream : {in, out}) {
        if (stream) {
            std::fclose(stream);
        }
    }
    const Scene& picture = decision.picture.scene;
    const OffscreenContext offscreen;
    if (decision.verdict != Verdict::Accepted || !offscreen.failure().empty()) {
        std::fprintf(stderr, "needs examples/trimap.txt and an OpenGL context: %s\n",
                     offscreen.failure().c_str());
        return 1;
    }
    const Scene floor = floorScene();
    const Camera camera = fitCamera(picture.box);
    setProjection(camera, windowWidth, windowHeight);
    std::vector<double> pictureTimes, floorTimes, clearTimes;
    for (int i = 0; i < frames; ++i) {
        pictureTimes.push_back(microseconds(picture, camera));
        floorTimes.push_back(microseconds(floor, camera));
        clearTimes.push_back(microseconds(Scene{}, camera));
    }
    const double p = median(pictureTimes), f = median(floorTimes), c = median(clearTimes);
    std::printf("%-24s %8.1f us\n%-24s %8.1f us\n%-24s %8.1f us\n", "trimap picture frame", p,
                "floor frame", f, "clear-only frame", c);
    std::printf("picture / floor %.2fx, picture / clear-only %.2fx; medians of %d frames each\n",
                p / f, p / c, frames);
}
