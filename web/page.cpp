// What the page asks of the programs, in WebAssembly: a dialogue on the numbers typed, its report
// as the console prints it but for the prompts, or its refusal, and the picture as its SVG.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// What a memory stream held when it was closed.
std::string closed(std::FILE* stream, char*& text, std::size_t& size) {
    std::fclose(stream);
    std::string held(text, size);
    std::free(text);
    return held;
}

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
    // A newline ends the input, as a console's last line would; a memory stream of no bytes at
    // all cannot be opened.
    std::string typed = std::string(input) + "\n";
    char *report = nullptr, *prompts = nullptr;
    std::size_t reportSize = 0, promptsSize = 0;
    std::FILE* in = fmemopen(typed.data(), typed.size(), "r");
    std::FILE* out = open_memstream(&report, &reportSize);
    std::FILE* asked = open_memstream(&prompts, &promptsSize);
    geom::Scene scene;
    // A failure to read or write shows in the report, the one place the page has for words.
    const bool accepted = tool.dialogue({in, asked, out, out}, scene);
    std::fclose(in);
    closed(asked, prompts, promptsSize);
    if (labels == 0) {
        scene.labels.clear();
    }
    const std::string picture = accepted ? geom::sceneSvg(scene, geom::fitCamera(scene.box)) : "";
    answer = (accepted ? "1" : "0") + std::string(1, '\x1e') + closed(out, report, reportSize) +
             '\x1e' + picture;
    return answer.c_str();
}
