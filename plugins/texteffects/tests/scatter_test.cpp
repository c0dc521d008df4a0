// The scatter filter of the grain routines: spread 1 is almost the
// identity, every pixel comes from its reach window (also across cell
// borders), the lighter and darker modes only brighten or darken, 24-bit
// pixels move whole, runs repeat.
#include <gtest/gtest.h>

#include <vector>

#include "../grain.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};

// An 8-bit buffer with a value pattern that differs between neighbours.
HBUF Pattern8(LONG width, LONG height) {
  std::vector<BYTE> values(static_cast<size_t>(width) * height);
  for (LONG y = 0; y < height; ++y)
    for (LONG x = 0; x < width; ++x)
      values[static_cast<size_t>(y) * width + x] = static_cast<BYTE>((x * 7 + y * 13) * 5 % 251);
  return texfxtest::MakeMask(width, height, values);
}

LONG Clamped(LONG v, LONG size) { return v < 0 ? 0 : v >= size ? size - 1 : v; }

// True when `value` is the source pixel at some offset (dx, dy) with both
// in from..to, edge pixels repeating.
bool FromWindow(const std::vector<BYTE>& source, LONG width, LONG height, LONG x, LONG y,
                LONG from, LONG to, BYTE value) {
  for (LONG dy = from; dy <= to; ++dy)
    for (LONG dx = from; dx <= to; ++dx) {
      const LONG sx = Clamped(x + dx, width), sy = Clamped(y + dy, height);
      if (source[static_cast<size_t>(sy) * width + sx] == value) return true;
    }
  return false;
}

TEST(ScatterFilterTest, SpreadOneIsAlmostTheSource) {
  const LONG w = 40, h = 30;
  HBUF source = Pattern8(w, h), target = texfxtest::FlatMask(w, h, 0);
  ASSERT_EQ(ScatterFilter(source, target, 1, kScatterAny, kQuiet), 0);
  const std::vector<BYTE> in = Bytes(source), out = Bytes(target);
  int moved = 0;
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      moved += in[i] != out[i];
      // An offset is 0, or 1 for the largest draw: never up or left.
      EXPECT_TRUE(FromWindow(in, w, h, x, y, 0, 1, out[i])) << x << "," << y;
    }
  EXPECT_LE(moved, 2) << "a draw of 32767 is one in 32768";
  buf32Free(source);
  buf32Free(target);
}

// The largest offset a draw gives: 32767 / (32767 / spread), the spread
// itself for small spreads, one more for some large ones.
LONG Reach(LONG spread) { return 32767 / (32767 / spread); }

struct ModeCase {
  const char* name;
  LONG mode;
  LONG spread;
};

class ScatterFilterModeTest : public testing::TestWithParam<ModeCase> {};

// A buffer wider and higher than one cell, so windows cross cell borders.
TEST_P(ScatterFilterModeTest, EveryPixelComesFromItsWindow) {
  const ModeCase& c = GetParam();
  const LONG w = 300, h = 270;
  HBUF source = Pattern8(w, h), target = texfxtest::FlatMask(w, h, 0);
  ASSERT_EQ(ScatterFilter(source, target, c.spread, c.mode, kQuiet), 0);
  const std::vector<BYTE> in = Bytes(source), out = Bytes(target);
  const LONG back = c.spread / 2, reach = Reach(c.spread);
  int changed = 0;
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      changed += in[i] != out[i];
      ASSERT_TRUE(FromWindow(in, w, h, x, y, -back, reach - back, out[i])) << x << "," << y;
      if (c.mode == kScatterLighter) {
        ASSERT_GE(out[i], in[i]) << x << "," << y;
      }
      if (c.mode == kScatterDarker) {
        ASSERT_LE(out[i], in[i]) << x << "," << y;
      }
    }
  EXPECT_GT(changed, w * h / 4) << "the pattern is scattered";
  buf32Free(source);
  buf32Free(target);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ScatterFilterModeTest,
    testing::Values(ModeCase{"Any", kScatterAny, 4}, ModeCase{"AnyOdd", kScatterAny, 21},
                    ModeCase{"Lighter", kScatterLighter, 3},
                    ModeCase{"Darker", kScatterDarker, 4}),
    [](const testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST(ScatterFilterTest, ColourPixelsMoveWholeAndCompareTheirLargestChannel) {
  const LONG w = 20, h = 12;
  HBUF source = texfxtest::PatternImage(w, h);  // (x, y, 7)
  HBUF target = texfxtest::SolidImage(w, h, 0);
  ASSERT_EQ(ScatterFilter(source, target, 3, kScatterDarker, kQuiet), 0);
  const std::vector<BYTE> out = Bytes(target);
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) {
      const BYTE* p = &out[(static_cast<size_t>(y) * w + x) * 3];
      // A whole source pixel (its third channel 7, its first two a place
      // within the window), never lighter by its largest channel.
      EXPECT_EQ(p[2], 7);
      EXPECT_LE(p[0] - x, 2);
      EXPECT_GE(p[0] - x, -1);
      EXPECT_LE(std::max<int>(p[0], std::max<int>(p[1], 7)),
                std::max<int>(x, std::max<int>(y, 7)))
          << x << "," << y;
    }
  buf32Free(source);
  buf32Free(target);
}

TEST(ScatterFilterTest, EachCallStartsTheSequenceAfresh) {
  HBUF source = Pattern8(50, 40), first = texfxtest::FlatMask(50, 40, 0);
  HBUF other = Pattern8(17, 9), otherOut = texfxtest::FlatMask(17, 9, 0);
  HBUF second = texfxtest::FlatMask(50, 40, 0);
  ASSERT_EQ(ScatterFilter(source, first, 5, kScatterAny, kQuiet), 0);
  ASSERT_EQ(ScatterFilter(other, otherOut, 5, kScatterAny, kQuiet), 0);
  ASSERT_EQ(ScatterFilter(source, second, 5, kScatterAny, kQuiet), 0);
  EXPECT_EQ(Bytes(first), Bytes(second));
  for (HBUF b : {source, first, other, otherOut, second}) buf32Free(b);
}

TEST(ScatterFilterTest, RefusesWhatDoesNotFit) {
  HBUF mask = Pattern8(10, 10), other = texfxtest::FlatMask(10, 10, 0);
  HBUF small = texfxtest::FlatMask(9, 10, 0), colour = texfxtest::PatternImage(10, 10);
  struct Case {
    const char* name;
    HBUF source, target;
    LONG spread, mode;
  };
  for (const Case& c : {Case{"same buffer", mask, mask, 3, 0}, Case{"sizes", mask, small, 3, 0},
                        Case{"formats", mask, colour, 3, 0}, Case{"dead handle", 0, other, 3, 0}})
    EXPECT_EQ(ScatterFilter(c.source, c.target, c.spread, c.mode, kQuiet), 1001) << c.name;
  for (HBUF b : {mask, other, small, colour}) buf32Free(b);
}

TEST(ScatterFilterTest, EscapeStopsTheRun) {
  HBUF source = Pattern8(10, 10), target = texfxtest::FlatMask(10, 10, 0);
  texfxtest::EscapePressed escape;
  const ProgressLink polling = {1, nullptr, 0, 0, 100};
  EXPECT_EQ(ScatterFilter(source, target, 3, kScatterAny, polling), 5200);
  EXPECT_EQ(ScatterFilter(source, target, 3, kScatterAny, kQuiet), 0) << "no poll asked for";
  buf32Free(source);
  buf32Free(target);
}

}  // namespace
}  // namespace texfx
