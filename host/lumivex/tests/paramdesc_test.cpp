// Named parameters: parsing, ranges, derived fields and stored blocks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "paramdesc.h"
#include "paramstore.h"

using lvhost::ParamBlock;

namespace {

const lvhost::ModuleParams& Grid() {
  const lvhost::ModuleParams* p = lvhost::FindModuleParams("GridSplit");
  EXPECT_NE(p, nullptr);
  return *p;
}

ParamBlock GridBlock() {
  ParamBlock block(32, 0);
  lvhost::SetField(block, 0, 2);
  lvhost::SetField(block, 4, 2);
  lvhost::SetField(block, 8, 1);
  return block;
}

}  // namespace

TEST(ParamDesc, GridValuesAndDerivedCounts) {
  struct Case { const char* name; const char* value; size_t offset; int32_t stored; } cases[] = {
      {"rows", "1", 0, 1},          {"rows", "99", 0, 99},       {"columns", "+7", 4, 7},
      {"width", "12", 8, 12},       {"colour", "#1e3c78", 12, 0x783c1e},
      {"COLOUR", "#FFFFFF", 12, 0xffffff}, {"border", "1", 16, 1}, {"cells", "0", 20, 0},
  };
  for (const auto& c : cases) {
    ParamBlock block = GridBlock();
    std::string error;
    ASSERT_TRUE(lvhost::SetNamedValue(Grid(), c.name, c.value, block, &error)) << c.name << "=" << c.value << ": " << error;
    EXPECT_EQ(lvhost::GetField(block, c.offset), c.stored) << c.name << "=" << c.value;
  }
  ParamBlock block = GridBlock();
  std::string error;
  ASSERT_TRUE(lvhost::SetNamedValue(Grid(), "columns", "4", block, &error));
  ASSERT_TRUE(lvhost::SetNamedValue(Grid(), "rows", "3", block, &error));
  EXPECT_EQ(lvhost::GetField(block, 24), 3);  // columns - 1
  EXPECT_EQ(lvhost::GetField(block, 28), 2);  // rows - 1
  ASSERT_TRUE(lvhost::SetNamedValue(Grid(), "border", "1", block, &error));
  EXPECT_EQ(lvhost::GetField(block, 24), 5);  // plus 2 with border
  EXPECT_EQ(lvhost::GetField(block, 28), 4);
  EXPECT_EQ(lvhost::FormatParamValue(Grid().params[3], block), "#000000");
}

TEST(ParamDesc, BadValuesAreRefused) {
  struct Case { const char* name; const char* value; const char* mention; } cases[] = {
      {"rows", "0", "1..99"},      {"rows", "100", "1..99"},     {"rows", "", "rows"},
      {"rows", "3x", "rows"},      {"width", "-1", "1..99"},     {"border", "2", "0 or 1"},
      {"colour", "red", "#rrggbb"}, {"colour", "#12345", "#rrggbb"}, {"colour", "#12345g", "#rrggbb"},
      {"rows", "99999999999999999999", "rows"}, {"height", "3", "known: rows"},
  };
  for (const auto& c : cases) {
    ParamBlock block = GridBlock(), before = block;
    std::string error;
    EXPECT_FALSE(lvhost::SetNamedValue(Grid(), c.name, c.value, block, &error)) << c.name << "=" << c.value;
    EXPECT_NE(error.find(c.mention), std::string::npos) << error;
    EXPECT_EQ(block, before) << c.name << "=" << c.value;
  }
}

TEST(ParamDesc, WholeBlockChecks) {
  std::string error;
  ParamBlock block = GridBlock();
  EXPECT_TRUE(lvhost::CheckBlock(Grid(), block, &error)) << error;
  ParamBlock zeroRows = block;
  lvhost::SetField(zeroRows, 0, 0);
  EXPECT_FALSE(lvhost::CheckBlock(Grid(), zeroRows, &error));
  EXPECT_NE(error.find("rows"), std::string::npos) << error;
  ParamBlock badColour = block;
  lvhost::SetField(badColour, 12, 0x01000000);
  EXPECT_FALSE(lvhost::CheckBlock(Grid(), badColour, &error));
  EXPECT_FALSE(lvhost::CheckBlock(Grid(), ParamBlock(31, 0), &error));
  // Cells to objects: at most 1000 cells (20 x 50 is fine, 21 x 50 is not).
  ParamBlock cells = block;
  lvhost::SetNamedValue(Grid(), "cells", "1", cells, &error);
  lvhost::SetNamedValue(Grid(), "rows", "20", cells, &error);
  lvhost::SetNamedValue(Grid(), "columns", "50", cells, &error);
  EXPECT_TRUE(lvhost::CheckBlock(Grid(), cells, &error)) << error;
  lvhost::SetNamedValue(Grid(), "rows", "21", cells, &error);
  EXPECT_FALSE(lvhost::CheckBlock(Grid(), cells, &error));
  EXPECT_EQ(lvhost::FindModuleParams("nosuchmodule"), nullptr);
}

TEST(ParamStore, BlocksSurviveAndStaleOnesAreIgnored) {
  ParamBlock block = GridBlock(), loaded;
  std::string error, note;
  EXPECT_FALSE(lvhost::LoadStoredParams("gridsplit", 32, &loaded, &note));
  ASSERT_TRUE(lvhost::SaveStoredParams("gridsplit", block, &error)) << error;
  ASSERT_TRUE(lvhost::LoadStoredParams("gridsplit", 32, &loaded, &note)) << note;
  EXPECT_EQ(loaded, block);
  EXPECT_NE(lvhost::StoredParamsPath("gridsplit").find("lumivex/params/gridsplit.prm"), std::string::npos);
  EXPECT_FALSE(lvhost::LoadStoredParams("gridsplit", 40, &loaded, &note));
  EXPECT_NE(note.find("defaults"), std::string::npos) << note;
  // Module names cannot climb out of the folder.
  EXPECT_EQ(lvhost::StoredParamsPath("../x").find("/../"), std::string::npos);
  // Raw files given by the user must have the exact size.
  std::string path = (std::filesystem::path(lvhost::StoredParamsPath("gridsplit")).parent_path() / "raw.bin").string();
  std::ofstream(path, std::ios::binary) << std::string(31, 'x');
  EXPECT_FALSE(lvhost::LoadParamsFile(path, 32, &loaded, &error));
  EXPECT_NE(error.find("31"), std::string::npos) << error;
  EXPECT_FALSE(lvhost::LoadParamsFile(path + ".missing", 32, &loaded, &error));
}
