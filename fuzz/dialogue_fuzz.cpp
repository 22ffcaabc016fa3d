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

bool finite(DoublePoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Draws nothing; every number the walk hands a painter must be finite.
const Painter checking{
    [](DoublePoint from, DoublePoint to, Rgb, const void*) {
        require(finite(from) && finite(to), "a segment");
    },
    [](DoublePoint at, float, Rgb, const void*) { require(finite(at), "a dot"); },
    [](Circle c, Rgb, const void*) {
        require(isFinite(c.centre) && std::isfinite(c.radius), "a circle");
    },
    [](DoublePoint at, float, const char*, Rgb, const void*) { require(finite(at), "a name"); },
    nullptr};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const Program& program = data[0] == 'p' ? paraquad : trimap;
    Decision decision =
        converse(program, std::string(reinterpret_cast<const char*>(data) + 1, size - 1)).decision;
    if (decision.verdict != Verdict::Accepted) {
        return 0;
    }
    Picture& picture = decision.picture;
    require(canDraw(picture), "the picture cannot be drawn");
    for (const VertexName& name : picture.scene.names) {
        require(isFinite(name.vertex) && isFinite(name.away), "a name's place");
    }
    picture.names = true;
    paintPicture(picture, checking);
    const std::string svg = pictureSvg(picture);
    require(svg.find("nan") == std::string::npos && svg.find("inf") == std::string::npos,
            "the SVG holds a number that is not finite");
    return 0;
}
