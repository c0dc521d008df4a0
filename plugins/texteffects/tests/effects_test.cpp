// The parameter records: the fourteen effects' constants, defaults by byte
// and the round trip of every parameter through a block.
#include <gtest/gtest.h>

#include <texteffects/effects.h>

#include <cstring>
#include <vector>

namespace texfx {
namespace {

struct EffectCase {
  LONG effect;
  UINT name, page, thumbnail;
  LONG help, margin, dataSize;
  std::vector<BYTE> defaults;  // the first bytes of the data, the rest zero
};

// 32-bit little-endian bytes.
#define L(v) BYTE((v) & 255), BYTE(((v) >> 8) & 255), BYTE(((v) >> 16) & 255), BYTE(((v) >> 24) & 255)

const EffectCase kCases[] = {
    {0, 131, 41, 110, 1007, 0, 16, {L(1001), 255, 0, 0, 0, L(0), 255, 0, 0, 0}},
    {1, 132, 42, 111, 1023, 0, 284, {L(50), L(0), L(0), L(1), 0, 0, 0, 0, L(0), 0}},
    {2, 133, 43, 112, 1024, 20, 12, {L(2), L(5), 0, 255, 0, 0}},
    {3, 134, 44, 113, 1025, 20, 8, {L(2), L(5)}},
    {4, 135, 45, 114, 1026, 10, 16, {L(2), L(20), L(45), L(1001)}},
    {5, 136, 46, 115, 1027, 10, 12, {L(2), L(20), L(45)}},
    {6, 137, 47, 116, 1028, 1, 276, {L(100), L(1), L(10), L(0), 0}},
    {7, 138, 48, 117, 1029, 20, 12, {L(5), L(45), 255, 255, 0, 0}},
    {8, 139, 49, 118, 1030, 20, 8, {L(3), L(45)}},
    {9, 140, 50, 119, 1031, 12, 284,
     {L(1), L(45), 255, 255, 0, 255, 255, 255, 0, 0, L(0), L(0), 0}},
    {10, 141, 51, 120, 1032, 100, 16, {255, 255, 0, 255, 128, 0, 255, 0, 0, 0, 0, 0, L(5)}},
    {11, 142, 52, 121, 1033, 100, 16,
     {255, 255, 255, 192, 192, 192, 128, 128, 128, 0, 0, 0, L(5)}},
    {12, 143, 53, 122, 1034, 100, 12, {255, 0, 255, 0, L(1001), L(10)}},
    {13, 144, 54, 123, 1035, 8, 8, {255, 0, 0, 0, L(20)}},
};

#undef L

class EffectTableTest : public testing::TestWithParam<EffectCase> {};

TEST_P(EffectTableTest, ConstantsAndDefaultBytes) {
  const EffectCase& c = GetParam();
  const EffectInfo* info = FindEffect(c.effect);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->nameString, c.name);
  EXPECT_EQ(info->pageDialog, c.page);
  EXPECT_EQ(info->thumbnail, c.thumbnail);
  EXPECT_EQ(info->helpContext, c.help);
  EXPECT_EQ(info->margin, c.margin);
  EXPECT_EQ(info->dataSize, c.dataSize);

