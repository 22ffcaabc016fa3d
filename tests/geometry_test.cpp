// Figures against their geometry in double: what they store, their pictures and names; roundings.
#include "core/affine.h"
#include "core/intersection.h"
#include "image.h"
#include "parallelogram_dialogue.h"
#include "picture/offscreen.h"
#include "picture/picture.h"
#include "picture/svg_painter.h"
#include "program.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <iterator>
#include <numbers>
#include <random>
#include <sstream>

namespace {

using namespace geom;

// Bit for bit, so that -0 differs from +0.
void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(p.x)) << p.x;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(y), std::bit_cast<std::uint32_t>(p.y)) << p.y;
}

// Each accepted; a report, where given, from a float32 model of the arithmetic written in Python.
struct Figure {
    const char* name;
    const Program& program;
    std::string input;
    const char* report = ""; // none to check
};

void PrintTo(const Figure& f, std::ostream* os) {
    *os << f.name;
}

const Figure figures[] = {
    {"CounterClockwiseOntoClockwise", trimap,
     "1203.5 -417.25 1876.125 -102.75 1455.8 391.6\n-2310.4 1502.7 -2795.15 2011.2 -1688.9 "
     "2240.35"},
    {"ClockwiseOntoCounterClockwise", trimap,
     "-4.6 -0.8 -1.3 8.4 3.7 2.9\n122.5 -65 197.5 31.25 75 3.75"},
    // Too flat for the bisectors to cross within the tolerance; each onto a turned, scaled copy.
    {"FlatAtB", trimap,
     "2.5 1.5 12.5 6.5 22.5 11.52\n9.372595 0.3235572 18.61298 14.31875 27.83836 28.33992"},
    {"FlatAtC", trimap,
     "-3.2 4.1 0.8 7.1 -1.2024 5.6032\n0.01807806 -0.5739438 2.96423 6.323171 1.485637 2.87697"},
    {"HugeSides", trimap, "0 0 2e19 0 0 2e18\n0 0 2e19 0 0 2e18"},
    {"FlatUnderAHugeCircumcircle", trimap, "0 0 1 0 2 1e-20\n0 0 1 0 2 1e-20"},
    {"TinyAndThin", trimap, "0 0 1e-23 0 0 1e-15\n0 1e-14 1e-23 1e-14 0 1.1e-14"},
    {"TinyInGeneralPosition", trimap,
     "4.97e-20 2.85e-20 -4.06e-19 8.82e-19 2.84e-19 -4.72e-19\n-3e-19 5e-19 4e-19 7e-19 1e-19 "
     "-6e-19"},
    {"Clockwise", paraquad, "16.5 -5.3 -15.8 19.1 0.4 7",
     "koordinate temena D paralelograma su x=32.699718, y=-17.399790\n"},
    {"CounterClockwise", paraquad, "2250.5 987.4 1896.7 1210.1 1502.3 733.6",
     "koordinate temena D paralelograma su x=1856.100098, y=510.900024\n"},
    // Sides within the tolerance of parallel: D is A + C - B.
    {"NearlyCollinear", paraquad, "12.5 -7.25 92.5 52.75 172.5 112.85",
     "koordinate temena D paralelograma su x=92.500000, y=52.849998\n"},
    {"NearlyCollinearFarOut", paraquad, "0 0.25 1 33554432 1.00000024 33554436",
     "koordinate temena D paralelograma su x=0.000000, y=4.250000\n"},
    {"TinyParallelogram", paraquad,
     "-1.21087397e-22 4.74984738e-22 -7.34986628e-22 2.63888866e-22 -3.83272425e-23 "
     "5.11431879e-22"},
    // Where a float pipeline would lose the shape; at 1e7 the ellipse has shrunk onto a corner.
    {"UnitSquareFarAway", paraquad, "10000000 10000000 10000000 10000001 10000001 10000001"},
    // The ends of the drawable range; 5.2e36 and 4.8e-33 are refused.
    {"JustLargeEnoughToDraw", paraquad, "0 0 0 4.8e36 4.8e36 4.8e36"},
    {"JustSmallEnoughToDraw", paraquad, "0 0 0 5.2e-33 5.2e-33 5.2e-33"},
};

