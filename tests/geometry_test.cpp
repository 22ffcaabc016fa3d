// One table of figures, in general position and at the ends of the float range. Each is judged
// against its geometry worked out in double, apart from the code, to a few units in the last
// place; its pictures, drawn offscreen by the window's own painter and written as SVG, pixel by
// pixel and by what the document promises; and the names of its vertices, where they stand.
#include "image.h"
#include "parallelogram_dialogue.h"
#include "picture/offscreen.h"
#include "picture/svg_painter.h"
#include "program.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

namespace {

using namespace geom;

// Bit for bit, so that -0 differs from +0.
void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(p.x)) << p.x;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(y), std::bit_cast<std::uint32_t>(p.y)) << p.y;
}

// Each accepted; `report`, when given, is what follows the prompts, from a float32 evaluation of
// the described arithmetic in Python (struct 'f' rounding, libm sine and cosine), apart from the
// code.
struct Figure {
    const char* name;
    const Tool& tool;
    std::string input, report{};
};

void PrintTo(const Figure& f, std::ostream* os) {
    *os << f.name;
}

const std::string matrixHeader =
    "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n";

const Figure figures[] = {
    {"CounterClockwiseOntoClockwise", trimap,
     "1203.5 -417.25 1876.125 -102.75 1455.8 391.6\n-2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35",
     matrixHeader + "-1.264356 1.162758 -303.586548 \n0.385857 0.791616 1368.623169 \n"
                    "0.000000 0.000000 1.000000 \n"
                    "koordinate slike tacke a su x=-2310.399902 y=1502.699829\n"
                    "koordinate slike tacke b su x=-2795.149902 y=2011.199951\n"
                    "koordinate slike tacke c su x=-1688.900024 y=2240.350098\n"},
    {"ClockwiseOntoCounterClockwise", trimap,
     "-4.6 -0.8 -1.3 8.4 3.7 2.9\n12.25 -6.5 19.75 3.125 7.5 0.375",
     matrixHeader + "-1.113796 1.214731 8.098324 \n0.430826 0.891660 -3.804872 \n"
                    "0.000000 0.000000 1.000000 \n"
                    "koordinate slike tacke a su x=12.249999 y=-6.500000\n"
                    "koordinate slike tacke b su x=19.749998 y=3.124999\n"
                    "koordinate slike tacke c su x=7.500000 y=0.375000\n"},
    // The box's bottom is the circumcircle's alone.
    {"FramedByTheBottomOfItsCircumcircle", trimap,
     "-6.2 2.1 5.9 2.3 0.4 3.05\n20.5 5.25 26.55 5.6 23.7 6.1"},
    // Too flat for the bisectors to cross within the tolerance; each onto a turned, scaled copy.
    {"FlatAtB", trimap,
     "2.5 1.5 12.5 6.5 22.5 11.52\n9.372595 0.3235572 18.61298 14.31875 27.83836 28.33992"},
    {"FlatAtC", trimap,
     "-3.2 4.1 0.8 7.1 -1.2024 5.6032\n0.01807806 -0.5739438 2.96423 6.323171 1.485637 2.87697"},
    {"HugeSides", trimap, "0 0 2e19 0 0 2e18\n0 0 2e19 0 0 2e18"},
    {"FlatUnderAHugeCircumcircle", trimap, "0 0 1 0 2 1e-20\n0 0 1 0 2 1e-20"},
    {"TinyAndThin", trimap, "0 0 1e-23 0 0 1e-15\n0 1e-14 1e-23 1e-14 0 1.1e-14"},
    {"TinySideAB", trimap, "0 0 1e-22 0 0 1e-16\n0 0 1e-22 0 0 1e-16"},
    {"Clockwise", paraquad, "16.5 -5.3 -15.8 19.1 0.4 7",
     "koordinate temena D paralelograma su x=32.699718, y=-17.399790\n"},
    {"CounterClockwise", paraquad, "2250.5 987.4 1896.7 1210.1 1502.3 733.6",
     "koordinate temena D paralelograma su x=1856.100098, y=510.900024\n"},
    // Sides within the tolerance of parallel: D is A + C - B.
    {"NearlyCollinear", paraquad, "12.5 -7.25 92.5 52.75 172.5 112.85",
     "koordinate temena D paralelograma su x=92.500000, y=52.849998\n"},
    {"TinyParallelogram", paraquad,
     "-1.21087397e-22 4.74984738e-22 -7.34986628e-22 "
     "2.63888866e-22 -3.83272425e-23 5.11431879e-22"},
    // Where a float pipeline would lose the shape; at 1e7 the ellipse has shrunk onto a corner.
    {"TallFarAway", paraquad, "1000000 1000000 1000000 1000003 1000001 1000003"},
    {"UnitSquareFarAway", paraquad, "10000000 10000000 10000000 10000001 10000001 10000001"},
    // The ends of the drawable range; 5.2e36 and 4.8e-33 are refused.
    {"JustLargeEnoughToDraw", paraquad, "0 0 0 4.8e36 4.8e36 4.8e36"},
    {"JustSmallEnoughToDraw", paraquad, "0 0 0 5.2e-33 5.2e-33 5.2e-33"},
};
// clang-format on

