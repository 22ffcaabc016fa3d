// Any input to either dialogue (a first byte 'p' picks paraquad): no crash, and an accepted figure
// is drawable, its names' places and every number of its SVG finite.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace geom;
    const Program& program = size > 0 && data[0] == 'p' ? paraquad : trimap;
    const std::size_t first = size > 0 ? 1 : 0; // the byte that picks the program
    Decision decision =
        converse(program, std::string(reinterpret_cast<const char*>(data) + first, size - first))
            .decision;
    if (decision.verdict != Verdict::Accepted) {
        return 0;
    }
    Picture& picture = decision.picture;
    bool finite = true;
    for (const VertexName& name : picture.scene.names) {
        finite = finite && isFinite(name.vertex) && isFinite(name.away);
    }
    picture.names = true;
    const std::string svg = pictureSvg(picture);
    if (!canDraw(picture) || !finite || svg.find("nan") != std::string::npos ||
        svg.find("inf") != std::string::npos) {
        std::fputs("accepted, but not drawable, or a name or a number of its SVG not finite\n",
                   stderr);
        std::abort();
    }
    return 0;
}
