// The arithmetic, where rounding or a tolerance can slip: line intersection, affine maps, traced
// outlines, the triangle constructions on figures of every size, and the scene each program fills.
#include "camera.h"
#include "case_name.h"
#include "constructions.h"
#include "finite_scene.h"
#include "intersection.h"
#include "parallelogram_dialogue.h"
#include "parallelogram_scene.h"
#include "triangle_dialogue.h"
#include "triangle_scene.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

Line line(float ox, float oy, float dx, float dy) {
    return {{ox, oy}, {dx, dy}};
}

// Bit for bit, so that -0 differs from +0.
void expectBits(float expected, float actual) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(expected), std::bit_cast<std::uint32_t>(actual))
        << std::hexfloat << expected << " != " << actual;
}

void expectPoint(float x, float y, Point p) {
    expectBits(x, p.x);
    expectBits(y, p.y);
}

TEST(IntersectLines, CrossesOnlyAboveARelativeTolerance) {
    Point out{7, 8, Magenta};
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 1, 0), line(0, 1, 2, 0)));
    expectPoint(7, 8, out); // untouched unless crossing
    EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, 1, 0), line(2, 3, 0, 1)));
    expectPoint(2, 0, out);
    EXPECT_EQ(Magenta, out.colour);
    // The same angles at any scale: a squared sine of 0.003^2 is within 1e-5, of 0.0032^2 not.
    for (const float scale : {1.0f, 0.5f, 1024.0f}) {
        EXPECT_NE(Crossing,
                  intersectLines(out, line(0, 0, scale, 0), line(0, scale, scale, 0.003f * scale)));
        EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, scale, 0),
                                           line(0, scale, scale, 0.0032f * scale)));
        expectPoint(-312.5f * scale, 0, out);
    }
}

TEST(AffineArithmetic, RoundsWhereValuesAreStored) {
    // multiply rounds its running sum after every term: 1 + 2^-24 falls back to 1 twice.
    const float tiny = 0x1p-24f;
    EXPECT_EQ(1.0f, multiply({{1, 1, 1}}, {{1, 0, 0, tiny, 0, 0, tiny, 0, 1}}).m[0]);
    expectBits(0.0f, multiply({{-1, -1, -1}}, {}).m[0]); // three -0 products sum to +0
    // The inverse source frame in closed form, each entry rounded once; 1/3 to the nearest float.
    const Matrix3 reverse = triangleMap({1, 1}, {3, 1}, {1, 4}, {0, 0}, {1, 0}, {0, 1});
    const float expected[] = {0.5f, 0, -0.5f, 0, 0x1.555556p-2f, -0x1.555556p-2f, 0, 0, 1};
    for (int i = 0; i < 9; ++i) {
        expectBits(expected[i], reverse.m[i]);
    }
    // mapPoint sums in double: in float 2^24 + 1 would round away before the -1.
    const Point image = mapPoint({{1, 1, -1, 0, 0, 0, 5, 6, 7}}, {0x1p24f, 1, Red});
    EXPECT_EQ(0x1p24f, image.x);
    EXPECT_EQ(Black, image.colour);
}

// Off the origin, with a radius of sqrt(2) and a map that is not the identity, each traced point
// depends on every rounding: of the angle, of its sine and cosine, of the point on the circle.
TEST(Trace, RoundsEveryStoredValueBitForBit) {
    scene = Scene{};
    traceCircleImage({{2.5f, -1.25f}, 1.4142135f, Red}, {{2, 0.5f, 3.5f, 0.5f, 1.5f, 3}});
    ASSERT_EQ(201u, scene.points.size());
    expectPoint(7.875f, 2.375f, scene.points[0]); // (2 * 2.5 - 0.5 * 1.25 + 3.5, ...)
    // Point 33, worked out with Python's float32 rounding (struct 'f'):
    //   theta = f32(33 * 2pi / 200) = 0x1.0966d8p+0
    //   c = f32(cos theta) = 0x1.04a116p-1, s = f32(sin theta) = 0x1.b8b32cp-1
    //   px = f32(c r + 2.5) = 0x1.9c2578p+1, py = f32(s r - 1.25) = -0x1.0c1998p-5
    //   X = f32(2 px + 0.5 py + 3.5), Y = f32(0.5 px + 1.5 py + 3)
    // Unrounded sine and cosine give 0x1.3d8caep+3, 0x1.23e51p+2 instead.
    expectPoint(0x1.3d8cbp+3f, 0x1.23e512p+2f, scene.points[34]);
    for (const Point& p : scene.points) {
        EXPECT_EQ(Cyan, p.colour);
    }
    // The angle is rounded before its cosine: a quarter turn of the unit circle is not 0.
    expectPoint(-4.371139e-8f, 1, outlinePoint({0, 0}, 1, 1, 25, 100));
}

