// Circumcircle and incircle, step by step, and their fall-back for nearly flat triangles.
#include "constructions.h"

#include <gtest/gtest.h>

namespace {

void expectLine(Point origin, Point direction, Line line) {
    EXPECT_EQ(origin.x, line.origin.x);
    EXPECT_EQ(origin.y, line.origin.y);
    EXPECT_FLOAT_EQ(direction.x, line.direction.x);
    EXPECT_FLOAT_EQ(direction.y, line.direction.y);
}

TEST(Bisectors, OfASideAndOfAnAngle) {
    expectLine({2, 0}, {0, 4}, perpendicularBisector({0, 0}, {4, 0}));
    expectLine({2, 1.5f}, {-3, -4}, perpendicularBisector({4, 0}, {0, 3}));
    expectLine({0, 0}, {1, 1}, angleBisector({4, 0}, {0, 0}, {0, 3}));
    expectLine({4, 0}, {-1.8f, 0.6f}, angleBisector({0, 0}, {4, 0}, {0, 3}));
    EXPECT_EQ(Magenta, angleBisector({4, 0}, {0, 0, Magenta}, {0, 3}).origin.colour)
        << "the origin is the vertex itself";
}

TEST(DistanceToLine, IsNeverNegative) {
    EXPECT_EQ(1.0f, distanceToLine({1, 1}, {{0, 0}, {4, 0}}));
    EXPECT_EQ(1.0f, distanceToLine({1, 1}, {{0, 0}, {-4, 0}}));
    EXPECT_EQ(1.0f, distanceToLine({1, -1}, {{0, 0}, {4, 0}}));
}

TEST(Circles, OfARightTriangle) {
    const Circle circum = circumcircle({0, 0}, {4, 0}, {0, 3});
    EXPECT_EQ(2.0f, circum.centre.x);
    EXPECT_EQ(1.5f, circum.centre.y);
    EXPECT_EQ(2.5f, circum.radius);
    EXPECT_EQ(Black, circum.colour);
    const Circle inscribed = incircle({0, 0}, {4, 0}, {0, 3});
    EXPECT_FLOAT_EQ(1.0f, inscribed.centre.x);
    EXPECT_FLOAT_EQ(1.0f, inscribed.centre.y);
    EXPECT_FLOAT_EQ(1.0f, inscribed.radius);
    EXPECT_EQ(Black, inscribed.centre.colour);
}

TEST(Circles, NearlyFlatTrianglesFallBackToTheOrigin) {
    const Circle flatAtB = circumcircle({1, 1}, {2, 1}, {3, 1.003f});
    EXPECT_EQ(0.0f, flatAtB.centre.x);
    EXPECT_EQ(0.0f, flatAtB.centre.y);
    EXPECT_EQ(1.4142135f, flatAtB.radius);
    EXPECT_NE(0.0f, incircle({1, 1}, {2, 1}, {3, 1.003f}).centre.x);

    const Circle circum = circumcircle({1, 1}, {3, 1}, {2, 1.003f});
    const Circle inscribed = incircle({1, 1}, {3, 1}, {2, 1.003f});
    EXPECT_EQ(0.0f, circum.centre.x);
    EXPECT_EQ(1.4142135f, circum.radius);
    EXPECT_EQ(0.0f, inscribed.centre.x);
    EXPECT_EQ(0.0f, inscribed.centre.y);
    EXPECT_EQ(1.0f, inscribed.radius);

    EXPECT_NE(0.0f, circumcircle({1, 1}, {3, 1}, {2, 1.004f}).centre.x);
    EXPECT_NE(0.0f, incircle({1, 1}, {3, 1}, {2, 1.004f}).centre.x);
}

} // namespace
