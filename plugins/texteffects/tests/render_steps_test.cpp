// "Glas", "Relief" (three profiles), "Relief-Umriß", "Relief-Textur",
// "Sand" and "Siegel" by value: each result is compared with the same
// result made step by step from the host's mask, rank-filter and soft-edge
// operations, the emboss shader, the scatter filter and the noise adder,
// with the radii, gains, distances, modes and blends each effect uses. A
// wrong argument anywhere shows as a different image or mask.
#include <gtest/gtest.h>

#include <maskkit.h>
#include <rankfilter.h>
#include <softedge.h>

#include <vector>

#include "../curves.h"
#include "../emboss.h"
#include "../grain.h"
#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};
constexpr COLORREF kGrey = 0x808080;

HBUF Dup(HBUF source) {
  HBUF copy = 0;
  EXPECT_TRUE(buf32DupBuf(source, &copy));
  return copy;
}

// A soft blob with a hole, so every step has edges to work on.
HBUF BlobMask() {
  std::vector<BYTE> values(26 * 22, 0);
  for (int y = 3; y < 19; ++y)
    for (int x = 4; x < 22; ++x) {
      const bool hole = x >= 11 && x < 15 && y >= 9 && y < 13;
      values[static_cast<size_t>(y) * 26 + x] = hole ? 0 : static_cast<BYTE>(150 + (x * 7 + y) % 100);
    }
  return texfxtest::MakeMask(26, 22, values);
}

// The 8-bit shading as a colour image of `like`'s format (on white when
// `white`), then blended in hard light over `like` through a full mask and,
// when an opacity is given, laid over `like` again with that opacity.
std::vector<BYTE> ShadedOver(HBUF shading, HBUF like, bool white, LONG opacity = -1) {
  BUFINFO info = {};
  EXPECT_TRUE(buf32GetInfo(like, &info));
  const COLORREF whiteColour = RGB(255, 255, 255);
  HBUF out = 0;
  EXPECT_TRUE(buf32Alloc(&out, info.pixelFormat, info.width, info.height,
                         white ? BUF_KIND_FILLED : BUF_KIND_PLAIN, white ? &whiteColour : nullptr));
  const LONG count = info.width * info.height;
  void *target = nullptr, *source = nullptr, *under = nullptr;
  EXPECT_TRUE(buf32Lock(out, 3, &target));
  EXPECT_TRUE(buf32Lock(shading, 1, &source));
  EXPECT_TRUE(buf32Lock(like, 1, &under));
  EXPECT_TRUE(i32ColorspaceConvert(static_cast<BYTE*>(target), source, count, 1));
  const std::vector<BYTE> full(static_cast<size_t>(count), 255);
  EXPECT_TRUE(i32Merge(target, target, full.data(), under, info.bytesPerPixel, count, 8, 0));
  if (opacity >= 0) {
    EXPECT_TRUE(i32Merge(target, target, full.data(), under, info.bytesPerPixel, count, 1, opacity));
  }
  buf32Unlock(like);
  buf32Unlock(shading);
  buf32Unlock(out);
  const std::vector<BYTE> bytes = Bytes(out);
  buf32Free(out);
  return bytes;
}

struct Expected {
  std::vector<BYTE> image, mask;
};