struct Exact {
    double x, y;
};
using Map = std::function<Exact(Exact)>;
double distance(Exact p, Exact q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}
double twiceArea(Exact p, Exact q, Exact r) {
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}
Point rounded(Exact p) {
    return {float(p.x), float(p.y)};
}

// Takes a, b, c onto a2, b2, c2: p's steps along AB and AC, taken along A'B' and A'C'.
Map affineMap(Exact a, Exact b, Exact c, Exact a2, Exact b2, Exact c2) {
    return [=](Exact p) {
        const double s = twiceArea(a, p, c) / twiceArea(a, b, c);
        const double t = twiceArea(a, b, p) / twiceArea(a, b, c);
        return Exact{a2.x + s * (b2.x - a2.x) + t * (c2.x - a2.x),
                     a2.y + s * (b2.y - a2.y) + t * (c2.y - a2.y)};
    };
}

// The centre's image, then 200 points around the circle at single-precision angles, each mapped.
void trace(std::vector<SceneDot>& dots, Exact centre, double radius, const Map& map) {
    dots.push_back({rounded(map(centre)), Colour::Cyan});
    for (int i = 0; i < 200; ++i) {
        const double angle = double(float(i * 2 * std::numbers::pi / 200));
        dots.push_back({rounded(map({centre.x + radius * std::cos(angle),
                                     centre.y + radius * std::sin(angle)})),
                        Colour::Cyan});
    }
}

// What must be stored: both triangles, ABC's circles and centres, both traced through the map,
// A'B'C'; or the unit circle traced through the map of the square (+-1, +-1) onto ABCD, its sides.
Scene expectedScene(const Program& program, std::vector<Exact> v) {
    const Exact a = v[0], b = v[1], c = v[2];
    const auto side = [&](std::size_t i, std::size_t j) {
        return SceneSegment{{rounded(v[i]), rounded(v[j])}, Colour::Red};
    };
    Scene s;
    if (&program == &paraquad) {
        v.push_back({a.x + c.x - b.x, a.y + c.y - b.y}); // D
        trace(s.dots, {0, 0}, 1, affineMap({-1, -1}, {1, -1}, {-1, 1}, a, b, v[3]));
        s.segments = {side(0, 1), side(1, 2), side(2, 3), side(3, 0)};
        return s;
    }
    s.segments = {side(1, 2), side(0, 2), side(0, 1), side(4, 5), side(3, 5), side(3, 4)};
    const double ab = distance(a, b), bc = distance(b, c), ca = distance(c, a);
    const double det = twiceArea(a, b, c), perimeter = ab + bc + ca;
    const Exact circumcentre{a.x + ((c.y - a.y) * ab * ab - (b.y - a.y) * ca * ca) / (2 * det),
                             a.y + ((b.x - a.x) * ca * ca - (c.x - a.x) * ab * ab) / (2 * det)};
    const Exact incentre{(bc * a.x + ca * b.x + ab * c.x) / perimeter,
                         (bc * a.y + ca * b.y + ab * c.y) / perimeter};
    const double circumradius = distance(a, circumcentre), inradius = std::abs(det) / perimeter;
    s.circles = {{{rounded(circumcentre), float(circumradius)}, Colour::Blue},
                 {{rounded(incentre), float(inradius)}, Colour::Green}};
    s.dots = {{rounded(circumcentre), Colour::Blue}, {rounded(incentre), Colour::Green}};
    const Map map = affineMap(a, b, c, v[3], v[4], v[5]);
    trace(s.dots, incentre, inradius, map);
    trace(s.dots, circumcentre, circumradius, map);
    for (std::size_t i = 3; i < 6; ++i) {
        s.dots.push_back({rounded(v[i]), Colour::Yellow});
    }
    return s;
}

// How much a rounding in a map or crossing on abc grows: 1 / the sine of its sharpest angle.
double conditionOf(Exact a, Exact b, Exact c) {
    const double ab = distance(a, b), bc = distance(b, c), ca = distance(c, a);
    return std::max({ab * bc, bc * ca, ca * ab}) / std::abs(twiceArea(a, b, c));
}

