// The export list, the format information, the fixed answers, tfEscape and
// the error texts.
#include <gtest/gtest.h>

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "module.h"

namespace {

using namespace tpitest;

const char* const kExports[] = {
    "tfDLLGetFileFmtNum",   "tfBmpGetFormatInfo",     "tfBmpGetFileData",
    "tfBmpFileRead",        "tfBmpFileWrite",         "tfBmpGetPreview",
    "tfEscape",             "tfBmpShowDlgFileData",   "tfBmpShowDlgOpenOption",
    "tfBmpShowDlgSaveOption", "tfBmpFileReadVector",  "tfBmpFileWriteVector",
    "tfBmpGetOffsetTable",  "tfBmpGetPreviewImage"};

// The defined global functions in the dynamic symbol table of the module file.
std::set<std::string> ExportedFunctions(const std::string& unixPath) {
  std::ifstream in(unixPath, std::ios::binary);
  const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (image.size() < sizeof(Elf64_Ehdr)) return names;
  Elf64_Ehdr header;
  std::memcpy(&header, image.data(), sizeof header);
  if (header.e_shoff + header.e_shnum * sizeof(Elf64_Shdr) > image.size()) return names;
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  std::memcpy(sections.data(), image.data() + header.e_shoff, header.e_shnum * sizeof(Elf64_Shdr));
  for (const Elf64_Shdr& section : sections) {
    if (section.sh_type != SHT_DYNSYM || section.sh_link >= sections.size()) continue;
    const Elf64_Shdr& strings = sections[section.sh_link];
    for (size_t at = section.sh_offset; at + sizeof(Elf64_Sym) <= section.sh_offset + section.sh_size;
         at += sizeof(Elf64_Sym)) {
      Elf64_Sym symbol;
      std::memcpy(&symbol, image.data() + at, sizeof symbol);
      if (symbol.st_shndx == SHN_UNDEF || ELF64_ST_TYPE(symbol.st_info) != STT_FUNC) continue;
      if (ELF64_ST_BIND(symbol.st_info) != STB_GLOBAL) continue;
      names.insert(image.c_str() + strings.sh_offset + symbol.st_name);
    }
  }
  return names;
}

TEST(TpiExports, ExactlyTheFourteenNamesAndDllMainAreExported) {
  std::set<std::string> expected(std::begin(kExports), std::end(kExports));
  expected.insert("DllMain");
  char unixPath[1024];
  ASSERT_TRUE(lvWinPathToUnix(ModulePath().c_str(), unixPath, sizeof unixPath));
  EXPECT_EQ(ExportedFunctions(unixPath), expected);
}

TEST(TpiExports, ExactlyTheFourteenNamesResolve) {
  ASSERT_NE(Tpi().module, 0u) << "tpiformat.fio not loaded";
  for (const char* name : kExports)
    EXPECT_NE(GetProcAddress(Tpi().module, name), nullptr) << name;
  // Internal functions of the module stay hidden.
  for (const char* hidden : {"ReadFileData", "_ZN3tpi12ReadFileDataEj", "tfBmpFileReadRows",
                             "Startup", "misReportError"})
    EXPECT_EQ(GetProcAddress(Tpi().module, hidden), nullptr) << hidden;
}

TEST(TpiExports, FixedAnswersOfTheFormatWithoutOptions) {
  EXPECT_EQ(Tpi().getFileFmtNum(), 1);
  EXPECT_EQ(Tpi().showDlgOpenOption(1, 2, 3, 4, 5, 6), 0);
  EXPECT_EQ(Tpi().showDlgSaveOption(1, 2, 3, 4, 5, 6), 0);
  EXPECT_EQ(Tpi().fileReadVector(1, 2, 3, 4, 5, 6, 7, 8), 0);
  EXPECT_EQ(Tpi().fileWriteVector(1, 2, 3, 4, 5, 6), 0);
  EXPECT_EQ(Tpi().getOffsetTable(1, 2, 3), 0);
  EXPECT_EQ(Tpi().getPreviewImage(1, 2, 3), -1);
}

TEST(TpiExports, FormatInformationRecordByteForByte) {
  HGLOBAL info = Tpi().getFormatInfo();
  ASSERT_NE(info, 0u);
  ASSERT_EQ(GlobalSize(info), static_cast<SIZE_T>(TFI_RECORD_SIZE));
  BYTE expected[TFI_RECORD_SIZE] = {};
  expected[0] = 63;
  expected[2] = 63;
  expected[4] = 1;
  std::memcpy(expected + 28, "TPI", 3);
  std::memcpy(expected + 32, "Tavik Lumivex", 13);
  expected[80] = 1;
  const BYTE* got = static_cast<const BYTE*>(GlobalLock(info));
  for (size_t i = 0; i < TFI_RECORD_SIZE; ++i) EXPECT_EQ(got[i], expected[i]) << "offset " << i;
  GlobalUnlock(info);
  GlobalFree(info);
}

TEST(TpiEscape, UnknownCodeIsAnInvalidParameter) {
  ClearReport();
  for (LONG code : {100, 0, 102, -1}) {
    EXPECT_EQ(Tpi().escape(0, 0, code, 1, 1, nullptr), 0) << code;
    EXPECT_EQ(LastReport(), (Report{814, 1, 1, 7019, "Ung\xfcltiger Parameter."})) << code;
  }
}

TEST(TpiEscape, CodeOneHundredOneRunsThePreview) {
  FilePlan plan;
  plan.width = 2;
  plan.height = 1;
  plan.rows = {{1, 2, 3, 4, 5, 6}};
  HGLOBAL record = RecordOf(BuildFile(plan), "escape.tpi");
  ASSERT_NE(record, 0u);
  OpenFile file("C:\\temp\\escape.tpi", false);
  BYTE row[6] = {};
  BYTE* rows[1] = {row};
  EXPECT_EQ(Tpi().escape(file.handle(), record, TF_ESCAPE_PREVIEW, 2, 1, rows), 1);
  const BYTE expected[6] = {3, 2, 1, 6, 5, 4};
  EXPECT_EQ(std::memcmp(row, expected, 6), 0);
  // Its failures are the preview's.
  EXPECT_EQ(Tpi().escape(file.handle(), record, TF_ESCAPE_PREVIEW, 0, 1, rows), 0);
  EXPECT_EQ(LastReport(), (Report{814, 1, 1, 7019, "Ung\xfcltiger Parameter."}));
  FreeRecord(record);
}

}  // namespace