// The figure's own geometry, in double.
struct Exact {
    double x, y;
};

double distance(Exact p, Exact q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}

// Twice the signed area of pqr.
double twiceArea(Exact p, Exact q, Exact r) {
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}

// The affine map taking (0, 0), (1, 0), (0, 1) to o, o + u, o + v.
struct Affine {
    Exact o, u, v;
    Exact operator()(Exact p) const {
        return {o.x + p.x * u.x + p.y * v.x, o.y + p.x * u.y + p.y * v.y};
    }
};

// Takes a, b, c onto a2, b2, c2: the images of (1, 0) and (0, 1) relative to a, then of the origin.
Affine affineMap(Exact a, Exact b, Exact c, Exact a2, Exact b2, Exact c2) {
    const double det = twiceArea(a, b, c);
    const Exact u{b.x - a.x, b.y - a.y}, v{c.x - a.x, c.y - a.y};
    const Exact u2{b2.x - a2.x, b2.y - a2.y}, v2{c2.x - a2.x, c2.y - a2.y};
    const Exact ex{(u2.x * v.y - v2.x * u.y) / det, (u2.y * v.y - v2.y * u.y) / det};
    const Exact ey{(v2.x * u.x - u2.x * v.x) / det, (v2.y * u.x - u2.y * v.x) / det};
    return {{a2.x - ex.x * a.x - ey.x * a.y, a2.y - ex.y * a.x - ey.y * a.y}, ex, ey};
}

Point rounded(Exact p, Colour c = Colour::Cyan) {
    return {float(p.x), float(p.y), c};
}

// The centre's image, then 200 points around the circle at single-precision angles, each mapped.
void trace(std::vector<Point>& points, Exact centre, double radius, const Affine& map) {
    points.push_back(rounded(map(centre)));
    for (int i = 0; i < 200; ++i) {
        const double angle = double(float(i * 2 * std::numbers::pi / 200));
        points.push_back(rounded(
            map({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)})));
    }
}