  std::vector<BYTE> data(kMaxDataSize, 0xEE);
  ASSERT_TRUE(WriteDefaultData(c.effect, data.data()));
  std::vector<BYTE> expected(static_cast<size_t>(c.dataSize), 0);
  std::copy(c.defaults.begin(), c.defaults.end(), expected.begin());
  EXPECT_EQ(std::vector<BYTE>(data.begin(), data.begin() + c.dataSize), expected);
  EXPECT_EQ(data[static_cast<size_t>(c.dataSize)], 0xEE) << "wrote past the effect's data";
}

// Every parameter takes a value other than its default and reads it back,
// without touching the bytes of any other parameter.
TEST_P(EffectTableTest, EveryParameterRoundTripsAlone) {
  const EffectCase& c = GetParam();
  int count = 0;
  const ParamDef* params = EffectParams(c.effect, &count);
  ASSERT_GT(count, 0);
  for (int i = 0; i < count; ++i) {
    const ParamDef& def = params[i];
    if (def.kind == ParamKind::kPath) continue;
    EffectBlock block = {};
    WriteDefaultData(c.effect, block.data);
    const EffectBlock before = block;
    const LONG value = def.kind == ParamKind::kColour ? RGB(1, 2, 3)
                       : def.kind == ParamKind::kHandle ? 77
                                                          : def.maximum;
    WriteParam(def, value, block.data);
    EXPECT_EQ(ReadParam(def, block.data), value) << def.name;
    for (int j = 0; j < count; ++j) {
      if (j == i || params[j].kind == ParamKind::kPath) continue;
      EXPECT_EQ(ReadParam(params[j], block.data), ReadParam(params[j], before.data))
          << def.name << " changed " << params[j].name;
    }
    EXPECT_LE(def.offset, c.dataSize) << def.name;
  }
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EffectTableTest, testing::ValuesIn(kCases));

TEST(EffectBlockTest, DefaultBlockHasGradientHeaderWithoutData) {
  EffectBlock block;
  std::memset(&block, 0x55, sizeof block);
  MakeDefaultBlock(&block);
  EXPECT_EQ(block.header.effect, 0);
  EXPECT_EQ(block.header.margin, 0);
  EXPECT_EQ(block.header.dataSize, 16);
  EXPECT_EQ(block.header.data, 0u);
  EXPECT_EQ(block.header.pageProc, 0u);
  for (BYTE b : block.data) ASSERT_EQ(b, 0);
}

TEST(EffectBlockTest, CompleteFillsDefaultsOnlyWithoutData) {
  EffectBlock block = {};
  block.header.effect = kRelief;
  std::memset(block.data, 0x99, sizeof block.data);  // whatever follows the header
  ASSERT_TRUE(CompleteBlock(&block));
  EXPECT_EQ(block.header.data, static_cast<DWORD>(kDataOffset));
  const ReliefData& relief = *DataOf<ReliefData>(&block);
  EXPECT_EQ(relief.thickness, 2);
  EXPECT_EQ(relief.amount, 20);
  EXPECT_EQ(relief.lightDirection, 45);
  EXPECT_EQ(relief.profile, 1001);
  EXPECT_EQ(block.data[sizeof(ReliefData)], 0);

  // A block carrying data keeps it.
  DataOf<ReliefData>(&block)->thickness = 9;
  ASSERT_TRUE(CompleteBlock(&block));
  EXPECT_EQ(DataOf<ReliefData>(&block)->thickness, 9);

  block.header.effect = 14;
  block.header.data = 0;
  EXPECT_FALSE(CompleteBlock(&block));
  block.header.effect = -1;
  EXPECT_FALSE(CompleteBlock(&block));
}

TEST(EffectBlockTest, ClampHoldsStoredValuesInTheirRanges) {
  struct Case {
    LONG effect;
    const char* param;
    LONG stored, held;
  } cases[] = {
      {kRelief, "thickness", 0, 1},          {kRelief, "thickness", 500, 10},
      {kRelief, "profile", 7, 1001},         {kRelief, "lightDirection", -45, 0},
      {kGlass, "flakiness", 100000, 20},     {kGlass, "reflection", -3, 1},
      {kHole, "variation", 1 << 30, 100},    {kHole, "size", 50, 50},
      {kNeon, "side", 0, 1001},              {kNeon, "width", 1000, 100},
      {kReliefTexture, "transparency", 101, 100},
  };
  for (const Case& c : cases) {
    BYTE data[kMaxDataSize] = {};
    WriteDefaultData(c.effect, data);
    const ParamDef& def = *FindParam(c.effect, c.param);
    WriteParam(def, c.stored, data);
    ClampToRanges(c.effect, data);
    EXPECT_EQ(ReadParam(def, data), c.held) << c.effect << " " << c.param << " " << c.stored;
  }
}

TEST(EffectBlockTest, UnknownEffectsHaveNoTables) {
  for (LONG effect : {-1, 14, 1000}) {
    int count = 5;
    EXPECT_EQ(EffectParams(effect, &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(FindEffect(effect), nullptr);
    BYTE data[4] = {1, 2, 3, 4};
    EXPECT_FALSE(WriteDefaultData(effect, data));
    EXPECT_EQ(data[0], 1);
  }
}

}  // namespace
}  // namespace texfx
