// The arithmetic of line intersection and affine maps, where rounding or a tolerance can slip.
#include "affine.h"
#include "intersection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Line line(float ox, float oy, float dx, float dy) {
    return {{ox, oy}, {dx, dy}};
}

void expectBitEqual(const Matrix3& expected, const Matrix3& actual) {
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(expected.m[i], actual.m[i]) << "entry " << i;
        EXPECT_EQ(std::signbit(expected.m[i]), std::signbit(actual.m[i])) << "sign of entry " << i;
    }
}

TEST(IntersectLines, ClassifiesTheThreeKinds) {
    Point out{7.0f, 8.0f, Magenta};
    EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, 1, 0), line(2, 3, 0, 1)));
    EXPECT_EQ(2.0f, out.x);
    EXPECT_EQ(0.0f, out.y);
    EXPECT_EQ(Magenta, out.colour) << "the colour of the out point is never written";

    Point untouched{7.0f, 8.0f};
    EXPECT_EQ(Parallel, intersectLines(untouched, line(0, 0, 1, 0), line(0, 1, 2, 0)));
    EXPECT_EQ(Coincident, intersectLines(untouched, line(0, 0, 1, 0), line(5, 0, -3, 0)));
    EXPECT_EQ(Coincident, intersectLines(untouched, line(1, 2, 3, 4), line(1, 2, 3, 4)));
    EXPECT_EQ(7.0f, untouched.x);
    EXPECT_EQ(8.0f, untouched.y);
}

TEST(IntersectLines, ToleranceIsOnTheSquaredSine) {
    Point out;
    // den^2 = 0.000009 is not above eps * s1 * s2, which is about 0.00001.
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 1, 0), line(0, 1, 1, 0.003f)));
    EXPECT_EQ(0.0f, out.x);
    EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, 1, 0), line(0, 1, 1, 0.0032f)));
    EXPECT_EQ(-312.5f, out.x);
    EXPECT_EQ(0.0f, out.y);
}

TEST(IntersectLines, IsIndependentOfScale) {
    for (const float scale : {0.5f, 4.0f, 1024.0f}) {
        Point out;
        EXPECT_EQ(Parallel,
                  intersectLines(out, line(0, 0, scale, 0), line(0, scale, scale, 0.003f * scale)));
        EXPECT_EQ(Crossing, intersectLines(out, line(0, 0, scale, 0),
                                           line(0, scale, scale, 0.0032f * scale)));
        EXPECT_EQ(-312.5f * scale, out.x);
    }
}

TEST(IntersectLines, DegenerateDirections) {
    Point out{1.0f, 1.0f};
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 0, 0), line(1, 0, 1, 1)));
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, 1, 1), line(1, 0, 0, 0)));
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, NAN, 1), line(1, 0, 1, 1)));
    EXPECT_EQ(1.0f, out.x);
}

TEST(IntersectLines, CoincidentSplitIsScaledByTheFirstDirection) {
    Point out;
    // num^2 = 1e-8, sE = 1: the first direction's length alone decides the kind.
    EXPECT_EQ(Coincident, intersectLines(out, line(0, 0, 1, 0), line(1, 0.0001f, 1, 0)));
    EXPECT_EQ(Parallel, intersectLines(out, line(0, 0, 0.01f, 0), line(1, 0.0001f, 1, 0)));
}

TEST(TriangleMap, MapsUnitTriangleOntoTarget) {
    const Matrix3 m = triangleMap({0, 0}, {1, 0}, {0, 1}, {1, 1}, {3, 1}, {1, 4});
    expectBitEqual({{2, 0, 1, 0, 3, 1, 0, 0, 1}}, m);
}

TEST(TriangleMap, NonIntegerInverseRoundsOnceAtEachStore) {
    const Point a{1, 1}, b{3, 1}, c{1, 4};
    const Matrix3 m = triangleMap(a, b, c, {0, 0}, {1, 0}, {0, 1});
    expectBitEqual({{0.5f, 0, -0.5f, 0, 0.33333334f, -0.33333334f, 0, 0, 1}}, m);
    EXPECT_EQ(0.0f, mapPoint(m, a).x);
    EXPECT_EQ(0.0f, mapPoint(m, a).y);
    EXPECT_EQ(1.0f, mapPoint(m, b).x);
    EXPECT_EQ(1.0f, mapPoint(m, c).y);
}

TEST(TriangleMap, ReflectionAndTranslation) {
    expectBitEqual({{0, 1, 0, 1, 0, 0, 0, 0, 1}},
                   triangleMap({0, 0}, {1, 0}, {0, 1}, {0, 0}, {0, 1}, {1, 0}));
    expectBitEqual({{1, 0, 2, 0, 1, 2, 0, 0, 1}},
                   triangleMap({0, 0}, {4, 0}, {0, 3}, {2, 2}, {6, 2}, {2, 5}));
}

TEST(TriangleMap, ZeroEntriesArePositiveZero) {
    // The inverse source frame holds -0 entries; the product must not pass them on.
    expectBitEqual({{1, 0, 0, 0, 1, 0, 0, 0, 1}},
                   triangleMap({0, 0}, {1, 0}, {0, 1}, {0, 0}, {1, 0}, {0, 1}));
}

TEST(TriangleMap, TinyDeterminantHasNoTolerance) {
    const Point a{0, 0}, b{1, 0}, c{0.5f, 0.000001f};
    const Matrix3 m = triangleMap(a, b, c, {0, 0}, {1, 0}, {0, 1});
    EXPECT_TRUE(std::isfinite(m.m[4]));
    EXPECT_NEAR(1.0f, mapPoint(m, c).y, 1e-6f);
}

TEST(Multiply, SumsInOrderWithSingleRoundingPerStep) {
    // 1 + 2^-24 rounds back to 1 at every step, so the small terms vanish one by one;
    // a sum kept in double would end on 1 + 2^-23.
    const float tiny = 0x1p-24f;
    const Matrix3 p{{1, 1, 1, 0, 0, 0, 0, 0, 1}};
    const Matrix3 q{{1, 0, 0, tiny, 0, 0, tiny, 0, 1}};
    EXPECT_EQ(1.0f, multiply(p, q).m[0]);
}

TEST(MapPoint, IgnoresRowTwoAndColour) {
    const Point image = mapPoint({{1, 0, 0, 0, 1, 0, 5, 6, 7}}, {3, 4, Red});
    EXPECT_EQ(3.0f, image.x);
    EXPECT_EQ(4.0f, image.y);
    EXPECT_EQ(Black, image.colour);
}

TEST(MapPoint, EvaluatesInDoubleAndRoundsOnce) {
    // 2^24 + 1 is not a float; in single precision the sum would be 2^24 before the -1.
    const Point image = mapPoint({{1, 1, -1, 0, 0, 0, 0, 0, 1}}, {0x1p24f, 1.0f});
    EXPECT_EQ(0x1p24f, image.x);
}

} // namespace
