// The vertex names' letters, A to D and the prime, drawn with straight strokes: enough for a name
// to be read in any painter that can draw a segment.
#pragma once

#include <string_view>
#include <vector>

namespace geom {

// From (x0, y0) to (x1, y1), in heights of a capital, y up.
struct Stroke {
    float x0, y0, x1, y1;
};

// The strokes of the name, set one letter after the other and centred on (0, 0). A character with
// no glyph of its own is skipped.
std::vector<Stroke> nameStrokes(std::string_view name);

} // namespace geom
