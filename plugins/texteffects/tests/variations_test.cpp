// The variation generator: stepped values, light directions, the layout of
// the nine or three blocks and the index of the current settings.
#include <gtest/gtest.h>

#include <texteffects/effects.h>

#include <cstring>
#include <vector>

#include "../variations.h"

namespace texfx {
namespace {

struct StepCase {
  LONG v, step, lower, upper;
  std::vector<LONG> values;
  LONG position;
};

class VaryValueTest : public testing::TestWithParam<StepCase> {};

TEST_P(VaryValueTest, ValuesAndPosition) {
  const StepCase& c = GetParam();
  LONG values[3] = {}, position = -1;
  VaryValue(c.v, c.step, c.lower, c.upper, values, &position);
  EXPECT_EQ(std::vector<LONG>(values, values + 3), c.values);
  EXPECT_EQ(position, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VaryValueTest,
    testing::Values(StepCase{2, 2, 3, 8, {2, 4, 6}, 0},      // relief thickness 2
                    StepCase{1, 2, 3, 8, {1, 3, 5}, 0},      // thickness 1
                    StepCase{9, 2, 3, 8, {5, 7, 9}, 2},      // thickness 9
                    StepCase{5, 2, 3, 8, {3, 5, 7}, 1},      // inside the bounds
                    StepCase{3, 2, 3, 8, {1, 3, 5}, 1},      // on the lower bound
                    StepCase{8, 2, 3, 8, {6, 8, 10}, 1},     // on the upper bound
                    StepCase{30, 50, 50, 205, {30, 80, 130}, 0},
                    StepCase{230, 50, 50, 205, {130, 180, 230}, 2}));

TEST(VaryDirectionTest, NeighboursWrapAroundTheCircle) {
  struct Case {
    LONG d;
    std::vector<LONG> values;
  } cases[] = {{0, {315, 0, 45}}, {45, {0, 45, 90}}, {350, {305, 350, 35}}, {-45, {270, -45, 0}},
               {400, {355, 400, 85}}};
  for (const Case& c : cases) {
    LONG values[3] = {}, position = -1;
    VaryDirection(c.d, values, &position);
    EXPECT_EQ(std::vector<LONG>(values, values + 3), c.values) << c.d;
    EXPECT_EQ(position, 1);
  }
}

TEST(VariationCountTest, ThreeForOneVariedParameterNineForTwo) {
  const LONG expected[kEffectCount] = {9, 9, 9, 9, 9, 9, 3, 9, 9, 9, 3, 3, 9, 3};
  for (LONG effect = 0; effect < kEffectCount; ++effect)
    EXPECT_EQ(VariationCount(effect), expected[effect]) << effect;
  EXPECT_EQ(VariationCount(14), 0);
  EXPECT_EQ(VariationCount(-1), 0);
}

EffectBlock BlockOf(LONG effect) {
  EffectBlock block = {};
  block.header.effect = effect;
  block.header.dataSize = FindEffect(effect)->dataSize;
  block.header.margin = FindEffect(effect)->margin;
  WriteDefaultData(effect, block.data);
  block.header.data = kDataPresent;
  return block;
}

LONG Field(const EffectBlock& block, const char* name) {
  return ReadParam(*FindParam(block.header.effect, name), block.data);
}

TEST(MakeVariationsTest, GradientRowsAndColumns) {
  EffectBlock block = BlockOf(kGradient);
  DataOf<GradientData>(&block)->startOpacity = 30;
  DataOf<GradientData>(&block)->endOpacity = 230;
  EffectBlock out[9];
  EXPECT_EQ(MakeVariations(block, out), 2);
  const LONG rows[3] = {30, 80, 130}, columns[3] = {130, 180, 230};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(Field(out[r * 3 + c], "startOpacity"), rows[r]) << r << "," << c;
      EXPECT_EQ(Field(out[r * 3 + c], "endOpacity"), columns[c]) << r << "," << c;
    }
  // The variation at the returned index equals the input.
  EXPECT_EQ(std::memcmp(&out[2], &block, sizeof block), 0);
}

TEST(MakeVariationsTest, ReliefThicknessAndLightDirection) {
  EffectBlock block = BlockOf(kRelief);
  DataOf<ReliefData>(&block)->lightDirection = 0;
  EffectBlock out[9];
  EXPECT_EQ(MakeVariations(block, out), 1);  // thickness 2 is below 3: row 0, column 1
  const LONG rows[3] = {2, 4, 6}, columns[3] = {315, 0, 45};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(Field(out[r * 3 + c], "thickness"), rows[r]);
      EXPECT_EQ(Field(out[r * 3 + c], "lightDirection"), columns[c]);
      EXPECT_EQ(Field(out[r * 3 + c], "profile"), 1001);
    }
}

TEST(MakeVariationsTest, OneParameterEffectsMakeThreeAndKeepPaths) {
  EffectBlock block = BlockOf(kReliefTexture);
  DataOf<ReliefTextureData>(&block)->transparency = 90;
  std::strcpy(DataOf<ReliefTextureData>(&block)->texturePath, "C:\\muster\\stein.bmp");
  EffectBlock out[3];
  EXPECT_EQ(MakeVariations(block, out), 2);
  const LONG expected[3] = {50, 70, 90};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Field(out[i], "transparency"), expected[i]);
    EXPECT_STREQ(DataOf<ReliefTextureData>(&out[i])->texturePath, "C:\\muster\\stein.bmp");
    EXPECT_EQ(out[i].header.data, static_cast<DWORD>(kDataOffset));
  }
}

TEST(MakeVariationsTest, NeonSideRowsFollowTheRadioValues) {
  EffectBlock block = BlockOf(kNeon);
  DataOf<NeonData>(&block)->side = 1003;
  DataOf<NeonData>(&block)->width = 90;
  EffectBlock out[9];
  EXPECT_EQ(MakeVariations(block, out), 3 * 2 + 2);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(Field(out[r * 3], "side"), 1001 + r);
    EXPECT_EQ(Field(out[r * 3 + 1], "width"), 70);
  }
}

TEST(MakeVariationsTest, BlockWithoutDataVariesTheDefaults) {
  EffectBlock block = {};
  block.header.effect = kSeal;
  std::memset(block.data, 0x77, 8);  // no data: these bytes mean nothing
  EffectBlock out[3];
  EXPECT_EQ(MakeVariations(block, out), 1);  // default pressure 20 lies on the lower bound
  EXPECT_EQ(Field(out[0], "pressure"), 0);
  EXPECT_EQ(Field(out[1], "pressure"), 20);
  EXPECT_EQ(Field(out[2], "pressure"), 40);
  EXPECT_EQ(Field(out[0], "colour"), RGB(255, 0, 0));
}

TEST(MakeVariationsTest, UnknownEffectWritesNothing) {
  EffectBlock block = {};
  block.header.effect = 14;
  EffectBlock out[1];
  std::memset(out, 0xAB, sizeof out);
  EXPECT_EQ(MakeVariations(block, out), 0);
  EXPECT_EQ(reinterpret_cast<BYTE*>(out)[0], 0xAB);
}

}  // namespace
}  // namespace texfx
