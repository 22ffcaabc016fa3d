#include "picture/glyphs.h"

#include <algorithm>

namespace geom {

namespace {

// On a grid 4 wide and 6 tall, the origin at the bottom left; a polyline's points in order.
struct Glyph {
    char letter;
    float advance;                             // to the next letter, gap included
    std::vector<std::vector<float>> polylines; // x0, y0, x1, y1, ...
};

const Glyph glyphs[] = {
    {'A', 5.5f, {{0, 0, 2, 6, 4, 0}, {0.7f, 2, 3.3f, 2}}},
    {'B', 5.5f, {{0, 0, 0, 6, 3, 6, 4, 5, 4, 4, 3, 3, 0, 3}, {3, 3, 4, 2, 4, 1, 3, 0, 0, 0}}},
    {'C', 5.5f, {{4, 5, 3, 6, 1, 6, 0, 5, 0, 1, 1, 0, 3, 0, 4, 1}}},
    {'D', 5.5f, {{0, 0, 0, 6, 2, 6, 4, 4, 4, 2, 2, 0, 0, 0}}},
    {'\'', 1.0f, {{0.5f, 6, 0, 4.5f}}},
};

constexpr float gridHeight = 6;

} // namespace

std::vector<Stroke> nameStrokes(std::string_view name) {
    std::vector<Stroke> strokes;
    float x = 0, right = 0;
    for (const char letter : name) {
        for (const Glyph& glyph : glyphs) {
            if (glyph.letter != letter) {
                continue;
            }
            for (const auto& line : glyph.polylines) {
                for (std::size_t i = 2; i + 1 < line.size(); i += 2) {
                    strokes.push_back({x + line[i - 2], line[i - 1], x + line[i], line[i + 1]});
                    right = std::max({right, x + line[i - 2], x + line[i]});
                }
            }
            x += glyph.advance;
        }
    }
    // Centred on the ink, in heights of a capital.
    std::transform(strokes.begin(), strokes.end(), strokes.begin(), [right](Stroke s) {
        return Stroke{(s.x0 - right / 2) / gridHeight, (s.y0 - gridHeight / 2) / gridHeight,
                      (s.x1 - right / 2) / gridHeight, (s.y1 - gridHeight / 2) / gridHeight};
    });
    return strokes;
}

} // namespace geom
