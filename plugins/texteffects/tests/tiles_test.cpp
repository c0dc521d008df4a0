// Tile sizes, tile offsets without overflow, the random sequence and the
// reflection curves' listed points.
#include <gtest/gtest.h>

#include <vector>

#include "../curves.h"
#include "../tiles.h"

namespace texfx {
namespace {

struct TileCase {
  LONG sw, sh, w, h, size;
  LONG tw, th;
};

class TileSizeTest : public testing::TestWithParam<TileCase> {};

TEST_P(TileSizeTest, SizeKeepsTheShapesProportions) {
  const TileCase& c = GetParam();
  const SIZE size = TileSize(c.sw, c.sh, c.w, c.h, c.size);
  EXPECT_EQ(size.cx, c.tw);
  EXPECT_EQ(size.cy, c.th);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TileSizeTest,
    testing::Values(TileCase{64, 64, 1000, 1000, 100, 64, 64},  // the shape itself
                    TileCase{64, 64, 1000, 1000, 50, 32, 32},
                    TileCase{64, 64, 10, 10, 1, 4, 4},         // never below 4 x 4
                    TileCase{64, 64, 20, 200, 100, 64, 64},    // th > sh x r: tw follows th
                    TileCase{64, 32, 1000, 10, 100, 64, 32},   // th follows tw
                    TileCase{100, 50, 1000, 1000, 30, 30, 15},
                    TileCase{1, 100, 1000, 1000, 100, 4, 100},  // a hair-thin shape
                    TileCase{100, 1, 1000, 1000, 100, 100, 4}));

TEST(TileJitterTest, WideTilesDoNotOverflow) {
  // (32767 - 16383) x 2999 x 100 exceeds 32 bits.
  EXPECT_EQ(TileJitter(32767, 3000, 100), 2999);
  EXPECT_EQ(TileJitter(0, 3000, 100), -2998);  // -16383 x 2999 x 100 / 1638350, truncated
  EXPECT_EQ(TileJitter(16383, 3000, 100), 0);
  EXPECT_EQ(TileJitter(32767, 64, 0), 0);
  EXPECT_EQ(TileJitter(32767, 11, 50), 5);
}

TEST(RandomTest, SeededSequence) {
  Random random(1);
  std::vector<LONG> draws;
  for (int i = 0; i < 4; ++i) draws.push_back(random.Next());
  EXPECT_EQ(draws, (std::vector<LONG>{41, 18467, 6334, 26500}));
}

struct CurvePoint {
  LONG reflection;
  int index;
  int value;
};

TEST(ReflectionCurveTest, ListedPointsAndMirror) {
  const CurvePoint points[] = {
      {1, 0, 0},    {1, 127, 254}, {1, 1, 2},     {1, 64, 128},  {2, 76, 253},
      {2, 127, 74}, {3, 51, 248},  {3, 88, 79},   {3, 127, 245}, {4, 37, 255},
      {4, 67, 97},  {4, 94, 255},  {4, 127, 96},  {2, 0, 0},     {3, 0, 0}};
  for (const CurvePoint& p : points) {
    const BYTE* curve = ReflectionCurve(p.reflection);
    EXPECT_EQ(curve[p.index], p.value) << "curve " << p.reflection << " at " << p.index;
    EXPECT_EQ(curve[255 - p.index], p.value) << "mirror of curve " << p.reflection;
  }
  for (LONG r = 1; r <= 4; ++r) {
    EXPECT_EQ(ReflectionCurve(r)[255], 0);
    for (int i = 0; i < 128; ++i) ASSERT_EQ(ReflectionCurve(r)[i], ReflectionCurve(r)[255 - i]);
  }
  EXPECT_EQ(ReflectionCurve(0), ReflectionCurve(1));
  EXPECT_EQ(ReflectionCurve(9), ReflectionCurve(4));
}

}  // namespace
}  // namespace texfx
