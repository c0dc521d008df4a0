// "Feuer" and "Schnee": the palette and mask table, sizes and positions
// after enlarging, flames above and snow below the object, colours from
// the palette, repeatable runs, and nothing left behind on any path.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <maskkit.h>

#include <set>
#include <vector>

#include "../renderers.h"
#include "../streak.h"
#include "../wave.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::SizeOf;

std::vector<BYTE> Entry(const FlamePalette& p, int i) {
  return {p[static_cast<size_t>(i) * 3], p[static_cast<size_t>(i) * 3 + 1],
          p[static_cast<size_t>(i) * 3 + 2]};
}

FlameData Defaults(LONG effect) {
  EffectBlock block = {};
  WriteDefaultData(effect, block.data);
  return *DataOf<FlameData>(&block);
}

TEST(FirePaletteTest, FireDefaultsRunFromRedThroughOrangeToYellow) {
  const FlamePalette p = MakeFlamePalette(Defaults(kFire));
  EXPECT_EQ(Entry(p, 0), (std::vector<BYTE>{0, 0, 0}));
  for (int i = 1; i <= 64; ++i) EXPECT_EQ(Entry(p, i), (std::vector<BYTE>{255, 0, 0})) << i;
  for (int k = 1; k <= 63; ++k)
    EXPECT_EQ(Entry(p, 64 + k), (std::vector<BYTE>{255, static_cast<BYTE>(2 * k), 0})) << k;
  EXPECT_EQ(Entry(p, 128), (std::vector<BYTE>{255, 128, 0}));
  for (int k = 1; k <= 126; ++k)
    EXPECT_EQ(Entry(p, 128 + k), (std::vector<BYTE>{255, static_cast<BYTE>(128 + k), 0})) << k;
  EXPECT_EQ(Entry(p, 255), (std::vector<BYTE>{255, 255, 0}));
}

TEST(FirePaletteTest, SnowDefaultsAndFallingChannels) {
  const FlamePalette snow = MakeFlamePalette(Defaults(kSnow));
  EXPECT_EQ(Entry(snow, 64), (std::vector<BYTE>{128, 128, 128}));
  EXPECT_EQ(Entry(snow, 96), (std::vector<BYTE>{160, 160, 160}));
  EXPECT_EQ(Entry(snow, 129), (std::vector<BYTE>{192, 192, 192})) << "63 / 127 truncates to 0";
  EXPECT_EQ(Entry(snow, 254), (std::vector<BYTE>{254, 254, 254}));
  EXPECT_EQ(Entry(snow, 255), (std::vector<BYTE>{255, 255, 255}));
  // A falling channel truncates towards zero: 255 - 255 / 64 = 252.
  FlameData falling = {};
  falling.outerColour[0] = 255;
  falling.innerColour[2] = 200;
  const FlamePalette p = MakeFlamePalette(falling);
  EXPECT_EQ(Entry(p, 65), (std::vector<BYTE>{252, 0, 0}));
  EXPECT_EQ(Entry(p, 127), (std::vector<BYTE>{4, 0, 0}));
  EXPECT_EQ(Entry(p, 129), (std::vector<BYTE>{0, 0, 1}));
}

TEST(FirePaletteTest, MaskTable) {
  const BYTE* t = FlameMaskTable();
  for (int i = 0; i < 64; ++i) EXPECT_EQ(t[i], 4 * i) << i;
  for (int i = 64; i < 256; ++i) EXPECT_EQ(t[i], 255) << i;
}

// A 30 x 16 object: a 20 x 8 bar in the middle of its mask.
HBUF BarMask() {
  std::vector<BYTE> values(30 * 16, 0);
  for (int y = 4; y < 12; ++y)
    for (int x = 5; x < 25; ++x) values[static_cast<size_t>(y) * 30 + x] = 255;
  return texfxtest::MakeMask(30, 16, values);
}

struct PlaceCase {
  const char* name;
  LONG effect, strength;
  LONG top;  // rows added above the object
};

class FirePlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(FirePlaceTest, SizeAndPosition) {
  const PlaceCase& c = GetParam();
  HBUF image = texfxtest::PatternImage(30, 16), mask = BarMask();
  HBUF base = texfxtest::SolidImage(200, 200, RGB(5, 6, 7));
  const LONG length = 10 * c.strength;
  for (bool withBase : {false, true}) {
    DirectRun r(c.effect, image, mask, withBase ? base : 0, 60, 150);
    r.data<FlameData>().strength = c.strength;
    ASSERT_EQ(FindRenderer(c.effect)(&r.run), 0) << withBase;
    const SIZE expected = withBase ? SIZE{34, 16 + length + 4} : SIZE{30, 16};
    EXPECT_EQ(SizeOf(r.resultMask).cx, expected.cx);
    EXPECT_EQ(SizeOf(r.resultMask).cy, expected.cy);
    EXPECT_EQ(SizeOf(r.resultImage).cx, expected.cx);
    EXPECT_EQ(SizeOf(r.resultImage).cy, expected.cy);
    EXPECT_EQ(r.run.x, withBase ? 58 : 60);
    EXPECT_EQ(r.run.y, withBase ? 150 - c.top : 150);
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

INSTANTIATE_TEST_SUITE_P(Effects, FirePlaceTest,
                         testing::Values(PlaceCase{"Fire1", kFire, 1, 12},
                                         PlaceCase{"Fire5", kFire, 5, 52},
                                         PlaceCase{"Snow1", kSnow, 1, 2},
                                         PlaceCase{"Snow10", kSnow, 10, 2}),
                         [](const testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

// Rows of the result mask holding anything, as [first, last].
std::pair<LONG, LONG> LitRows(HBUF mask) {
  const SIZE size = SizeOf(mask);
  const std::vector<BYTE> bytes = Bytes(mask);
  LONG first = -1, last = -1;
  for (LONG y = 0; y < size.cy; ++y)
    for (LONG x = 0; x < size.cx; ++x)
      if (bytes[static_cast<size_t>(y) * size.cx + x]) {
        if (first < 0) first = y;
        last = y;
      }
  return {first, last};
}

TEST(FireTest, FlamesRiseAndSnowHangs) {
  HBUF image = texfxtest::PatternImage(30, 16), mask = BarMask();
  HBUF base = texfxtest::SolidImage(200, 200, RGB(5, 6, 7));
  // The bar's rows in the enlarged area: fire puts the object 52 rows
  // down (strength 5), snow 2; the bar is 8 rows high. Streaks reach up
  // to 48 rows; the wave (1.33 pixels) and the blur (4) spread a little
  // to the other side.
  DirectRun fire(kFire, image, mask, base, 60, 150);
  ASSERT_EQ(RenderFire(&fire.run), 0);
  const auto fireRows = LitRows(fire.resultMask);
  EXPECT_LT(fireRows.first, 56 - 20) << "flames rise far above the bar";
  EXPECT_LE(fireRows.second, 63 + 6) << "and hardly below it";

  DirectRun snow(kSnow, image, mask, base, 60, 150);
  ASSERT_EQ(RenderSnow(&snow.run), 0);
  const auto snowRows = LitRows(snow.resultMask);
  EXPECT_GT(snowRows.second, 13 + 20) << "snow hangs far below the bar";
  const std::vector<BYTE> snowMask = Bytes(snow.resultMask);
  size_t above = 0, below = 0;
  for (size_t i = 0; i < snowMask.size(); ++i) {
    const size_t row = i / 34;
    above += row < 6 && snowMask[i];
    below += row > 13 && snowMask[i];
  }
  EXPECT_GT(below, 5 * above) << "and hardly rises above it";

  // Fire lays the object's own mask over its flames; inside the bar the
  // mask is opaque.
  const std::vector<BYTE> fireMask = Bytes(fire.resultMask);
  for (int y = 52 + 4; y < 52 + 12; ++y)
    for (int x = 2 + 5; x < 2 + 25; ++x) ASSERT_EQ(fireMask[static_cast<size_t>(y) * 34 + x], 255);
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

// The result of strength 1 made step by step: streaks of length 10 (up for
// fire, down for snow), the wave of amplitude 2 x 10 / 75 = 0.2667, the
// blur (2, 2) coloured through the palette (the image), then the mask
// table and, for fire, the object's mask laid over it (the mask).
struct Expected {
  std::vector<BYTE> image, mask;
};

Expected ExpectedResult(HBUF image, HBUF mask, const FlameData& data, bool snow) {
  const ProgressLink quiet = {0, nullptr, 0, 0, 100};
  HBUF streaks = 0, wavy = 0, glow = 0, coloured = 0;
  EXPECT_TRUE(buf32DupBuf(mask, &streaks));
  EXPECT_EQ(StreakFilter(mask, streaks, snow ? kStreakDown : kStreakUp, 10, quiet), 0);
  EXPECT_TRUE(buf32DupBuf(streaks, &wavy));
  EXPECT_EQ(WaveDisplace(streaks, wavy, 2.0 * 10 / 75, quiet), 0);
  EXPECT_TRUE(MaskBlur(wavy, 2, 2, &glow, 1));
  EXPECT_TRUE(buf32DupBuf(image, &coloured));
  EXPECT_GT(ApplyPalette(coloured, MakeFlamePalette(data).data(), glow), 0);
  EXPECT_GT(MaskMap(glow, FlameMaskTable()), 0);
  if (!snow) {
    EXPECT_GT(MaskKit(mask, glow, MASKKIT_SCREEN), 0);
  }
  Expected expected{Bytes(coloured), Bytes(glow)};
  for (HBUF b : {streaks, wavy, glow, coloured}) buf32Free(b);
  return expected;
}

TEST(FireTest, StrengthOneIsTheStreakedWobbledBlurredMask) {
  std::vector<BYTE> values(24 * 20);
  for (size_t i = 0; i < values.size(); ++i)
    values[i] = static_cast<BYTE>((i * 37 + (i / 24) * 11) % 7 == 0 ? 255 : (i * 13) % 90);
  HBUF image = texfxtest::PatternImage(24, 20), mask = texfxtest::MakeMask(24, 20, values);
  for (LONG effect : {kFire, kSnow}) {
    DirectRun r(effect, image, mask);
    r.data<FlameData>().strength = 1;
    ASSERT_EQ(FindRenderer(effect)(&r.run), 0);
    const Expected expected = ExpectedResult(image, mask, r.data<FlameData>(), effect == kSnow);
    EXPECT_EQ(Bytes(r.resultImage), expected.image) << effect;
    EXPECT_EQ(Bytes(r.resultMask), expected.mask) << effect;
  }
  for (HBUF b : {image, mask}) buf32Free(b);
}

TEST(FireTest, ColoursComeFromThePalette) {
  HBUF image = texfxtest::PatternImage(30, 16), mask = BarMask();
  HBUF base = texfxtest::SolidImage(200, 200, RGB(5, 6, 7));
  for (LONG effect : {kFire, kSnow}) {
    DirectRun r(effect, image, mask, base, 60, 150);
    ASSERT_EQ(FindRenderer(effect)(&r.run), 0);
    const FlamePalette palette = MakeFlamePalette(r.data<FlameData>());
    std::set<std::vector<BYTE>> entries;
    for (int i = 0; i < 256; ++i) entries.insert(Entry(palette, i));
    const std::vector<BYTE> pixels = Bytes(r.resultImage);
    std::set<std::vector<BYTE>> used;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
      const std::vector<BYTE> pixel(pixels.begin() + static_cast<ptrdiff_t>(i),
                                    pixels.begin() + static_cast<ptrdiff_t>(i) + 3);
      ASSERT_TRUE(entries.count(pixel)) << effect << " at " << i / 3;
      used.insert(pixel);
    }
    EXPECT_GT(used.size(), 20u) << "a glow, not a flat fill";
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(FireTest, GreyBaseGivesAGreyGlow) {
  // The result image takes the padded image's format: on a grey base each
  // pixel is the grey value of its palette entry.
  HBUF image = texfxtest::PatternImage(30, 16), mask = BarMask();
  HBUF base = texfxtest::FlatMask(200, 200, 90);
  DirectRun r(kFire, image, mask, base, 60, 150);
  ASSERT_EQ(RenderFire(&r.run), 0);
  BUFINFO info = {};
  ASSERT_TRUE(buf32GetInfo(r.resultImage, &info));
  EXPECT_EQ(info.pixelFormat, 8);
  const FlamePalette palette = MakeFlamePalette(r.data<FlameData>());
  std::set<BYTE> greys;
  for (int i = 0; i < 256; ++i) {
    const std::vector<BYTE> e = Entry(palette, i);
    greys.insert(static_cast<BYTE>((299 * e[0] + 587 * e[1] + 114 * e[2] + 500) / 1000));
  }
  for (BYTE v : Bytes(r.resultImage)) ASSERT_TRUE(greys.count(v)) << int(v);
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

std::vector<LONG> g_progress;
LONG RecordProgress(LONG code, LONG percent, LONG_PTR, LONG_PTR) {
  if (code == 1 || code == 2 || code == 4) g_progress.push_back(percent);
  return 1;
}

TEST(FireTest, ProgressGrowsWithinTheRange) {
  HBUF image = texfxtest::PatternImage(30, 16), mask = BarMask();
  HBUF base = texfxtest::SolidImage(200, 200, RGB(5, 6, 7));
  for (LONG effect : {kFire, kSnow}) {
    g_progress.clear();
    DirectRun r(effect, image, mask, base, 60, 150);
    r.link = {0, RecordProgress, 0, 20, 60};
    ASSERT_EQ(FindRenderer(effect)(&r.run), 0);
    ASSERT_GE(g_progress.size(), 4u) << effect;
    EXPECT_EQ(g_progress.front(), 20);
    EXPECT_EQ(g_progress.back(), 60);
    for (size_t i = 1; i < g_progress.size(); ++i) {
      EXPECT_GE(g_progress[i], g_progress[i - 1]) << effect << " notice " << i;
      EXPECT_LE(g_progress[i], 60);
    }
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(FireTest, RunsRepeatAcrossObjects) {
  HBUF image = texfxtest::PatternImage(30, 16), mask = BarMask();
  HBUF other = texfxtest::FlatMask(30, 16, 200);
  for (LONG effect : {kFire, kSnow}) {
    std::vector<BYTE> firstMask, firstImage;
    for (HBUF objectMask : {mask, other, mask}) {
      DirectRun r(effect, image, objectMask);
      ASSERT_EQ(FindRenderer(effect)(&r.run), 0);
      if (objectMask != mask) continue;
      if (firstMask.empty()) {
        firstMask = Bytes(r.resultMask);
        firstImage = Bytes(r.resultImage);
      } else {
        EXPECT_EQ(Bytes(r.resultMask), firstMask) << effect;
        EXPECT_EQ(Bytes(r.resultImage), firstImage) << effect;
      }
    }
  }
  for (HBUF b : {image, mask, other}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
