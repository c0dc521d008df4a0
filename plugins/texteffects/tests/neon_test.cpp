// The signed distance map and "Neon": distances at known pixels, the glow
// values of widths 1 and 10 on each side, pad and position.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../distancemap.h"
#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::MakeMask;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};

// A width x height mask with a filled block from (x0, y0) to (x1, y1) exclusive.
std::vector<BYTE> BlockValues(LONG width, LONG height, LONG x0, LONG y0, LONG x1, LONG y1) {
  std::vector<BYTE> values(static_cast<size_t>(width) * height, 0);
  for (LONG y = y0; y < y1; ++y)
    for (LONG x = x0; x < x1; ++x) values[static_cast<size_t>(y) * width + x] = 255;
  return values;
}

HBUF BlockMask(LONG width, LONG height, LONG x0, LONG y0, LONG x1, LONG y1) {
  return MakeMask(width, height, BlockValues(width, height, x0, y0, x1, y1));
}

std::vector<double> DistancesOf(const std::vector<BYTE>& mask, LONG width, LONG height) {
  std::vector<double> map(mask.size());
  EXPECT_EQ(SignedDistances(mask.data(), width, height, width, map.data(), kQuiet), 0);
  return map;
}

TEST(DistanceMapTest, SignedDistancesToTheOtherClass) {
  const std::vector<double> map = DistancesOf(BlockValues(7, 7, 1, 1, 6, 6), 7, 7);
  struct Case {
    int x, y;
    double d;
  } cases[] = {{3, 3, 3}, {1, 3, 1}, {2, 2, 2}, {0, 3, -1}, {0, 0, -std::sqrt(2.0)}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(map[c.y * 7 + c.x], c.d) << c.x << "," << c.y;
}

TEST(DistanceMapTest, BeyondTheImageIsOutsideAndAnEmptyMaskIsFar) {
  EXPECT_EQ(DistancesOf(BlockValues(3, 1, 0, 0, 3, 1), 3, 1), (std::vector<double>{1, 1, 1}));
  for (double d : DistancesOf(std::vector<BYTE>(6, 0), 3, 2)) EXPECT_LE(d, -kNoOtherClassDistance);
}

// Row 12 of the neon mask of a 24 x 24 object with a block from 2 to 22.
std::vector<BYTE> NeonRow(LONG side, LONG width) {
  HBUF image = texfxtest::PatternImage(24, 24);
  HBUF mask = BlockMask(24, 24, 2, 2, 22, 22);
  DirectRun r(kNeon, image, mask);
  r.data<NeonData>().side = side;
  r.data<NeonData>().width = width;
  EXPECT_EQ(RenderNeon(&r.run), 0);
  const std::vector<BYTE> all = Bytes(r.resultMask);
  buf32Free(image);
  buf32Free(mask);
  return std::vector<BYTE>(all.begin() + 12 * 24, all.begin() + 13 * 24);
}

TEST(NeonTest, WidthTenInside) {
  const std::vector<BYTE> row = NeonRow(1001, 10);
  EXPECT_EQ(row[1], 0) << "outside";
  EXPECT_EQ(row[2], 230) << "1 inside: trunc(229.5 + 0.5)";
  EXPECT_EQ(row[3], 204);
  EXPECT_EQ(row[11], 0) << "10 inside";
}

TEST(NeonTest, WidthOneKeepsOnlyTheOutsideRim) {
  EXPECT_EQ(NeonRow(1001, 1), std::vector<BYTE>(24, 0));
  EXPECT_EQ(NeonRow(1003, 1), std::vector<BYTE>(24, 0));
  const std::vector<BYTE> outside = NeonRow(1002, 1);
  EXPECT_EQ(outside[1], 0);
  EXPECT_EQ(outside[2], 255) << "the rim, joined with the object";
  EXPECT_EQ(outside[12], 255) << "outside glow laid over the object keeps it";
}

TEST(NeonTest, BothSidesFadeAwayFromTheEdge) {
  const std::vector<BYTE> row = NeonRow(1003, 4);
  EXPECT_EQ(row[0], 128) << "2 outside: trunc((4 - 2) / 4 x 255 + 0.5)";
  EXPECT_EQ(row[2], 191) << "1 inside: (4 - 1) / 4 x 255 = 191.25";
  EXPECT_EQ(row[12], 0) << "deep inside";
}

TEST(NeonTest, PadsByTheWidth) {
  HBUF image = texfxtest::PatternImage(24, 24);
  HBUF mask = BlockMask(24, 24, 2, 2, 22, 22);
  HBUF base = texfxtest::SolidImage(100, 100, RGB(5, 5, 5));
  DirectRun r(kNeon, image, mask, base, 50, 50);
  r.data<NeonData>().width = 7;
  ASSERT_EQ(RenderNeon(&r.run), 0);
  EXPECT_EQ(texfxtest::SizeOf(r.resultMask).cx, 24 + 14);
  EXPECT_EQ(r.run.x, 43);
  EXPECT_EQ(r.run.y, 43);
  const std::vector<BYTE> pixels = Bytes(r.resultImage);
  EXPECT_EQ((std::vector<BYTE>{pixels[0], pixels[1], pixels[2]}), (std::vector<BYTE>{255, 0, 255}));
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
