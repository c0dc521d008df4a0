// The wave displacement: the table's known values and period, the lookup
// between entries, the fixed-point weights, and the displacement's
// identities (amplitude 0, flat images, 8-bit and 24-bit alike).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../wave.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};

TEST(WaveTest, TableValues) {
  const double a = 2.0;
  const WaveTable t = MakeWaveTable(a);
  const double sin60 = std::sqrt(3.0) / 2;
  // Where i mod 17 is 0 the first factor is -1: T = -A sin(pi i / 51).
  EXPECT_NEAR(t[0], 0.0, 1e-12);
  EXPECT_NEAR(t[17], -a * sin60, 1e-8);
  EXPECT_NEAR(t[34], -a * sin60, 1e-8);
  EXPECT_EQ(t[51], t[50]);
  for (double v : t) EXPECT_LE(std::fabs(v), a);
}

TEST(WaveTest, LookupBetweenEntriesAndOverThePeriod) {
  const WaveTable t = MakeWaveTable(1.5);
  struct Case {
    double u, expected;
  };
  for (const Case& c : {Case{17, t[17]}, Case{17.5, (t[17] + t[18]) / 2},
                        Case{17.25, 0.75 * t[17] + 0.25 * t[18]}, Case{-17.5, (t[17] + t[18]) / 2},
                        Case{51, t[0]}, Case{51 + 17.5, (t[17] + t[18]) / 2},
                        Case{50.5, (t[50] + t[51]) / 2}})
    EXPECT_NEAR(WaveAt(t, c.u), c.expected, 1e-12) << c.u;
}

TEST(WaveTest, SourcePlaceOfAPixel) {
  const WaveTable t = MakeWaveTable(2.0);
  const WavePlace p = WaveSource(t, 10, 4);
  EXPECT_NEAR(p.column, 10 + WaveAt(t, 4 - 5.0), 1e-12);
  EXPECT_NEAR(p.row, 4 + WaveAt(t, 25.5 - 2 + 10), 1e-12);
}

TEST(WaveTest, FixedPointWeights) {
  struct Case {
    double fx, fy;
    LONG w00, w10, w01, w11;
  };
  for (const Case& c : {Case{0, 0, 256, 0, 0, 0}, Case{0.5, 0.5, 64, 64, 64, 64},
                        Case{0.25, 0.75, 48, 16, 144, 48}, Case{0.99, 0.99, 0, 3, 3, 250},
                        Case{0.1, 0, 231, 25, 0, 0}}) {
    const WaveWeights w = WaveWeightsOf(c.fx, c.fy);
    EXPECT_EQ(w.w00, c.w00) << c.fx << "," << c.fy;
    EXPECT_EQ(w.w10, c.w10) << c.fx << "," << c.fy;
    EXPECT_EQ(w.w01, c.w01) << c.fx << "," << c.fy;
    EXPECT_EQ(w.w11, c.w11) << c.fx << "," << c.fy;
  }
  for (int i = 0; i < 100; ++i)
    for (int j = 0; j < 100; ++j) {
      const WaveWeights w = WaveWeightsOf(i / 100.0, j / 100.0);
      ASSERT_GE(std::min(std::min(w.w00, w.w10), std::min(w.w01, w.w11)), 0) << i << "," << j;
      ASSERT_EQ(w.w00 + w.w10 + w.w01 + w.w11, 256);
    }
}

HBUF Stripes(LONG width, LONG height) {
  std::vector<BYTE> values(static_cast<size_t>(width) * height);
  for (LONG y = 0; y < height; ++y)
    for (LONG x = 0; x < width; ++x)
      values[static_cast<size_t>(y) * width + x] = static_cast<BYTE>((x * 31 + y * 17) % 256);
  return texfxtest::MakeMask(width, height, values);
}

TEST(WaveTest, AmplitudeZeroAndFlatImagesAreKept) {
  HBUF source = Stripes(37, 23), target = texfxtest::FlatMask(37, 23, 0);
  ASSERT_EQ(WaveDisplace(source, target, 0.0, kQuiet), 0);
  EXPECT_EQ(Bytes(target), Bytes(source));
  HBUF flat = texfxtest::FlatMask(37, 23, 173);
  ASSERT_EQ(WaveDisplace(flat, target, 2.6667, kQuiet), 0);
  EXPECT_EQ(Bytes(target), Bytes(flat)) << "the weights sum to 256";
  for (HBUF b : {source, target, flat}) buf32Free(b);
}

TEST(WaveTest, ColourAndGreyShareTheAddressing) {
  const LONG w = 70, h = 40;
  HBUF grey = Stripes(w, h), greyOut = texfxtest::FlatMask(w, h, 0);
  const std::vector<BYTE> values = Bytes(grey);
  std::vector<BYTE> rgb(values.size() * 3);
  for (size_t i = 0; i < values.size(); ++i) rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = values[i];
  HBUF colour = texfxtest::SolidImage(w, h, 0), colourOut = texfxtest::SolidImage(w, h, 0);
  for (LONG y = 0; y < h; ++y) buf32Line(colour, y, 2, &rgb[static_cast<size_t>(y) * w * 3]);
  ASSERT_EQ(WaveDisplace(grey, greyOut, 2.6667, kQuiet), 0);
  ASSERT_EQ(WaveDisplace(colour, colourOut, 2.6667, kQuiet), 0);
  const std::vector<BYTE> g = Bytes(greyOut), c = Bytes(colourOut);
  EXPECT_NE(g, values) << "the stripes wobble";
  for (size_t i = 0; i < g.size(); ++i) {
    ASSERT_EQ(c[i * 3], g[i]) << i;
    ASSERT_EQ(c[i * 3 + 2], g[i]) << i;
  }
  for (HBUF b : {grey, greyOut, colour, colourOut}) buf32Free(b);
}

TEST(WaveTest, TinyBuffersStayInside) {
  for (SIZE size : {SIZE{1, 1}, SIZE{2, 1}, SIZE{1, 3}, SIZE{3, 2}}) {
    HBUF source = Stripes(size.cx, size.cy), target = texfxtest::FlatMask(size.cx, size.cy, 0);
    EXPECT_EQ(WaveDisplace(source, target, 2.6667, kQuiet), 0);
    buf32Free(source);
    buf32Free(target);
  }
}

TEST(WaveTest, RefusesWhatDoesNotFitAndStopsOnEscape) {
  HBUF mask = texfxtest::FlatMask(8, 8, 0), other = texfxtest::FlatMask(8, 8, 0);
  HBUF small = texfxtest::FlatMask(7, 8, 0), colour = texfxtest::PatternImage(8, 8);
  EXPECT_EQ(WaveDisplace(mask, mask, 1, kQuiet), 1001) << "same buffer";
  EXPECT_EQ(WaveDisplace(mask, small, 1, kQuiet), 1001);
  EXPECT_EQ(WaveDisplace(mask, colour, 1, kQuiet), 1001);
  EXPECT_EQ(WaveDisplace(mask, other, -1, kQuiet), 1001);
  EXPECT_EQ(WaveDisplace(mask, other, NAN, kQuiet), 1001);
  texfxtest::EscapePressed escape;
  const ProgressLink polling = {1, nullptr, 0, 0, 100};
  EXPECT_EQ(WaveDisplace(mask, other, 1, polling), 5200);
  for (HBUF b : {mask, other, small, colour}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
