// "Glas" and "Metall": sizes and positions with and without a base image,
// the colours, and the masks mapped through the reflection curves.
#include <gtest/gtest.h>

#include <maskkit.h>
#include <rankfilter.h>
#include <softedge.h>

#include <vector>

#include "../curves.h"
#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::SizeOf;

// A 12 x 10 object: a filled 6 x 4 block in the middle of its mask.
HBUF BlockMask() {
  std::vector<BYTE> values(120, 0);
  for (int y = 3; y < 7; ++y)
    for (int x = 3; x < 9; ++x) values[static_cast<size_t>(y) * 12 + x] = 255;
  return texfxtest::MakeMask(12, 10, values);
}

struct PadCase {
  const char* name;
  LONG effect, flakiness, pad;
};

class GlassPadTest : public testing::TestWithParam<PadCase> {};

TEST_P(GlassPadTest, SizeAndPosition) {
  const PadCase& c = GetParam();
  HBUF image = texfxtest::PatternImage(12, 10);
  HBUF mask = BlockMask();
  HBUF base = texfxtest::SolidImage(50, 40, RGB(1, 2, 3));
  for (bool withBase : {false, true}) {
    DirectRun r(c.effect, image, mask, withBase ? base : 0, 20, 15);
    r.data<MetalData>().flakiness = c.flakiness;  // same place in Glas and Metall
    ASSERT_EQ(FindRenderer(c.effect)(&r.run), 0) << withBase;
    const LONG pad = withBase ? c.pad : 0;
    EXPECT_EQ(SizeOf(r.resultMask).cx, 12 + 2 * pad);
    EXPECT_EQ(SizeOf(r.resultMask).cy, 10 + 2 * pad);
    EXPECT_EQ(SizeOf(r.resultImage).cx, 12 + 2 * pad);
    EXPECT_EQ(r.run.x, 20 - pad);
    EXPECT_EQ(r.run.y, 15 - pad);
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

INSTANTIATE_TEST_SUITE_P(Effects, GlassPadTest,
                         testing::Values(PadCase{"Glass", kGlass, 3, 4},
                                         PadCase{"Metal", kMetal, 3, 3}),
                         [](const testing::TestParamInfo<PadCase>& info) { return info.param.name; });

TEST(GlassTest, ColoursOfGlassAndMetal) {
  HBUF image = texfxtest::PatternImage(12, 10);
  HBUF mask = BlockMask();
  {
    DirectRun glass(kGlass, image, mask);
    ASSERT_EQ(RenderGlass(&glass.run), 0);
    const std::vector<BYTE> pixels = Bytes(glass.resultImage);
    ASSERT_GE(pixels.size(), 3u);
    EXPECT_EQ(std::vector<BYTE>(pixels.begin(), pixels.begin() + 3), (std::vector<BYTE>{0, 255, 0}));
  }
  DirectRun metal(kMetal, image, mask);
  ASSERT_EQ(RenderMetal(&metal.run), 0);
  const std::vector<BYTE> pixels = Bytes(metal.resultImage);
  for (size_t i = 0; i < pixels.size(); i += 3)
    ASSERT_EQ((std::vector<BYTE>{pixels[i], pixels[i + 1], pixels[i + 2]}),
              (std::vector<BYTE>{244, 209, 43}));
  buf32Free(image);
  buf32Free(mask);
}

TEST(GlassTest, MetalMaskIsTheSoftEdgeThroughTheCurve) {
  HBUF image = texfxtest::PatternImage(12, 10);
  HBUF mask = BlockMask();
  for (LONG reflection = 1; reflection <= 4; ++reflection) {
    DirectRun r(kMetal, image, mask);
    r.data<MetalData>().reflection = reflection;
    r.data<MetalData>().flakiness = 2;
    ASSERT_EQ(RenderMetal(&r.run), 0);
    HBUF soft = 0;
    ASSERT_GT(CreateSoftEdgeMask(mask, 2, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, &soft, 1), 0);
    std::vector<BYTE> expected = Bytes(soft);
    for (BYTE& v : expected) v = ReflectionCurve(reflection)[v];
    EXPECT_EQ(Bytes(r.resultMask), expected) << reflection;
    buf32Free(soft);
  }
  buf32Free(image);
  buf32Free(mask);
}

TEST(GlassTest, GlassMaskLivesOnTheOutline) {
  HBUF image = texfxtest::PatternImage(12, 10);
  HBUF mask = BlockMask();
  DirectRun r(kGlass, image, mask);
  r.data<GlassData>().flakiness = 1;
  ASSERT_EQ(RenderGlass(&r.run), 0);
  const std::vector<BYTE> result = Bytes(r.resultMask);
  // Far outside the object (the corner) the band and its mapping are 0;
  // on the object's edge the band is strong.
  EXPECT_EQ(result[0], 0);
  BYTE strongest = 0;
  for (BYTE v : result) strongest = v > strongest ? v : strongest;
  EXPECT_GT(strongest, 100);
  buf32Free(image);
  buf32Free(mask);
}

}  // namespace
}  // namespace texfx
