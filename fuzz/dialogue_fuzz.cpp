// Any input to either dialogue, in memory: nothing may crash, and every accepted figure must be a
// picture of finite values that the painters draw, names included: its SVG, where every place the
// walk hands a painter is written, holds no number that is not finite. The first byte picks the
// program: 'p' paraquad, anything else trimap.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

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
        require(isFinite(name.vertex) && isFinite(name.away), "a name's place is not finite");
    }
    picture.names = true;
    const std::string svg = pictureSvg(picture);
    require(svg.find("nan") == std::string::npos && svg.find("inf") == std::string::npos,
            "the SVG holds a number that is not finite");
    return 0;
}
