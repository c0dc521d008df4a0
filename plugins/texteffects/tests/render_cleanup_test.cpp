// Every renderer on every path: exactly the two results stay alive after
// success; after Escape, an unreadable image or a failing mask library
// nothing stays alive, the slots are untouched and the code is reported.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <vector>

#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::DirectRun;

struct CleanupCase {
  const char* name;
  LONG effect;
  bool withBase;
};

class CleanupTest : public testing::TestWithParam<CleanupCase> {
 protected:
  void SetUp() override {
    c32ResetDLLErrInfo();
    image = texfxtest::PatternImage(30, 20);
    mask = texfxtest::FlatMask(30, 20, 0);
    HBUF inner = texfxtest::FlatMask(10, 8, 255);
    buf32MergeBuf(inner, 0, 0, 10, 8, mask, 10, 6);
    buf32Free(inner);
    base = texfxtest::SolidImage(100, 100, RGB(90, 90, 90));
  }
  void TearDown() override {
    for (HBUF b : {image, mask, base}) buf32Free(b);
  }
  HBUF image = 0, mask = 0, base = 0;
};

std::vector<LONG> g_codes;
LONG RecordCodes(LONG code, LONG, LONG_PTR, LONG_PTR) {
  g_codes.push_back(code);
  return 1;
}

TEST_P(CleanupTest, SuccessLeavesOnlyTheResults) {
  const CleanupCase& c = GetParam();
  const LONG before = buf32LiveCount();
  {
    DirectRun r(c.effect, image, mask, c.withBase ? base : 0, 40, 40);
    g_codes.clear();
    r.link = {1, RecordCodes, 0, 0, 100};
    ASSERT_EQ(FindRenderer(c.effect)(&r.run), 0);
    EXPECT_EQ(buf32LiveCount(), before + 2);
    EXPECT_TRUE(buf32GetInfo(r.resultImage, nullptr));
    EXPECT_TRUE(buf32GetInfo(r.resultMask, nullptr));
    ASSERT_FALSE(g_codes.empty());
    EXPECT_EQ(g_codes.front(), 1);
    EXPECT_EQ(g_codes.back(), 4);
  }
  EXPECT_EQ(buf32LiveCount(), before);
}

TEST_P(CleanupTest, EscapeFreesEverything) {
  const CleanupCase& c = GetParam();
  const LONG before = buf32LiveCount();
  {
    texfxtest::EscapePressed escape;
    DirectRun r(c.effect, image, mask, c.withBase ? base : 0, 40, 40);
    g_codes.clear();
    r.link = {1, RecordCodes, 0, 0, 100};
    EXPECT_EQ(FindRenderer(c.effect)(&r.run), 5200);
    EXPECT_EQ(r.resultImage, 0u);
    EXPECT_EQ(r.resultMask, 0u);
    EXPECT_EQ(r.run.x, 40) << "position unchanged";
    EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 5200);
    ASSERT_FALSE(g_codes.empty());
    EXPECT_EQ(g_codes.back(), 4) << "end notice on failure too";
  }
  EXPECT_EQ(buf32LiveCount(), before);
}

// Escape reported at the n-th poll, so every poll of a run is a stopping
// point in turn.
LONG g_pollsLeft = 0;
LONG PressedAfterPolls() { return --g_pollsLeft < 0 ? 1 : 0; }

TEST_P(CleanupTest, EscapeAtEveryPollFreesEverything) {
  const CleanupCase& c = GetParam();
  const LONG before = buf32LiveCount();
  bool finished = false;
  LONG stops = 0;
  for (LONG polls = 0; polls < 5000 && !finished; ++polls) {
    c32ResetDLLErrInfo();
    g_pollsLeft = polls;
    t32SetEscapeProbe(PressedAfterPolls);
    {
      DirectRun r(c.effect, image, mask, c.withBase ? base : 0, 40, 40);
      r.link.cancelOnEsc = 1;
      const LONG code = FindRenderer(c.effect)(&r.run);
      t32SetEscapeProbe(nullptr);
      if (code == 0) {
        finished = true;
        EXPECT_EQ(buf32LiveCount(), before + 2);
      } else {
        ASSERT_EQ(code, 5200) << polls;
        ++stops;
        EXPECT_EQ(r.resultImage, 0u);
        EXPECT_EQ(r.resultMask, 0u);
        EXPECT_EQ(r.run.x, 40);
        EXPECT_EQ(r.run.y, 40);
        EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 5200);
        ASSERT_EQ(buf32LiveCount(), before) << "after " << polls << " polls";
      }
    }
    EXPECT_EQ(buf32LiveCount(), before);
  }
  EXPECT_TRUE(finished);
  EXPECT_GT(stops, 0) << "the run polls Escape";
}

TEST_P(CleanupTest, FailureInsideTheRunFreesEverything) {
  const CleanupCase& c = GetParam();
  // A colour image where the 8-bit mask belongs: the renderer or the mask
  // libraries refuse it part way through the run.
  HBUF colourMask = texfxtest::PatternImage(30, 20);
  const LONG before = buf32LiveCount();
  {
    DirectRun r(c.effect, image, colourMask, c.withBase ? base : 0, 40, 40);
    EXPECT_NE(FindRenderer(c.effect)(&r.run), 0);
    EXPECT_EQ(r.resultImage, 0u);
    EXPECT_EQ(r.resultMask, 0u);
    EXPECT_EQ(r.run.x, 40);
    EXPECT_EQ(buf32LiveCount(), before);
  }
  buf32Free(colourMask);
}

INSTANTIATE_TEST_SUITE_P(
    Renderers, CleanupTest,
    testing::Values(CleanupCase{"Gradient", kGradient, false}, CleanupCase{"Hole", kHole, false},
                    CleanupCase{"Glass", kGlass, false}, CleanupCase{"GlassBase", kGlass, true},
                    CleanupCase{"Metal", kMetal, false}, CleanupCase{"MetalBase", kMetal, true},
                    CleanupCase{"Relief", kRelief, false}, CleanupCase{"ReliefBase", kRelief, true},
                    CleanupCase{"Outline", kReliefOutline, false},
                    CleanupCase{"OutlineBase", kReliefOutline, true},
                    CleanupCase{"Texture", kReliefTexture, false},
                    CleanupCase{"TextureBase", kReliefTexture, true},
                    CleanupCase{"Sand", kSand, false}, CleanupCase{"SandBase", kSand, true},
                    CleanupCase{"Seal", kSeal, false}, CleanupCase{"SealBase", kSeal, true},
                    CleanupCase{"Neon", kNeon, false}, CleanupCase{"NeonBase", kNeon, true},
                    CleanupCase{"Fire", kFire, false}, CleanupCase{"FireBase", kFire, true},
                    CleanupCase{"Snow", kSnow, false}, CleanupCase{"SnowBase", kSnow, true},
                    CleanupCase{"Concrete", kConcrete, false},
                    CleanupCase{"ConcreteBase", kConcrete, true},
                    CleanupCase{"Flash", kFlash, false}, CleanupCase{"FlashBase", kFlash, true}),
    [](const testing::TestParamInfo<CleanupCase>& info) { return info.param.name; });

}  // namespace
}  // namespace texfx
