// The header reader: the file-data record byte for byte, other programs'
// header forms, colour tables and every refusal with its four numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "module.h"

namespace {

using namespace tpitest;

const char kUnknownFormat[] = "Unbekanntes Dateiformat.";
const char kUnsupported[] =
    "Unbekanntes Dateiformat oder Datei mit nicht unterst\xfctzten Charakteristika.";
const char kNoPalette[] = "Die Farbpalette kann nicht erstellt werden.";

std::vector<RGBQUAD> GreyRamp() {
  std::vector<RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
  return table;
}

FilePlan Rgb24(LONG width, LONG height) {
  FilePlan s;
  s.width = width;
  s.height = height;
  s.rows.assign(static_cast<size_t>(height), Bytes(static_cast<size_t>(width) * 3, 0x11));
  return s;
}

TEST(TpiHeader, LongHeaderTrueColourRecordByteForByte) {
  FilePlan plan = Rgb24(4, 3);
  plan.xPixelsPerMetre = 2835;
  plan.yPixelsPerMetre = 3937;
  HGLOBAL record = RecordOf(BuildFile(plan));
  ASSERT_NE(record, 0u);
  ASSERT_EQ(GlobalSize(record), static_cast<SIZE_T>(777));
  Bytes expected(777, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(expected.data() + at, &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(expected.data() + at, &v, 2); };
  put16(560, 1);
  put16(562, 1);
  put32(572, 1);
  put32(584, 1);
  put32(588, 24);
  put32(592, 4);
  put32(596, 3);
  put32(600, 2835 * 254);
  put32(604, 3937 * 254);
  put32(608, 2);
  put32(616, 1);
  put32(620, 24);
  put32(624, 0xFFFFFFFF);
  put32(628, 0xFFFFFFFF);
  put32(632, 2835 * 254);
  put32(636, 3937 * 254);
  put32(640, 2);
  put32(648, 1);
  put32(652, 1);
  put32(684, 41);
  put32(692, 0xFFFFFFFF);
  std::memcpy(expected.data() + 730, "TPIF", 4);
  put16(734, 400);
  put32(740, 54);
  put32(760, 1);
  const BYTE* got = static_cast<const BYTE*>(GlobalLock(record));
  for (size_t i = 0; i < 777; ++i) EXPECT_EQ(got[i], expected[i]) << "offset " << i;
  GlobalUnlock(record);
  FreeRecord(record);
}

struct FormCase {
  const char* name;
  int bits;
  bool shortHeader;
  uint32_t tag;
  int entries;
  LONG type, hostBits, layout16, stores32, tableOffset, longHeader;
};

class TpiHeaderForms : public testing::TestWithParam<FormCase> {};

TEST_P(TpiHeaderForms, MapsBitsToTypeAndPrivateBlock) {
  const FormCase c = GetParam();
  FilePlan plan;
  plan.bits = c.bits;
  plan.width = 5;
  plan.height = 2;
  plan.shortHeader = c.shortHeader;
  plan.layoutTag = c.tag;
  for (int i = 0; i < c.entries; ++i) plan.table.push_back({BYTE(i * 7), BYTE(i * 3), BYTE(255 - i), 0});
  plan.rows.assign(2, Bytes(static_cast<size_t>(Stride(c.bits, 5)), 0));
  HGLOBAL record = RecordOf(BuildFile(plan));
  ASSERT_NE(record, 0u);
  ASSERT_NE(record, static_cast<HGLOBAL>(-1));
  EXPECT_EQ(Field(record, TFD_DATA_TYPE), c.type);
  EXPECT_EQ(Field(record, TFD_BITS), c.hostBits);
  EXPECT_EQ(Field(record, TFD_LAYOUT16), c.layout16);
  EXPECT_EQ(Field(record, TFD_STORES32), c.stores32);
  EXPECT_EQ(Field(record, TFD_TABLE_OFFSET), c.tableOffset);
  EXPECT_EQ(Field(record, TFD_TABLE_ENTRIES), c.entries);
  EXPECT_EQ(Field(record, TFD_LONG_HEADER), c.longHeader);
  EXPECT_EQ(Field(record, TFD_PIXEL_OFFSET), (c.shortHeader ? 26 : 54) + (c.shortHeader ? 3 : 4) * c.entries);
  const LONG flag = c.type == 64 || c.type == 8 ? 0 : 1;
  EXPECT_EQ(Field(record, TFD_HOST_FLAG1), flag);
  EXPECT_EQ(Field(record, TFD_HOST_FLAG2), flag);
  const HPALETTE palette = static_cast<HPALETTE>(Field(record, TFD_PALETTE));
  EXPECT_EQ(palette != 0, c.entries != 0);
  if (c.entries == 16) {
    PALETTEENTRY e[16];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 16, e), 16u);
    EXPECT_EQ(e[3].peRed, 252);  // red is byte 2 of the entry
    EXPECT_EQ(e[3].peGreen, 9);
    EXPECT_EQ(e[3].peBlue, 21);
  }
  // Preview palette: a copy for every type with a palette but black and white.
  EXPECT_EQ(Field(record, TFD_PREVIEW_PALETTE) != 0, c.entries != 0 && c.type != 64);
  if (palette) {
    EXPECT_NE(Field(record, TFD_PREVIEW_PALETTE), static_cast<LONG>(palette));
  }
  FreeRecord(record);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TpiHeaderForms,
    testing::Values(FormCase{"Bw", 1, false, 0, 2, 64, 1, 0, 0, 54, 1},
                    FormCase{"Sixteen", 4, false, 0, 16, 8, 8, 0, 0, 54, 1},
                    FormCase{"SixteenShort", 4, true, 0, 16, 8, 8, 0, 0, 26, 0},
                    FormCase{"Indexed", 8, false, 0, 256, 4, 8, 0, 0, 54, 1},
                    FormCase{"Hi555", 16, false, 0, 0, 16, 16, 15, 0, 0, 1},
                    FormCase{"Hi565", 16, false, 0x35363552, 0, 16, 16, 16, 0, 0, 1},
                    FormCase{"True24", 24, false, 0, 0, 2, 24, 0, 0, 0, 1},
                    FormCase{"True24Short", 24, true, 0, 0, 2, 24, 0, 0, 0, 0},
                    FormCase{"True32", 32, false, 0, 0, 2, 24, 0, 1, 0, 1}),
    [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(TpiHeader, GreyRampBecomesGreyWithoutPalette) {
  FilePlan plan;
  plan.bits = 8;
  plan.width = 3;
  plan.height = 1;
  plan.table = GreyRamp();
  plan.rows = {{0, 1, 2}};
  HGLOBAL record = RecordOf(BuildFile(plan));
  EXPECT_EQ(Field(record, TFD_DATA_TYPE), 32);
  EXPECT_EQ(Field(record, TFD_PALETTE), 0);
  EXPECT_EQ(Field(record, TFD_GREY_RAMP), 1);
  EXPECT_EQ(Field(record, TFD_PREVIEW_TYPE), 32);
  FreeRecord(record);
  // One entry off the ramp keeps the indexed type and its palette.
  plan.table[200].rgbRed = 201;
  record = RecordOf(BuildFile(plan));
  EXPECT_EQ(Field(record, TFD_DATA_TYPE), 4);
  EXPECT_NE(Field(record, TFD_PALETTE), 0);
  EXPECT_EQ(Field(record, TFD_GREY_RAMP), 0);
  FreeRecord(record);
}

struct BwCase {
  const char* name;
  RGBQUAD first, second;
  LONG invert;
  BYTE red0, red1;
};

class TpiBwTables : public testing::TestWithParam<BwCase> {};

TEST_P(TpiBwTables, DarkSecondEntryIsNormalisedAndInverted) {
  const BwCase c = GetParam();
  FilePlan plan;
  plan.bits = 1;
  plan.width = 8;
  plan.height = 1;
  plan.table = {c.first, c.second};
  plan.rows = {{0xF0}};
  HGLOBAL record = RecordOf(BuildFile(plan));
  ASSERT_NE(record, 0u);
  EXPECT_EQ(Field(record, TFD_INVERT_BITS), c.invert);
  PALETTEENTRY e[2];
  ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(Field(record, TFD_PALETTE)), 0, 2, e), 2u);
  EXPECT_EQ(e[0].peRed, c.red0);
  EXPECT_EQ(e[1].peRed, c.red1);
  EXPECT_EQ(Field(record, TFD_PREVIEW_PALETTE), 0);
  FreeRecord(record);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TpiBwTables,
    testing::Values(BwCase{"WhiteBlack", {255, 255, 255, 0}, {0, 0, 0, 0}, 1, 0, 255},
                    BwCase{"BlackWhite", {0, 0, 0, 0}, {255, 255, 255, 0}, 0, 0, 255},
                    // blue 200 (luminance 22) over red 100 (luminance 29): inverted
                    BwCase{"RedBlue", {0, 0, 100, 0}, {200, 0, 0, 0}, 1, 0, 255},
                    BwCase{"SameColours", {9, 9, 9, 0}, {9, 9, 9, 0}, 0, 9, 9}),
    [](const testing::TestParamInfo<BwCase>& info) { return std::string(info.param.name); });

