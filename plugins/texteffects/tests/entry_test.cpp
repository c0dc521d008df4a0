// The exported entry points as the host calls them: exports, information,
// and variations.
#include <gtest/gtest.h>

#include <texteffects/params.h>

#include <cstring>
#include <string>
#include <vector>

#include "support.h"

namespace {

using texfx::EffectBlock;
using texfxtest::TextEffects;

class EntryTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(TextEffects().module, 0u) << "texteffects.tpi not loaded"; }
};

TEST_F(EntryTest, ExportsExactlyTheThreeEntryPoints) {
  EXPECT_NE(TextEffects().getInfo, nullptr);
  EXPECT_NE(TextEffects().action, nullptr);
  EXPECT_NE(TextEffects().askStyler, nullptr);
  for (const char* hidden : {"t32tPiQueryItems", "t32tPiAction", "RenderGradient",
                             "_ZN5texfx9RunEffectEPNS_12PlugInRecordE"})
    EXPECT_EQ(GetProcAddress(TextEffects().module, hidden), nullptr) << hidden;
}

TEST_F(EntryTest, GetInfoWritesTheDefaultHeaderAndSizes) {
  BYTE info[64];
  std::memset(info, 0xCC, sizeof info);
  LONG blockSize = 0;
  char key[32];
  std::memset(key, 'x', sizeof key);
  EXPECT_EQ(TextEffects().getInfo(info, 0, &blockSize, key), 1);
  const LONG expected[5] = {0, 0, 16, 0, 0};
  EXPECT_EQ(std::memcmp(info, expected, sizeof expected), 0);
  for (int i = 20; i < 36; ++i) EXPECT_EQ(info[i], 0) << i;
  EXPECT_EQ(info[36], 0xCC) << "only the first 36 bytes are written";
  EXPECT_EQ(blockSize, 1024);
  EXPECT_STREQ(key, "TPIF-TypeEff");
  EXPECT_EQ(TextEffects().getInfo(nullptr, 0, nullptr, nullptr), 1);
}

TEST_F(EntryTest, GetInfoHelpRecordLeavesSizeAndKeyUntouched) {
  BYTE help[264];
  std::memset(help, 0xCC, sizeof help);
  LONG blockSize = 5;
  char key[16] = "unchanged";
  EXPECT_EQ(TextEffects().getInfo(help, 0x4 | 0x1, &blockSize, key), 1);
  const std::string path(reinterpret_cast<const char*>(help));
  EXPECT_EQ(path.substr(0, 2), "Z:");
  EXPECT_NE(path.find("\\modules\\tpi.hlp>m"), std::string::npos) << path;
  LONG context = 0;
  std::memcpy(&context, help + 260, 4);
  EXPECT_EQ(context, 11007);
  EXPECT_EQ(blockSize, 5);
  EXPECT_STREQ(key, "unchanged");
}

TEST_F(EntryTest, AskStylerCountsAndUnknownEffects) {
  EXPECT_EQ(TextEffects().askStyler(nullptr, nullptr), -1);
  EffectBlock block = {};
  for (LONG effect = 0; effect < 14; ++effect) {
    block.header.effect = effect;
    const LONG expected = (effect == 6 || effect == 10 || effect == 11 || effect == 13) ? 3 : 9;
    EXPECT_EQ(TextEffects().askStyler(&block, nullptr), expected) << effect;
  }
  block.header.effect = 14;
  EXPECT_EQ(TextEffects().askStyler(&block, nullptr), 0);
  EffectBlock out[9];
  std::memset(out, 0x5A, sizeof out);
  EXPECT_EQ(TextEffects().askStyler(&block, out), 0);
  EXPECT_EQ(reinterpret_cast<BYTE*>(out)[0], 0x5A) << "nothing written";
}

