// The cost of one displayScene frame of trimap's picture against a clear-only frame, in
// the viewer's own window. Run in an X server; prints medians and the ratio.
#include "triangle_dialogue.h"
#include "x_screen.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int frames = 301;

double medianFrameMicroseconds() {
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        displayScene();
        glFinish();
        times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::FILE* in = std::fopen(EXAMPLES_DIR "/trimap.txt", "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    if (!runTriangleDialogue(in, out, stderr) || !haveDisplay()) {
        std::fprintf(stderr, "needs an X server and examples/trimap.txt\n");
        return 2;
    }
    openViewer(argc, argv);
    waitUntil(10, [] {
        glutMainLoopEvent();
        return findWindow(windowTitle).has_value();
    });
    reshapeView(windowWidth, windowHeight);
    const double picture = medianFrameMicroseconds();
    scene = Scene{}; // nothing to draw: the frame only clears and swaps
    const double clearOnly = medianFrameMicroseconds();
    std::printf("%-22s %10.1f us\n%-22s %10.1f us\n%-22s %9.2fx\n", "trimap picture frame", picture,
                "clear-only frame", clearOnly, "ratio", picture / clearOnly);
    std::printf("medians of %d frames each\n", frames);
}