TEST(TpiHeader, ResolutionOutOfRangeTakesTheScreenPerAxis) {
  struct Case {
    LONG x, y, expectX, expectY;
  } cases[] = {
      {2835, 0, 720090, 960000},
      {0, 2835, 960000, 720090},
      {2000000, 2000001, 508000000, 960000},
      {-5, 1, 960000, 254},
  };
  for (const Case& c : cases) {
    FilePlan plan = Rgb24(1, 1);
    plan.xPixelsPerMetre = c.x;
    plan.yPixelsPerMetre = c.y;
    HGLOBAL record = RecordOf(BuildFile(plan));
    EXPECT_EQ(Field(record, TFD_XRES), c.expectX) << c.x;
    EXPECT_EQ(Field(record, TFD_YRES), c.expectY) << c.y;
    FreeRecord(record);
  }
}

TEST(TpiHeader, PixelOffsetFromBytesTenAndElevenOnly) {
  FilePlan plan = Rgb24(2, 2);
  plan.highOffsetBytes = 0xBEEF;
  HGLOBAL record = RecordOf(BuildFile(plan));
  ASSERT_NE(record, 0u);
  EXPECT_EQ(Field(record, TFD_PIXEL_OFFSET), 54);
  FreeRecord(record);
}

TEST(TpiHeader, PreviewOnlyBelowTheSizeLimit) {
  // 1,536,000 bytes of 24-bit pixels is the first size without a preview.
  FilePlan plan = Rgb24(640, 800);
  plan.rows.clear();
  Bytes bytes = BuildFile(plan);
  bytes.resize(54 + 640 * 3 * 800);
  HGLOBAL record = RecordOf(bytes);
  ASSERT_NE(record, 0u);
  EXPECT_EQ(Field(record, TFD_PREVIEW), 0);
  EXPECT_EQ(Field(record, TFD_PREVIEW_WIDTH), 0);
  FreeRecord(record);
  plan.height = 799;
  bytes = BuildFile(plan);
  bytes.resize(54 + 640 * 3 * 799);
  record = RecordOf(bytes);
  EXPECT_EQ(Field(record, TFD_PREVIEW), 1);
  EXPECT_EQ(Field(record, TFD_PREVIEW_WIDTH), -1);
  FreeRecord(record);
}

