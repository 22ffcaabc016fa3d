// Figures against their geometry in double: what they store, their pictures and names; roundings.
#include "core/affine.h"
#include "core/constructions.h"
#include "core/intersection.h"
#include "parallelogram_dialogue.h"
#include "picture/offscreen.h"
#include "picture/picture.h"
#include "picture/svg_painter.h"
#include "probe.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <complex>
#include <iterator>
#include <numbers>
#include <random>
#include <regex>
#include <sstream>

namespace {

using namespace geom;

// Bit for bit, so that -0 differs from +0.
void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(p.x)) << p.x;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(y), std::bit_cast<std::uint32_t>(p.y)) << p.y;
}

// The plane, and the window's pixels from its top-left corner, as complex numbers in double.
using Exact = std::complex<double>;
const auto exact = [](Point p) { return Exact(p.x, p.y); };
const auto rounded = [](Exact p) { return Point{float(p.real()), float(p.imag())}; };
const auto twiceArea = [](Exact p, Exact q, Exact r) {
    return std::imag(std::conj(q - p) * (r - p));
};

// The window's eye, 45 degrees over 700 rows, twice the box's larger extent (in float) above it.
struct View {
    Exact centre;
    double scale;
};
View viewOf(BoundingBox box) {
    const float w = float(double(box.high.x) - box.low.x),
                h = float(double(box.high.y) - box.low.y);
    const double distance = double(float(2.0 * std::max(w, h)));
    return {(exact(box.low) + exact(box.high)) / 2.0,
            350.0 / (distance * std::tan(std::numbers::pi / 8))};
}
const auto pixelOf = [](View view, Exact p) {
    return Exact(512, 350) + std::conj(p - view.centre) * view.scale;
};

// Pixels unlike what surely paints them or the background; circles as the window's 100-gons or not.
std::string mismatches(const Image& image, const Scene& shown, View view, bool trueCircles,
                       const std::vector<Exact>& names) {
    constexpr int width = 1024, height = 700, unknown = -2, backgroundIndex = -1;
    std::vector<int> want(std::size_t(width * height), backgroundIndex);
    const auto paint = [&](Exact low, Exact high, double sure, double maybe, Colour colour,
                           auto distance) {
        for (int y = std::max(0, int(low.imag() - maybe));
             y <= std::min(height - 1, int(high.imag() + maybe)); ++y) {
            for (int x = std::max(0, int(low.real() - maybe));
                 x <= std::min(width - 1, int(high.real() + maybe)); ++x) {
                const double d = distance(Exact(x + 0.5, y + 0.5));
                int& here = want[std::size_t(y) * width + std::size_t(x)];
                const int c = int(colour);
                here = d <= sure ? c : d <= maybe && here != c ? unknown : here;
            }
        }
    };
    // A line surely paints within 0.3 and may within 1.3; a 4 x 4 dot within 1.5 and 2.6.
    const auto line = [&](Exact a, Exact b, Colour c) {
        paint({std::min(a.real(), b.real()), std::min(a.imag(), b.imag())},
              {std::max(a.real(), b.real()), std::max(a.imag(), b.imag())}, 0.3, 1.3, c,
              [&](Exact p) {
                  const double t = a == b ? 0 : std::clamp(std::real((p - a) / (b - a)), 0.0, 1.0);
                  return std::abs(p - a - t * (b - a));
              });
    };
    const auto dot = [&](Exact at, Colour c, double sure = 1.5, double maybe = 2.6) {
        paint(at, at, sure, maybe, c, [&](Exact p) {
            return std::max(std::abs(p.real() - at.real()), std::abs(p.imag() - at.imag()));
        });
    };
    const auto pixel = [&](Point p) { return pixelOf(view, exact(p)); };
    for (const auto& [circle, colour] : shown.circles) {
        const Circle k = circle; // Clang before 16 lets no lambda capture a structured binding
        const auto vertex = [&](int i) {
            const double angle = double(float(i * 2 * std::numbers::pi / 100));
            return pixelOf(view, exact(k.centre) + std::polar(double(k.radius), angle));
        };
        for (int i = 0; i < 100 && !trueCircles; ++i) {
            line(vertex(i), vertex((i + 1) % 100), colour);
        }
        const Exact centre = pixel(k.centre);
        const double r = centre.imag() - pixel({k.centre.x, k.centre.y + k.radius}).imag();
        if (trueCircles) {
            paint(centre - Exact(r, r), centre + Exact(r, r), 0.3, 1.3, colour,
                  [&](Exact p) { return std::abs(std::abs(p - centre) - r); });
        }
    }
    for (const auto& [s, colour] : shown.segments) {
        line(pixel(s.from), pixel(s.to), colour);
        dot(pixel(s.from), colour);
        dot(pixel(s.to), colour);
    }
    for (const auto& [p, colour] : shown.dots) {
        dot(pixel(p), colour);
    }
    for (const Exact name : names) {
        dot(name, Colour::Black, -1, 10);
    }
    std::string differing; // the first few
    for (int at = 0; at < width * height && differing.size() < 60; ++at) {
        const int c = want[std::size_t(at)];
        if (c != unknown &&
            !image.shows(at % width, at / width, c == backgroundIndex ? background : palette8[c])) {
            differing +=
                " (" + std::to_string(at % width) + ", " + std::to_string(at / width) + ")";
        }
    }
    return differing;
}

