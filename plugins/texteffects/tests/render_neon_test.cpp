// "Neon": the glow values by side and width at known distances from the
// edge (widths 1 and 10), size and position after padding, the colour,
// progress, and every buffer freed on success, Escape and failure.
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

constexpr LONG kSize = 34;   // object mask kSize x kSize
constexpr LONG kBlock = 2;   // a square of `interior` from (2, 2) to (31, 31)

HBUF SquareMask(BYTE interior) {
  std::vector<BYTE> values(kSize * kSize, 0);
  for (LONG y = kBlock; y < kSize - kBlock; ++y)
    for (LONG x = kBlock; x < kSize - kBlock; ++x) values[y * kSize + x] = interior;
  return texfxtest::MakeMask(kSize, kSize, values);
}

// The result mask's value on the square's middle row, `offset` columns
// right of its left edge (0: the square's first column, d = 1; -1: the
// pixel just outside, d = -1).
BYTE ValueAt(const DirectRun& r, LONG pad, LONG offset) {
  const std::vector<BYTE> bytes = Bytes(r.resultMask);
  const LONG width = SizeOf(r.resultMask).cx;
  const LONG row = pad + kSize / 2, column = pad + kBlock + offset;
  return bytes[static_cast<size_t>(row) * width + column];
}

struct GlowCase {
  LONG side, width, offset;
  BYTE expected;
};