TEST(Constructions, RightTriangle) {
    const Circle circum = circumcircle({0, 0}, {4, 0}, {0, 3});
    expectPoint(2, 1.5f, circum.centre);
    EXPECT_EQ(2.5f, circum.radius);
    const Circle inscribed = incircle({0, 0}, {4, 0}, {0, 3});
    EXPECT_FLOAT_EQ(1, inscribed.centre.x);
    EXPECT_FLOAT_EQ(1, inscribed.centre.y);
    EXPECT_FLOAT_EQ(1, inscribed.radius);
}

// Exact distances, in double, for judging the constructions.
double distance(Point p, Point q) {
    return std::hypot(double(q.x) - p.x, double(q.y) - p.y);
}

double distanceToLineThrough(Point p, Point a, Point b) {
    const double cross =
        (double(b.x) - a.x) * (double(p.y) - a.y) - (double(b.y) - a.y) * (double(p.x) - a.x);
    return std::abs(cross) / distance(a, b);
}

struct Figure {
    const char* name;
    bool trimap; // else paraquad
    const char* input;
    bool accepted;
};

void PrintTo(const Figure& f, std::ostream* os) {
    *os << f.name;
}

// Near the ends of the float range; trimap maps each triangle onto itself unless a second one is
// given. The intermediates of the constructions leave the normal floats here.
const Figure figures[] = {
    {"HugeSides", true, "0 0 2e19 0 0 2e18", true},
    {"FlatUnderAHugeCircumcircle", true, "0 0 1 0 2 1e-20", true},
    {"FlatAtB", true, "5 5 15 5 25 5.03", true},
    {"FlatAtC", true, "1 1 3 1 2 1.003", true},
    {"TinyAndThin", true, "0 0 1e-23 0 0 1e-15\n0 1e-14 1e-23 1e-14 0 1.1e-14", true},
    {"TinySideAB", true, "0 0 1e-22 0 0 1e-16", true},
    {"ClockwiseAndTall", true, "1000 1000 1000 1004 1003 1000", true},
    {"TooSmallToInvert", true, "0 0 1e-23 0 0 1e-23", false},
    {"JustTooLargeToDraw", false, "0 0 5.2e36 0 5.2e36 5.2e36", false},
    {"JustLargeEnoughToDraw", false, "0 0 4.8e36 0 4.8e36 4.8e36", true},
    {"JustTooSmallToDraw", false, "0 0 4.8e-33 0 4.8e-33 4.8e-33", false},
    {"JustSmallEnoughToDraw", false, "0 0 5.2e-33 0 5.2e-33 5.2e-33", true},
};

class ExtremeFigure : public testing::TestWithParam<Figure> {};