// Each accepted; D's report, where given, from a float32 model of the arithmetic in Python.
struct Figure {
    const char* name;
    const Program& program;
    std::string input;
    const char* d = ""; // none to check
};

const Figure figures[] = {
    {"CounterClockwiseOntoClockwise", trimap,
     "1203.5 -417.25 1876.125 -102.75 1455.8 391.6\n-2310.4 1502.7 -2795.15 2011.2 -1688.9 "
     "2240.35"},
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
    {"ClockwiseWithTheLongestWord", paraquad, std::string(4092, '0') + "16.5 -5.3 -15.8 19.1 0.4 7",
     "x=32.699718, y=-17.399790"},
    {"NearlyCollinear", paraquad, "12.5 -7.25 92.5 52.75 172.5 112.85", "x=92.500000, y=52.849998"},
    {"NearlyCollinearFarOut", paraquad, "0 0.25 1 33554432 1.00000024 33554436",
     "x=0.000000, y=4.250000"},
    {"TinyParallelogram", paraquad,
     "-1.21087397e-22 4.74984738e-22 -7.34986628e-22 2.63888866e-22 -3.83272425e-23 "
     "5.11431879e-22"},
    // Where a float pipeline would lose the shape; at 1e7 the ellipse has shrunk onto a corner.
    {"UnitSquareFarAway", paraquad, "10000000 10000000 10000000 10000001 10000001 10000001"},
    // The ends of the drawable range, a camera 1e37 and 1e-32 away; a float further is refused.
    {"JustLargeEnoughToDraw", paraquad, "0 0 0 4.99999993e36 4.99999993e36 4.99999993e36"},
    {"JustSmallEnoughToDraw", paraquad, "0 0 0 5.00000011e-33 5.00000011e-33 5.00000011e-33"},
};

// Takes a, b, c onto a2, b2, c2: p's steps along AB and AC, taken along A'B' and A'C'.
auto affineMap(Exact a, Exact b, Exact c, Exact a2, Exact b2, Exact c2) {
    return [=](Exact p) {
        const double area = twiceArea(a, b, c);
        return a2 + twiceArea(a, p, c) / area * (b2 - a2) + twiceArea(a, b, p) / area * (c2 - a2);
    };
}

