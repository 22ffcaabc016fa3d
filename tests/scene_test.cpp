// The scene store, and what each program puts in it.
#include "parallelogram_scene.h"
#include "scene.h"
#include "triangle_scene.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(x, p.x);
    EXPECT_EQ(y, p.y);
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
    ASSERT_EQ(2u, scene.circles.size());
    ASSERT_EQ(407u, scene.points.size());
    EXPECT_TRUE(scene.lines.empty() && scene.ellipses.empty());
    expectPoint(1, 0, scene.segments[0].from); // BC first, then AC, AB
    expectPoint(3, 1, scene.segments[3].from); // then B'C'
    expectPoint(1, 4, scene.points[2]);
    const Colour colours[] = {Yellow, Yellow, Yellow, Blue, Green, Cyan};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(colours[i], scene.points[std::size_t(i)].colour) << i;
    }
    EXPECT_EQ(Blue, scene.circles[0].colour);
    EXPECT_EQ(Green, scene.circles[1].colour);
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
