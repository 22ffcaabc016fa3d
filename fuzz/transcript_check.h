// What must hold of every dialogue transcript, whatever the bytes on its input: the prompts so far
// and one refusal, or every prompt and the whole report; never inf or nan; and an accepted figure
// leaves a scene of finite numbers, judged apart from the program's own check, that the viewer can
// draw.
#pragma once

#include "picture/camera.h"
#include "program/dialogue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// Runs `tool`'s dialogue on the bytes and aborts (a finding) unless all of the above holds.
// `reportLines` is the line count of the report after the last prompt.
inline void checkTranscript(const std::uint8_t* data, std::size_t size, const geom::Tool& tool,
                            const std::vector<std::string>& prompts, long reportLines) {
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    char* text = nullptr;
    std::size_t textSize = 0;
    std::FILE* out = open_memstream(&text, &textSize);
    geom::Scene scene;
    const bool accepted =
        tool.dialogue({in, out, out, stderr}, scene); // a memory stream is always written
    std::fclose(out);
    std::fclose(in);
    std::string rest(text, textSize);
    std::free(text);
    std::size_t asked = 0;
    while (asked < prompts.size() && rest.starts_with(prompts[asked])) {
        rest.erase(0, prompts[asked++].size());
    }
    const long lines = std::count(rest.begin(), rest.end(), '\n');
    const bool refused =
        lines == 1 && rest.starts_with("uneli ste ") && rest.ends_with(", pokusajte ponovo\n");
    using namespace geom;
    const auto finite = [](Point p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    const bool drawable =
        std::all_of(scene.points.begin(), scene.points.end(), finite) &&
        std::all_of(scene.segments.begin(), scene.segments.end(),
                    [&](Segment g) { return finite(g.from) && finite(g.to); }) &&
        std::all_of(scene.circles.begin(), scene.circles.end(),
                    [&](Circle c) { return finite(c.centre) && std::isfinite(c.radius); }) &&
        canDraw(fitCamera(scene.box));
    const bool reported = asked == prompts.size() && lines == reportLines && drawable;
    if (rest.find("inf") != std::string::npos || rest.find("nan") != std::string::npos ||
        !(accepted ? reported : refused)) {
        std::abort();
    }
}