// The box around everything stored, circles to their single-precision extremes.
BoundingBox boxOf(const Scene& s) {
    BoundingBox box;
    const auto widen = [&](Point p, double r = 0) {
        box.low = {std::min(box.low.x, float(p.x - r)), std::min(box.low.y, float(p.y - r))};
        box.high = {std::max(box.high.x, float(p.x + r)), std::max(box.high.y, float(p.y + r))};
    };
    for (const SceneSegment& g : s.segments) {
        widen(g.segment.from), widen(g.segment.to);
    }
    std::ranges::for_each(s.dots, [&](SceneDot d) { widen(d.at); });
    std::ranges::for_each(s.circles,
                          [&](SceneCircle c) { widen(c.circle.centre, c.circle.radius); });
    return box;
}

// Each stored place within `tolerance` of what it must be (circles `circleTolerance`).
void expectAlike(const Scene& want, const Scene& got, double tolerance, double circleTolerance) {
    ASSERT_EQ(std::tuple(want.dots.size(), want.segments.size(), want.circles.size()),
              std::tuple(got.dots.size(), got.segments.size(), got.circles.size()));
    const auto near = [](Point w, Point g, double within) {
        return std::hypot(double(w.x) - g.x, double(w.y) - g.y) <= within;
    };
    for (std::size_t i = 0; i < want.dots.size(); ++i) {
        const SceneDot w = want.dots[i], g = got.dots[i];
        EXPECT_TRUE(near(w.at, g.at, tolerance) && w.colour == g.colour) << "dot " << i;
    }
    for (std::size_t i = 0; i < want.segments.size(); ++i) {
        const Segment w = want.segments[i].segment, g = got.segments[i].segment;
        EXPECT_TRUE(near(w.from, g.from, tolerance) && near(w.to, g.to, tolerance) &&
                    got.segments[i].colour == Colour::Red)
            << "side " << i;
    }
    for (std::size_t i = 0; i < want.circles.size(); ++i) {
        const Circle w = want.circles[i].circle, g = got.circles[i].circle;
        EXPECT_TRUE(near(w.centre, g.centre, circleTolerance) &&
                    want.circles[i].colour == got.circles[i].colour &&
                    std::abs(double(w.radius) - g.radius) <= circleTolerance)
            << "circle " << i;
    }
}

// What the README promises of the document: XML titled as the window, one element a line, colours
// rounded (0.9 of 255 to e6), numbers to nine significant digits (here each radius, in pixels).
void expectSvgText(const std::string& svg, const Scene& s, View view) {
    EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_NE(std::string::npos, svg.find(">\n<title>Geometrija - prikaz zadatka</title>\n<rect "
                                          "width=\"1024\" height=\"700\" fill=\"#e6e6cc\"/>\n"));
    EXPECT_EQ(5 + s.circles.size() + 3 * s.segments.size() + s.dots.size() + s.names.size(),
              std::count(svg.begin(), svg.end(), '\n'));
    for (std::size_t i = 0, at = 0; i < s.circles.size(); ++i) {
        at = svg.find(" r=\"", at) + 4;
        const double want = s.circles[i].circle.radius * view.scale;
        const double ninth = std::pow(10, std::floor(std::log10(want)) - 8); // significant digit
        EXPECT_NEAR(want, std::strtod(&svg[at], nullptr), 0.5001 * ninth) << svg.substr(at, 20);
    }
}

// Where the SVG puts each name's middle, in the order of the scene's names.
std::vector<Spot> namesIn(const std::string& svg) {
    std::vector<Spot> places;
    for (std::size_t at = svg.find("<text x=\""); at != std::string::npos;
         at = svg.find("<text x=\"", at + 1)) {
        places.push_back(
            {std::stod(svg.substr(at + 9)), std::stod(svg.substr(svg.find(" y=\"", at) + 4))});
    }
    return places;
}

