// The normal map's gradients, the light position over an area, and the
// surface lighting by value: a flat field lit from straight above, the
// ambient-only light of pixels facing away with its rounding, and the
// failures.
#include <gtest/gtest.h>

#include <vector>

#include "../normalmap.h"
#include "../surfacelight.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};

TEST(NormalMapTest, GradientsOfARampWithRepeatedEdges) {
  // Heights 0, 10, 20, 30 along each of three rows.
  HBUF ramp = texfxtest::MakeMask(4, 3, {0, 10, 20, 30, 0, 10, 20, 30, 0, 10, 20, 30});
  NormalMap map;
  ASSERT_EQ(BuildNormalMap(ramp, &map), 0);
  // Inside: (7 + 10 + 7) x 20; at the edges the repeated pixel halves it.
  const std::vector<int> expected = {240, 480, 480, 240};
  for (LONG y = 0; y < 3; ++y)
    for (LONG x = 0; x < 4; ++x) {
      EXPECT_EQ(map.at(x, y).gx, expected[x]) << x << ", " << y;
      EXPECT_EQ(map.at(x, y).gy, 0) << x << ", " << y;
    }
  buf32Free(ramp);

  // A 24-bit field counts (R + G + B) / 3: a step of 30 between rows 0 and 1.
  HBUF colour = 0;
  ASSERT_TRUE(buf32Alloc(&colour, 24, 2, 2, BUF_KIND_PLAIN, nullptr));
  const COLORREF step = RGB(60, 30, 0);
  HBUF row = texfxtest::SolidImage(2, 1, step);
  ASSERT_TRUE(buf32MergeBuf(row, 0, 0, 2, 1, colour, 0, 1));
  ASSERT_EQ(BuildNormalMap(colour, &map), 0);
  EXPECT_EQ(map.at(0, 0).gy, 24 * 30);
  EXPECT_EQ(map.at(1, 1).gy, 24 * 30);
  EXPECT_EQ(map.at(0, 0).gx, 0);
  buf32Free(row);
  buf32Free(colour);
}

struct LightCase {
  const char* name;
  LONG width, height;
  double elevation;
  LONG direction;
  LightPoint expected;
};

class LightOverAreaTest : public testing::TestWithParam<LightCase> {};

TEST_P(LightOverAreaTest, Position) {
  const LightCase& c = GetParam();
  const LightPoint p = LightOverArea(c.width, c.height, c.elevation, c.direction);
  EXPECT_EQ(p.x, c.expected.x);
  EXPECT_EQ(p.y, c.expected.y);
  EXPECT_EQ(p.z, c.expected.z);
}

// E = 50, F = 20 on a 101 x 41 area (integer halves).
INSTANTIATE_TEST_SUITE_P(
    Lights, LightOverAreaTest,
    testing::Values(LightCase{"Above", 101, 41, 90.0, 30, {50, 20, 35 + 255}},
                    // cos 45 = 0.7071: x = 1.7071 x 50 + 0.5, z = 0.7071 x 35 + 0.5.
                    LightCase{"FortyFiveRight", 101, 41, 45.0, 0, {85, 20, 25 + 255}},
                    LightCase{"FortyFiveUp", 101, 41, 45.0, 90, {50, 6, 25 + 255}},
                    LightCase{"FortyFiveLeftDown", 101, 41, 45.0, 225, {25, 30, 25 + 255}},
                    // Nearly flat from the right: x = 1.99988 x 50 + 0.5 = 100.49, z =
                    // 0.0157 x 35 + 0.5 = 1.05.
                    LightCase{"LowRight", 101, 41, 0.9, 0, {100, 20, 1 + 255}}),
    [](const testing::TestParamInfo<LightCase>& info) { return info.param.name; });

