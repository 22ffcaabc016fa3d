#include "picture/name_places.h"

#include "picture/window_settings.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <string_view>

namespace geom {

namespace {

constexpr double firstRing = 16.0; // pixels from a vertex to the middle of its name, at first
constexpr double ringStep = 8.0;   // pixels further out on each next ring
constexpr int freeRings = 3;       // how far out a free place is looked for
constexpr int lastRing = 64;       // where any place apart from the other names is taken
constexpr int directions = 16;     // places on a ring
constexpr double apart = 16.0;     // pixels at least between the middles of two names
// A name's box, from a sans-serif capital 14 pixels tall (about 20 pixels of font) and a prime,
// and the gap it keeps from what is drawn.
constexpr double capitalWidth = 15.0, primeWidth = 6.0, halfHeight = 7.5, gap = 1.5;
constexpr double dotHalf = 2.0;     // pixels: a dot is 4 wide
constexpr int circleVertices = 100; // as the window draws a circle

struct Box {
    double left, top, right, bottom;
};

Box boxAround(PixelPoint middle, std::string_view text) {
    const auto primes = double(std::count(text.begin(), text.end(), '\''));
    const double halfWidth =
        ((double(text.size()) - primes) * capitalWidth + primes * primeWidth) / 2;
    return {middle.x - halfWidth - gap, middle.y - halfHeight - gap, middle.x + halfWidth + gap,
            middle.y + halfHeight + gap};
}

double overlapArea(Box a, Box b) {
    const double width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const double height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

double area(Box b) {
    return (b.right - b.left) * (b.bottom - b.top);
}

// How long a stretch of the segment from a to b lies in the box (Liang and Barsky's clipping).
double lengthInside(PixelPoint a, PixelPoint b, Box box) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double towards[] = {-dx, dx, -dy, dy};
    const double room[] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    double enter = 0, leave = 1;
    for (int side = 0; side < 4; ++side) {
        if (towards[side] == 0) {
            if (room[side] < 0) {
                return 0;
            }
            continue;
        }
        const double t = room[side] / towards[side];
        if (towards[side] < 0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    return leave > enter ? (leave - enter) * std::hypot(dx, dy) : 0;
}

// What a name must keep clear of, in window pixels: the lines (the sides and the circles as the
// window draws them) and the dots.
struct Figure {
    std::vector<std::pair<PixelPoint, PixelPoint>> lines;
    std::vector<Box> dots;
};

Figure figureOf(const Picture& picture) {
    const auto pixel = [&](Point p) { return toWindow(picture.camera, p.x, p.y); };
    const auto dot = [](PixelPoint p) {
        return Box{p.x - dotHalf, p.y - dotHalf, p.x + dotHalf, p.y + dotHalf};
    };
    Figure figure;
    for (const SceneSegment& s : picture.scene.segments) {
        const PixelPoint from = pixel(s.segment.from), to = pixel(s.segment.to);
        figure.lines.emplace_back(from, to);
        figure.dots.insert(figure.dots.end(), {dot(from), dot(to)});
    }
    for (const SceneCircle& c : picture.scene.circles) {
        for (int i = 0; i < circleVertices; ++i) {
            figure.lines.emplace_back(pixel(pointOnCircle(c.circle, i, circleVertices)),
                                      pixel(pointOnCircle(c.circle, i + 1, circleVertices)));
        }
    }
    for (const SceneDot& d : picture.scene.dots) {
        figure.dots.push_back(dot(pixel(d.at)));
    }
    return figure;
}

// How much of the figure the box covers, in pixels of line and pixels of dot; what lies outside the
// window counts as covered, as nobody sees it.
double covered(Box box, const Figure& figure) {
    const double outside = area(box) - overlapArea(box, {0, 0, windowWidth, windowHeight});
    const double lines = std::accumulate(
        figure.lines.begin(), figure.lines.end(), outside, [&](double sum, const auto& line) {
            return sum + lengthInside(line.first, line.second, box);
        });
    return std::accumulate(figure.dots.begin(), figure.dots.end(), lines,
                           [&](double sum, Box dot) { return sum + overlapArea(box, dot); });
}

// The k-th direction tried: the bisector's, then turning away from it to either side by turns.
double turn(int k) {
    const int steps = (k + 1) / 2;
    return (k % 2 == 1 ? steps : -steps) * 2 * std::numbers::pi / directions;
}

} // namespace

std::vector<PixelPoint> namePlaces(const Picture& picture) {
    const Figure figure = figureOf(picture);
    std::vector<PixelPoint> places;
    std::vector<Box> boxes;
    for (const VertexName& name : picture.scene.names) {
        const PixelPoint vertex = toWindow(picture.camera, name.vertex.x, name.vertex.y);
        // The window's y runs down.
        const double bisector = std::atan2(-double(name.away.y), double(name.away.x));
        const auto apartFromOthers = [&](PixelPoint middle, Box box) {
            for (std::size_t i = 0; i < places.size(); ++i) {
                if (std::hypot(middle.x - places[i].x, middle.y - places[i].y) < apart ||
                    overlapArea(box, boxes[i]) > 0) {
                    return false;
                }
            }
            return true;
        };
        PixelPoint best{};
        double leastCover = INFINITY;
        for (int ring = 0; ring <= lastRing && (ring < freeRings || leastCover == INFINITY);
             ++ring) {
            for (int k = 0; k < directions && leastCover > 0; ++k) {
                const double distance = firstRing + ring * ringStep, angle = bisector + turn(k);
                const PixelPoint middle{vertex.x + distance * std::cos(angle),
                                        vertex.y + distance * std::sin(angle)};
                const Box box = boxAround(middle, name.text);
                if (!apartFromOthers(middle, box)) {
                    continue;
                }
                if (const double cover = covered(box, figure); cover < leastCover) {
                    best = middle;
                    leastCover = cover;
                }
            }
            if (leastCover == 0) {
                break;
            }
        }
        places.push_back(best);
        boxes.push_back(boxAround(best, name.text));
    }
    return places;
}

} // namespace geom
