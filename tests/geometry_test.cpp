// The arithmetic where a rounding or a tolerance can slip, and one table of figures, from the
// ordinary to the ends of the float range, each checked in its numbers and in its pictures: drawn
// offscreen by the window's own code, and written as SVG and rendered by rsvg-convert.
#include "image.h"
#include "intersection.h"
#include "offscreen.h"
#include "parallelogram_dialogue.h"
#include "program.h"
#include "svg_writer.h"
#include "triangle_dialogue.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>

namespace {

// Bit for bit, so that -0 differs from +0.
void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(p.x)) << p.x;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(y), std::bit_cast<std::uint32_t>(p.y)) << p.y;
}

TEST(IntersectLines, CrossesOnlyAboveARelativeTolerance) {
    Point out{7, 8};
    EXPECT_EQ(Parallel, intersectLines(out, {{0, 0}, {1, 0}}, {{0, 1}, {2, 0}}));
    expectPoint(7, 8, out); // untouched unless crossing
    // At any scale, a squared sine of 0.003^2 is within 1e-5, one of 0.0032^2 is not; the point
    // is measured along the first line.
    for (const float s : {1.0f, 0.5f, 1024.0f}) {
        EXPECT_NE(Crossing, intersectLines(out, {{0, 0}, {s, 0}}, {{0, s}, {s, 0.003f * s}}));
        EXPECT_EQ(Crossing, intersectLines(out, {{0, 0}, {s, 0}}, {{0, s}, {s, 0.0032f * s}}));
        expectPoint(-312.5f * s, 0, out);
    }
}

TEST(AffineArithmetic, RoundsWhereValuesAreStored) {
    // multiply rounds its running sum after every term: 1 + 2^-24 falls back to 1 twice. Three
    // -0 products sum to +0.
    const float tiny = 0x1p-24f;
    const Matrix3 product = multiply({{1, 1, 1}}, {{1, -0.0f, 0, tiny, -0.0f, 0, tiny, -0.0f, 1}});
    expectPoint(1, 0, {product.m[0], product.m[1]});
    // The inverse source frame in closed form, each entry rounded once; 1/3 to the nearest float.
    const Matrix3 m = triangleMap({1, 1}, {3, 1}, {1, 4}, {0, 0}, {1, 0}, {0, 1});
    expectPoint(0.5f, -0.5f, {m.m[0], m.m[2]});
    expectPoint(0x1.555556p-2f, -0x1.555556p-2f, {m.m[4], m.m[5]});
    // mapPoint sums in double, left to right: 1 + 2^60 loses the 1 before the -2^60, as
    // 1 + (2^60 - 2^60) would not; in float 2^24 + 1 would round away before the -1.
    expectPoint(0, 0x1p24f, mapPoint({{1, 1, -0x1p60f, 0x1p24f, 0x1p-60f, -1}}, {1, 0x1p60f}));
}

// Off the origin, with a radius of sqrt(2) and a map that is not the identity, each traced point
// depends on every rounding: of the angle, of its sine and cosine, of the point on the circle.
TEST(Trace, RoundsEveryStoredValueBitForBit) {
    scene = Scene{};
    traceCircleImage({{2.5f, -1.25f}, 1.4142135f, Red}, {{2, 0.5f, 3.5f, 0.5f, 1.5f, 3}});
    ASSERT_EQ(201u, scene.points.size());
    expectPoint(7.875f, 2.375f, scene.points[0]); // (2 * 2.5 - 0.5 * 1.25 + 3.5, ...)
    // Point 33, with Python's float32 rounding (struct 'f'): theta = f32(33 * 2pi / 200) =
    // 0x1.0966d8p+0, c = f32(cos theta) = 0x1.04a116p-1, s = f32(sin theta) = 0x1.b8b32cp-1,
    // px = f32(c r + 2.5) = 0x1.9c2578p+1, py = f32(s r - 1.25) = -0x1.0c1998p-5, X = f32(2 px +
    // 0.5 py + 3.5), Y = f32(0.5 px + 1.5 py + 3); unrounded sines give 0x1.3d8caep+3,
    // 0x1.23e51p+2.
    expectPoint(0x1.3d8cbp+3f, 0x1.23e512p+2f, scene.points[34]);
    EXPECT_EQ(Cyan, scene.points[200].colour);
    // The angle is rounded before its cosine: a quarter turn of the unit circle is not 0.
    expectPoint(-4.371139e-8f, 1, outlinePoint({0, 0}, 1, 1, 25, 100));
}