// What the program must store for the vertices v: for trimap both triangles, the circle through A,
// B and C and the one inside them touching their sides, with their centres, both traced through
// the map, then the images of A, B and C; for paraquad the ellipse inscribed in ABCD, D = A + C -
// B, traced as the unit circle through the map of the square (+-1, +-1) onto ABCD, then its sides.
Scene expectedScene(const Tool& tool, const std::vector<Exact>& v) {
    const Exact a = v[0], b = v[1], c = v[2];
    Scene s;
    if (&tool == &paraquad) {
        const Exact d{a.x + c.x - b.x, a.y + c.y - b.y};
        trace(s.points, {0, 0}, 1,
              {{(a.x + c.x) / 2, (a.y + c.y) / 2},
               {(b.x - a.x) / 2, (b.y - a.y) / 2},
               {(d.x - a.x) / 2, (d.y - a.y) / 2}});
        s.segments = {{rounded(a), rounded(b)},
                      {rounded(b), rounded(c)},
                      {rounded(c), rounded(d)},
                      {rounded(d), rounded(a)}};
        return s;
    }
    const auto side = [&](int i, int j) { return Segment{rounded(v[i]), rounded(v[j])}; };
    s.segments = {side(1, 2), side(0, 2), side(0, 1), side(4, 5), side(3, 5), side(3, 4)};
    const double ab = distance(a, b), bc = distance(b, c), ca = distance(c, a);
    const double det = twiceArea(a, b, c), perimeter = ab + bc + ca;
    const Exact circumcentre{a.x + ((c.y - a.y) * ab * ab - (b.y - a.y) * ca * ca) / (2 * det),
                             a.y + ((b.x - a.x) * ca * ca - (c.x - a.x) * ab * ab) / (2 * det)};
    const Exact incentre{(bc * a.x + ca * b.x + ab * c.x) / perimeter,
                         (bc * a.y + ca * b.y + ab * c.y) / perimeter};
    const double circumradius = distance(a, circumcentre), inradius = std::abs(det) / perimeter;
    s.circles = {{rounded(circumcentre), float(circumradius), Colour::Blue},
                 {rounded(incentre), float(inradius), Colour::Green}};
    s.points = {rounded(circumcentre, Colour::Blue), rounded(incentre, Colour::Green)};
    const Affine map = affineMap(a, b, c, v[3], v[4], v[5]);
    trace(s.points, incentre, inradius, map);
    trace(s.points, circumcentre, circumradius, map);
    for (int i = 3; i < 6; ++i) {
        s.points.push_back(rounded(v[i], Colour::Yellow));
    }
    return s;
}

// How much a rounding in a map or a crossing built on abc can grow: one over the sine of its
// sharpest angle.
double conditionOf(Exact a, Exact b, Exact c) {
    const double ab = distance(a, b), bc = distance(b, c), ca = distance(c, a);
    return std::max({ab * bc, bc * ca, ca * ab}) / std::abs(twiceArea(a, b, c));
}

// The box around everything stored, circles to their single-precision extremes.
BoundingBox boxOf(const Scene& s) {
    BoundingBox box;
    const auto widen = [&](Point low, Point high) {
        box.low = {std::min(box.low.x, low.x), std::min(box.low.y, low.y)};
        box.high = {std::max(box.high.x, high.x), std::max(box.high.y, high.y)};
    };
    for (const Segment& g : s.segments) {
        widen(g.from, g.from);
        widen(g.to, g.to);
    }
    std::for_each(s.points.begin(), s.points.end(), [&](Point p) { widen(p, p); });
    for (const Circle& k : s.circles) {
        const double x = k.centre.x, y = k.centre.y, r = k.radius;
        widen({float(x - r), float(y - r)}, {float(x + r), float(y + r)});
    }
    return box;
}

// Each stored value within `tolerance` of what it must be, circles within `circleTolerance`; the
// colours exactly.
void expectAlike(const Scene& want, const Scene& got, double tolerance, double circleTolerance) {
    ASSERT_EQ(want.points.size(), got.points.size());
    ASSERT_EQ(want.segments.size(), got.segments.size());
    ASSERT_EQ(want.circles.size(), got.circles.size());
    const auto apart = [](Point w, Point g) {
        return std::hypot(double(w.x) - g.x, double(w.y) - g.y);
    };
    for (std::size_t i = 0; i < want.points.size(); ++i) {
        EXPECT_LE(apart(want.points[i], got.points[i]), tolerance) << "point " << i;
        EXPECT_EQ(want.points[i].colour, got.points[i].colour) << "point " << i;
    }
    for (std::size_t i = 0; i < want.segments.size(); ++i) {
        const Segment w = want.segments[i], g = got.segments[i];
        EXPECT_LE(std::max(apart(w.from, g.from), apart(w.to, g.to)), tolerance) << "side " << i;
        EXPECT_EQ(Colour::Red, g.colour) << "side " << i;
    }
    for (std::size_t i = 0; i < want.circles.size(); ++i) {
        const Circle w = want.circles[i], g = got.circles[i];
        EXPECT_LE(std::max(apart(w.centre, g.centre), std::abs(double(w.radius) - g.radius)),
                  circleTolerance)
            << "circle " << i;
        EXPECT_EQ(w.colour, g.colour) << "circle " << i;
    }
}