TEST(NeonTest, GlowValuesBySideAndWidth) {
  const std::vector<GlowCase> cases = {
      // Inside, width 10: d = 1 gives trunc(229.5 + 0.5), d = 2 204, d >= 10 nothing.
      {1001, 10, 0, 230}, {1001, 10, 1, 204}, {1001, 10, 9, 0}, {1001, 10, 15, 0},
      {1001, 10, -1, 0},
      // Outside, width 10: no rounding outside, the rim inside, the object over it.
      {1002, 10, -1, 229}, {1002, 10, -2, 204}, {1002, 10, -10, 0}, {1002, 10, 0, 255},
      {1002, 10, 5, 255},
      // Both sides: rounded on both sides of the edge.
      {1003, 10, -1, 230}, {1003, 10, -2, 204}, {1003, 10, 0, 230}, {1003, 10, 1, 204},
      {1003, 10, 12, 0},
      // Width 1: the inside and both-sides glows are empty, the outside one is
      // the object with its rim.
      {1001, 1, 0, 0}, {1001, 1, 1, 0}, {1003, 1, -1, 0}, {1003, 1, 0, 0},
      {1002, 1, -1, 0}, {1002, 1, 0, 255}, {1002, 1, 3, 255},
  };
  HBUF image = texfxtest::PatternImage(kSize, kSize);
  HBUF mask = SquareMask(255);
  HBUF base = texfxtest::SolidImage(120, 120, RGB(5, 5, 5));
  for (const GlowCase& c : cases) {
    DirectRun r(kNeon, image, mask, base, 50, 50);
    r.data<NeonData>().side = c.side;
    r.data<NeonData>().width = c.width;
    ASSERT_EQ(RenderNeon(&r.run), 0);
    EXPECT_EQ(ValueAt(r, c.width, c.offset), c.expected)
        << "side " << c.side << ", width " << c.width << ", offset " << c.offset;
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(NeonTest, RimOfTheOutsideGlowIsOnePixelDeep) {
  // A soft interior (200) shows the rim: 255 at d = 1 only; the inner
  // corner pixel at d = 1.41421 lies beyond 1.414 and keeps the object's 200.
  HBUF image = texfxtest::PatternImage(kSize, kSize);
  HBUF mask = SquareMask(200);
  DirectRun r(kNeon, image, mask);
  r.data<NeonData>().side = 1002;
  r.data<NeonData>().width = 1;
  ASSERT_EQ(RenderNeon(&r.run), 0);
  EXPECT_EQ(ValueAt(r, 0, 0), 255);
  EXPECT_EQ(ValueAt(r, 0, 1), 200);
  const std::vector<BYTE> bytes = Bytes(r.resultMask);
  EXPECT_EQ(bytes[kBlock * kSize + kBlock], 255) << "corner, d = 1";
  EXPECT_EQ(bytes[(kBlock + 1) * kSize + kBlock + 1], 200) << "inner corner, d = 1.41421";
  buf32Free(image);
  buf32Free(mask);
}

TEST(NeonTest, SizePositionAndColour) {
  HBUF image = texfxtest::PatternImage(kSize, kSize);
  HBUF mask = SquareMask(255);
  HBUF base = texfxtest::SolidImage(90, 80, RGB(1, 2, 3));
  for (LONG width : {1, 10, 100}) {
    for (bool withBase : {false, true}) {
      DirectRun r(kNeon, image, mask, withBase ? base : 0, 20, 15);
      r.data<NeonData>().width = width;
      ASSERT_EQ(RenderNeon(&r.run), 0);
      const LONG pad = withBase ? width : 0;
      EXPECT_EQ(SizeOf(r.resultMask).cx, kSize + 2 * pad);
      EXPECT_EQ(SizeOf(r.resultMask).cy, kSize + 2 * pad);
      EXPECT_EQ(SizeOf(r.resultImage).cx, kSize + 2 * pad);
      EXPECT_EQ(SizeOf(r.resultImage).cy, kSize + 2 * pad);
      EXPECT_EQ(r.run.x, 20 - pad);
      EXPECT_EQ(r.run.y, 15 - pad);
      const std::vector<BYTE> pixels = Bytes(r.resultImage);
      for (size_t i = 0; i < pixels.size(); i += 3)
        ASSERT_EQ((std::vector<BYTE>{pixels[i], pixels[i + 1], pixels[i + 2]}),
                  (std::vector<BYTE>{255, 0, 255}));
    }
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(NeonTest, SameBytesRunAfterRun) {
  HBUF image = texfxtest::PatternImage(kSize, kSize);
  HBUF mask = SquareMask(255);
  std::vector<BYTE> first;
  for (int run = 0; run < 2; ++run) {
    DirectRun r(kNeon, image, mask);
    r.data<NeonData>().side = 1003;
    ASSERT_EQ(RenderNeon(&r.run), 0);
    if (run == 0) first = Bytes(r.resultMask);
    else EXPECT_EQ(Bytes(r.resultMask), first);
  }
  buf32Free(image);
  buf32Free(mask);
}

std::vector<LONG> g_progress;
LONG RecordProgress(LONG code, LONG percent, LONG_PTR, LONG_PTR) {
  if (code == 1 || code == 2 || code == 4) g_progress.push_back(percent);
  return 1;
}

TEST(NeonTest, ProgressRisesFromStartToEnd) {
  HBUF image = texfxtest::PatternImage(kSize, kSize);
  HBUF mask = SquareMask(255);
  DirectRun r(kNeon, image, mask);
  r.link = {0, RecordProgress, 0, 20, 80};
  g_progress.clear();
  ASSERT_EQ(RenderNeon(&r.run), 0);
  ASSERT_GE(g_progress.size(), 3u);
  EXPECT_EQ(g_progress.front(), 20);
  EXPECT_EQ(g_progress.back(), 80);
  for (size_t i = 1; i + 1 < g_progress.size(); ++i) EXPECT_GT(g_progress[i], g_progress[i - 1]);
  buf32Free(image);
  buf32Free(mask);
}

// Escape, and a colour buffer where the mask belongs: the code in the
// error slot, the slots and position untouched, no buffer left.
TEST(NeonTest, FailuresFreeEverything) {
  HBUF image = texfxtest::PatternImage(kSize, kSize);
  HBUF mask = SquareMask(255);
  HBUF colourMask = texfxtest::PatternImage(kSize, kSize);
  HBUF base = texfxtest::SolidImage(90, 80, RGB(1, 2, 3));
  for (LONG side : {1001, 1002, 1003}) {
    for (HBUF withBase : {HBUF{0}, base}) {
      const LONG before = buf32LiveCount();
      {
        c32ResetDLLErrInfo();
        texfxtest::EscapePressed escape;
        DirectRun r(kNeon, image, mask, withBase, 40, 40);
        r.data<NeonData>().side = side;
        r.link.cancelOnEsc = 1;
        EXPECT_EQ(RenderNeon(&r.run), 5200);
        EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 5200);
        EXPECT_EQ(r.resultImage, 0u);
        EXPECT_EQ(r.resultMask, 0u);
        EXPECT_EQ(r.run.x, 40);
      }
      {
        DirectRun r(kNeon, image, colourMask, withBase, 40, 40);
        r.data<NeonData>().side = side;
        EXPECT_NE(RenderNeon(&r.run), 0);
        EXPECT_EQ(r.resultMask, 0u);
      }
      EXPECT_EQ(buf32LiveCount(), before) << side;
    }
  }
  for (HBUF b : {image, mask, colourMask, base}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
