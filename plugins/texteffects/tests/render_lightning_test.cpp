// "Blitz": the light over the area for elevations 1 and 100, the highlight
// under a light standing above the centre by value, the bump-map tile size,
// size and position after padding, the same bytes run after run, and every
// buffer freed on success, Escape and failure, with and without a bump map.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <cstring>
#include <utility>
#include <vector>

#include "../renderers.h"
#include "../surfacelight.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::SizeOf;

// A 40 x 30 object: its mask full.
constexpr LONG kWidth = 40, kHeight = 30;

TEST(FlashTest, LightForElevationOneAndHundred) {
  // The area of a 40 x 30 object padded by 5: 50 x 40, E = 25, F = 20.
  const LightPoint above = LightOverArea(50, 40, 100 * 0.9, 45);
  EXPECT_EQ(above.x, 25);
  EXPECT_EQ(above.y, 20);
  EXPECT_EQ(above.z, 23 + 255) << "trunc((25 + 20) / 2 + 0.5)";
  // Elevation 1 (0.9 degrees), direction 0: at the right edge, mid-height.
  const LightPoint low = LightOverArea(50, 40, 1 * 0.9, 0);
  EXPECT_EQ(low.x, 50);
  EXPECT_EQ(low.y, 20);
  EXPECT_EQ(low.z, 0 + 255) << "trunc(0.0157 x 22.5 + 0.5)";
  // Elevation 1, direction 90: at the top edge.
  const LightPoint top = LightOverArea(50, 40, 1 * 0.9, 90);
  EXPECT_EQ(top.x, 25);
  EXPECT_EQ(top.y, 0);
}

TEST(FlashTest, HighlightUnderALightAboveTheCentre) {
  HBUF image = texfxtest::PatternImage(kWidth, kHeight);
  HBUF mask = texfxtest::FlatMask(kWidth, kHeight, 255);
  HBUF base = texfxtest::SolidImage(100, 100, RGB(9, 9, 9));
  DirectRun r(kFlash, image, mask, base, 20, 20);
  r.data<FlashData>().elevation = 100;  // light colour 255, 255, 0; object white
  ASSERT_EQ(RenderFlash(&r.run), 0);
  // Area 50 x 40: the centre (25, 20) lies on the flat top of the soft
  // edge, facing the light and the viewer: (S 0.95 + 25.5) x 255 / 255.
  const std::vector<BYTE> pixels = Bytes(r.resultImage);
  const size_t centre = (20 * 50 + 25) * 3;
  EXPECT_EQ((std::vector<BYTE>{pixels[centre], pixels[centre + 1], pixels[centre + 2]}),
            (std::vector<BYTE>{255, 255, 26}));
  // Outside the soft edge (flat at 0, far from the light) less light falls.
  EXPECT_LT(pixels[0], 255);
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

struct TileCase {
  LONG bumpWidth, bumpHeight, width, height;
  SIZE expected;
};

TEST(FlashTest, BumpTileSize) {
  const std::vector<TileCase> cases = {
      {20, 40, 100, 30, {20, 40}},    // smaller than the area: kept
      {200, 100, 100, 20, {100, 50}}, // cut to the width, proportions kept
      {200, 100, 50, 100, {200, 100}},// the height rules and grows it back
      {3, 2, 1, 1, {1, 1}},           // never below 1 x 1, no 4-pixel minimum
      {7, 7, 5, 5, {5, 5}},
  };
  for (const TileCase& c : cases) {
    const SIZE size = BumpTileSize(c.bumpWidth, c.bumpHeight, c.width, c.height);
    EXPECT_EQ(size.cx, c.expected.cx) << c.bumpWidth << "x" << c.bumpHeight;
    EXPECT_EQ(size.cy, c.expected.cy) << c.bumpWidth << "x" << c.bumpHeight;
  }
}

TEST(FlashTest, SizePositionMaskAndRepeatability) {
  HBUF image = texfxtest::PatternImage(kWidth, kHeight);
  HBUF mask = texfxtest::FlatMask(kWidth, kHeight, 255);
  HBUF base = texfxtest::SolidImage(100, 100, RGB(9, 9, 9));
  HBUF bumps = texfxtest::MakeMask(7, 5, {0, 40, 80, 120, 160, 200, 240, 9, 99, 199});
  for (bool withBump : {false, true}) {
    std::vector<BYTE> first;
    for (int run = 0; run < 2; ++run) {
      DirectRun r(kFlash, image, mask, base, 20, 30);
      r.data<FlashData>().bumpMap = withBump;
      r.data<FlashData>().bumpImage = withBump && run == 0 ? bumps : 0;
      ASSERT_EQ(RenderFlash(&r.run), 0);
      EXPECT_EQ(SizeOf(r.resultImage).cx, kWidth + 10);
      EXPECT_EQ(SizeOf(r.resultImage).cy, kHeight + 10);
      EXPECT_EQ(r.run.x, 15);
      EXPECT_EQ(r.run.y, 25);
      // The mask is the padded object mask.
      const std::vector<BYTE> m = Bytes(r.resultMask);
      EXPECT_EQ(m[0], 0);
      EXPECT_EQ(m[5 * 50 + 5], 255);
      if (!withBump) {
        if (run == 0) first = Bytes(r.resultImage);
        else EXPECT_EQ(Bytes(r.resultImage), first);
      }
    }
  }
  EXPECT_TRUE(buf32GetInfo(bumps, nullptr)) << "the record's bump map stays the caller's";
  for (HBUF b : {image, mask, base, bumps}) buf32Free(b);
}

// A bump-map file that cannot be found: 4003 with the host's text naming
// the path stays in the error slot, nothing is left behind.
TEST(FlashTest, MissingBumpMapFileKeepsItsMessage) {
  HBUF image = texfxtest::PatternImage(kWidth, kHeight);
  HBUF mask = texfxtest::FlatMask(kWidth, kHeight, 255);
  const LONG before = buf32LiveCount();
  {
    c32ResetDLLErrInfo();
    DirectRun r(kFlash, image, mask);
    r.data<FlashData>().bumpMap = 1;
    std::strcpy(r.data<FlashData>().bumpPath, "C:\\muster\\beulen.bmp");
    EXPECT_EQ(RenderFlash(&r.run), 4003);
    EXPECT_EQ(r.resultImage, 0u);
    EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 4003);
    char text[300] = {};
    lvGetDLLErrInfoMessage(text, sizeof text);
    EXPECT_STREQ(text, "Die Datei C:\\muster\\beulen.bmp konnte nicht geladen werden.");
  }
  EXPECT_EQ(buf32LiveCount(), before);
  buf32Free(image);
  buf32Free(mask);
}