// What must be stored: the triangles, ABC's circles traced through the map, or ABCD's ellipse.
Scene expectedScene(const Program& program, std::array<Exact, 6> v) {
    const Exact a = v[0], b = v[1], c = v[2];
    const bool quad = &program == &paraquad;
    v[3] = quad ? a + c - b : v[3]; // D
    const auto side = [&](std::size_t i, std::size_t j) {
        return SceneSegment{{rounded(v[i]), rounded(v[j])}, Colour::Red};
    };
    Scene s;
    const char* const names[] = {"A", "B", "C", quad ? "D" : "A'", "B'", "C'"};
    for (std::size_t i = 0; i < (quad ? 4u : 6u); ++i) {
        s.names.push_back({names[i], rounded(v[i]), {}});
    }
    // The centre's image, then 200 points around the circle at single-precision angles, mapped.
    const auto trace = [&s](Exact centre, double radius, const auto& map) {
        s.dots.push_back({rounded(map(centre)), Colour::Cyan});
        for (int i = 0; i < 200; ++i) {
            const double angle = double(float(i * 2 * std::numbers::pi / 200));
            s.dots.push_back({rounded(map(centre + std::polar(radius, angle))), Colour::Cyan});
        }
    };
    if (quad) {
        trace(0, 1, affineMap({-1, -1}, {1, -1}, {-1, 1}, a, b, v[3]));
        s.segments = {side(0, 1), side(1, 2), side(2, 3), side(3, 0)};
        return s;
    }
    s.segments = {side(1, 2), side(0, 2), side(0, 1), side(4, 5), side(3, 5), side(3, 4)};
    const double ab = std::abs(b - a), bc = std::abs(c - b), ca = std::abs(a - c);
    const double det = twiceArea(a, b, c), perimeter = ab + bc + ca;
    const Exact circumcentre =
        a + Exact(0, -1) * (ab * ab * (c - a) - ca * ca * (b - a)) / (2 * det);
    const Exact incentre = (bc * a + ca * b + ab * c) / perimeter;
    const double circumradius = std::abs(a - circumcentre), inradius = std::abs(det) / perimeter;
    s.circles = {{{rounded(circumcentre), float(circumradius)}, Colour::Blue},
                 {{rounded(incentre), float(inradius)}, Colour::Green}};
    s.dots = {{rounded(circumcentre), Colour::Blue}, {rounded(incentre), Colour::Green}};
    const auto map = affineMap(a, b, c, v[3], v[4], v[5]);
    trace(incentre, inradius, map);
    trace(circumcentre, circumradius, map);
    for (std::size_t i = 3; i < 6; ++i) {
        s.dots.push_back({rounded(v[i]), Colour::Yellow});
    }
    return s;
}

// Every place a scene stores, in order and colour, with the circles' radii (0 for the rest).
using Mark = std::tuple<Point, float, Colour>;
std::vector<Mark> marks(const Scene& s) {
    std::vector<Mark> all;
    std::transform(s.dots.begin(), s.dots.end(), std::back_inserter(all),
                   [](const SceneDot& d) { return Mark(d.at, 0, d.colour); });
    for (const auto& [g, colour] : s.segments) {
        all.insert(all.end(), {Mark(g.from, 0, colour), Mark(g.to, 0, colour)});
    }
    for (const auto& [k, colour] : s.circles) {
        all.emplace_back(k.centre, k.radius, colour);
    }
    return all;
}

// The box around everything stored, circles to their single-precision extremes.
BoundingBox boxOf(const Scene& s) {
    BoundingBox box;
    for (const auto& [p, r, colour] : marks(s)) {
        box.low = {std::min(box.low.x, float(p.x - double(r))),
                   std::min(box.low.y, float(p.y - double(r)))};
        box.high = {std::max(box.high.x, float(p.x + double(r))),
                    std::max(box.high.y, float(p.y + double(r)))};
    }
    return box;
}

void expectAlike(const Scene& want, const Scene& got, double tolerance, double circleTolerance) {
    const std::vector<Mark> w = marks(want), g = marks(got);
    ASSERT_EQ(w.size(), g.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
        const auto [p, r, c] = w[i];
        const auto [q, s, d] = g[i];
        const double within = i + want.circles.size() < w.size() ? tolerance : circleTolerance;
        EXPECT_TRUE(std::abs(exact(p) - exact(q)) <= within && std::abs(r - s) <= within && c == d)
            << "place " << i;
    }
}

// As the README promises: titled XML, one element a line, numbers to nine significant digits.
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

std::vector<Exact> namesIn(const std::string& svg) {
    std::vector<Exact> places;
    const std::regex text("<text x=\"([^\"]*)\" y=\"([^\"]*)\"");
    for (std::sregex_iterator m(svg.begin(), svg.end(), text), end; m != end; ++m) {
        places.emplace_back(std::stod((*m)[1]), std::stod((*m)[2]));
    }
    return places;
}