// The window's letters as drawn with their strokes on a grid 4 wide and 6 tall: every half unit
// from -0.5 to 5 across and 6.5 to -0.5 down has ink (#), none (.) or either (?, a stroke passing
// within a unit); a prime's stroke stands beside the top right.
void expectLetters(const Image& shown, Spot at, const std::string& name) {
    const auto inked = [&](double x, double y, double within) {
        const double u = 14.0 / 6, px = at.x + (x - (name.size() == 1 ? 2 : 3)) * u,
                     py = at.y - (y - 3) * u;
        bool ink = false;
        for (double dy = -within; dy <= within; dy += 0.5) {
            for (double dx = -within; dx <= within; dx += 0.5) {
                ink = ink || shown.shows(int(px + dx), int(py + dy), 0x000000);
            }
        }
        return ink;
    };
    const std::string letters = "A....???........??#??.......?????.......?????......??#?#??.....???"
                                "????.....???????....??#???#??...?????????...??#####??..??#?????#??"
                                ".????...????.????...????.?#??...??#?.???.....???."
                                "B?????????...?#######??..?#??????#??.?#?....??#?.?#?.....?#?.?#?.."
                                "..??#?.?#??????#??.?#######??..?#??????#??.?#?....??#?.?#?.....?#?"
                                ".?#?....??#?.?#??????#??.?#######??..?????????..."
                                "C..???????....??#####??..??#?????#??.?#??...??#?.?#?.....???.?#?.."
                                ".......?#?.........?#?.........?#?.........?#?.........?#?.....???"
                                ".?#??...??#?.??#?????#??..??#####??....???????..."
                                "D???????.....?#####??....?#????#??...?#?..??#??..?#?...??#??.?#?.."
                                "..??#?.?#?.....?#?.?#?.....?#?.?#?.....?#?.?#?....??#?.?#?...??#??"
                                ".?#?..??#??..?#????#??...?#####??....???????.....";
    const std::string want = letters.substr(letters.find(name[0]) + 1, 180);
    for (int k = 0; k < 180; ++k) {
        const double x = -0.5 + 0.5 * (k % 12), y = 6.5 - 0.5 * (k / 12);
        const bool prime = name.size() > 1 && x > 4.5; // where the prime stands
        EXPECT_TRUE(want[k] == '?' || prime || (want[k] == '#') == inked(x, y, 1))
            << name << " at " << x << ", " << y;
    }
    EXPECT_TRUE(name.size() == 1 || (inked(5.75, 5.25, 0.5) && !inked(5.75, 1, 1.5))) << name;
}

// Each name stands beside its vertex and 16 pixels or more from every other, inks its place in
// each picture and reads as its letters in the first. How many touch nothing of the figure:
// nothing but background in the nameless picture, where a capital 14 pixels tall and about 14
// wide (a prime 5) would ink.
int expectNames(const Scene& scene, View view, const std::vector<Spot>& places,
                std::initializer_list<const Image*> pictures, const Image& nameless) {
    EXPECT_EQ(scene.names.size(), places.size());
    int clear = 0;
    for (std::size_t i = 0; i < std::min(places.size(), scene.names.size()); ++i) {
        const std::string name = scene.names[i].text;
        const Spot at = places[i],
                   vertex = spotOf(view, scene.names[i].vertex.x, scene.names[i].vertex.y);
        EXPECT_LE(std::hypot(at.x - vertex.x, at.y - vertex.y), 40.5) << name << " strays";
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_LE(16, std::hypot(at.x - places[j].x, at.y - places[j].y)) << name;
        }
        const int halfWidth = name.size() == 1 ? 7 : 9;
        bool inked = true;
        for (const Image* picture : pictures) {
            int ink = 0;
            for (int y = int(at.y) - 7; y <= int(at.y) + 7; ++y) {
                for (int x = int(at.x) - halfWidth; x <= int(at.x) + halfWidth; ++x) {
                    ink += picture->shows(x, y, palette8[int(Colour::Black)]) ? 1 : 0;
                    inked = inked && nameless.shows(x, y, background);
                }
            }
            EXPECT_LE(12, ink) << name << " shows too little";
        }
        if (pictures.size() > 0) {
            expectLetters(**pictures.begin(), at, name);
        }
        clear += inked ? 1 : 0;
    }
    return clear;
}