// At least `least` of the pixels within `radius` of the plane point (x, y) show `colour`; 9 of
// the 3 x 3 is a whole dot, drawn over what is under it.
struct Spot {
    double x, y;
    Rgb8 colour;
    int least;
    int radius = 1;
};

struct Figure {
    const char* name;
    const Tool& tool;
    std::string input; // trimap maps a triangle onto itself unless a second one is given
    bool accepted = true;
    View view{}; // for the pictures: from the figure's own box, centred, at twice its extent
    std::vector<Spot> spots{};
};

void PrintTo(const Figure& f, std::ostream* os) {
    *os << f.name;
}

// A clockwise parallelogram with its sides along the axes, from (x, y) up by h, then right by w:
// its corners, its sides away from the ellipse, and unless the ellipse has shrunk onto the corners
// this far from the origin, its centre and a dot where it touches the left side.
Figure upright(const char* name, double x, double y, double w, double h, bool ellipse = true) {
    char input[128];
    std::snprintf(input, sizeof input, "%.9g %.9g %.9g %.9g %.9g %.9g", x, y, x, y + h, x + w,
                  y + h);
    std::vector<Spot> spots{{x - w / 2, y + h / 2, background, 9}};
    if (ellipse) {
        spots.insert(spots.end(), {{x + w / 2, y + h / 2, cyan, 9}, {x, y + h / 2, cyan, 9}});
    }
    for (const auto& [across, up] : {std::pair{0, 0}, {0, 1}, {1, 1}, {1, 0}}) {
        spots.push_back({x + across * w, y + up * h, red, ellipse ? 9 : 1, ellipse ? 1 : 3});
        spots.push_back({x + across * w, y + (0.15 + 0.7 * up) * h, red, 1});
    }
    return {name, paraquad, input, true, {x + w / 2, y + h / 2, 2 * std::max(w, h)}, spots};
}

// The right triangle (0, 0), (4, 0), (0, 3) and its copy 10 to the right: the box runs from the
// circumcircle's (-0.5, -1) to its image's (14.5, 4). The sides are looked at away from where the
// circles touch them, and the image of A under the traced circumcircle.
// clang-format off
const Figure figures[] = {
    {"Right", trimap, "0 0 4 0 0 3\n10 0 14 0 10 3", true, {7, 1.5, 30}, {
        {-3, 6, background, 9},
        {3, 0, red, 1}, {0, 2.4, red, 1}, {3.4, 0.45, red, 1},                    // sides
        {13, 0, red, 1}, {10, 2.4, red, 1}, {13.4, 0.45, red, 1},
        {2, 1.5, blue, 9}, {2, 4, blue, 1}, {-0.5, 1.5, blue, 1}, {2, -1, blue, 1}, // circumcircle
        {1, 1, green, 9}, {1, 2, green, 1}, {2, 1, green, 1},                       // incircle
        {10, 0, yellow, 1, 2},                                                      // image of A
        {12, 1.5, cyan, 9}, {11, 1, cyan, 9}, {14.5, 1.5, cyan, 9}, {12, 1, cyan, 9}}}, // traced
    {"ClockwiseAndTall", trimap, "1000 1000 1000 1004 1003 1000"},
    {"FlatAtB", trimap, "5 5 15 5 25 5.03"},
    {"FlatAtC", trimap, "1 1 3 1 2 1.003"},
    {"HugeSides", trimap, "0 0 2e19 0 0 2e18"},
    {"FlatUnderAHugeCircumcircle", trimap, "0 0 1 0 2 1e-20"},
    {"TinyAndThin", trimap, "0 0 1e-23 0 0 1e-15\n0 1e-14 1e-23 1e-14 0 1.1e-14"},
    {"TinySideAB", trimap, "0 0 1e-22 0 0 1e-16"},
    {"TooSmallToInvert", trimap, "0 0 1e-23 0 0 1e-23", false},
    {"TinyParallelogram", paraquad, "-1.21087397e-22 4.74984738e-22 -7.34986628e-22 "
                                    "2.63888866e-22 -3.83272425e-23 5.11431879e-22"},
    upright("TallFarAway", 1e6, 1e6, 1, 3), // where a float pipeline would lose its shape
    upright("UnitSquareFarAway", 1e7, 1e7, 1, 1, false), // its centre is no float
    {"JustTooLargeToDraw", paraquad, "0 0 5.2e36 0 5.2e36 5.2e36", false},
    upright("JustLargeEnoughToDraw", 0, 0, double(4.8e36f), double(4.8e36f)),
    {"JustTooSmallToDraw", paraquad, "0 0 4.8e-33 0 4.8e-33 4.8e-33", false},
    upright("JustSmallEnoughToDraw", 0, 0, double(5.2e-33f), double(5.2e-33f)),
};
// clang-format on