// Relief: soft edge 3, shaded at distance 10 T, grown by 2 T + 1, the
// profile, the shading in hard light over the image.
Expected ReliefSteps(HBUF image, HBUF mask, const ReliefData& d) {
  HBUF soft = 0, grown = 0;
  EXPECT_GT(CreateSoftEdgeMask(mask, 3, 2, 0, &soft, 1), 0);
  HBUF height = Dup(soft);
  EXPECT_EQ(EmbossShade(height, soft, 10 * d.thickness, d.amount, d.lightDirection, kGrey, kQuiet), 0);
  EXPECT_GT(Maximum(height, &grown, 2 * d.thickness + 1, 0, 0), 0);
  if (d.profile == 1003) {
    EXPECT_GT(MaskKit(mask, grown, 3), 0);
    buf32Free(height);
    height = Dup(mask);
    EXPECT_GT(MaskInvert(height), 0);
    EXPECT_GT(MaskFill(height, soft, 128), 0);
  } else {
    EXPECT_GT(MaskKit(mask, grown, 5), 0);
    if (d.profile == 1002) {
      EXPECT_GT(MaskFill(mask, soft, 128), 0);
    }
  }
  Expected e{ShadedOver(soft, image, true), Bytes(grown)};
  for (HBUF b : {soft, height, grown}) buf32Free(b);
  return e;
}

TEST(StepsTest, ReliefOfEveryProfile) {
  HBUF image = texfxtest::PatternImage(26, 22), mask = BlobMask();
  for (LONG profile : {1001, 1002, 1003}) {
    DirectRun r(kRelief, image, mask);
    ReliefData& d = r.data<ReliefData>();
    d.thickness = 3;
    d.amount = 27;
    d.lightDirection = 120;
    d.profile = profile;
    ASSERT_EQ(RenderRelief(&r.run), 0) << profile;
    const Expected e = ReliefSteps(image, mask, d);
    EXPECT_EQ(Bytes(r.resultImage), e.image) << profile;
    EXPECT_EQ(Bytes(r.resultMask), e.mask) << profile;
  }
  for (HBUF b : {image, mask}) buf32Free(b);
}

// Relief-Umriß: the band between the mask grown by max(T, 2) and shrunk by
// T, blurred (1, 2), grown by 2 T + 1 for the mask, shaded at 10 T into the
// band, the shading in hard light over the image.
Expected OutlineSteps(HBUF image, HBUF mask, const ReliefOutlineData& d) {
  const LONG t = d.thickness;
  HBUF grown1 = 0, band = 0, blurred = 0, grown = 0;
  EXPECT_GT(Maximum(mask, &grown1, t > 2 ? t : 2, 0, 0), 0);
  EXPECT_GT(Minimum(mask, &band, t, 0, 0), 0);
  EXPECT_GT(MaskKit(grown1, band, 1), 0);
  EXPECT_TRUE(MaskBlur(band, 1, 2, &blurred, 1));
  EXPECT_GT(Maximum(blurred, &grown, 2 * t + 1, 0, 0), 0);
  EXPECT_EQ(EmbossShade(blurred, band, 10 * t, d.amount, d.lightDirection, kGrey, kQuiet), 0);
  Expected e{ShadedOver(band, image, true), Bytes(grown)};
  for (HBUF b : {grown1, band, blurred, grown}) buf32Free(b);
  return e;
}

TEST(StepsTest, ReliefOutline) {
  HBUF image = texfxtest::PatternImage(26, 22), mask = BlobMask();
  for (LONG thickness : {1, 4}) {
    DirectRun r(kReliefOutline, image, mask);
    ReliefOutlineData& d = r.data<ReliefOutlineData>();
    d.thickness = thickness;
    d.amount = 33;
    d.lightDirection = 200;
    ASSERT_EQ(RenderReliefOutline(&r.run), 0) << thickness;
    const Expected e = OutlineSteps(image, mask, d);
    EXPECT_EQ(Bytes(r.resultImage), e.image) << thickness;
    EXPECT_EQ(Bytes(r.resultMask), e.mask) << thickness;
  }
  for (HBUF b : {image, mask}) buf32Free(b);
}

