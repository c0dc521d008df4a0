// Scatter filter, noise adder, "Sand" and "Siegel": spread 1 nearly the
// source, modes, repeatable runs, the noise tables, mirrored quadruples,
// pads and the pressure's threshold.
#include <gtest/gtest.h>

#include <vector>

#include "../grain.h"
#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::MakeMask;
using texfxtest::SizeOf;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};

// A 300 x 40 mask of stripes 0 and 200, four pixels wide (two cells across).
HBUF Stripes() {
  std::vector<BYTE> values(300 * 40);
  for (size_t i = 0; i < values.size(); ++i) values[i] = (i % 300) / 4 % 2 ? 200 : 0;
  return MakeMask(300, 40, values);
}

std::vector<BYTE> Scatter(HBUF source, LONG spread, LONG mode) {
  HBUF out = MakeMask(300, 40, {});
  EXPECT_EQ(ScatterFilter(source, out, spread, mode, kQuiet), 0);
  std::vector<BYTE> result = Bytes(out);
  buf32Free(out);
  return result;
}

TEST(ScatterTest, SpreadOneIsAlmostTheSource) {
  HBUF source = Stripes();
  const std::vector<BYTE> in = Bytes(source), out = Scatter(source, 1, kScatterAny);
  size_t changed = 0;
  for (size_t i = 0; i < in.size(); ++i) changed += in[i] != out[i];
  EXPECT_LT(changed, 5u) << "an offset of 1 needs a draw of 32767";
  buf32Free(source);
}

TEST(ScatterTest, ModesAndRepeatability) {
  HBUF source = Stripes();
  const std::vector<BYTE> in = Bytes(source);
  const std::vector<BYTE> any = Scatter(source, 5, kScatterAny);
  EXPECT_EQ(any, Scatter(source, 5, kScatterAny)) << "reseeded at every call";
  EXPECT_NE(any, in);
  const std::vector<BYTE> lighter = Scatter(source, 5, kScatterLighter);
  const std::vector<BYTE> darker = Scatter(source, 5, kScatterDarker);
  for (size_t i = 0; i < in.size(); ++i) {
    ASSERT_GE(lighter[i], in[i]) << i;
    ASSERT_LE(darker[i], in[i]) << i;
  }
  buf32Free(source);
}

TEST(ScatterTest, SameBufferOrOtherSizesFail) {
  HBUF source = Stripes();
  HBUF small = MakeMask(10, 10, {});
  EXPECT_EQ(ScatterFilter(source, source, 3, 0, kQuiet), 1001);
  EXPECT_EQ(ScatterFilter(source, small, 3, 0, kQuiet), 1001);
  buf32Free(source);
  buf32Free(small);
}

TEST(NoiseTest, Tables) {
  const NoiseTable uniform(100, kNoiseUniform);
  EXPECT_EQ(uniform(0), -255);           // t[0] = 100 x (0 - 255) / 100
  EXPECT_EQ(uniform(255 << 6), 0);
  EXPECT_EQ(uniform(32767), 255);        // t[511] = t[510]
  const NoiseTable weak(10, kNoiseUniform);
  EXPECT_EQ(weak(0), -25);               // truncated toward zero
  const NoiseTable gauss(100, kNoiseGaussian);
  EXPECT_EQ(gauss(16384), 0);            // the table starts at value 0
  EXPECT_EQ(gauss(16384 + 100), -gauss(16384 - 100));
  EXPECT_GT(gauss(16384 + 8000), gauss(16384 + 100)) << "larger draws, larger noise";
}

TEST(NoiseTest, QuadruplesAreMirrored) {
  HBUF source = MakeMask(6, 5, std::vector<BYTE>(30, 128));
  HBUF out = MakeMask(6, 5, {});
  ASSERT_EQ(AddNoise(source, out, 100, kNoiseUniform), 0);
  const std::vector<BYTE> v = Bytes(out);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      ASSERT_EQ(v[y * 6 + x], v[y * 6 + 5 - x]) << x << "," << y;
      ASSERT_EQ(v[y * 6 + x], v[(4 - y) * 6 + x]) << x << "," << y;
    }
  EXPECT_NE(v, Bytes(source));
  buf32Free(source);
  buf32Free(out);
}

// A 30 x 20 object with a filled 16 x 10 block.
HBUF Block() {
  std::vector<BYTE> values(600, 0);
  for (int y = 5; y < 15; ++y)
    for (int x = 7; x < 23; ++x) values[y * 30 + x] = 255;
  return MakeMask(30, 20, values);
}

TEST(GrainEffectsTest, PadsPositionsAndRepeatableMasks) {
  HBUF image = texfxtest::PatternImage(30, 20);
  HBUF mask = Block();
  HBUF base = texfxtest::SolidImage(100, 100, RGB(60, 60, 60));
  struct Case {
    LONG effect, roughness, pad;
  } cases[] = {{kSand, 3, 8}, {kSand, 9, 12}, {kSeal, 0, 8}};
  for (const Case& c : cases) {
    std::vector<BYTE> masks[2];
    for (std::vector<BYTE>& result : masks) {
      DirectRun r(c.effect, image, mask, base, 40, 50);
      if (c.effect == kSand) r.data<SandData>().roughness = c.roughness;
      ASSERT_EQ(FindRenderer(c.effect)(&r.run), 0);
      EXPECT_EQ(SizeOf(r.resultMask).cx, 30 + 2 * c.pad);
      EXPECT_EQ(SizeOf(r.resultImage).cy, 20 + 2 * c.pad);
      EXPECT_EQ(r.run.x, 40 - c.pad);
      result = Bytes(r.resultMask);
    }
    EXPECT_EQ(masks[0], masks[1]) << "effect " << c.effect;
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(GrainEffectsTest, SealPressureWidensThePrint) {
  HBUF image = texfxtest::PatternImage(30, 20);
  HBUF mask = Block();
  size_t covered[2] = {};
  const LONG pressures[2] = {0, 100};
  for (int i = 0; i < 2; ++i) {
    DirectRun r(kSeal, image, mask);
    r.data<SealData>().pressure = pressures[i];
    ASSERT_EQ(RenderSeal(&r.run), 0);
    for (BYTE v : Bytes(r.resultMask)) {
      ASSERT_TRUE(v == 0 || v == 255) << "a thresholded print";
      covered[i] += v != 0;
    }
    const std::vector<BYTE> pixels = Bytes(r.resultImage);
    EXPECT_EQ(pixels[0], 255);  // the seal's red
    EXPECT_EQ(pixels[1], 0);
  }
  EXPECT_LT(covered[0], covered[1]);
  EXPECT_GT(covered[0], 0u);
  buf32Free(image);
  buf32Free(mask);
}

}  // namespace
}  // namespace texfx