// Each letter's strokes on a 4 x 6 grid, every half unit: ink (#), none (.) or either (?).
void expectLetters(const Image& shown, Exact at, const std::string& name) {
    const auto inked = [&](double x, double y, double within) {
        const Exact p = at + Exact(x - (name.size() == 1 ? 2 : 3), 3 - y) * (14.0 / 6);
        bool ink = false;
        for (double dy = -within; dy <= within; dy += 0.5) {
            for (double dx = -within; dx <= within; dx += 0.5) {
                ink = ink || shown.shows(int(p.real() + dx), int(p.imag() + dy), 0x000000);
            }
        }
        return ink;
    };
    const std::string letters =
        "A....???........??#??.......?????.......?????......??#?#??.....???????.....???????....??#?"
        "??#??...?????????...??#####??..??#?????#??.????...????.????...????.?#??...??#?.???.....???"
        ".B?????????...?#######??..?#??????#??.?#?....??#?.?#?.....?#?.?#?....??#?.?#??????#??.?###"
        "####??..?#??????#??.?#?....??#?.?#?.....?#?.?#?....??#?.?#??????#??.?#######??..?????????."
        "..C..???????....??#####??..??#?????#??.?#??...??#?.?#?.....???.?#?.........?#?.........?#?"
        ".........?#?.........?#?.........?#?.....???.?#??...??#?.??#?????#??..??#####??....???????"
        "...D???????.....?#####??....?#????#??...?#?..??#??..?#?...??#??.?#?....??#?.?#?.....?#?.?#"
        "?.....?#?.?#?.....?#?.?#?....??#?.?#?...??#??.?#?..??#??..?#????#??...?#####??....???????."
        "....";
    const std::string want = letters.substr(letters.find(name[0]) + 1, 180);
    for (std::size_t k = 0; k < 180; ++k) {
        const double x = -0.5 + 0.5 * double(k % 12), y = 6.5 - 0.5 * std::floor(double(k) / 12);
        const bool prime = name.size() > 1 && x > 4.5; // where the prime stands
        EXPECT_TRUE(want[k] == '?' || prime || (want[k] == '#') == inked(x, y, 1))
            << name << " at " << x << ", " << y;
    }
    const bool prime = inked(5.75, 5.25, 0.5) && !inked(5.75, 1, 1.5) && !inked(5.5, 7.25, 0.5);
    EXPECT_TRUE(name.size() == 1 || prime) << name; // its stroke, reaching neither lower nor higher
}

// Each name beside its vertex, 16 px from the others, inked and legible; how many are clear of the
// figure: only background in the nameless picture where a 14 x 14 capital (a prime 5) would ink.
int expectNames(const Scene& scene, View view, const std::vector<Exact>& places, const Image& shown,
                const Image& drawn, const Image& nameless) {
    EXPECT_EQ(scene.names.size(), places.size());
    int clear = 0;
    for (std::size_t i = 0; i < std::min(places.size(), scene.names.size()); ++i) {
        const std::string name = scene.names[i].text;
        const Exact at = places[i];
        EXPECT_LE(std::abs(at - pixelOf(view, exact(scene.names[i].vertex))), 40.5) << name;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_LE(16, std::abs(at - places[j])) << name;
        }
        const int halfWidth = name.size() == 1 ? 7 : 9, x0 = int(at.real()), y0 = int(at.imag());
        const auto count = [&](const Image& picture, int colour) {
            int n = 0;
            for (int y = y0 - 7; y <= y0 + 7; ++y) {
                for (int x = x0 - halfWidth; x <= x0 + halfWidth; ++x) {
                    n += picture.shows(x, y, colour) ? 1 : 0;
                }
            }
            return n;
        };
        for (const Image* picture : {&shown, &drawn}) {
            EXPECT_LE(12, count(*picture, palette8[int(Colour::Black)])) << name << " shows little";
        }
        expectLetters(shown, at, name);
        clear += count(nameless, background) == 15 * (2 * halfWidth + 1) ? 1 : 0;
    }
    return clear;
}