std::vector<std::pair<LONG, LONG>> g_notices;
LONG RecordNotice(LONG code, LONG percent, LONG_PTR, LONG_PTR) {
  g_notices.emplace_back(code, percent);
  return 1;
}

// Escape is asked for once the height field stands, before the halfway
// notice: a cancelled run sends only its start and its end.
TEST(FlashTest, HalfwayNoticeOnlyAfterTheEscapeTest) {
  HBUF image = texfxtest::PatternImage(kWidth, kHeight);
  HBUF mask = texfxtest::FlatMask(kWidth, kHeight, 255);
  for (bool escape : {false, true}) {
    g_notices.clear();
    DirectRun r(kFlash, image, mask);
    r.link = {1, RecordNotice, 0, 0, 100};
    if (escape) {
      texfxtest::EscapePressed pressed;
      EXPECT_EQ(RenderFlash(&r.run), 5200);
      EXPECT_EQ(g_notices, (std::vector<std::pair<LONG, LONG>>{{1, 0}, {4, 100}}));
    } else {
      ASSERT_EQ(RenderFlash(&r.run), 0);
      ASSERT_GE(g_notices.size(), 3u);
      EXPECT_EQ(g_notices[1], (std::pair<LONG, LONG>{2, 50}));
    }
  }
  buf32Free(image);
  buf32Free(mask);
}

TEST(FlashTest, EveryPathFreesItsBuffers) {
  HBUF image = texfxtest::PatternImage(kWidth, kHeight);
  HBUF mask = texfxtest::FlatMask(kWidth, kHeight, 255);
  HBUF colourMask = texfxtest::PatternImage(kWidth, kHeight);
  HBUF base = texfxtest::SolidImage(100, 100, RGB(9, 9, 9));
  for (LONG bump : {0, 1}) {
    for (HBUF withBase : {HBUF{0}, base}) {
      const LONG before = buf32LiveCount();
      {
        DirectRun r(kFlash, image, mask, withBase, 40, 40);
        r.data<FlashData>().bumpMap = bump;  // bump map from the module's bitmap
        ASSERT_EQ(RenderFlash(&r.run), 0);
        EXPECT_EQ(buf32LiveCount(), before + 2);
      }
      {
        c32ResetDLLErrInfo();
        texfxtest::EscapePressed escape;
        DirectRun r(kFlash, image, mask, withBase, 40, 40);
        r.data<FlashData>().bumpMap = bump;
        r.link.cancelOnEsc = 1;
        EXPECT_EQ(RenderFlash(&r.run), 5200);
        EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 5200);
        EXPECT_EQ(r.resultImage, 0u);
        EXPECT_EQ(r.resultMask, 0u);
        EXPECT_EQ(r.run.x, 40);
      }
      {
        DirectRun r(kFlash, image, colourMask, withBase, 40, 40);
        r.data<FlashData>().bumpMap = bump;
        EXPECT_NE(RenderFlash(&r.run), 0);
        EXPECT_EQ(r.resultImage, 0u);
        EXPECT_EQ(r.resultMask, 0u);
      }
      EXPECT_EQ(buf32LiveCount(), before) << "bump " << bump;
    }
  }
  for (HBUF b : {image, mask, colourMask, base}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
