// The arithmetic where a rounding or a tolerance can slip, bit for bit, on the geometry core alone.
#include "core/affine.h"
#include "core/intersection.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

using namespace geom;

// Bit for bit, so that -0 differs from +0.
void expectPoint(float x, float y, Point p) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(p.x)) << p.x;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(y), std::bit_cast<std::uint32_t>(p.y)) << p.y;
}

TEST(IntersectLines, CrossesOnlyAboveARelativeTolerance) {
    Point out{7, 8};
    EXPECT_EQ(IntersectionKind::Parallel, intersectLines(out, {{0, 0}, {1, 0}}, {{0, 1}, {2, 0}}));
    expectPoint(7, 8, out); // untouched unless crossing
    // At any scale, a squared sine of 0.003^2 is within 1e-5, one of 0.0032^2 is not; the point
    // is measured along the first line.
    for (const float s : {1.0f, 0.5f, 1024.0f}) {
        EXPECT_NE(IntersectionKind::Crossing,
                  intersectLines(out, {{0, 0}, {s, 0}}, {{0, s}, {s, 0.003f * s}}));
        EXPECT_EQ(IntersectionKind::Crossing,
                  intersectLines(out, {{0, 0}, {s, 0}}, {{0, s}, {s, 0.0032f * s}}));
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

} // namespace
