// The text effects' names, the blocks built from their defaults and from
// named values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testsupport.h"
#include "textparams.h"

namespace {

using lvhost::BuildEffectBlock;
using lvhost::FindTextEffect;
using lvhost::FormatEffectParam;

int32_t Long(const std::vector<uint8_t>& block, size_t offset) {
  return static_cast<int32_t>(block[offset] | block[offset + 1] << 8 | block[offset + 2] << 16 |
                              static_cast<uint32_t>(block[offset + 3]) << 24);
}

TEST(TextEffectNames, GermanAsciiAndEnglishNamesFindTheirNumber) {
  const struct {
    const char* name;
    int effect;
  } cases[] = {
      {"Farbverlauf", 0}, {"gradient", 0},  {"LOCH", 1},          {"glass", 2},          {"Metall", 3},
      {"relief", 4},      {"Relief-Umriß", 5}, {"relief-umriss", 5}, {"Relief-Outline", 5}, {"Relief-Textur", 6},
      {"concrete", 7},    {"Sand", 8},      {"lightning", 9},     {"Blitz", 9},          {"Feuer", 10},
      {"snow", 11},       {"neon", 12},     {"seal", 13},         {"Siegel", 13},        {"Reliefumriss", -1},
      {"", -1},           {"4", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindTextEffect(c.name), c.effect) << c.name;
}

TEST(TextEffectBlocks, HeaderAndDefaultsFollowTheEffectTable) {
  std::vector<uint8_t> block;
  std::string error;
  // Each effect's header: number, margin, data size, data present.
  const int32_t margins[14] = {0, 0, 20, 20, 10, 10, 1, 20, 20, 12, 100, 100, 100, 8};
  const int32_t sizes[14] = {16, 284, 12, 8, 16, 12, 276, 12, 8, 284, 16, 16, 12, 8};
  for (int effect = 0; effect < 14; ++effect) {
    ASSERT_TRUE(BuildEffectBlock(effect, {}, &block, &error)) << error;
    ASSERT_EQ(block.size(), 1024u);
    EXPECT_EQ(Long(block, 0), effect);
    EXPECT_EQ(Long(block, 4), margins[effect]) << effect;
    EXPECT_EQ(Long(block, 8), sizes[effect]) << effect;
    EXPECT_EQ(Long(block, 12), 20) << effect;
    EXPECT_EQ(Long(block, 16), 0) << effect;
  }
  // Gradient: style 1001, opacities 255 and 0, recolour 0, fill colour red.
  ASSERT_TRUE(BuildEffectBlock(0, {}, &block, &error));
  EXPECT_EQ(Long(block, 20), 1001);
  EXPECT_EQ(block[24], 255);
  EXPECT_EQ(block[25], 0);
  EXPECT_EQ(Long(block, 28), 0);
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 32, block.begin() + 36), (std::vector<uint8_t>{255, 0, 0, 0}));
  // Flash: light colour at 8 and object colour at 11 share a word.
  ASSERT_TRUE(BuildEffectBlock(9, {}, &block, &error));
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 28, block.begin() + 34),
            (std::vector<uint8_t>{255, 255, 0, 255, 255, 255}));
  // Fire's three colours and its strength.
  ASSERT_TRUE(BuildEffectBlock(10, {}, &block, &error));
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 20, block.begin() + 29),
            (std::vector<uint8_t>{255, 255, 0, 255, 128, 0, 255, 0, 0}));
  EXPECT_EQ(Long(block, 32), 5);
  // Nothing past the data.
  for (size_t i = 20 + 16; i < block.size(); ++i) ASSERT_EQ(block[i], 0) << i;
}