// Where each vertex's name must stand, in window pixels: 16 out of its figure along the bisector of
// the angle outside it; with the names in order.
std::vector<std::pair<std::string, Spot>> namePlaces(const Tool& tool, const std::vector<Exact>& v,
                                                     View view) {
    const bool parallelogram = &tool == &paraquad;
    const std::vector<std::vector<Exact>> polygons =
        parallelogram ? std::vector<std::vector<Exact>>{{v[0],
                                                         v[1],
                                                         v[2],
                                                         {v[0].x + v[2].x - v[1].x,
                                                          v[0].y + v[2].y - v[1].y}}}
                      : std::vector<std::vector<Exact>>{{v[0], v[1], v[2]}, {v[3], v[4], v[5]}};
    const char* const names[] = {"A", "B", "C", parallelogram ? "D" : "A'", "B'", "C'"};
    std::vector<std::pair<std::string, Spot>> places;
    for (const auto& polygon : polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const std::size_t n = polygon.size();
            const Exact at = polygon[i], p = polygon[(i + n - 1) % n], q = polygon[(i + 1) % n];
            const Exact away{(at.x - p.x) / distance(p, at) + (at.x - q.x) / distance(q, at),
                             (at.y - p.y) / distance(p, at) + (at.y - q.y) / distance(q, at)};
            const double span = std::hypot(away.x, away.y);
            const Spot vertex = spotOf(view, at.x, at.y);
            places.push_back({names[places.size()],
                              {vertex.x + 16 * away.x / span, vertex.y - 16 * away.y / span}});
        }
    }
    return places;
}

Image drawnOffscreen(const Scene& scene) {
    std::string error;
    Image image{1024, 700, renderScene(scene, fitCamera(scene.box), error)};
    EXPECT_EQ("", error);
    return image;
}

Image rendered(const std::string& svg) {
    const ScratchFolder folder;
    std::ofstream(folder.path + "/p.svg") << svg;
    EXPECT_EQ(
        0, run("rsvg-convert -o " + folder.path + "/p.png " + folder.path + "/p.svg", "").status);
    return readPng(folder.path + "/p.png");
}

// What the README promises of the document: the window's size and title over its background,
// one element a line, numbers to nine significant digits (here the last dot's).
void expectSvgText(const std::string& svg, const Scene& s, View view) {
    EXPECT_TRUE(svg.starts_with(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "width=\"1024\" height=\"700\" viewBox=\"0 0 1024 700\" shape-rendering=\"crispEdges\" "
        "fill=\"none\" stroke-width=\"1\">\n<title>Geometrija - prikaz zadatka</title>\n"
        "<rect width=\"1024\" height=\"700\" fill=\"#e6e6cc\"/>\n"));
    EXPECT_TRUE(svg.ends_with("\"/>\n</svg>\n"));
    EXPECT_EQ(5 + s.circles.size() + 3 * s.segments.size() + s.points.size(),
              std::count(svg.begin(), svg.end(), '\n'));
    const Spot last = spotOf(view, s.points.back().x, s.points.back().y);
    const std::size_t x = svg.rfind("<rect x=\"") + 9, y = svg.find(" y=\"", x) + 4;
    EXPECT_NEAR(last.x - 2, std::strtod(&svg[x], nullptr), 1e-6) << svg.substr(x - 9);
    EXPECT_NEAR(last.y - 2, std::strtod(&svg[y], nullptr), 1e-6) << svg.substr(x - 9);
}