// A long 24-bit header with a field patched.
Bytes Patched(size_t at, std::vector<BYTE> bytes, size_t size = 0) {
  Bytes file = BuildFile(Rgb24(2, 2));
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<long>(at));
  if (size) file.resize(size);
  return file;
}

struct RefusalCase {
  const char* name;
  Bytes file;
  LONG result;
  Report report;
};

class TpiHeaderRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(TpiHeaderRefusals, ReportsItsFourNumbers) {
  const RefusalCase& c = GetParam();
  ClearReport();
  HGLOBAL record = RecordOf(c.file);
  EXPECT_EQ(static_cast<LONG>(record), c.result);
  EXPECT_EQ(LastReport(), c.report);
}

Bytes Short8BitWithTableCut() {
  FilePlan plan;
  plan.bits = 8;
  plan.width = 2;
  plan.height = 1;
  plan.table.assign(256, {1, 2, 3, 0});
  plan.rows = {{0, 1}};
  Bytes file = BuildFile(plan);
  file.resize(54 + 4 * 100);
  file[10] = 60;  // pixel offset inside the file, the table runs past its end
  file[11] = 0;
  return file;
}

// A short-header 1-bit file whose second 3-byte entry is cut by the end of
// the file (pixel offset inside the file).
Bytes ShortHeaderBitsWithTableCut() {
  FilePlan plan;
  plan.bits = 1;
  plan.width = 8;
  plan.height = 1;
  plan.shortHeader = true;
  plan.table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  plan.rows = {{0xAA}};
  Bytes file = BuildFile(plan);
  file.resize(26 + 3 + 2);
  file[10] = 27;
  file[11] = 0;
  return file;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, TpiHeaderRefusals,
    testing::Values(
        RefusalCase{"Empty", {}, 0, {811, 1, 1, 7020, kUnknownFormat}},
        RefusalCase{"TwentySixBytes", Patched(0, {}, 26), 0, {811, 1, 1, 7020, kUnknownFormat}},
        RefusalCase{"Signature", Patched(0, {'B', 'M'}), 0, {811, 1, 2, 7020, kUnknownFormat}},
        RefusalCase{"LayoutTag", Patched(30, {3, 0, 0, 0}), 0, {811, 1, 3, 7020, kUnknownFormat}},
        RefusalCase{"BitCount", Patched(28, {2, 0}), 0, {811, 1, 5, 7023, kUnsupported}},
        RefusalCase{"ZeroWidth", Patched(18, {0, 0, 0, 0}), 0, {811, 1, 6, 7023, kUnsupported}},
        RefusalCase{"NegativeHeight", Patched(22, {0xFE, 0xFF, 0xFF, 0xFF}), 0,
                    {811, 1, 6, 7023, kUnsupported}},
        RefusalCase{"StrideOverflow", Patched(18, {0xFF, 0xFF, 0xFF, 0x7F}), 0,
                    {811, 1, 6, 7023, kUnsupported}},
        RefusalCase{"AbsurdSize", Patched(18, {0x40, 0x42, 0x0F, 0, 0x40, 0x42, 0x0F, 0}), 0,
                    {811, 1, 6, 7023, kUnsupported}},
        // 30,000 x 30,000 true colour: more than a host image buffer holds.
        RefusalCase{"MoreThanAHostBuffer", Patched(18, {0x30, 0x75, 0, 0, 0x30, 0x75, 0, 0}), 0,
                    {811, 1, 6, 7023, kUnsupported}},
        RefusalCase{"PixelOffsetAtEnd", Patched(10, {70, 0}), 0, {811, 1, 7, 7023, kUnsupported}},
        RefusalCase{"PixelOffsetPastEnd", Patched(10, {0xFF, 0xFF}), 0,
                    {811, 1, 7, 7023, kUnsupported}},
        // A table cut short fails like a palette that cannot be made: -1.
        RefusalCase{"TablePastEnd", Short8BitWithTableCut(), -1, {811, 1, 8, 7025, kNoPalette}},
        RefusalCase{"ShortHeaderTablePastEnd", ShortHeaderBitsWithTableCut(), -1,
                    {811, 1, 8, 7025, kNoPalette}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(TpiHeader, ImagesAboveOneGibibyteThatAHostBufferHoldsAreRead) {
  // 30,000 x 20,000 true colour and 60,000 x 30,000 in 16 colours (one byte
  // per pixel in the host): 1.8e9 bytes of host pixels each. The writer takes
  // such images, so the reader must too. The file holds the bottom row only.
  struct Case {
    int bits;
    LONG width, height;
    std::vector<RGBQUAD> table;
  } cases[] = {{24, 30000, 20000, {}}, {4, 60000, 30000, std::vector<RGBQUAD>(16)}};
  for (const Case& c : cases) {
    FilePlan plan;
    plan.bits = c.bits;
    plan.width = c.width;
    plan.height = c.height;
    plan.table = c.table;
    plan.rows = {Bytes(static_cast<size_t>(Stride(c.bits, c.width)), 0x21)};
    Bytes file = BuildFile(plan);
    const std::string path = PutFile("big.tpi", file);
    OpenFile in(path, false);
    ClearReport();
    HGLOBAL record = Tpi().getFileData(in.handle(), 0, 0, 0);
    ASSERT_NE(record, 0u) << LastReport().point;
    ASSERT_NE(record, static_cast<HGLOBAL>(-1));
    EXPECT_EQ(Field(record, TFD_HEIGHT), c.height);
    EXPECT_EQ(Field(record, TFD_PREVIEW), 0);
    TFTRANSFER bottom = Whole(3, 1);
    bottom.top = c.height - 1;
    ReadResult read = ReadRows(in.handle(), record, bottom, 3);
    ASSERT_EQ(read.result, 1);
    EXPECT_EQ(read.calls[0].row, c.height - 1);
    EXPECT_EQ(read.calls[0].data[0], c.bits == 24 ? (Bytes{0x21, 0x21, 0x21}) : (Bytes{2, 1, 2}));
    FreeRecord(record);
  }
}

TEST(TpiHeader, TwentySevenByteFileGetsPastTheFirstCheck) {
  // A short header of 27 bytes: 1 x 1 at 24 bits, the pixel offset at 26.
  Bytes file(27, 0);
  file[0] = 'T';
  file[1] = 'A';
  file[10] = 26;
  file[14] = 12;
  file[18] = 1;
  file[20] = 1;
  file[22] = 1;
  file[24] = 24;
  ClearReport();
  HGLOBAL record = RecordOf(file);
  ASSERT_NE(record, 0u) << LastReport().message;
  EXPECT_EQ(Field(record, TFD_WIDTH), 1);
  EXPECT_EQ(Field(record, TFD_XRES), 960000);  // the screen's 96 pixels per inch
  FreeRecord(record);
}

}  // namespace
