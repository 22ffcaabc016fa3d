// What the page asks of the programs, in WebAssembly: a dialogue on the text typed, its report as
// the console prints it but for the prompts, or its refusal, the picture as its SVG, and the words
// the dialogue read, from which the page makes its link.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The last answer, kept for the page to read.
std::string answer;

// A JSON string: quotes, backslashes and control bytes escaped, any other byte as it is.
std::string json(std::string_view text) {
    std::string quoted = "\"";
    for (const char letter : text) {
        if (letter == '"' || letter == '\\') {
            quoted += {'\\', letter};
        } else if (static_cast<unsigned char>(letter) < 0x20) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(letter));
            quoted += escape;
        } else {
            quoted += letter;
        }
    }
    return quoted + '"';
}

} // namespace

// Runs trimap's or paraquad's dialogue on the `length` bytes at `input`, NULs and all, and answers
// a JSON object: whether it accepted, the report or the refusal, the picture's SVG (empty on a
// refusal) and the words it read. The names of the vertices are drawn when `names` is not 0.
extern "C" EMSCRIPTEN_KEEPALIVE const char* compute(const char* program, const char* input,
                                                    std::size_t length, int names) {
    const geom::Program& chosen =
        std::string_view(program) == "paraquad" ? geom::paraquad : geom::trimap;
    geom::Conversation said = geom::converse(chosen, std::string(input, length));
    geom::Decision& decision = said.decision;
    const bool accepted = decision.verdict == geom::Verdict::Accepted;
    decision.picture.names = names != 0;
    const std::string picture = accepted ? geom::pictureSvg(decision.picture) : "";
    answer = "{\"accepted\":" + std::string(accepted ? "true" : "false") +
             ",\"report\":" + json(decision.report + decision.failure) +
             ",\"svg\":" + json(picture) + ",\"words\":[";
    for (std::size_t i = 0; i < said.words.size(); ++i) {
        answer += (i == 0 ? "" : ",") + json(said.words[i]);
    }
    answer += "]}";
    return answer.c_str();
}