class Figures : public testing::TestWithParam<Figure> {};

TEST_P(Figures, AreTrueInNumbersAndPictures) {
    const Figure& f = GetParam();
    const Decision said = converse(f.program, f.input).decision;
    ASSERT_EQ(Verdict::Accepted, said.verdict) << said.report;
    EXPECT_TRUE(*f.report == 0 || f.report == said.report) << said.report;
    std::vector<Exact> v;
    std::istringstream numbers(f.input);
    for (float x, y; numbers >> x >> y;) {
        v.push_back({x, y});
    }
    const Scene& scene = said.picture.scene;
    const Scene want = expectedScene(f.program, v);
    // A few units in the last place of the figure, grown by how a flat figure amplifies them.
    const BoundingBox wanted = boxOf(want);
    const double ulp = std::ldexp(std::max({std::abs(wanted.low.x), std::abs(wanted.low.y),
                                            std::abs(wanted.high.x), std::abs(wanted.high.y)}),
                                  -23);
    expectAlike(want, scene, 4 * ulp * conditionOf(v[0], v[1], v[2]), 4 * ulp);
    const BoundingBox box = boxOf(scene);
    expectPoint(box.low.x, box.low.y, scene.box.low);
    expectPoint(box.high.x, box.high.y, scene.box.high);
    const View view = viewOf(box);
    Picture picture{scene, said.picture.camera, true};
    const std::string svg = pictureSvg(picture);
    const std::vector<Spot> places = namesIn(svg);
    std::string error;
    const Image shown{1024, 700, renderPicture(picture, error)};
    EXPECT_EQ("", error);
    EXPECT_EQ("", mismatches(shown, scene, view, Outlines::Polygons, places));
    const Ran rendered = run("rsvg-convert", svg);
    const Image drawn = readPng(rendered.output);
    EXPECT_EQ("", mismatches(drawn, scene, view, Outlines::Circles, places)) << rendered.errors;
    expectSvgText(svg, scene, view);
    picture.names = false;
    const Image nameless{1024, 700, renderPicture(picture, error)};
    expectNames(scene, view, places, {&shown, &drawn}, nameless);
}

INSTANTIATE_TEST_SUITE_P(Cases, Figures, testing::ValuesIn(figures),
                         [](const auto& test) { return std::string(test.param.name); });

// Stored values where every described rounding shows, from the same float32 evaluation.
TEST(Figures, StoreEveryDescribedRoundingBitForBit) {
    Scene s[16];
    for (int i : {0, 3, 7, 8}) {
        s[i] = converse(figures[i].program, figures[i].input).decision.picture.scene;
    }
    const auto circle = [&](int i, int k) { return s[i].circles[std::size_t(k)].circle; };
    expectPoint(0x1.681916p+10f, -0x1.7af1eap+5f, circle(0, 0).centre);
    expectPoint(0x1.b73d0ap+8f, 0x1.9f2828p+7f, {circle(0, 0).radius, circle(0, 1).radius});
    expectPoint(0x1.81702ap+10f, -0x1.df1c82p+4f, circle(0, 1).centre);
    expectPoint(-0x1.13551p+11f, 0x1.094cb6p+11f, s[0].dots[37].at);
    expectPoint(-0x1.7d9c42p+10f, 0x1.c157p+10f, s[0].dots[297].at);
    // Both centres from their closed forms.
    expectPoint(0x1.d38c12p+8f, -0x1.35b2b8p+9f, circle(3, 0).centre);
    expectPoint(-0x1.3381d8p+0f, 0x1.66809ep+2f, circle(3, 1).centre);
    expectPoint(0x1.869fe8p+9f, 0x1.062b34p-9f, {circle(3, 0).radius, circle(3, 1).radius});
    // The incircle's radius through the double fallback, where the float cross product underflows.
    expectPoint(0x1.0aae14p-56f, 0x1.5d42b2p-67f, {circle(7, 0).radius, circle(7, 1).radius});
    expectPoint(0x1.059906p+5f, -0x1.16658ap+4f, s[8].segments[2].segment.to);
    expectPoint(0x1.3e0b7ap+4f, -0x1.edcb7p+2f, s[8].dots[58].at);
}

