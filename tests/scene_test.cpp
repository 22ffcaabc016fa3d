// The scene store, and what each program puts in it.
#include "parallelogram_scene.h"
#include "scene.h"
#include "triangle_dialogue.h"
#include "triangle_scene.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class SceneStore : public testing::Test {
  protected:
    void SetUp() override { scene = Scene{}; }
};

void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(x, p.x);
    EXPECT_EQ(y, p.y);
}

void expectBox(Point low, Point high) {
    expectPoint(low.x, low.y, scene.box.low);
    expectPoint(high.x, high.y, scene.box.high);
}

TEST_F(SceneStore, BoxStartsAtTheWindowSizeAndTheOrigin) {
    expectBox({1024, 700}, {0, 0});
    addPoint(Red, {2000, -5});
    expectBox({1024, -5}, {2000, 0});
}

TEST_F(SceneStore, AddsRecolourAndWidenTheBox) {
    addPoint(Yellow, {10, 20, Magenta});
    expectBox({10, 20}, {10, 20});
    EXPECT_EQ(Yellow, scene.points[0].colour);
    addPoint(Yellow, {10, 20});
    EXPECT_EQ(2u, scene.points.size()) << "the same point is stored twice";

    scene = Scene{};
    addSegment(Red, {{3, -4, Green}, {-1, 5, Blue}});
    ASSERT_EQ(1u, scene.segments.size());
    EXPECT_EQ(Red, scene.segments[0].colour);
    EXPECT_EQ(Green, scene.segments[0].from.colour) << "end colours stay as they were";
    expectBox({-1, -4}, {3, 5});

    scene = Scene{};
    addCircle(Blue, {{1, 1}, 2});
    EXPECT_EQ(Blue, scene.circles[0].colour);
    expectBox({-1, -1}, {3, 3});
}

TEST_F(SceneStore, NanTakesTheBoundsPlace) {
    addPoint(Red, {NAN, 1});
    EXPECT_TRUE(std::isnan(scene.box.low.x));
    EXPECT_TRUE(std::isnan(scene.box.high.x));
    EXPECT_EQ(1.0f, scene.box.low.y);
}

TEST_F(SceneStore, TracesTheCentreThenTwoHundredBoundaryPoints) {
    const Matrix3 identity{{1, 0, 0, 0, 1, 0, 0, 0, 1}};
    traceCircleImage({{0, 0}, 1, Red}, identity);
    ASSERT_EQ(201u, scene.points.size());
    expectPoint(0, 0, scene.points[0]);
    expectPoint(1, 0, scene.points[1]);
    for (const Point& p : scene.points) {
        EXPECT_EQ(Cyan, p.colour);
    }
    // The angle is rounded to float before its cosine: not exactly 0 at a quarter turn.
    expectPoint(-4.371139e-8f, 1, scene.points[51]);
}

TEST_F(SceneStore, TrimapFillsTheConstructionInOrder) {
    std::FILE* in = std::tmpfile();
    std::fputs("0 0 1 0 0 1\n1 1 3 1 1 4\n", in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    const std::optional<TriangleMapReport> report = runTriangleDialogue(in, out);
    std::fclose(in);
    std::fclose(out);
    ASSERT_TRUE(report);
    fillTriangleScene(*report);

    ASSERT_EQ(6u, scene.segments.size());
    ASSERT_EQ(2u, scene.circles.size());
    ASSERT_EQ(407u, scene.points.size());
    EXPECT_TRUE(scene.lines.empty());
    EXPECT_TRUE(scene.ellipses.empty());
    expectPoint(1, 0, scene.segments[0].from); // BC first
    expectPoint(0, 1, scene.segments[0].to);
    expectPoint(3, 1, scene.segments[3].from); // then B'C'
    expectPoint(1, 4, scene.segments[3].to);
    expectPoint(1, 1, scene.points[0]);
    expectPoint(3, 1, scene.points[1]);
    expectPoint(1, 4, scene.points[2]);
    EXPECT_EQ(Yellow, scene.points[2].colour);
    EXPECT_EQ(Blue, scene.circles[0].colour);
    EXPECT_EQ(Blue, scene.points[3].colour);
    EXPECT_EQ(Green, scene.circles[1].colour);
    EXPECT_EQ(Green, scene.points[4].colour);
    const Point incentreImage = mapPoint(report->map, scene.circles[1].centre);
    const Point circumcentreImage = mapPoint(report->map, scene.circles[0].centre);
    expectPoint(incentreImage.x, incentreImage.y, scene.points[5]);
    expectPoint(circumcentreImage.x, circumcentreImage.y, scene.points[206]);
    EXPECT_EQ(Cyan, scene.points[206].colour);
}

TEST_F(SceneStore, ParaquadTracesTheInscribedEllipseThenTheSides) {
    const Parallelogram p{{1, 1}, {5, 2}, {6, 5}, {2, 4}};
    const Matrix3 m = inscribingMap(p);
    const Matrix3 expected{{2, 0.5f, 3.5f, 0.5f, 1.5f, 3, 0, 0, 1}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(expected.m[i], m.m[i]) << i;
    }
    fillParallelogramScene(p);
    ASSERT_EQ(201u, scene.points.size());
    ASSERT_EQ(4u, scene.segments.size());
    expectPoint(3.5f, 3, scene.points[0]);    // the centre
    expectPoint(5.5f, 3.5f, scene.points[1]); // the midpoint of BC
    expectPoint(2, 4, scene.segments[2].to);
    expectPoint(1, 1, scene.segments[3].to);
    EXPECT_EQ(Red, scene.segments[3].colour);
    expectBox({1, 1}, {6, 5});
}

} // namespace
