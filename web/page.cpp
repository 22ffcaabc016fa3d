// What the page asks of the programs, in WebAssembly: a dialogue on the text typed, its report as
// the console prints it but for the prompts, or its refusal, the picture as its SVG, and the words
// the dialogue read, from which the page makes its link.
#include "parallelogram_dialogue.h"
#include "picture/svg_painter.h"
#include "triangle_dialogue.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

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

// A number as JSON holds it, to the last digit.
std::string json(double value) {
    return geom::formatted("%.17g", value);
}

// The coordinate written with no more digits than a pixel of `pixel` units resolves: rounded to
// the largest power of ten within it.
std::string toPixel(double value, double pixel) {
    const int exponent = static_cast<int>(std::floor(std::log10(pixel)));
    if (exponent >= 0) {
        return geom::formatted("%.0f", std::round(value / std::pow(10.0, exponent)) *
                                           std::pow(10.0, exponent));
    }
    return geom::formatted("%.*f", -exponent, value);
}

// The answer in memory of its own, which the page reads and frees.
char* handedOver(const std::string& answer) {
    return strdup(answer.c_str());
}

} // namespace

// Runs trimap's or paraquad's dialogue on the `length` bytes at `input`, NULs and all, and answers
// a JSON object: whether it accepted, the report or the refusal, the picture's SVG (empty on a
// refusal), the words it read, and, for an accepted figure, its camera (its centre and distance)
// and each named vertex: where it stands in the picture, in window pixels, and its name. The names
// are drawn when `names` is not 0. While a vertex is dragged, `held` keeps the camera given
// (centreX, centreY, distance) rather than the one fitted to the figure, so that the picture stays
// still under the pointer.
extern "C" EMSCRIPTEN_KEEPALIVE char* compute(const char* program, const char* input,
                                              std::size_t length, int names, int held,
                                              double centreX, double centreY, double distance) {
    const geom::Program& chosen =
        std::string_view(program) == "paraquad" ? geom::paraquad : geom::trimap;
    geom::Conversation said = geom::converse(chosen, std::string(input, length));
    geom::Decision& decision = said.decision;
    const bool accepted = decision.verdict == geom::Verdict::Accepted;
    geom::Picture& picture = decision.picture;
    picture.names = names != 0;
    if (held != 0) {
        picture.camera = {centreX, centreY, static_cast<float>(distance)};
    }
    const geom::Camera camera = picture.camera;
    std::string answer = "{\"accepted\":" + std::string(accepted ? "true" : "false") +
                         ",\"report\":" + json(decision.report + decision.failure) +
                         ",\"svg\":" + json(accepted ? geom::pictureSvg(picture) : "") +
                         ",\"words\":[";
    for (std::size_t i = 0; i < said.words.size(); ++i) {
        answer += (i == 0 ? "" : ",") + json(said.words[i]);
    }
    answer += "]";
    if (!accepted) {
        return handedOver(answer + "}");
    }
    answer += ",\"camera\":{\"x\":" + json(camera.centreX) + ",\"y\":" + json(camera.centreY) +
              ",\"distance\":" + json(camera.distance) + "},\"vertices\":[";
    for (std::size_t i = 0; i < picture.scene.names.size(); ++i) {
        const geom::Point v = picture.scene.names[i].vertex;
        const geom::PixelPoint at = geom::toWindow(camera, v.x, v.y);
        answer += (i == 0 ? "[" : ",[") + json(at.x) + "," + json(at.y) + "," +
                  json(picture.scene.names[i].text) + "]";
    }
    return handedOver(answer + "]}");
}

// The plane point that lands on the picture's pixel (x, y) through the camera (centreX, centreY,
// distance), as the two words a vertex put there is typed with, in a JSON array.
extern "C" EMSCRIPTEN_KEEPALIVE char* placeAt(double x, double y, double centreX, double centreY,
                                              double distance) {
    const geom::Camera camera{centreX, centreY, static_cast<float>(distance)};
    const geom::DoublePoint at = geom::fromWindow(camera, {x, y});
    const double pixel = 1.0 / geom::pixelsPerUnit(camera);
    return handedOver("[" + json(toPixel(at.x, pixel)) + "," + json(toPixel(at.y, pixel)) + "]");
}