// In figures drawn at random (general ones, identity maps, a shared vertex, parallelograms), at
// least 95% of the names touch nothing of the figure, and all stand apart and beside their vertex.
TEST(Names, StandClearOfTheFigureAndApart) {
    std::mt19937 random(20261207);
    std::uniform_real_distribution<float> coordinate(-100, 100);
    int names = 0, clear = 0;
    for (int i = 0; i < 48; ++i) {
        std::vector<float> xy(12);
        std::generate(xy.begin(), xy.end(), [&] { return coordinate(random); });
        const int kind = i % 4; // 0, 1 maps in general, 2 the identity, 3 A' on A; or paraquad
        std::copy_n(xy.begin(), kind == 2 ? 6 : kind == 3 ? 2 : 0, xy.begin() + 6);
        std::ostringstream input;
        std::copy(xy.begin(), xy.end(), std::ostream_iterator<float>(input, " "));
        Decision said = converse(i % 8 == 1 ? paraquad : trimap, input.str()).decision;
        if (said.verdict != Verdict::Accepted) {
            continue;
        }
        Picture& picture = said.picture;
        picture.names = true;
        const std::vector<Spot> places = namesIn(pictureSvg(picture));
        picture.names = false;
        std::string error;
        const Image nameless{1024, 700, renderPicture(picture, error)};
        names += int(places.size());
        clear += expectNames(picture.scene, viewOf(picture.scene.box), places, {}, nameless);
    }
    EXPECT_LE(0.95 * names, clear) << clear << " of " << names << " names clear";
}

// The core's own roundings and tolerance, where the figures above cannot reach them.
TEST(Arithmetic, RoundsWhereValuesAreStored) {
    // multiply rounds its sum after each term: 1 + 2^-24 falls back to 1 twice; -0s sum to +0.
    const float tiny = 0x1p-24f;
    const Matrix3 product = multiply({{1, 1, 1}}, {{1, -0.0f, 0, tiny, -0.0f, 0, tiny, -0.0f, 1}});
    expectPoint(1, 0, {product.m[0], product.m[1]});
    // The source frame inverted through k = 1 / det rounded once (1.0f / float(det) is an ulp off).
    const Matrix3 m =
        triangleMap({-0.56f, -4.56f}, {0.79f, 1.33f}, {-8.76f, -5.1f}, {0, 0}, {1, 0}, {0, 1});
    expectPoint(-0x1.73fae4p-7f, 0x1.8f34fap-1f, {m.m[0], m.m[2]});
    expectPoint(0x1.d0f9ap-6f, 0x1.ec1daap-5f, {m.m[4], m.m[5]});
    // mapPoint sums each row in double, left to right: 1 + 2^60 loses the 1 before the -2^60; in
    // float 2^24 + 1 would round away before the -1.
    expectPoint(0, 0x1p24f, mapPoint({{1, 1, -0x1p60f, 0x1p24f, 0x1p-60f, -1}}, {1, 0x1p60f}));
    expectPoint(0, 0, mapPoint({{0, 0, 0, 1, 1, -0x1p60f}}, {1, 0x1p60f}));
    // At any scale a squared sine of 0.003^2 is within 1e-5, of 0.0032^2 not; the crossing is
    // measured along the first line, and left untouched unless there is one.
    Point out{7, 8};
    EXPECT_EQ(IntersectionKind::Parallel, intersectLines(out, {{0, 0}, {1, 0}}, {{0, 1}, {2, 0}}));
    expectPoint(7, 8, out);
    for (const float s : {1.0f, 0.5f, 1024.0f}) {
        EXPECT_NE(IntersectionKind::Crossing,
                  intersectLines(out, {{0, 0}, {s, 0}}, {{0, s}, {s, 0.003f * s}}));
        EXPECT_EQ(IntersectionKind::Crossing,
                  intersectLines(out, {{0, 0}, {s, 0}}, {{0, s}, {s, 0.0032f * s}}));
        expectPoint(-312.5f * s, 0, out);
    }
}

} // namespace