// In the window's pixels every one the names change lies within a name's reach of where one must
// stand, and each name changes some; the SVG holds one text per vertex, with its name, there.
void expectNames(const Scene& named, const Image& plain,
                 const std::vector<std::pair<std::string, Spot>>& places) {
    const Image shown = drawnOffscreen(named);
    std::vector<int> changed(places.size());
    int astray = 0;
    for (int y = 0; y < 700; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const std::size_t at = 3 * std::size_t(y * 1024 + x);
            if (std::equal(&shown.rgb[at], &shown.rgb[at + 3], &plain.rgb[at])) {
                continue;
            }
            bool near = false;
            for (std::size_t i = 0; i < places.size(); ++i) {
                const Spot c = places[i].second;
                if (std::max(std::abs(x + 0.5 - c.x), std::abs(y + 0.5 - c.y)) < 10) {
                    near = true;
                    ++changed[i];
                }
            }
            astray += near ? 0 : 1;
        }
    }
    EXPECT_EQ(0, astray) << "pixels changed away from every name";
    const std::string svg = sceneSvg(named, fitCamera(named.box));
    EXPECT_EQ(places.size(),
              std::size_t(std::count(svg.begin(), svg.end(), '\n') - 5 - named.circles.size() -
                          3 * named.segments.size() - named.points.size()));
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto& [name, place] = places[i];
        EXPECT_LE(20, changed[i]) << name << " shows too little";
        const std::size_t start = svg.rfind("<text x=\"", svg.find(">" + name + "</text>"));
        ASSERT_NE(std::string::npos, start) << name;
        EXPECT_NEAR(place.x, std::stod(svg.substr(start + 9)), 0.5) << name;
        EXPECT_NEAR(place.y, std::stod(svg.substr(svg.find(" y=\"", start) + 4)), 0.5) << name;
    }
}

class Figures : public testing::TestWithParam<Figure> {};

TEST_P(Figures, AreTrueInNumbersAndPictures) {
    const Figure& f = GetParam();
    const Conversation said = converse(f.tool, f.input);
    ASSERT_TRUE(said.accepted) << said.transcript;
    EXPECT_TRUE(said.transcript.ends_with(f.report)) << said.transcript;
    Scene scene = said.scene;
    scene.labels.clear(); // judged apart
    std::vector<Exact> v;
    std::istringstream numbers(f.input);
    for (std::string x, y; numbers >> x >> y;) {
        v.push_back({std::strtof(x.c_str(), nullptr), std::strtof(y.c_str(), nullptr)});
    }
    const Scene want = expectedScene(f.tool, v);
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
    const std::string svg = sceneSvg(scene, fitCamera(scene.box));
    expectSvgText(svg, scene, view);
    std::string where;
    const Image plain = drawnOffscreen(scene);
    EXPECT_EQ(0, mismatches(plain, scene, view, Outlines::Polygons, where)) << where;
    EXPECT_EQ(0, mismatches(rendered(svg), scene, view, Outlines::Circles, where)) << where;
    expectNames(said.scene, plain, namePlaces(f.tool, v, view));
}

INSTANTIATE_TEST_SUITE_P(Cases, Figures, testing::ValuesIn(figures),
                         [](const auto& test) { return std::string(test.param.name); });

// Stored values where every described rounding shows, from the same float32 evaluation.
TEST(Figures, StoreEveryDescribedRoundingBitForBit) {
    const Scene general = converse(trimap, figures[0].input).scene;
    expectPoint(0x1.681916p+10f, -0x1.7af1eap+5f, general.circles[0].centre);
    expectPoint(0x1.b73d0ap+8f, 0x1.9f2828p+7f,
                {general.circles[0].radius, general.circles[1].radius});
    expectPoint(0x1.81702ap+10f, -0x1.df1c82p+4f, general.circles[1].centre);
    expectPoint(-0x1.13551p+11f, 0x1.094cb6p+11f, general.points[37]);
    expectPoint(-0x1.7d9c42p+10f, 0x1.c157p+10f, general.points[297]);
    // Both centres from their closed forms.
    const Scene flat = converse(trimap, figures[4].input).scene;
    expectPoint(0x1.d38c12p+8f, -0x1.35b2b8p+9f, flat.circles[0].centre);
    expectPoint(-0x1.3381d8p+0f, 0x1.66809ep+2f, flat.circles[1].centre);
    expectPoint(0x1.869fe8p+9f, 0x1.062b34p-9f, {flat.circles[0].radius, flat.circles[1].radius});
    const Scene parallelogram = converse(paraquad, figures[9].input).scene;
    expectPoint(0x1.059906p+5f, -0x1.16658ap+4f, parallelogram.segments[2].to);
    expectPoint(0x1.3e0b7ap+4f, -0x1.edcb7p+2f, parallelogram.points[58]);
}

} // namespace