// An accepted figure against its geometry, in numbers and pictures; how many names are clear.
int expectTrue(const Figure& f) {
    const Decision said = converse(f.program, f.input).decision;
    EXPECT_EQ(Verdict::Accepted, said.verdict) << f.name << ": " << said.report;
    if (said.verdict != Verdict::Accepted) {
        return 0;
    }
    const std::string report = "koordinate temena D paralelograma su " + std::string(f.d) + "\n";
    EXPECT_TRUE(*f.d == 0 || said.report == report) << said.report;
    std::array<Exact, 6> v{}; // ABC and A'B'C', or ABC
    std::istringstream numbers(f.input);
    for (float x = 0, y = 0; Exact & p : v) {
        numbers >> x >> y;
        p = {x, y};
    }
    const Scene& scene = said.picture.scene;
    const Scene want = expectedScene(f.program, v);
    // A few units in the last place of the figure, grown by 1 / the sine of its sharpest angle.
    const BoundingBox wanted = boxOf(want);
    const double ulp = std::ldexp(std::max({std::abs(wanted.low.x), std::abs(wanted.low.y),
                                            std::abs(wanted.high.x), std::abs(wanted.high.y)}),
                                  -23);
    const Exact a = v[0], b = v[1], c = v[2];
    const double ab = std::abs(b - a), bc = std::abs(c - b), ca = std::abs(a - c);
    const double condition = std::max({ab * bc, bc * ca, ca * ab}) / std::abs(twiceArea(a, b, c));
    expectAlike(want, scene, 4 * ulp * condition, 4 * ulp);
    const BoundingBox box = boxOf(scene);
    expectPoint(box.low.x, box.low.y, scene.box.low);
    expectPoint(box.high.x, box.high.y, scene.box.high);
    const View view = viewOf(box);
    Picture picture{scene, said.picture.camera, true};
    const std::string svg = pictureSvg(picture);
    const std::vector<Exact> places = namesIn(svg);
    std::string error;
    const Image shown{1024, 700, renderPicture(picture, error)};
    EXPECT_EQ("", error);
    EXPECT_EQ("", mismatches(shown, scene, view, false, places));
    const Ran rendered = run("rsvg-convert", svg);
    const Image drawn = readPng(rendered.output);
    EXPECT_EQ("", mismatches(drawn, scene, view, true, places)) << rendered.errors;
    expectSvgText(svg, scene, view);
    picture.names = false;
    const Image nameless{1024, 700, renderPicture(picture, error)};
    return expectNames(want, view, places, shown, drawn, nameless);
}

class Figures : public testing::TestWithParam<Figure> {};