TEST(TextEffectBlocks, NamedValuesAreCheckedAndStored) {
  const struct {
    int effect;
    const char* name;
    const char* value;
    bool ok;
    const char* stored;  // as FormatEffectParam shows it afterwards
  } cases[] = {
      {4, "thickness", "10", true, "10"},     {4, "thickness", "0", false, ""},
      {4, "thickness", "11", false, ""},      {4, "thickness", "2x", false, ""},
      {4, "Thickness", "+3", true, "3"},      {4, "profile", "steep", true, "steep"},
      {4, "profile", "1002", true, "plateau"}, {4, "profile", "1004", false, ""},
      {4, "profile", "wavy", false, ""},      {4, "lightDirection", "359", true, "359"},
      {4, "lightDirection", "360", false, ""}, {0, "startOpacity", "0", true, "0"},
      {0, "startOpacity", "256", false, ""},  {0, "style", "circular", true, "circular"},
      {0, "fillColour", "#00ff80", true, "#00ff80"}, {0, "fillColour", "00ff80", false, ""},
      {0, "fillColour", "#00ff8", false, ""}, {0, "recolour", "1", true, "1"},
      {0, "recolour", "2", false, ""},        {12, "side", "both", true, "both"},
      {12, "width", "100", true, "100"},      {9, "objectColour", "#102030", true, "#102030"},
      {4, "colour", "#000000", false, ""},    {4, "", "1", false, ""},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> block;
    std::string error;
    bool ok = BuildEffectBlock(c.effect, {{c.name, c.value}}, &block, &error);
    EXPECT_EQ(ok, c.ok) << c.name << "=" << c.value << ": " << error;
    if (ok) {
      EXPECT_EQ(FormatEffectParam(c.effect, c.name, block), c.stored) << c.name;
    } else {
      EXPECT_NE(error.find(c.name), std::string::npos) << error;
    }
  }
}

TEST(TextEffectBlocks, FlashColoursDoNotOverwriteEachOther) {
  std::vector<uint8_t> block;
  std::string error;
  ASSERT_TRUE(BuildEffectBlock(9, {{"lightColour", "#010203"}, {"objectColour", "#040506"}}, &block, &error));
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 28, block.begin() + 34), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(TextEffectBlocks, UnknownNameListsTheEffectsParameters) {
  std::vector<uint8_t> block;
  std::string error;
  EXPECT_FALSE(BuildEffectBlock(4, {{"depth", "3"}}, &block, &error));
  EXPECT_NE(error.find("thickness, amount, lightDirection, profile"), std::string::npos) << error;
}

TEST(TextEffectBlocks, PathsMustNameExistingFilesAndBecomeDriveZPaths) {
  namespace fs = std::filesystem;
  fs::path file = lvtest::Prefix() / "shape.bmp";
  std::ofstream(file) << "BM";
  std::vector<uint8_t> block;
  std::string error;
  ASSERT_TRUE(BuildEffectBlock(1, {{"shapePath", file.string()}}, &block, &error)) << error;
  std::string expected = "Z:" + file.string();
  for (char& c : expected) c = c == '/' ? '\\' : c;
  EXPECT_EQ(FormatEffectParam(1, "shapePath", block), expected);
  EXPECT_FALSE(BuildEffectBlock(1, {{"shapePath", (lvtest::Prefix() / "none.bmp").string()}}, &block, &error));
  EXPECT_NE(error.find("no such file"), std::string::npos) << error;
  std::string longName(300, 'a');
  EXPECT_FALSE(BuildEffectBlock(6, {{"texturePath", longName}}, &block, &error));
}

TEST(TextEffectBlocks, ManualListsEveryEffectAndParameter) {
  std::string manual = lvhost::DescribeTextEffects();
  for (const lvhost::TextEffect& e : lvhost::TextEffectTable()) {
    EXPECT_NE(manual.find(e.alias), std::string::npos) << e.alias;
    for (const lvhost::TextParam& p : e.params) EXPECT_NE(manual.find(p.name), std::string::npos) << p.name;
  }
  EXPECT_NE(manual.find("Relief-Umriß, Relief-Umriss"), std::string::npos);
  EXPECT_NE(manual.find("side=inside, outside or both"), std::string::npos);
}

TEST(TextEffectBlocks, HexColoursParseExactlySevenCharacters) {
  uint32_t rgb = 0;
  EXPECT_TRUE(lvhost::ParseHexColour("#A0b1C2", &rgb));
  EXPECT_EQ(rgb, 0xa0b1c2u);
  for (const char* bad : {"", "#", "a0b1c2", "#a0b1c", "#a0b1c2d", "#g0b1c2", "#-0b1c2"})
    EXPECT_FALSE(lvhost::ParseHexColour(bad, &rgb)) << bad;
}

}  // namespace
