// "Konkret": size and position after padding, the colour carried by the
// light (blue stays ambient for a yellow light), the light on the object's
// floor by value, the same bytes run after run and across objects, and
// every buffer freed on success, Escape and failure.
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

// A w x h object mask with a block of 255 leaving a border of 4.
HBUF BlockMask(LONG w, LONG h) {
  std::vector<BYTE> values(static_cast<size_t>(w) * h, 0);
  for (LONG y = 4; y < h - 4; ++y)
    for (LONG x = 4; x < w - 4; ++x) values[static_cast<size_t>(y) * w + x] = 255;
  return texfxtest::MakeMask(w, h, values);
}

TEST(ConcreteTest, SizePositionAndMask) {
  HBUF image = texfxtest::SolidImage(30, 24, RGB(100, 100, 100));
  HBUF mask = BlockMask(30, 24);
  HBUF base = texfxtest::SolidImage(80, 80, RGB(100, 100, 100));
  for (LONG roughness : {1, 5, 20}) {
    for (bool withBase : {false, true}) {
      DirectRun r(kConcrete, image, mask, withBase ? base : 0, 30, 25);
      r.data<ConcreteData>().roughness = roughness;
      ASSERT_EQ(RenderConcrete(&r.run), 0);
      const LONG pad = withBase ? roughness + 3 : 0;
      EXPECT_EQ(SizeOf(r.resultImage).cx, 30 + 2 * pad);
      EXPECT_EQ(SizeOf(r.resultImage).cy, 24 + 2 * pad);
      EXPECT_EQ(SizeOf(r.resultMask).cx, 30 + 2 * pad);
      EXPECT_EQ(r.run.x, 30 - pad);
      EXPECT_EQ(r.run.y, 25 - pad);
      // The height field added onto the object: the object stays opaque.
      const std::vector<BYTE> m = Bytes(r.resultMask);
      const LONG width = 30 + 2 * pad;
      EXPECT_EQ(m[static_cast<size_t>(pad + 12) * width + pad + 15], 255);
    }
  }
  for (HBUF b : {image, mask, base}) buf32Free(b);
}

TEST(ConcreteTest, LightColourAndDirection) {
  HBUF image = texfxtest::SolidImage(40, 30, RGB(100, 100, 100));
  HBUF mask = BlockMask(40, 30);
  std::vector<std::vector<BYTE>> results;
  for (LONG direction : {0, 180}) {
    DirectRun r(kConcrete, image, mask);
    r.data<ConcreteData>().lightDirection = direction;
    r.data<ConcreteData>().roughness = 1;
    ASSERT_EQ(RenderConcrete(&r.run), 0);
    // Yellow light: blue is the ambient tenth of the grey picture everywhere,
    // (0 + 0.1 x 255) x 100 / 255 = 10.
    const std::vector<BYTE> pixels = Bytes(r.resultImage);
    for (size_t i = 2; i < pixels.size(); i += 3) ASSERT_EQ(pixels[i], 10) << i / 3;
    // The object's inside is a flat floor at height 0. At its centre
    // (20, 15), seen from straight above, the light stands at (20 +- 14,
    // 15, 267): d = 0.9986, s = 0.9986, a = 0.9959, I = 0.946, red =
    // (255 a I + 25.5) x 100 / 255 = 104.2.
    EXPECT_EQ(pixels[(15 * 40 + 20) * 3], 104) << direction;
    results.push_back(pixels);
  }
  EXPECT_NE(results[0], results[1]) << "the direction moves the light";
  buf32Free(image);
  buf32Free(mask);
}

TEST(ConcreteTest, SameBytesRunAfterRunAndAcrossObjects) {
  HBUF image = texfxtest::SolidImage(30, 24, RGB(90, 120, 150));
  HBUF mask = BlockMask(30, 24);
  HBUF otherImage = texfxtest::PatternImage(20, 40);
  HBUF otherMask = BlockMask(20, 40);
  std::vector<BYTE> firstImage, firstMask;
  for (int run = 0; run < 3; ++run) {
    if (run == 1) {  // another object in between
      DirectRun other(kConcrete, otherImage, otherMask);
      ASSERT_EQ(RenderConcrete(&other.run), 0);
    }
    DirectRun r(kConcrete, image, mask);
    r.data<ConcreteData>().roughness = 9;
    ASSERT_EQ(RenderConcrete(&r.run), 0);
    if (run == 0) {
      firstImage = Bytes(r.resultImage);
      firstMask = Bytes(r.resultMask);
    } else {
      EXPECT_EQ(Bytes(r.resultImage), firstImage) << run;
      EXPECT_EQ(Bytes(r.resultMask), firstMask) << run;
    }
  }
  for (HBUF b : {image, mask, otherImage, otherMask}) buf32Free(b);
}

TEST(ConcreteTest, EveryPathFreesItsBuffers) {
  HBUF image = texfxtest::PatternImage(30, 24);
  HBUF mask = BlockMask(30, 24);
  HBUF colourMask = texfxtest::PatternImage(30, 24);
  HBUF base = texfxtest::SolidImage(80, 80, RGB(3, 4, 5));
  for (HBUF withBase : {HBUF{0}, base}) {
    const LONG before = buf32LiveCount();
    {
      DirectRun r(kConcrete, image, mask, withBase, 40, 40);
      ASSERT_EQ(RenderConcrete(&r.run), 0);
      EXPECT_EQ(buf32LiveCount(), before + 2);
    }
    {
      c32ResetDLLErrInfo();
      texfxtest::EscapePressed escape;
      DirectRun r(kConcrete, image, mask, withBase, 40, 40);
      r.link.cancelOnEsc = 1;
      EXPECT_EQ(RenderConcrete(&r.run), 5200);
      EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 5200);
      EXPECT_EQ(r.resultImage, 0u);
      EXPECT_EQ(r.resultMask, 0u);
      EXPECT_EQ(r.run.x, 40);
    }
    {
      DirectRun r(kConcrete, image, colourMask, withBase, 40, 40);
      EXPECT_NE(RenderConcrete(&r.run), 0);
      EXPECT_EQ(r.resultImage, 0u);
      EXPECT_EQ(r.resultMask, 0u);
    }
    EXPECT_EQ(buf32LiveCount(), before);
  }
  for (HBUF b : {image, mask, colourMask, base}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
