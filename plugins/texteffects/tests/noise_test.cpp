// The noise adder of the grain routines: the shapes and limits of both
// tables, the signed draw through the Gaussian table, mirrored groups of
// four per cell, and runs that repeat.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../grain.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;

TEST(NoiseAdderTest, UniformTableRunsEvenlyBetweenItsLimits) {
  struct Case {
    LONG strength, lowest, highest;
  };
  for (const Case& c : {Case{100, -255, 255}, Case{50, -127, 127}, Case{1, -2, 2}, Case{0, 0, 0}}) {
    // Entry j serves the draws j x 64 .. j x 64 + 63.
    const NoiseTable noise(c.strength, kNoiseUniform);
    const auto t = [&noise](LONG j) { return noise(j << 6); };
    EXPECT_EQ(t(0), c.lowest) << c.strength;
    EXPECT_EQ(t(255), 0) << c.strength;
    EXPECT_EQ(t(510), c.highest) << c.strength;
    EXPECT_EQ(t(511), t(510)) << c.strength;
    EXPECT_EQ(noise(32767), t(511));
    for (LONG j = 1; j < 512; ++j) ASSERT_GE(t(j), t(j - 1)) << c.strength << " " << j;
    // Truncation towards zero keeps the table symmetric about entry 255.
    for (LONG j = 0; j <= 255; ++j) ASSERT_EQ(t(255 + j), -t(255 - j)) << j;
  }
}

TEST(NoiseAdderTest, GaussianTableOfStrengthOne) {
  // Weights 10000, 6065, 1353, 111, 3 (the rest 0), sum 17532: value 0
  // fills 9345 places, 1 up to 15012, 2 up to 16276, 3 up to 16379, 4 up
  // to 16381; the last three places stay 0, and so do the guards.
  // Draws from 16384 up read the table forwards.
  const NoiseTable noise(1, kNoiseGaussian);
  struct Run {
    LONG from, to, value;
  };
  for (const Run& r : {Run{0, 9345, 0}, Run{9345, 15012, 1}, Run{15012, 16276, 2},
                       Run{16276, 16379, 3}, Run{16379, 16381, 4}, Run{16381, 16384, 0}})
    for (LONG i = r.from; i < r.to; ++i) ASSERT_EQ(noise(16384 + i), r.value) << i;
  EXPECT_EQ(noise(0), 0) << "the guard";
}

TEST(NoiseAdderTest, GaussianTableOfStrengthHundred) {
  const NoiseTable noise(100, kNoiseGaussian);
  const auto t = [&noise](LONG i) { return noise(16384 + i); };
  // Rising from 0 while filled; the tail left over is 0; the guard repeats
  // the last entry.
  LONG end = 16384;
  while (end > 0 && t(end - 1) == 0) --end;
  ASSERT_GT(end, 16000);
  EXPECT_EQ(t(0), 0);
  for (LONG i = 1; i < end; ++i) ASSERT_GE(t(i), t(i - 1)) << i;
  EXPECT_GT(t(end - 1), 200) << "a wide bell reaches far";
  EXPECT_EQ(noise(0), -t(16383));
  // Small magnitudes are more frequent than large ones.
  EXPECT_LT(t(4096), 64);
}

TEST(NoiseAdderTest, GaussianDrawIsSigned) {
  // A draw below 16384 reads the table backwards from 16384 - draw and
  // negates: mirrored about the middle draw.
  const NoiseTable noise(100, kNoiseGaussian);
  for (LONG s = 1; s < 16384; s += 13) ASSERT_EQ(noise(16384 - s), -noise(16384 + s)) << s;
  for (LONG n = 0; n < 32768; n += 97) ASSERT_LE(std::abs(noise(n)), 255) << n;
}

TEST(NoiseAdderTest, ZeroStrengthCopiesTheSource) {
  const std::vector<BYTE> values = {0, 10, 255, 128, 7, 99};
  HBUF source = texfxtest::MakeMask(3, 2, values), target = texfxtest::FlatMask(3, 2, 50);
  for (LONG distribution : {kNoiseUniform, kNoiseGaussian}) {
    ASSERT_EQ(AddNoise(source, target, 0, distribution), 0);
    EXPECT_EQ(Bytes(target), values) << distribution;
  }
  buf32Free(source);
  buf32Free(target);
}

// Noise added to flat grey, as the difference to 128 at (x, y).
int Delta(const std::vector<BYTE>& bytes, LONG width, LONG x, LONG y) {
  return bytes[static_cast<size_t>(y) * width + x] - 128;
}

