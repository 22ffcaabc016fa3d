// What the page asks of the C++ core on every move of a vertex, natively: trimap's dialogue on its
// example with the vertices named, its picture and the names' places, and the picture's SVG. The
// page's own rate, in Chromium, is bench/page_bench.mjs's to measure. Prints the median.
#include "median.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int updates = 2001;

} // namespace

int main() {
    std::ifstream file(EXAMPLES_DIR "/trimap.txt");
    const std::string example{std::istreambuf_iterator<char>(file), {}};
    std::vector<double> times;
    std::size_t drawn = 0;
    for (int i = 0; i < updates; ++i) {
        const auto start = std::chrono::steady_clock::now();
        geom::Decision decision = geom::converse(geom::trimap, example).decision;
        decision.picture.names = true;
        drawn += geom::pictureSvg(decision.picture).size();
        times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (drawn == 0) {
        std::fprintf(stderr, "needs examples/trimap.txt\n");
        return 1;
    }
    std::printf("%-24s %8.1f us, the median of %d\n", "one move of a vertex", median(times),
                updates);
}
