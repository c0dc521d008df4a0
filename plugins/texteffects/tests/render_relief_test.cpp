// "Relief", "Relief-Umriß" and "Relief-Textur": pads and positions, flat
// regions that leave the image under the object as it was, the plateau
// profile, the light's side, and full transparency of the texture.
#include <gtest/gtest.h>

#include <vector>

#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::SizeOf;

constexpr LONG kW = 40, kH = 30;

// A kW x kH object whose mask is a filled 20 x 14 block from (10, 8).
HBUF BlockMask() {
  std::vector<BYTE> values(static_cast<size_t>(kW) * kH, 0);
  for (LONG y = 8; y < 22; ++y)
    for (LONG x = 10; x < 30; ++x) values[static_cast<size_t>(y) * kW + x] = 255;
  return texfxtest::MakeMask(kW, kH, values);
}

// The RGB pixel (x, y) of a buffer.
std::vector<BYTE> Pixel(HBUF buffer, LONG x, LONG y) {
  BYTE rgb[3] = {};
  buf32GetMem(buffer, x, y, 1, 1, rgb);
  return {rgb[0], rgb[1], rgb[2]};
}

class ReliefTest : public testing::Test {
 protected:
  void SetUp() override {
    image = texfxtest::PatternImage(kW, kH);
    mask = BlockMask();
    base = texfxtest::PatternImage(200, 200);
  }
  void TearDown() override {
    for (HBUF b : {image, mask, base}) buf32Free(b);
  }
  HBUF image = 0, mask = 0, base = 0;
  static constexpr LONG kX = 60, kY = 70;
};

struct PadCase {
  const char* name;
  LONG effect, thickness, pad;
};

class ReliefPadTest : public ReliefTest, public testing::WithParamInterface<PadCase> {};

TEST_P(ReliefPadTest, SizeAndPosition) {
  const PadCase& c = GetParam();
  DirectRun r(c.effect, image, mask, base, kX, kY);
  if (c.effect != kReliefTexture) r.data<ReliefData>().thickness = c.thickness;
  ASSERT_EQ(FindRenderer(c.effect)(&r.run), 0);
  EXPECT_EQ(SizeOf(r.resultImage).cx, kW + 2 * c.pad);
  EXPECT_EQ(SizeOf(r.resultImage).cy, kH + 2 * c.pad);
  EXPECT_EQ(SizeOf(r.resultMask).cx, kW + 2 * c.pad);
  EXPECT_EQ(r.run.x, kX - c.pad);
  EXPECT_EQ(r.run.y, kY - c.pad);

  DirectRun unpadded(c.effect, image, mask, 0, kX, kY);
  ASSERT_EQ(FindRenderer(c.effect)(&unpadded.run), 0);
  EXPECT_EQ(SizeOf(unpadded.resultImage).cx, kW);
  EXPECT_EQ(unpadded.run.x, kX);
}

INSTANTIATE_TEST_SUITE_P(Effects, ReliefPadTest,
                         testing::Values(PadCase{"Relief", kRelief, 2, 5},
                                         PadCase{"ReliefThick", kRelief, 7, 10},
                                         PadCase{"Outline", kReliefOutline, 3, 5},
                                         PadCase{"OutlineThin", kReliefOutline, 1, 2},
                                         PadCase{"Texture", kReliefTexture, 0, 1}),
                         [](const testing::TestParamInfo<PadCase>& info) { return info.param.name; });

TEST_F(ReliefTest, FlatRegionsKeepTheImageUnderTheObject) {
  for (LONG effect : {kRelief, kReliefOutline}) {
    DirectRun r(effect, image, mask, base, kX, kY);
    ASSERT_EQ(FindRenderer(effect)(&r.run), 0);
    const LONG left = r.run.x, top = r.run.y;
    // A far corner of the padded area and the middle of the block.
    EXPECT_EQ(Pixel(r.resultImage, 0, 0), Pixel(base, left, top)) << effect;
    EXPECT_EQ(Pixel(r.resultImage, 20 + kX - left, 15 + kY - top), Pixel(base, 20 + kX, 15 + kY))
        << effect;
  }
}

TEST_F(ReliefTest, PlateauIsFlatInsideTheObject) {
  DirectRun r(kRelief, image, mask, base, kX, kY);
  r.data<ReliefData>().profile = 1002;
  ASSERT_EQ(FindRenderer(kRelief)(&r.run), 0);
  const LONG dx = kX - r.run.x, dy = kY - r.run.y;
  for (LONG y = 8; y < 22; ++y)
    for (LONG x = 10; x < 30; ++x)
      ASSERT_EQ(Pixel(r.resultImage, x + dx, y + dy), Pixel(base, x + kX, y + kY)) << x << "," << y;
}

TEST_F(ReliefTest, LightFromTheLeftShadesTheLeftEdgeDark) {
  HBUF grey = texfxtest::SolidImage(200, 200, RGB(128, 128, 128));
  DirectRun r(kRelief, image, mask, grey, kX, kY);
  r.data<ReliefData>().lightDirection = 0;
  ASSERT_EQ(FindRenderer(kRelief)(&r.run), 0);
  const LONG dx = kX - r.run.x, dy = kY - r.run.y;
  EXPECT_LT(Pixel(r.resultImage, 10 + dx, 15 + dy)[0], 128) << "left edge";
  EXPECT_GT(Pixel(r.resultImage, 29 + dx, 15 + dy)[0], 128) << "right edge";
  // The result mask covers the object and grows past it.
  const std::vector<BYTE> resultMask = Bytes(r.resultMask);
  const LONG width = SizeOf(r.resultMask).cx;
  EXPECT_EQ(resultMask[static_cast<size_t>(15 + dy) * width + 20 + dx], 255);
  EXPECT_GT(resultMask[static_cast<size_t>(15 + dy) * width + 9 + dx], 0);
  buf32Free(grey);
}

TEST_F(ReliefTest, FullyTransparentTextureLeavesTheImageUnderTheObject) {
  DirectRun r(kReliefTexture, image, mask, base, kX, kY);
  r.data<ReliefTextureData>().transparency = 100;
  ASSERT_EQ(FindRenderer(kReliefTexture)(&r.run), 0);
  std::vector<BYTE> region((kW + 2) * (kH + 2) * 3);
  buf32GetMem(base, kX - 1, kY - 1, kW + 2, kH + 2, region.data());
  EXPECT_EQ(Bytes(r.resultImage), region);
  // The result mask is the padded object mask.
  EXPECT_EQ(Bytes(r.resultMask)[static_cast<size_t>(9) * (kW + 2) + 11], 255);
  EXPECT_EQ(Bytes(r.resultMask)[static_cast<size_t>(8) * (kW + 2) + 11], 0);
}

TEST_F(ReliefTest, OpaqueTextureShowsInsideTheObject) {
  DirectRun r(kReliefTexture, image, mask, base, kX, kY);
  r.data<ReliefTextureData>().transparency = 0;
  r.data<ReliefTextureData>().amount = 50;
  ASSERT_EQ(FindRenderer(kReliefTexture)(&r.run), 0);
  std::vector<BYTE> region((kW + 2) * (kH + 2) * 3);
  buf32GetMem(base, kX - 1, kY - 1, kW + 2, kH + 2, region.data());
  EXPECT_NE(Bytes(r.resultImage), region);
}

}  // namespace
}  // namespace texfx