TEST_P(Figures, AreTrueInNumbersAndPictures) {
    expectTrue(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, Figures, testing::ValuesIn(figures),
                         [](const auto& test) { return std::string(test.param.name); });

// Random figures, identity maps and shared vertices among them, are true; 95% of names are clear.
TEST(Names, StandClearOfTheFigureAndApart) {
    std::mt19937 random(20261207);
    std::uniform_real_distribution<float> coordinate(-100, 100);
    int names = 0, clear = 0;
    for (int i = 0; i < 48; ++i) {
        std::vector<float> xy(12);
        std::generate(xy.begin(), xy.end(), [&] { return coordinate(random); });
        // Maps in general, the identity, A' on A by turns; or parallelograms.
        std::copy_n(xy.begin(), i % 4 == 2 ? 6 : i % 4 == 3 ? 2 : 0, xy.begin() + 6);
        const bool quad = i % 8 == 1;
        std::ostringstream input;
        std::copy_n(xy.begin(), quad ? 6 : 12, std::ostream_iterator<float>(input, " "));
        names += quad ? 4 : 6;
        clear += expectTrue({"Random", quad ? paraquad : trimap, input.str()});
    }
    EXPECT_LE(0.95 * names, clear) << clear << " of " << names << " names clear";
    // Where the bisector's side is free, as at a square's corners, each name stands on it.
    Picture square = converse(paraquad, "-30 10 50 10 50 90").decision.picture;
    square.names = true;
    const std::vector<Exact> at = namesIn(pictureSvg(square));
    for (std::size_t i = 0; i < 4; ++i) {
        const Exact corner = pixelOf(viewOf(square.scene.box), exact(square.scene.names[i].vertex));
        EXPECT_LT(std::abs(std::arg((at.at(i) - corner) / (corner - Exact(512, 350)))), 0.02) << i;
    }
}

// Every described rounding, bit for bit from the float32 evaluation, in figures and in the core.
TEST(Arithmetic, RoundsWhereValuesAreStored) {
    Scene s[16];
    for (int i : {0, 2, 6, 7}) {
        s[i] = converse(figures[i].program, figures[i].input).decision.picture.scene;
    }
    const auto circle = [&](int i, int k) { return s[i].circles[std::size_t(k)].circle; };
    expectPoint(0x1.681916p+10f, -0x1.7af1eap+5f, circle(0, 0).centre);
    expectPoint(0x1.b73d0ap+8f, 0x1.9f2828p+7f, {circle(0, 0).radius, circle(0, 1).radius});
    expectPoint(0x1.81702ap+10f, -0x1.df1c82p+4f, circle(0, 1).centre);
    expectPoint(-0x1.13551p+11f, 0x1.094cb6p+11f, s[0].dots[37].at);
    expectPoint(-0x1.7d9c42p+10f, 0x1.c157p+10f, s[0].dots[297].at);
    // Both centres from their closed forms.
    expectPoint(0x1.d38c12p+8f, -0x1.35b2b8p+9f, circle(2, 0).centre);
    expectPoint(-0x1.3381d8p+0f, 0x1.66809ep+2f, circle(2, 1).centre);
    expectPoint(0x1.869fe8p+9f, 0x1.062b34p-9f, {circle(2, 0).radius, circle(2, 1).radius});
    // The incircle's radius through the double fallback, where the float cross product underflows.
    expectPoint(0x1.0aae14p-56f, 0x1.5d42b2p-67f, {circle(6, 0).radius, circle(6, 1).radius});
    expectPoint(0x1.059906p+5f, -0x1.16658ap+4f, s[7].segments[2].segment.to);
    expectPoint(0x1.3e0b7ap+4f, -0x1.edcb7p+2f, s[7].dots[58].at);
    // multiply rounds its sum after each term: 1 + 2^-24 falls back to 1 twice; -0s sum to +0.
    const float tiny = 0x1p-24f;
    const Matrix3 product = multiply({{1, 1, 1}}, {{1, -0.0f, 0, tiny, -0.0f, 0, tiny, -0.0f, 1}});
    expectPoint(1, 0, {product.m[0], product.m[1]});
    // The source frame inverted through k = 1 / det rounded once (1.0f / float(det) is an ulp off).
    const Matrix3 m =
        triangleMap({-0.56f, -4.56f}, {0.79f, 1.33f}, {-8.76f, -5.1f}, {0, 0}, {1, 0}, {0, 1});
    expectPoint(-0x1.73fae4p-7f, 0x1.8f34fap-1f, {m.m[0], m.m[2]});
    expectPoint(0x1.d0f9ap-6f, 0x1.ec1daap-5f, {m.m[4], m.m[5]});
    // mapPoint sums each row in double, left to right: 1 + 2^60 loses the 1; float loses 2^24 + 1.
    expectPoint(0, 0x1p24f, mapPoint({{1, 1, -0x1p60f, 0x1p24f, 0x1p-60f, -1}}, {1, 0x1p60f}));
    expectPoint(0, 0, mapPoint({{0, 0, 0, 1, 1, -0x1p60f}}, {1, 0x1p60f}));
    // At any scale a squared sine of 0.003^2 is parallel, 0.0032^2 not; no crossing, no write.
    Point out{7, 8};
    EXPECT_EQ(IntersectionKind::Parallel, intersectLines(out, {{0, 0}, {1, 0}}, {{0, 1}, {2, 0}}));
    EXPECT_EQ(IntersectionKind::Coincident,
              intersectLines(out, {{0, 0}, {1, 0}}, {{5, 1e-4f}, {-3, 0}}));
    expectPoint(7, 8, out);
    for (const float k : {1.0f, 0.5f, 1024.0f}) {
        EXPECT_NE(IntersectionKind::Crossing,
                  intersectLines(out, {{0, 0}, {k, 0}}, {{0, k}, {k, 0.003f * k}}));
        EXPECT_EQ(IntersectionKind::Crossing,
                  intersectLines(out, {{0, 0}, {k, 0}}, {{0, k}, {k, 0.0032f * k}}));
        expectPoint(-312.5f * k, 0, out);
    }
    // Out of a vertex, between its sides; at a straight angle, away from the slightest bend.
    const auto away = [](Point p, Point v, Point n) { return exact(outwardDirection(p, v, n)); };
    EXPECT_LT(std::abs(away({13, 24}, {10, 20}, {15, 20}) - Exact(-2, -1) / std::sqrt(5.0)), 1e-6);
    EXPECT_LT(std::abs(away({0, 5}, {2, 4.9999f}, {4, 5}) - Exact(0, -1)), 1e-3);
    EXPECT_LT(std::abs(away({-5, 0}, {-4.9999f, 2}, {-5, 4}) - Exact(1, 0)), 1e-3);
}

} // namespace
