// Any input to either dialogue, in memory: nothing may crash, and every accepted figure must be a
// scene of finite values that the painters draw, names included. The first byte picks the
// program: 'p' paraquad, anything else trimap.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "picture/walk.h"
#include "triangle_dialogue.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace geom;

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "accepted, but %s\n", what);
        std::abort();
    }
}

bool finite(Place p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Draws nothing; every number the walk hands a painter must be finite.
const Painter checking{
    [](Place from, Place to, Rgb, void*) { require(finite(from) && finite(to), "a segment"); },
    [](Place at, float, Rgb, void*) { require(finite(at), "a dot"); },
    [](Point centre, float rx, float ry, Rgb, void*) {
        require(isFinite(centre) && std::isfinite(rx) && std::isfinite(ry), "an outline");
    },
    [](Place at, float, const char*, Rgb, void*) { require(finite(at), "a name"); }, nullptr};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const Tool& tool = data[0] == 'p' ? paraquad : trimap;
    const Conversation said =
        converse(tool, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (!said.accepted) {
        return 0;
    }
    require(canDraw(said.scene), "the picture cannot be drawn");
    for (const Label& name : said.scene.labels) {
        require(isFinite(name.vertex) && isFinite(name.away), "a name's place");
    }
    const Camera camera = fitCamera(said.scene.box);
    paintScene(said.scene, camera, checking);
    const std::string svg = sceneSvg(said.scene, camera);
    require(svg.find("nan") == std::string::npos && svg.find("inf") == std::string::npos,
            "the SVG holds a number that is not finite");
    return 0;
}
