// What the page asks of the programs, in WebAssembly: a dialogue on the numbers typed, its report
// as the console prints it but for the prompts, or its refusal, and the picture as its SVG.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

#include <emscripten/emscripten.h>

#include <cstring>
#include <string>

namespace {

// The last answer, kept for the page to read.
std::string answer;

} // namespace

// Runs trimap's or paraquad's dialogue on `input` and answers "1" or "0" for whether it
// accepted, the report or the refusal, and the picture's SVG (empty on a refusal), separated by
// the record separator, which none of them holds. The names of the vertices are drawn when
// `labels` is not 0.
extern "C" EMSCRIPTEN_KEEPALIVE const char* compute(const char* program, const char* input,
                                                    int labels) {
    const geom::Tool& tool = std::strcmp(program, "paraquad") == 0 ? geom::paraquad : geom::trimap;
    geom::Conversation said = geom::converse(tool, input);
    if (labels == 0) {
        said.scene.labels.clear();
    }
    const std::string picture =
        said.accepted ? geom::sceneSvg(said.scene, geom::fitCamera(said.scene.box)) : "";
    answer = (said.accepted ? "1" : "0") + std::string(1, '\x1e') + said.report + '\x1e' + picture;
    return answer.c_str();
}