TEST_F(EntryTest, AskStylerFillsVariationsWithTheirOwnData) {
  EffectBlock block = {};
  block.header = {texfx::kMetal, 20, 8, texfx::kDataPresent, 0};
  texfx::DataOf<texfx::MetalData>(&block)->reflection = 4;
  texfx::DataOf<texfx::MetalData>(&block)->flakiness = 1;
  EffectBlock out[9];
  EXPECT_EQ(TextEffects().askStyler(&block, out), 3 * 2 + 0);
  EXPECT_EQ(texfx::DataOf<texfx::MetalData>(&out[6])->reflection, 4);
  EXPECT_EQ(texfx::DataOf<texfx::MetalData>(&out[6])->flakiness, 1);
  EXPECT_EQ(texfx::DataOf<texfx::MetalData>(&out[2])->reflection, 2);
  EXPECT_EQ(texfx::DataOf<texfx::MetalData>(&out[2])->flakiness, 7);
  for (const EffectBlock& v : out) EXPECT_NE(v.header.data, 0u);
}

TEST_F(EntryTest, ResourcesHoldNamesThumbnailsShapeAndTexture) {
  const char* const names[14] = {"Farbverlauf", "Loch", "Glas", "Metall", "Relief",
                                 "Relief-Umri\xdf", "Relief-Textur", "Konkret", "Sand",
                                 "Blitz", "Feuer", "Schnee", "Neon", "Siegel"};
  const HMODULE module = TextEffects().module;
  for (UINT i = 0; i < 14; ++i) {
    char text[64] = {};
    EXPECT_GT(LoadStringA(module, 131 + i, text, sizeof text), 0);
    EXPECT_STREQ(text, names[i]);
  }
  char format[64] = {};
  LoadStringA(module, 103, format, sizeof format);
  EXPECT_STREQ(format, "TPIF-Type %d");
  struct Bitmap {
    UINT id;
    LONG width, height;
  };
  std::vector<Bitmap> bitmaps = {{124, 64, 64}, {125, 128, 128}};
  for (UINT i = 0; i < 14; ++i) bitmaps.push_back({110 + i, 80, 50});
  for (const Bitmap& b : bitmaps) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(b.id), RT_BITMAP);
    ASSERT_NE(found, 0u) << b.id;
    const BYTE* bits = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(bits, nullptr);
    LONG header[3] = {};
    std::memcpy(header, bits, sizeof header);
    EXPECT_EQ(header[0], 40) << b.id;
    EXPECT_EQ(header[1], b.width) << b.id;
    EXPECT_EQ(header[2], b.height) << b.id;
    EXPECT_EQ(bits[14], 24) << b.id << " is a 24-bit bitmap";
  }
}

// Every effect's block, with every field away from its default and its
// path filled, comes back byte for byte as the variation the index names.
TEST_F(EntryTest, EveryEffectsBlockRoundTripsThroughTheVariations) {
  for (LONG effect = 0; effect < 14; ++effect) {
    EffectBlock block = {};
    block.header = {effect, 7, 99, texfx::kDataPresent, 0};
    for (int i = 0; i < 264; ++i) block.data[i] = static_cast<BYTE>(17 + 5 * i + effect);
    // Neon's side is a radio value: only 1001..1003 name a variation.
    if (effect == texfx::kNeon) texfx::DataOf<texfx::NeonData>(&block)->side = 1002;
    const size_t bytes = sizeof block;
    EffectBlock out[9];
    const LONG count = TextEffects().askStyler(&block, nullptr);
    const LONG index = TextEffects().askStyler(&block, out);
    ASSERT_GE(index, 0) << effect;
    ASSERT_LT(index, count) << effect;
    EXPECT_EQ(std::memcmp(&out[index], &block, bytes), 0) << "effect " << effect;
    for (LONG i = 0; i < count; ++i) {
      EXPECT_EQ(out[i].header.effect, effect);
      EXPECT_EQ(std::memcmp(out[i].data + 100, block.data + 100, sizeof block.data - 100), 0)
          << "effect " << effect << " variation " << i << " changed bytes past its fields";
    }
  }
}

}  // namespace
