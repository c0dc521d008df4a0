// "Sand": sizes and positions after enlarging, a mask that is opaque
// exactly where the shading left neutral grey, the image under the object
// kept where the mask is clear, the light direction, repeatable runs, and
// nothing left behind on any path.
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

// A 24 x 18 object: a 12 x 8 block in the middle of its mask.
HBUF BlockMask() {
  std::vector<BYTE> values(24 * 18, 0);
  for (int y = 5; y < 13; ++y)
    for (int x = 6; x < 18; ++x) values[static_cast<size_t>(y) * 24 + x] = 255;
  return texfxtest::MakeMask(24, 18, values);
}

TEST(SandTest, SizeAndPosition) {
  struct Case {
    LONG roughness, pad;
  };
  HBUF image = texfxtest::PatternImage(24, 18), mask = BlockMask();
  HBUF base = texfxtest::SolidImage(100, 100, RGB(40, 50, 60));
  for (const Case& c : {Case{1, 8}, Case{3, 8}, Case{5, 8}, Case{10, 13}, Case{20, 23}}) {
    for (bool withBase : {false, true}) {
      DirectRun r(kSand, image, mask, withBase ? base : 0, 30, 35);
      r.data<SandData>().roughness = c.roughness;
      ASSERT_EQ(RenderSand(&r.run), 0) << c.roughness;
      const LONG pad = withBase ? c.pad : 0;
      EXPECT_EQ(SizeOf(r.resultMask).cx, 24 + 2 * pad) << c.roughness;
      EXPECT_EQ(SizeOf(r.resultMask).cy, 18 + 2 * pad) << c.roughness;
      EXPECT_EQ(SizeOf(r.resultImage).cx, 24 + 2 * pad) << c.roughness;
      EXPECT_EQ(r.run.x, 30 - pad);
      EXPECT_EQ(r.run.y, 35 - pad);
    }
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(SandTest, MaskIsOpaqueWhereTheShadingIsNotNeutral) {
  HBUF image = texfxtest::PatternImage(24, 18), mask = BlockMask();
  HBUF base = texfxtest::SolidImage(100, 100, RGB(40, 50, 60));
  DirectRun r(kSand, image, mask, base, 30, 35);
  ASSERT_EQ(RenderSand(&r.run), 0);
  const std::vector<BYTE> m = Bytes(r.resultMask), pixels = Bytes(r.resultImage);
  const SIZE size = SizeOf(r.resultMask);
  int opaque = 0;
  for (size_t i = 0; i < m.size(); ++i) {
    ASSERT_TRUE(m[i] == 0 || m[i] == 255) << i;
    opaque += m[i] == 255;
    // Neutral grey in hard light leaves the image under the object as it
    // was: the base image's colour.
    if (m[i] == 0) {
      ASSERT_EQ((std::vector<BYTE>{pixels[i * 3], pixels[i * 3 + 1], pixels[i * 3 + 2]}),
                (std::vector<BYTE>{40, 50, 60}))
          << i;
    }
  }
  EXPECT_GT(opaque, 12 * 8 / 4) << "the grainy edge is lit";
  EXPECT_EQ(m[0], 0) << "far from the object the height field is flat";
  EXPECT_EQ(m[static_cast<size_t>(size.cx) * size.cy - 1], 0);
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(SandTest, LightDirectionAndRoughnessChangeTheResult) {
  HBUF image = texfxtest::PatternImage(24, 18), mask = BlockMask();
  DirectRun first(kSand, image, mask), turned(kSand, image, mask), rough(kSand, image, mask);
  turned.data<SandData>().lightDirection = 225;
  rough.data<SandData>().roughness = 9;
  ASSERT_EQ(RenderSand(&first.run), 0);
  ASSERT_EQ(RenderSand(&turned.run), 0);
  ASSERT_EQ(RenderSand(&rough.run), 0);
  EXPECT_NE(Bytes(first.resultImage), Bytes(turned.resultImage));
  EXPECT_NE(Bytes(first.resultMask), Bytes(rough.resultMask));
  buf32Free(image);
  buf32Free(mask);
}

TEST(SandTest, RunsRepeatAcrossObjects) {
  HBUF image = texfxtest::PatternImage(24, 18), mask = BlockMask();
  HBUF other = texfxtest::FlatMask(24, 18, 180);
  std::vector<BYTE> firstMask, firstImage;
  for (HBUF objectMask : {mask, other, mask}) {
    DirectRun r(kSand, image, objectMask);
    ASSERT_EQ(RenderSand(&r.run), 0);
    if (objectMask != mask) continue;
    if (firstMask.empty()) {
      firstMask = Bytes(r.resultMask);
      firstImage = Bytes(r.resultImage);
    } else {
      EXPECT_EQ(Bytes(r.resultMask), firstMask);
      EXPECT_EQ(Bytes(r.resultImage), firstImage);
    }
  }
  for (HBUF b : {image, mask, other}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
