// Line intersection, affine maps, outlines and the triangle constructions, where rounding or a
// tolerance can slip.
#include "affine.h"
#include "constructions.h"
#include "intersection.h"

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

void expectMatrix(Matrix3 expected, Matrix3 actual) {
    for (int i = 0; i < 9; ++i) {
        expectBits(expected.m[i], actual.m[i]);
    }
}

TEST(IntersectLines, KindsAndTheOutPoint) {
    Point out{7, 8, Magenta};
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 1, 0), line(0, 1, 2, 0)));
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, 1, 0), line(5, 0, -3, 0)));
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 0, 0), line(1, 0, 1, 1)));
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, NAN, 1), line(1, 0, 1, 1)));
    expectPoint(7, 8, out); // untouched unless crossing
    EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, 1, 0), line(2, 3, 0, 1)));
    expectPoint(2, 0, out);
    EXPECT_EQ(Magenta, out.colour);
}

TEST(IntersectLines, RelativeToleranceOnBothSides) {
    for (const float scale : {1.0f, 0.5f, 1024.0f}) {
        Point out;
        EXPECT_EQ(Parallel,
                  intersectLines(out, line(0, 0, scale, 0), line(0, scale, scale, 0.003f * scale)));
        EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, scale, 0),
                                           line(0, scale, scale, 0.0032f * scale)));
        expectPoint(-312.5f * scale, 0, out);
    }
    // Parallel or coincident is judged against the first direction's length alone.
    Point out;
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, 1, 0), line(1, 0.0001f, 1, 0)));
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 0.01f, 0), line(1, 0.0001f, 1, 0)));
}

TEST(TriangleMap, ExactEntries) {
    expectMatrix({{2, 0, 1, 0, 3, 1, 0, 0, 1}},
                 triangleMap({0, 0}, {1, 0}, {0, 1}, {1, 1}, {3, 1}, {1, 4}));
    expectMatrix({{0.5f, 0, -0.5f, 0, 0.33333334f, -0.33333334f, 0, 0, 1}},
                 triangleMap({1, 1}, {3, 1}, {1, 4}, {0, 0}, {1, 0}, {0, 1}));
    expectMatrix({{0, 1, 0, 1, 0, 0, 0, 0, 1}},
                 triangleMap({0, 0}, {1, 0}, {0, 1}, {0, 0}, {0, 1}, {1, 0}));
    // The inverse source frame holds -0 entries; the product starts every sum at +0.
    expectMatrix({{1, 0, 0, 0, 1, 0, 0, 0, 1}},
                 triangleMap({0, 0}, {1, 0}, {0, 1}, {0, 0}, {1, 0}, {0, 1}));
}

TEST(AffineArithmetic, RoundsWhereValuesAreStored) {
    // multiply rounds its running sum after every term: 1 + 2^-24 falls back to 1 twice.
    const float tiny = 0x1p-24f;
    EXPECT_EQ(1.0f, multiply({{1, 1, 1}}, {{1, 0, 0, tiny, 0, 0, tiny, 0, 1}}).m[0]);
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

TEST(Constructions, StepsOfARightTriangle) {
    expectPoint(-3, -4, perpendicularBisector({4, 0}, {0, 3}).direction);
    expectPoint(-1.8f, 0.6f, angleBisector({0, 0}, {4, 0}, {0, 3}).direction);
    EXPECT_EQ(Magenta, angleBisector({4, 0}, {0, 0, Magenta}, {0, 3}).origin.colour);
    EXPECT_EQ(1.0f, distanceToLine({1, -1}, line(0, 0, -4, 0)));

    const Circle circum = circumcircle({0, 0}, {4, 0}, {0, 3});
    expectPoint(2, 1.5f, circum.centre);
    EXPECT_EQ(2.5f, circum.radius);
    const Circle inscribed = incircle({0, 0}, {4, 0}, {0, 3});
    EXPECT_FLOAT_EQ(1, inscribed.centre.x);
    EXPECT_FLOAT_EQ(1, inscribed.centre.y);
    EXPECT_FLOAT_EQ(1, inscribed.radius);
    EXPECT_EQ(Black, inscribed.colour);
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
            EXPECT_NEAR(circum.radius, length(displacement(circum.centre, p)),
                        1e-5 * circum.radius);
            EXPECT_NEAR(inscribed.radius, distanceToLine(inscribed.centre, {p, displacement(p, q)}),
                        1e-3 * inscribed.radius);
        }
    }
}

} // namespace
