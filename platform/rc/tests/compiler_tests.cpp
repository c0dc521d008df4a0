// String tables, the preprocessor, inline data, custom types, menus and the
// blob and dependency outputs.
#include <resource_blob.h>

#include "script_fixture.h"

namespace lvrctest {
namespace {

using Compiler = ScriptTest;

TEST_F(Compiler, StringTableBlocksHoldSixteenCountedUtf16Strings) {
  auto c = Compile(
      "STRINGTABLE DISCARDABLE\n"
      "BEGIN\n"
      "  1 \"Größe\"\n"
      "  3, \"Straße \\\"\"\"x\\\\\\t\\n\"\n"
      "  17 \"\\xe4\\101\"\n"
      "END\n");
  const auto* block1 = FindData(c, 6, 1);
  ASSERT_NE(block1, nullptr);
  Bytes want;
  want.u16(0).u16(5);
  for (char16_t ch : std::u16string(u"Größe")) want.u16(ch);
  want.u16(0).u16(13);
  for (char16_t ch : std::u16string(u"Straße \"\"x\\\t\n")) want.u16(ch);
  for (int i = 4; i < 16; ++i) want.u16(0);
  EXPECT_EQ(*block1, want.b);

  const auto* block2 = FindData(c, 6, 2);
  ASSERT_NE(block2, nullptr);
  Bytes want2;
  want2.u16(0).u16(2).u16(0xE4).u16('A');
  for (int i = 2; i < 16; ++i) want2.u16(0);
  EXPECT_EQ(*block2, want2.b);
}

TEST_F(Compiler, StringTablesMergeByBlockAndKeepTheirLanguage) {
  auto c = Compile(
      "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
      "STRINGTABLE BEGIN 2 \"b\" END\n"
      "STRINGTABLE BEGIN 0 \"a\" END\n"
      "STRINGTABLE LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US BEGIN 0 \"e\" END\n");
  ASSERT_EQ(c.resources.size(), 2u);
  for (const auto& r : c.resources) {
    ASSERT_EQ(r.name.ordinal, 1);
    if (r.language == 0x0407) {
      EXPECT_EQ(r.data[2], 'a');
      EXPECT_EQ(r.data[8], 'b');
    } else {
      EXPECT_EQ(r.language, 0x0409);
      EXPECT_EQ(r.data[2], 'e');
    }
  }
}

TEST_F(Compiler, PreprocessorConditionsDefinesAndIncludes) {
  Write("inc/ids.h", "#pragma once\n#define IDS_A 5 /* five */\n#define BASE 0x10\nint ignored_c_code;\n");
  auto c = Compile(
      "#include \"ids.h\"\n"
      "#include \"winres.h\"\n"
      "#include <commctrl.h>\n"
      "// comment STRINGTABLE\n"
      "#define IDS_B (BASE + 1)\n"
      "#if defined(IDS_A) && IDS_A == 5 && !defined NOPE\n"
      "#define PICK 1\n"
      "#elif 1\n"
      "#define PICK 2\n"
      "#else\n"
      "#define PICK 3\n"
      "#endif\n"
      "#ifdef NOPE\n#error never\n#endif\n"
      "#define GONE\n#undef GONE\n"
      "#ifndef GONE\n"
      "STRINGTABLE BEGIN IDS_A \"a\" IDS_B \"b\" 0x20 + PICK \"c\" END\n"
      "#endif\n",
      {dir_ / "inc"});
  ASSERT_NE(FindData(c, 6, 1), nullptr);
  ASSERT_NE(FindData(c, 6, 2), nullptr);
  ASSERT_NE(FindData(c, 6, 3), nullptr);
  EXPECT_EQ((*FindData(c, 6, 3))[2 * 2], 'c');  // id 33: second entry of block 3
  ASSERT_EQ(c.filesRead.size(), 2u);
  EXPECT_EQ(c.filesRead[1].filename(), "ids.h");
}

TEST_F(Compiler, ByteOrderMarkAndWindowsLineEndingsAreAccepted) {
  auto c = Compile("\xEF\xBB\xBFSTRINGTABLE\r\nBEGIN\r\n  1 \"\xC3\x9F\"\r\nEND\r\n");
  const auto* block = FindData(c, 6, 1);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ((*block)[2] | (*block)[3] << 8, 1);
  EXPECT_EQ((*block)[4] | (*block)[5] << 8, 0xDF);
}

TEST_F(Compiler, InlineDataAndCustomTypesFromFiles) {
  Write("res/pic.dib", std::string("BM\x01\x02", 4));
  auto c = Compile(
      "1 RCDATA BEGIN 1, 0x2L, \"ä\\0\", L\"Z\", -1 END\n"
      "2 DIB \"res\\\\pic.dib\"\n"
      "pat 300 res\\pic.dib\n"
      "\"Name\" custom { 7 }\n");
  ASSERT_EQ(c.resources.size(), 4u);
  EXPECT_EQ(c.resources[0].data, (std::vector<uint8_t>{1, 0, 2, 0, 0, 0, 0xE4, 0, 'Z', 0, 0xFF, 0xFF}));
  EXPECT_EQ(c.resources[1].type.name, "DIB");
  EXPECT_EQ(c.resources[1].data, (std::vector<uint8_t>{'B', 'M', 1, 2}));
  EXPECT_EQ(c.resources[2].type.ordinal, 300);
  EXPECT_EQ(c.resources[2].name.name, "PAT");
  EXPECT_EQ(c.resources[3].type.name, "CUSTOM");
  EXPECT_EQ(c.resources[3].name.name, "NAME");
}

TEST_F(Compiler, MenusAcceleratorsAndVersionInfo) {
  auto c = Compile(
      "1 MENU BEGIN POPUP \"&Datei\" BEGIN MENUITEM \"&Neu\", 100, CHECKED\n"
      "MENUITEM SEPARATOR END MENUITEM \"Hilfe\", 9 END\n"
      "2 ACCELERATORS BEGIN \"^C\", 10 \n VK_F1, 11, VIRTKEY, SHIFT END\n"
      "VS_VERSION_INFO VERSIONINFO FILEVERSION 1,0,0,1 FILEFLAGSMASK 0x3fL\n"
      "BEGIN BLOCK \"StringFileInfo\" BEGIN VALUE \"x\", \"y\" END END\n");
  const auto* menu = FindData(c, 4, 1);
  ASSERT_NE(menu, nullptr);
  Bytes m;
  m.u16(0).u16(0);
  m.u16(0x10).wstr(u"&Datei");
  m.u16(0x08).u16(100).wstr(u"&Neu");
  m.u16(0x80).u16(0).u16(0);
  m.u16(0x80).u16(9).wstr(u"Hilfe");
  EXPECT_EQ(*menu, m.b);
  const auto* acc = FindData(c, 9, 2);
  ASSERT_NE(acc, nullptr);
  Bytes a;
  a.u16(0).u16(3).u16(10).u16(0);
  a.u16(0x80 | 0x1 | 0x4).u16(0x70).u16(11).u16(0);
  EXPECT_EQ(*acc, a.b);
  EXPECT_EQ(c.resources.size(), 2u);
}

TEST_F(Compiler, BlobDirectoryDescribesEveryResource) {
  auto c = Compile("mydata RCDATA { 1 }\nSTRINGTABLE BEGIN 1 \"x\" END\n");
  lvres::BlobView view(c.blob.data(), c.blob.size());
  ASSERT_EQ(view.Count(), 2u);
  lvres::BlobEntry e;
  ASSERT_TRUE(view.Entry(0, e));
  EXPECT_EQ(e.type.ordinal, 10);
  EXPECT_EQ(e.name.name, "MYDATA");
  EXPECT_EQ(e.size, 2u);
  EXPECT_EQ(e.data[0], 1);
  EXPECT_EQ((e.data - c.blob.data()) % 8, 0);
  // A damaged blob yields nothing rather than reads outside it.
  EXPECT_EQ(lvres::BlobView(c.blob.data(), 12).Count(), 0u);
}

TEST_F(Compiler, GeneratedSourceAndDepfile) {
  std::string src = lvrc::GeneratedSource({0x4c, 0xff}, "x.rc");
  EXPECT_NE(src.find("0x4c, 0xff,"), std::string::npos);
  EXPECT_NE(src.find("lvRegisterModuleResources(kResources, kResources, sizeof kResources)"), std::string::npos);
  EXPECT_EQ(lvrc::DepfileText("o ut.cpp", {"/a b/x.rc", "/c.h"}), "o\\ ut.cpp: \\\n  /a\\ b/x.rc \\\n  /c.h\n");
}

}  // namespace
}  // namespace lvrctest