TEST(NoiseAdderTest, MirroredQuadruplesOfOneCell) {
  // 5 x 5: the middle row and column are shared; the centre gets its draw
  // four times. Strength 10 (|noise| <= 25) never clamps around 128.
  HBUF source = texfxtest::FlatMask(5, 5, 128), target = texfxtest::FlatMask(5, 5, 0);
  ASSERT_EQ(AddNoise(source, target, 10, kNoiseUniform), 0);
  const std::vector<BYTE> out = Bytes(target);
  for (LONG y = 0; y < 2; ++y)
    for (LONG x = 0; x < 2; ++x) {
      const int d = Delta(out, 5, x, y);
      EXPECT_EQ(Delta(out, 5, 4 - x, y), d);
      EXPECT_EQ(Delta(out, 5, x, 4 - y), d);
      EXPECT_EQ(Delta(out, 5, 4 - x, 4 - y), d);
    }
  for (LONG i = 0; i < 2; ++i) {
    EXPECT_EQ(Delta(out, 5, 2, i) % 2, 0) << "middle column, draw twice";
    EXPECT_EQ(Delta(out, 5, 2, i), Delta(out, 5, 2, 4 - i));
    EXPECT_EQ(Delta(out, 5, i, 2) % 2, 0) << "middle row, draw twice";
    EXPECT_EQ(Delta(out, 5, i, 2), Delta(out, 5, 4 - i, 2));
  }
  EXPECT_EQ(Delta(out, 5, 2, 2) % 4, 0) << "centre, draw four times";
  int distinct = 0;
  for (LONG x = 0; x < 2; ++x) distinct += Delta(out, 5, x, 0) != Delta(out, 5, x, 1);
  EXPECT_GT(distinct, 0) << "different groups take different draws";
  buf32Free(source);
  buf32Free(target);
}

TEST(NoiseAdderTest, MirroringIsPerCell) {
  // 300 wide: cells of 256 and 44 columns, each mirrored on its own.
  HBUF source = texfxtest::FlatMask(300, 2, 128), target = texfxtest::FlatMask(300, 2, 0);
  ASSERT_EQ(AddNoise(source, target, 10, kNoiseGaussian), 0);
  const std::vector<BYTE> out = Bytes(target);
  for (LONG x = 0; x < 128; ++x) ASSERT_EQ(Delta(out, 300, x, 0), Delta(out, 300, 255 - x, 0)) << x;
  for (LONG x = 256; x < 278; ++x)
    ASSERT_EQ(Delta(out, 300, x, 0), Delta(out, 300, 555 - x, 0)) << x;
  buf32Free(source);
  buf32Free(target);
}

TEST(NoiseAdderTest, ClampsAndRepeats) {
  HBUF source = texfxtest::FlatMask(40, 30, 250), first = texfxtest::FlatMask(40, 30, 0);
  HBUF second = texfxtest::FlatMask(40, 30, 0);
  ASSERT_EQ(AddNoise(source, first, 100, kNoiseGaussian), 0);
  ASSERT_EQ(AddNoise(source, second, 100, kNoiseGaussian), 0);
  const std::vector<BYTE> out = Bytes(first);
  EXPECT_EQ(out, Bytes(second)) << "reseeded on every call";
  int full = 0, darker = 0;
  for (BYTE v : out) {
    full += v == 255;
    darker += v < 250;
  }
  EXPECT_GT(full, 0) << "clamped at 255";
  EXPECT_GT(darker, 0);
  // In place: the destination may be the source.
  ASSERT_EQ(AddNoise(source, source, 100, kNoiseGaussian), 0);
  EXPECT_EQ(Bytes(source), out);
  for (HBUF b : {source, first, second}) buf32Free(b);
}

TEST(NoiseAdderTest, RefusesWhatDoesNotFit) {
  HBUF mask = texfxtest::FlatMask(4, 4, 0), small = texfxtest::FlatMask(4, 3, 0);
  HBUF colour = texfxtest::PatternImage(4, 4);
  struct Case {
    const char* name;
    HBUF source, target;
    LONG strength, distribution;
  };
  for (const Case& c : {Case{"sizes", mask, small, 10, 0}, Case{"colour", colour, colour, 10, 0},
                        Case{"dead", 0, mask, 10, 0}})
    EXPECT_EQ(AddNoise(c.source, c.target, c.strength, c.distribution), 1001) << c.name;
  for (HBUF b : {mask, small, colour}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
