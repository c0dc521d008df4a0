// "Siegel": sizes and positions after enlarging, the image in the seal
// colour and the object's pixel format, a print that only grows with the
// pressure and stays near the object, repeatable runs, and nothing left
// behind on any path.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <vector>

#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::SizeOf;

// A 40 x 20 object: a 30 x 12 block at (5, 4).
HBUF BlockMask() {
  std::vector<BYTE> values(40 * 20, 0);
  for (int y = 4; y < 16; ++y)
    for (int x = 5; x < 35; ++x) values[static_cast<size_t>(y) * 40 + x] = 255;
  return texfxtest::MakeMask(40, 20, values);
}

TEST(SealTest, SizePositionAndColour) {
  HBUF image = texfxtest::PatternImage(40, 20), mask = BlockMask();
  HBUF base = texfxtest::SolidImage(100, 100, RGB(40, 50, 60));
  for (bool withBase : {false, true}) {
    DirectRun r(kSeal, image, mask, withBase ? base : 0, 30, 35);
    ASSERT_EQ(RenderSeal(&r.run), 0);
    const LONG pad = withBase ? 8 : 0;
    EXPECT_EQ(SizeOf(r.resultMask).cx, 40 + 2 * pad);
    EXPECT_EQ(SizeOf(r.resultMask).cy, 20 + 2 * pad);
    EXPECT_EQ(SizeOf(r.resultImage).cx, 40 + 2 * pad);
    EXPECT_EQ(SizeOf(r.resultImage).cy, 20 + 2 * pad);
    EXPECT_EQ(r.run.x, 30 - pad);
    EXPECT_EQ(r.run.y, 35 - pad);
    const std::vector<BYTE> pixels = Bytes(r.resultImage);
    for (size_t i = 0; i < pixels.size(); i += 3)
      ASSERT_EQ((std::vector<BYTE>{pixels[i], pixels[i + 1], pixels[i + 2]}),
                (std::vector<BYTE>{255, 0, 0}));
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(SealTest, ImageTakesTheObjectsFormat) {
  // A grey object on a colour base: the print is grey, in the padded size.
  HBUF grey = texfxtest::FlatMask(40, 20, 77), mask = BlockMask();
  HBUF base = texfxtest::SolidImage(100, 100, RGB(40, 50, 60));
  DirectRun r(kSeal, grey, mask, base, 30, 35);
  r.data<SealData>().colour[0] = 0;
  r.data<SealData>().colour[1] = 0;
  r.data<SealData>().colour[2] = 0;
  ASSERT_EQ(RenderSeal(&r.run), 0);
  BUFINFO info = {};
  ASSERT_TRUE(buf32GetInfo(r.resultImage, &info));
  EXPECT_EQ(info.pixelFormat, 8);
  EXPECT_EQ(info.width, 56);
  EXPECT_EQ(Bytes(r.resultImage), std::vector<BYTE>(56 * 36, 0));
  for (HBUF b : {grey, mask, base}) buf32Free(b);
}

TEST(SealTest, MorePressurePrintsMore) {
  HBUF image = texfxtest::PatternImage(40, 20), mask = BlockMask();
  std::vector<BYTE> previous;
  int previousCount = -1;
  for (LONG pressure : {0, 20, 50, 80, 100}) {
    DirectRun r(kSeal, image, mask);
    r.data<SealData>().pressure = pressure;
    ASSERT_EQ(RenderSeal(&r.run), 0);
    const std::vector<BYTE> print = Bytes(r.resultMask);
    int count = 0;
    for (size_t i = 0; i < print.size(); ++i) {
      ASSERT_TRUE(print[i] == 0 || print[i] == 255) << i;
      count += print[i] == 255;
      if (!previous.empty() && previous[i]) {
        ASSERT_EQ(print[i], 255) << pressure << " at " << i;
      }
    }
    EXPECT_GT(count, previousCount) << pressure;
    previous = print;
    previousCount = count;
  }
  EXPECT_LT(previousCount, 40 * 20) << "even full pressure leaves the far corners clear";
  buf32Free(image);
  buf32Free(mask);
}

TEST(SealTest, PrintStaysNearTheObject) {
  // Outside the object the worn print is clear; two blurs of two passes
  // of radius 1 carry it at most four pixels beyond the object's edge.
  HBUF image = texfxtest::PatternImage(40, 20), mask = BlockMask();
  HBUF base = texfxtest::SolidImage(100, 100, RGB(40, 50, 60));
  DirectRun r(kSeal, image, mask, base, 30, 35);
  r.data<SealData>().pressure = 100;
  ASSERT_EQ(RenderSeal(&r.run), 0);
  const std::vector<BYTE> print = Bytes(r.resultMask);
  for (LONG y = 0; y < 36; ++y)
    for (LONG x = 0; x < 56; ++x) {
      const bool near = x >= 8 + 5 - 4 && x < 8 + 35 + 4 && y >= 8 + 4 - 4 && y < 8 + 16 + 4;
      if (!near) {
        ASSERT_EQ(print[static_cast<size_t>(y) * 56 + x], 0) << x << "," << y;
      }
    }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(SealTest, RunsRepeatAcrossObjects) {
  HBUF image = texfxtest::PatternImage(40, 20), mask = BlockMask();
  HBUF other = texfxtest::FlatMask(40, 20, 255);
  std::vector<BYTE> first;
  for (HBUF objectMask : {mask, other, mask}) {
    DirectRun r(kSeal, image, objectMask);
    ASSERT_EQ(RenderSeal(&r.run), 0);
    if (objectMask != mask) continue;
    if (first.empty())
      first = Bytes(r.resultMask);
    else
      EXPECT_EQ(Bytes(r.resultMask), first);
  }
  for (HBUF b : {image, mask, other}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