// Relief-Textur with an 8 x 8 texture at 50 %: 4 x 4 tiles on an exact
// grid, shaded at one pixel and 45 degrees, cut to the object, laid in
// hard light and then with opacity 100 - Tr over the image; the mask is
// the object's.
TEST(StepsTest, ReliefTextureOnAGrid) {
  std::vector<BYTE> cobbles(64);
  for (size_t i = 0; i < cobbles.size(); ++i) cobbles[i] = static_cast<BYTE>((i * 53) % 256);
  HBUF image = texfxtest::PatternImage(26, 22), mask = BlobMask();
  HBUF texture = texfxtest::MakeMask(8, 8, cobbles);
  for (LONG transparency : {0, 40, 100}) {
    DirectRun r(kReliefTexture, image, mask);
    ReliefTextureData& d = r.data<ReliefTextureData>();
    d.textureSize = 50;
    d.transparency = transparency;
    d.amount = 17;
    d.textureImage = texture;
    ASSERT_EQ(RenderReliefTexture(&r.run), 0) << transparency;

    HBUF tile = 0, tiled = 0;
    const SIZE size = {4, 4};
    ASSERT_TRUE(t32BufferResample(&tile, texture, &size, 0));
    ASSERT_TRUE(buf32Alloc(&tiled, 8, 26, 22, BUF_KIND_PLAIN, nullptr));
    for (LONG v = 0; v < 22; v += 4)
      for (LONG u = 0; u < 26; u += 4) EXPECT_GT(MaskAddEx(tile, tiled, u, v, 0), 0);
    HBUF shading = Dup(tiled);
    EXPECT_EQ(EmbossShade(tiled, shading, 10, 17, 45, kGrey, kQuiet), 0);
    EXPECT_GT(MaskKit(mask, shading, 3), 0);
    EXPECT_EQ(Bytes(r.resultImage), ShadedOver(shading, image, false, 100 - transparency))
        << transparency;
    EXPECT_EQ(Bytes(r.resultMask), Bytes(mask)) << transparency;
    for (HBUF b : {tile, tiled, shading}) buf32Free(b);
  }
  for (HBUF b : {image, mask, texture}) buf32Free(b);
}

// Glas: the band between the mask grown and shrunk by F + 1, its soft
// edge of radius F, mapped through reflection curve R.
TEST(StepsTest, GlassBandThroughTheCurve) {
  HBUF image = texfxtest::PatternImage(26, 22), mask = BlobMask();
  for (LONG reflection : {1, 3}) {
    for (LONG flakiness : {1, 6}) {
      DirectRun r(kGlass, image, mask);
      r.data<GlassData>().reflection = reflection;
      r.data<GlassData>().flakiness = flakiness;
      ASSERT_EQ(RenderGlass(&r.run), 0);
      HBUF grown = 0, shrunk = 0, soft = 0;
      EXPECT_GT(Maximum(mask, &grown, flakiness + 1, 0, 0), 0);
      EXPECT_GT(Minimum(mask, &shrunk, flakiness + 1, 0, 0), 0);
      EXPECT_GT(MaskKit(grown, shrunk, 1), 0);
      EXPECT_GT(CreateSoftEdgeMask(shrunk, flakiness, 2, 0, &soft, 1), 0);
      EXPECT_GT(MaskMap(soft, ReflectionCurve(reflection)), 0);
      EXPECT_EQ(Bytes(r.resultMask), Bytes(soft)) << reflection << " " << flakiness;
      for (HBUF b : {grown, shrunk, soft}) buf32Free(b);
    }
  }
  for (HBUF b : {image, mask}) buf32Free(b);
}

