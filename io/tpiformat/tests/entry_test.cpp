// The export list, the format information, the fixed answers, tfEscape and
// the error texts.
#include <gtest/gtest.h>

#include <cstring>
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
  FileSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.rows = {{1, 2, 3, 4, 5, 6}};
  HGLOBAL record = RecordOf(BuildFile(spec), "escape.tpi");
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