// Exact, in double, for judging the constructions.
double distance(Point p, Point q) {
    return std::hypot(double(q.x) - p.x, double(q.y) - p.y);
}

double distanceToLineThrough(Point p, Point a, Point b) {
    const double twiceArea =
        (double(b.x) - a.x) * (double(p.y) - a.y) - (double(b.y) - a.y) * (double(p.x) - a.x);
    return std::abs(twiceArea) / distance(a, b);
}

Image drawnOffscreen() {
    std::string error;
    Image image{1024, 700, renderScene(error)};
    EXPECT_EQ("", error);
    return image;
}

Image renderedSvg() {
    const ScratchFolder folder;
    const std::string f = folder.path;
    std::ofstream(f + "/p.svg") << sceneSvg();
    EXPECT_EQ(0, run("rsvg-convert -o " + f + "/p.png " + f + "/p.svg", "").status);
    return readPng(f + "/p.png");
}

class Figures : public testing::TestWithParam<Figure> {};

// Accepted or refused as it should be, with nothing stored but finite numbers; a triangle's
// circumcircle through A, B and C and its incircle touching the three sides, a parallelogram's
// D = A + C - B; and the colours where the figure says they must be.
TEST_P(Figures, AreTrueInNumbersAndPictures) {
    const Figure& f = GetParam();
    const bool twoTriangles = &f.tool == &paraquad || f.input.find('\n') != std::string::npos;
    const bool accepted = converse(f.tool, twoTriangles ? f.input : f.input + "\n" + f.input);
    EXPECT_TRUE(holdsOnlyFiniteValues(scene));
    ASSERT_EQ(f.accepted, accepted);
    if (!accepted) {
        return;
    }
    const std::vector<Segment>& sides = scene.segments;
    if (&f.tool == &paraquad) {
        const Point a = sides[0].from, b = sides[0].to, c = sides[1].to;
        const Point d{float(double(a.x) + c.x - b.x), float(double(a.y) + c.y - b.y)};
        EXPECT_NEAR(0, distance(sides[2].to, d) / distance(a, b), 1e-3);
    } else {
        const Point v[] = {sides[2].from, sides[0].from, sides[0].to};
        const Circle circum = scene.circles[0], inscribed = scene.circles[1];
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(1, distance(circum.centre, v[i]) / circum.radius, 1e-3) << i;
            EXPECT_NEAR(
                1, distanceToLineThrough(inscribed.centre, v[i], v[(i + 1) % 3]) / inscribed.radius,
                1e-3)
                << i;
        }
    }
    for (const bool svg : {false, true}) {
        const Image image = f.spots.empty() ? Image{} : svg ? renderedSvg() : drawnOffscreen();
        for (const Spot& s : f.spots) {
            EXPECT_LE(s.least, image.count(pixelOf(f.view, s.x, s.y), s.radius, s.colour))
                << (svg ? "svg" : "offscreen") << " at " << s.x << ", " << s.y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Figures, testing::ValuesIn(figures),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