// Sand: the mask scattered (R + 1, any), the inverted soft edge 5 cut to
// the object, scattered darker (R + 1) with Gaussian noise 100, merged,
// shaded twice (distance 20 at D, 10 at D + 180, gain max(5 R, 10)); the
// mask is wherever the shading is not 128.
Expected SandSteps(HBUF image, HBUF mask, const SandData& d) {
  const LONG r = d.roughness, gain = 5 * r > 10 ? 5 * r : 10;
  HBUF scattered = Dup(mask), soft = 0;
  EXPECT_EQ(ScatterFilter(mask, scattered, r + 1, 0, kQuiet), 0);
  EXPECT_GT(CreateSoftEdgeMask(mask, 5, 2, 0, &soft, 1), 0);
  EXPECT_GT(MaskInvert(soft), 0);
  EXPECT_GT(MaskKit(mask, soft, 9), 0);
  HBUF grains = Dup(soft);
  EXPECT_EQ(ScatterFilter(soft, grains, r + 1, 2, kQuiet), 0);
  EXPECT_EQ(AddNoise(grains, soft, 100, 1), 0);
  EXPECT_GT(MergeImage(soft, scattered, mask), 0);
  EXPECT_EQ(EmbossShade(scattered, soft, 20, gain, d.lightDirection, kGrey, kQuiet), 0);
  EXPECT_EQ(EmbossShade(soft, scattered, 10, gain, (d.lightDirection + 180) % 360, kGrey, kQuiet), 0);
  Expected e;
  e.image = ShadedOver(scattered, image, false);
  BYTE table[256];
  for (BYTE& entry : table) entry = 255;
  table[128] = 0;
  EXPECT_GT(MaskMap(scattered, table), 0);
  e.mask = Bytes(scattered);
  for (HBUF b : {scattered, soft, grains}) buf32Free(b);
  return e;
}

TEST(StepsTest, Sand) {
  HBUF image = texfxtest::PatternImage(26, 22), mask = BlobMask();
  DirectRun r(kSand, image, mask);
  SandData& d = r.data<SandData>();
  d.roughness = 4;
  d.lightDirection = 300;
  ASSERT_EQ(RenderSand(&r.run), 0);
  const Expected e = SandSteps(image, mask, d);
  EXPECT_EQ(Bytes(r.resultImage), e.image);
  EXPECT_EQ(Bytes(r.resultMask), e.mask);
  for (HBUF b : {image, mask}) buf32Free(b);
}

// Siegel: Gaussian noise 100 cut to the object, the rim band of a 3-pixel
// erosion joined in, scattered darker (4) twice with a cut between, blurred
// twice, thresholded at max((100 - P) x 192 / 100, 1).
std::vector<BYTE> SealSteps(HBUF mask, LONG pressure) {
  HBUF noisy = Dup(mask), inner = 0, first = 0, print = 0;
  EXPECT_EQ(AddNoise(mask, noisy, 100, 1), 0);
  EXPECT_GT(MaskKit(mask, noisy, 9), 0);
  EXPECT_GT(Minimum(mask, &inner, 3, 0, 0), 0);
  EXPECT_GT(MaskKit(mask, inner, 1), 0);
  EXPECT_GT(MaskKit(inner, noisy, 5), 0);
  EXPECT_EQ(ScatterFilter(noisy, inner, 4, 2, kQuiet), 0);
  EXPECT_GT(MaskKit(mask, inner, 9), 0);
  EXPECT_EQ(ScatterFilter(inner, noisy, 4, 2, kQuiet), 0);
  EXPECT_TRUE(MaskBlur(noisy, 1, 2, &first, 1));
  EXPECT_TRUE(MaskBlur(first, 1, 2, &print, 1));
  const LONG threshold = (100 - pressure) * 192 / 100;
  EXPECT_GT(MaskThresh(print, threshold > 1 ? threshold : 1), 0);
  const std::vector<BYTE> bytes = Bytes(print);
  for (HBUF b : {noisy, inner, first, print}) buf32Free(b);
  return bytes;
}

TEST(StepsTest, SealAtSeveralPressures) {
  HBUF image = texfxtest::PatternImage(26, 22), mask = BlobMask();
  for (LONG pressure : {0, 35, 100}) {
    DirectRun r(kSeal, image, mask);
    r.data<SealData>().pressure = pressure;
    ASSERT_EQ(RenderSeal(&r.run), 0) << pressure;
    EXPECT_EQ(Bytes(r.resultMask), SealSteps(mask, pressure)) << pressure;
  }
  for (HBUF b : {image, mask}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
