// The arithmetic, where rounding or a tolerance can slip: line intersection, affine maps,
// outlines, the triangle constructions, and the scene store with what each program puts in it.
#include "constructions.h"
#include "intersection.h"
#include "parallelogram_scene.h"
#include "scene.h"
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

TEST(IntersectLines, KindsToleranceAndTheOutPoint) {
    Point out{7, 8, Magenta};
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, 1, 0), line(5, 0, -3, 0)));
    EXPECT_EQ(Coincident, intersectLines(out, line(1, 2, 3, 4), line(1, 2, 3, 4)));
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, NAN, 1), line(1, 0, 1, 1)));
    // Parallel or coincident is judged against the first direction's length alone.
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, 1, 0), line(1, 0.0001f, 1, 0)));
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 0.01f, 0), line(1, 0.0001f, 1, 0)));
    expectPoint(7, 8, out); // untouched unless crossing
    // The tolerance is relative: the same angles at any scale.
    for (const float scale : {1.0f, 0.5f, 1024.0f}) {
        EXPECT_EQ(Parallel,
                  intersectLines(out, line(0, 0, scale, 0), line(0, scale, scale, 0.003f * scale)));
        EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, scale, 0),
                                           line(0, scale, scale, 0.0032f * scale)));
        expectPoint(-312.5f * scale, 0, out);
    }
    EXPECT_EQ(Magenta, out.colour);
}

TEST(AffineArithmetic, RoundsWhereValuesAreStored) {
    // multiply rounds its running sum after every term: 1 + 2^-24 falls back to 1 twice.
    const float tiny = 0x1p-24f;
    EXPECT_EQ(1.0f, multiply({{1, 1, 1}}, {{1, 0, 0, tiny, 0, 0, tiny, 0, 1}}).m[0]);
    expectBits(0.0f, multiply({{-1, -1, -1}}, {}).m[0]); // three -0 products sum to +0
    // The inverse source frame in closed form, each entry rounded once.
    const Matrix3 reverse = triangleMap({1, 1}, {3, 1}, {1, 4}, {0, 0}, {1, 0}, {0, 1});
    const float expected[] = {0.5f, 0, -0.5f, 0, 0.33333334f, -0.33333334f, 0, 0, 1};
    for (int i = 0; i < 9; ++i) {
        expectBits(expected[i], reverse.m[i]);
    }
    // mapPoint sums in double: in float 2^24 + 1 would round away before the -1.
    const Point image = mapPoint({{1, 1, -1, 0, 0, 0, 5, 6, 7}}, {0x1p24f, 1, Red});
    EXPECT_EQ(0x1p24f, image.x);
    EXPECT_EQ(Black, image.colour);
}

// Sine and cosine are rounded to single precision before the radius scales them; off the origin
// and with a radius of sqrt(2), dropping that rounding changes the last bit of these vertices.
TEST(Outline, RoundsSineAndCosineBeforeScaling) {
    const Point centre{2.5f, -1.25f};
    const float r = 1.4142135f;
    expectPoint(0x1.e621ap+1f, -0x1.606f28p-1f, outlinePoint(centre, r, r, 13, 200));
    expectPoint(0x1.e84ebap+1f, -0x1.75730ap-1f, outlinePoint(centre, r, r, 6, 100));
    // The unit circle: the angle is rounded before its cosine, so a quarter turn is not 0.
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

// Too flat for the bisectors to cross within the tolerance: the circumcircle still passes
// through every vertex and the incircle touches every side.
TEST(Constructions, NearlyFlatTrianglesGetTheirTrueCircles) {
    const Point triangles[][3] = {
        {{5, 5}, {15, 5}, {25, 5.03f}}, // flat at B: the circumcircle's bisectors
        {{1, 1}, {3, 1}, {2, 1.003f}},  // flat at C: both constructions
    };
    for (const auto& t : triangles) {
        const Circle circum = circumcircle(t[0], t[1], t[2]);
        const Circle inscribed = incircle(t[0], t[1], t[2]);
        for (int i = 0; i < 3; ++i) {
            const Point p = t[i], q = t[(i + 1) % 3];
            // To a thousandth, although the radius runs to thousands.
            EXPECT_NEAR(circum.radius, length(displacement(circum.centre, p)), 1e-3);
            EXPECT_NEAR(inscribed.radius, distanceToLine(inscribed.centre, {p, displacement(p, q)}),
                        1e-3 * inscribed.radius);
        }
    }
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
    EXPECT_FALSE(isEmpty(scene.box));
    EXPECT_EQ(Yellow, scene.points[0].colour);
    addSegment(Red, {{3, -40, Green}, {4000, 25}});
    EXPECT_EQ(Red, scene.segments[0].colour);
    EXPECT_EQ(Green, scene.segments[0].from.colour);
    expectBox(3, -40, 4000, 25);
    addCircle(Blue, {{1, 1}, 2000});
    EXPECT_EQ(Blue, scene.circles[0].colour);
    expectBox(-1999, -1999, 4000, 2001);
    addPoint(Red, {NAN, 1}); // takes the bound's place on both sides
    EXPECT_TRUE(std::isnan(scene.box.low.x) && std::isnan(scene.box.high.x));
}

TEST_F(SceneStore, TracesTheCentreThenTwoHundredBoundaryPointsBitForBit) {
    // Off the origin, with a radius of sqrt(2): each point depends on every rounding.
    traceCircleImage({{2.5f, -1.25f}, 1.4142135f, Red}, {{2, 0.5f, 3.5f, 0.5f, 1.5f, 3}});
    ASSERT_EQ(201u, scene.points.size());
    expectPoint(7.875f, 2.375f, scene.points[0]);
    expectPoint(0x1.3d8cbp+3f, 0x1.23e512p+2f, scene.points[34]);
    for (const Point& p : scene.points) {
        EXPECT_EQ(Cyan, p.colour);
    }
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

TEST_F(SceneStore, ParaquadTracesTheInscribedEllipseThenTheSides) {
    const Parallelogram p{{1, 1}, {5, 2}, {6, 5}, {2, 4}};
    const Matrix3 m = inscribingMap(p);
    const float expected[] = {2, 0.5f, 3.5f, 0.5f, 1.5f, 3, 0, 0, 1};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(expected[i], m.m[i]) << i;
    }
    fillParallelogramScene(p);
    ASSERT_EQ(201u, scene.points.size());
    ASSERT_EQ(4u, scene.segments.size());
    expectPoint(3.5f, 3, scene.points[0]);    // the centre
    expectPoint(5.5f, 3.5f, scene.points[1]); // the midpoint of BC
    expectPoint(2, 4, scene.segments[2].to);
    expectPoint(1, 1, scene.segments[3].to);
    expectBox(1, 1, 6, 5);
}

} // namespace