// Pixel (x, y) of a 24-bit buffer.
std::vector<BYTE> PixelAt(HBUF image, LONG x, LONG y) {
  const std::vector<BYTE> bytes = Bytes(image);
  const size_t at = (static_cast<size_t>(y) * texfxtest::SizeOf(image).cx + x) * 3;
  return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

TEST(SurfaceLightTest, FlatFieldUnderTheLight) {
  HBUF heights = texfxtest::FlatMask(21, 11, 40);
  HBUF picture = texfxtest::SolidImage(21, 11, RGB(255, 128, 0));
  SurfaceLighting lighting{RGB(255, 255, 255), RGB(200, 100, 0), LightPoint{10, 5, 300}, 0};
  OwnedBuf result;
  ASSERT_EQ(LightSurface(picture, heights, lighting, &result, kQuiet), 0);
  // Under the light, facing it and the viewer: I = 0.5 + 0.45, a = 1;
  // (S 0.95 + 25.5) P / 255 = 215.5, 60.48 and 0.
  EXPECT_EQ(PixelAt(result.get(), 10, 5), (std::vector<BYTE>{216, 60, 0}));
  // Away from the light the highlight fades but stays above the ambient.
  const std::vector<BYTE> corner = PixelAt(result.get(), 0, 0);
  EXPECT_LT(corner[0], 216);
  EXPECT_GT(corner[0], 26);

  // A fitting buffer held in the result is refilled, not replaced.
  const HBUF held = result.get();
  ASSERT_EQ(LightSurface(picture, heights, lighting, &result, kQuiet), 0);
  EXPECT_EQ(result.get(), held);
  EXPECT_EQ(PixelAt(result.get(), 10, 5), (std::vector<BYTE>{216, 60, 0}));
  buf32Free(heights);
  buf32Free(picture);
}

struct SlopeCase {
  const char* name;
  bool rising;  // heights rise along x (else along y)
  LightPoint facing, behind;
};

// A slope tilts its normal towards the side it falls to: a light on that
// side, at the same distance as one on the other, lights the middle
// pixel more. Heights rise by 12 per pixel along x (facing left) or along
// y (facing up); the viewer above the centre sees both lights alike.
TEST(SurfaceLightTest, SlopeFacesTheSideItFallsTo) {
  const std::vector<SlopeCase> cases = {
      {"along x", true, LightPoint{0, 10, 300}, LightPoint{20, 10, 300}},
      {"along y", false, LightPoint{10, 0, 300}, LightPoint{10, 20, 300}},
  };
  HBUF picture = texfxtest::SolidImage(21, 21, RGB(255, 255, 255));
  for (const SlopeCase& c : cases) {
    std::vector<BYTE> values(21 * 21);
    for (LONG y = 0; y < 21; ++y)
      for (LONG x = 0; x < 21; ++x) values[y * 21 + x] = static_cast<BYTE>(12 * (c.rising ? x : y));
    HBUF heights = texfxtest::MakeMask(21, 21, values);
    BYTE lit[2] = {};
    for (int i = 0; i < 2; ++i) {
      SurfaceLighting lighting{RGB(255, 255, 255), RGB(255, 255, 255), i ? c.behind : c.facing, 0};
      OwnedBuf result;
      ASSERT_EQ(LightSurface(picture, heights, lighting, &result, kQuiet), 0);
      lit[i] = PixelAt(result.get(), 10, 10)[0];
    }
    EXPECT_GT(lit[0], lit[1] + 10) << c.name;
    buf32Free(heights);
  }
  buf32Free(picture);
}

struct AmbientCase {
  BYTE picture;
  BYTE expected;
};

TEST(SurfaceLightTest, FacingAwayGetsTheAmbientOnlyRounded) {
  // The light below the surface: every pixel faces away, value = P W 0.1 / 255.
  const std::vector<AmbientCase> cases = {
      {255, 26},  // 25.5 rounds up
      {10, 1},    // exactly 1
      {9, 0},     // 0.9: below 1 becomes 0
      {0, 0},
  };
  HBUF heights = texfxtest::FlatMask(3, 3, 200);
  for (const AmbientCase& c : cases) {
    HBUF picture = texfxtest::SolidImage(3, 3, RGB(c.picture, c.picture, c.picture));
    SurfaceLighting lighting{RGB(255, 255, 255), RGB(255, 255, 255), LightPoint{1, 1, 0}, 0};
    OwnedBuf result;
    ASSERT_EQ(LightSurface(picture, heights, lighting, &result, kQuiet), 0);
    for (BYTE v : Bytes(result.get())) ASSERT_EQ(v, c.expected) << int(c.picture);
    buf32Free(picture);
  }
  buf32Free(heights);
}

TEST(SurfaceLightTest, FailuresLeaveNothingBehind) {
  HBUF heights = texfxtest::FlatMask(5, 4, 10);
  HBUF picture = texfxtest::SolidImage(5, 4, RGB(1, 2, 3));
  HBUF narrow = texfxtest::FlatMask(4, 4, 10);
  const SurfaceLighting lighting{RGB(255, 255, 255), RGB(255, 0, 0), LightPoint{2, 2, 300}, 0};
  const LONG before = buf32LiveCount();
  {
    OwnedBuf result;
    EXPECT_EQ(LightSurface(picture, 0, lighting, &result, kQuiet), kErrNoHeightField);
    EXPECT_EQ(LightSurface(picture, narrow, lighting, &result, kQuiet), 1001);
    EXPECT_FALSE(result);
    texfxtest::EscapePressed escape;
    const ProgressLink polling = {1, nullptr, 0, 0, 100};
    EXPECT_EQ(LightSurface(picture, heights, lighting, &result, polling), 5200);
  }
  EXPECT_EQ(buf32LiveCount(), before);
  for (HBUF b : {heights, picture, narrow}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