// Accepted or refused as it should be; nothing stored but finite numbers; and for a triangle, the
// circumcircle through A, B and C and the incircle touching the three sides.
TEST_P(ExtremeFigure, StaysTrue) {
    const Figure& f = GetParam();
    std::string input = f.input;
    if (f.trimap && input.find('\n') == std::string::npos) {
        input += "\n" + input;
    }
    std::FILE* in = fmemopen(input.data(), input.size(), "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    scene = Scene{};
    const bool accepted = (f.trimap ? trimap : paraquad).dialogue(in, out, stderr);
    std::fclose(in);
    std::fclose(out);
    EXPECT_TRUE(holdsOnlyFiniteValues(scene));
    ASSERT_EQ(f.accepted, accepted);
    if (!accepted || !f.trimap) {
        return;
    }
    const Point v[] = {scene.segments[2].from, scene.segments[0].from, scene.segments[0].to};
    const Circle circum = scene.circles[0], inscribed = scene.circles[1];
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(1, distance(circum.centre, v[i]) / circum.radius, 1e-3) << i;
        EXPECT_NEAR(
            1, distanceToLineThrough(inscribed.centre, v[i], v[(i + 1) % 3]) / inscribed.radius,
            1e-3)
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtremeFigure, testing::ValuesIn(figures), CaseName());

// A unit square whose corners are exact floats at 1e7: no float holds its centre.
TEST(Camera, KeepsTheCentreOfASmallFigureFarAway) {
    scene = Scene{};
    fillParallelogramScene(
        {{1e7f, 1e7f}, {10000001, 1e7f}, {10000001, 10000001}, {1e7f, 10000001}});
    const Camera camera = fitCamera(scene.box);
    EXPECT_EQ(1e7 + 0.5, camera.centreX);
    EXPECT_EQ(1e7 + 0.5, camera.centreY);
    EXPECT_EQ(2.0f, camera.distance);
}

void expectBox(float lowX, float lowY, float highX, float highY) {
    expectPoint(lowX, lowY, scene.box.low);
    expectPoint(highX, highY, scene.box.high);
}

class SceneStore : public testing::Test {
  protected:
    void SetUp() override { scene = Scene{}; }
};

TEST_F(SceneStore, FirstAddSetsTheBoxAndLaterOnesWidenIt) {
    EXPECT_TRUE(isEmpty(scene.box));
    addPoint(Yellow, {2000, -5, Magenta});
    expectBox(2000, -5, 2000, -5);
    EXPECT_EQ(Yellow, scene.points[0].colour);
    addSegment(Red, {{3, -40, Green}, {4000, 25}});
    EXPECT_EQ(Red, scene.segments[0].colour);
    EXPECT_EQ(Green, scene.segments[0].from.colour);
    expectBox(3, -40, 4000, 25);
    addCircle(Blue, {{1, 5}, 2000});
    EXPECT_EQ(Blue, scene.circles[0].colour);
    expectBox(-1999, -1995, 4000, 2005);
}

TEST_F(SceneStore, TrimapAddsItsConstructionInOrder) {
    const Point a{0, 0}, b{1, 0}, c{0, 1}, a2{1, 1}, b2{3, 1}, c2{1, 4};
    const Matrix3 m{{2, 0, 1, 0, 3, 1, 0, 0, 1}};
    fillTriangleScene({a, b, c, a2, b2, c2, m, a2, b2, c2});
    ASSERT_EQ(6u, scene.segments.size());
    ASSERT_EQ(407u, scene.points.size());
    expectPoint(1, 0, scene.segments[0].from); // BC first, then AC, AB
    expectPoint(3, 1, scene.segments[3].from); // then B'C'
    expectPoint(1, 4, scene.points[2]);
    const Colour colours[] = {Yellow, Yellow, Yellow, Blue, Green, Cyan};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(colours[i], scene.points[std::size_t(i)].colour) << i;
    }
    ASSERT_EQ(2u, scene.circles.size());
    EXPECT_EQ(Green, scene.circles[1].colour); // the incircle, after the circumcircle
    // The images of the incentre (1 - 1/sqrt(2)) (1, 1) and of the circumcentre (0.5, 0.5).
    EXPECT_FLOAT_EQ(3 - std::sqrt(2.0f), scene.points[5].x);
    EXPECT_FLOAT_EQ(4 - 1.5f * std::sqrt(2.0f), scene.points[5].y);
    expectPoint(2, 2.5f, scene.points[206]);
}

// The ellipse starts at the midpoint of BC and passes those of CD, DA and AB a quarter turn apart.
TEST_F(SceneStore, ParaquadTracesTheInscribedEllipseThenTheSides) {
    fillParallelogramScene({{1, 1}, {5, 2}, {6, 5}, {2, 4}});
    ASSERT_EQ(201u, scene.points.size());
    ASSERT_EQ(4u, scene.segments.size());
    expectPoint(3.5f, 3, scene.points[0]); // the centre
    const Point midpoints[] = {{5.5f, 3.5f}, {4, 4.5f}, {1.5f, 2.5f}, {3, 1.5f}};
    for (std::size_t quarter = 0; quarter < 4; ++quarter) {
        EXPECT_NEAR(midpoints[quarter].x, scene.points[1 + 50 * quarter].x, 1e-5) << quarter;
        EXPECT_NEAR(midpoints[quarter].y, scene.points[1 + 50 * quarter].y, 1e-5) << quarter;
    }
    expectPoint(2, 4, scene.segments[2].to);
    expectPoint(1, 1, scene.segments[3].to);
    expectBox(1, 1, 6, 5);
}

} // namespace
