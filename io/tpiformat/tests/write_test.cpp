// The writer: file bytes, colour tables, records from other formats, banded
// writes, stopping callbacks and refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "module.h"

namespace {

using namespace tpitest;

const char kPath[] = "C:\\temp\\written.tpi";

uint32_t U32(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Writes the whole image of `rows` from a fresh record; returns the file.
Bytes WriteWhole(LONG width, LONG height, LONG type, const std::vector<Bytes>& rows,
                 HPALETTE palette = 0) {
  HGLOBAL record = ForeignRecord(width, height, type, 24, 736, palette);
  {
    OpenFile out(kPath, true);
    EXPECT_EQ(WriteRows(out.handle(), record, Whole(width, height), rows).result, 1);
  }
  GlobalFree(record);
  return FileBytes(kPath);
}

TEST(TpiWrite, OneTrueColourPixelIsFiftyEightBytes) {
  const Bytes file = WriteWhole(1, 1, 2, {{10, 20, 30}});
  Bytes expected(58, 0);
  expected[0] = 'T';
  expected[1] = 'A';
  expected[2] = 58;
  expected[10] = 54;
  expected[14] = 40;
  expected[18] = 1;
  expected[22] = 1;
  expected[26] = 1;
  expected[28] = 24;
  expected[34] = 4;
  expected[38] = 0x13;  // 2835
  expected[39] = 0x0B;
  expected[42] = 0x13;
  expected[43] = 0x0B;
  expected[54] = 30;
  expected[55] = 20;
  expected[56] = 10;
  EXPECT_EQ(file, expected);
}

TEST(TpiWrite, OddSixteenColourRowLeavesTheLowNibbleZero) {
  const Bytes file = WriteWhole(3, 1, 8, {{1, 2, 0x1F}});
  ASSERT_EQ(file.size(), 54u + 64 + 4);
  EXPECT_EQ(U32(file, 10), 118u);
  EXPECT_EQ(file[28], 4);
  EXPECT_EQ(file[118], 0x12);
  EXPECT_EQ(file[119], 0xF0);
  // No palette: the grey ramp's first 16 entries.
  EXPECT_EQ(file[54 + 4 * 9], 9);
  EXPECT_EQ(file[54 + 4 * 9 + 3], 0);
}

struct TableCase {
  const char* name;
  LONG type;
  bool withPalette;
  int entries;
  int probe;  // entry index checked
  BYTE blue, green, red;
};

class TpiWriteTables : public testing::TestWithParam<TableCase> {};

TEST_P(TpiWriteTables, TableByPreference) {
  const TableCase& c = GetParam();
  HPALETTE palette = 0;
  if (c.withPalette) {
    std::vector<RGBQUAD> entries(256);
    for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), 77, BYTE(255 - i), 0};
    palette = MakePalette(entries);
  }
  const LONG width = 8;
  Bytes row(c.type == 64 ? 1 : 8, 0);
  const Bytes file = WriteWhole(width, 1, c.type, {row}, palette);
  if (palette) DeleteObject(palette);
  ASSERT_EQ(U32(file, 10), 54u + 4 * c.entries);
  const BYTE* e = file.data() + 54 + 4 * c.probe;
  EXPECT_EQ(e[0], c.blue);
  EXPECT_EQ(e[1], c.green);
  EXPECT_EQ(e[2], c.red);
  EXPECT_EQ(e[3], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TpiWriteTables,
    testing::Values(TableCase{"IndexedWithoutPalette", 4, false, 256, 200, 200, 200, 200},
                    TableCase{"IndexedWithPalette", 4, true, 256, 200, 200, 77, 55},
                    TableCase{"GreyIgnoresPalette", 32, true, 256, 200, 200, 200, 200},
                    TableCase{"BlackWhiteWithoutPalette", 64, false, 2, 1, 255, 255, 255},
                    TableCase{"BlackWhiteFirstIsBlack", 64, false, 2, 0, 0, 0, 0},
                    TableCase{"SixteenWithPalette", 8, true, 16, 15, 15, 77, 240}),
    [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST(TpiWrite, ForeignRecordBecomesATpiRecord) {
  HGLOBAL record = ForeignRecord(2, 2, 16, 16, 736);
  SetField(record, TFD_PREVIEW, 1);
  SetField(record, TFD_STORAGE_KIND, 2);
  {
    OpenFile out(kPath, true);
    ASSERT_EQ(WriteRows(out.handle(), record, Whole(2, 2), {{1, 2, 3, 4}, {5, 6, 7, 8}}).result, 1);
  }
  ASSERT_EQ(GlobalSize(record), 777u);
  const BYTE* r = static_cast<const BYTE*>(GlobalLock(record));
  EXPECT_EQ(std::memcmp(r + TFD_FORMAT_TAG, "TPIF", 4), 0);
  EXPECT_EQ(r[TFD_FORMAT_NUMBER] | (r[TFD_FORMAT_NUMBER + 1] << 8), 400);
  GlobalUnlock(record);
  EXPECT_EQ(Field(record, TFD_PRIVATE_LENGTH), 41);
  EXPECT_EQ(Field(record, TFD_READABLE), 1);
  EXPECT_EQ(Field(record, TFD_PREVIEW), 0);
  EXPECT_EQ(Field(record, TFD_STORAGE_KIND), 0);
  EXPECT_EQ(Field(record, TFD_HOST_VALUE584), 1);
  EXPECT_EQ(Field(record, TFD_HOST_FLAG1), 1);
  EXPECT_EQ(Field(record, TFD_TABLE_OFFSET), 0);
  EXPECT_EQ(Field(record, TFD_PIXEL_OFFSET), 54);
  EXPECT_EQ(Field(record, TFD_TABLE_ENTRIES), 0);
  EXPECT_EQ(Field(record, TFD_LAYOUT16), 15);
  EXPECT_EQ(Field(record, TFD_LONG_HEADER), 1);
  // The record now reads the new file.
  OpenFile in(kPath, false);
  ReadResult read = ReadRows(in.handle(), record, Whole(2, 2), 4);
  ASSERT_EQ(read.result, 1);
  EXPECT_EQ(read.calls[0].data[0], (Bytes{5, 6, 7, 8}));
  GlobalFree(record);
}

TEST(TpiWrite, ReadRecordOfAnR565FileWritesAndRereadsAs555) {
  FilePlan plan;
  plan.bits = 16;
  plan.width = 1;
  plan.height = 1;
  plan.layoutTag = 0x35363552;
  plan.rows = {{0xE0, 0x07}};
  HGLOBAL record = RecordOf(BuildFile(plan), "r565.tpi");
  ASSERT_EQ(Field(record, TFD_LAYOUT16), 16);
  {
    OpenFile out(kPath, true);
    ASSERT_EQ(WriteRows(out.handle(), record, Whole(1, 1), {{0xE0, 0x03}}).result, 1);
  }
  EXPECT_EQ(Field(record, TFD_LAYOUT16), 15);
  OpenFile in(kPath, false);
  ReadResult read = ReadRows(in.handle(), record, Whole(1, 1), 2);
  EXPECT_EQ(read.calls[0].data[0], (Bytes{0xE0, 0x03}));
  FreeRecord(record);
}

TEST(TpiWrite, ShortHeaderFileComesOutWithTheLongHeader) {
  FilePlan plan;
  plan.bits = 8;
  plan.width = 3;
  plan.height = 1;
  plan.shortHeader = true;
  for (int i = 0; i < 256; ++i) plan.table.push_back({BYTE(i), 9, BYTE(255 - i), 0});
  plan.rows = {{0, 7, 255}};
  HGLOBAL record = RecordOf(BuildFile(plan), "short.tpi");
  ASSERT_EQ(Field(record, TFD_LONG_HEADER), 0);
  ASSERT_EQ(Field(record, TFD_TABLE_OFFSET), 26);
  {
    OpenFile out(kPath, true);
    ASSERT_EQ(WriteRows(out.handle(), record, Whole(3, 1), {{0, 7, 255}}).result, 1);
  }
  const Bytes file = FileBytes(kPath);
  ASSERT_EQ(file.size(), 54u + 1024 + 4);
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(U32(file, 10), 1078u);
  // Entry 7 as four bytes blue, green, red, 0; the pixels after the table.
  EXPECT_EQ(Bytes(file.begin() + 54 + 28, file.begin() + 54 + 32), (Bytes{7, 9, 248, 0}));
  EXPECT_EQ(Bytes(file.begin() + 1078, file.end()), (Bytes{0, 7, 255, 0}));
  EXPECT_EQ(Field(record, TFD_LONG_HEADER), 1);
  EXPECT_EQ(Field(record, TFD_TABLE_OFFSET), 54);
  EXPECT_EQ(Field(record, TFD_PIXEL_OFFSET), 1078);
  FreeRecord(record);
}

TEST(TpiWrite, BandsInSeveralCallsGiveTheWholeFile) {
  const LONG width = 5, height = 7;
  std::vector<Bytes> rows;
  for (LONG y = 0; y < height; ++y) {
    Bytes row;
    for (LONG x = 0; x < width; ++x) row.insert(row.end(), {BYTE(x), BYTE(y), BYTE(x + y)});
    rows.push_back(row);
  }
  const Bytes whole = WriteWhole(width, height, 2, rows);
  ASSERT_EQ(whole.size(), 54u + 16 * 7);
  // Bands in an unusual order: the middle, the top, the bottom.
  HGLOBAL record = ForeignRecord(width, height, 2, 24);
  const std::string banded = "C:\\temp\\banded.tpi";
  {
    OpenFile out(banded, true);
    const LONG bands[][2] = {{2, 3}, {0, 2}, {5, 2}};
    for (const auto& band : bands) {
      TFTRANSFER t = Whole(width, band[1]);
      t.top = band[0];
      WriteResult w = WriteRows(out.handle(), record, t, rows);
      ASSERT_EQ(w.result, 1);
      ASSERT_EQ(w.requests.size(), static_cast<size_t>(band[1]));
      EXPECT_EQ(w.requests[0].first, band[0] + band[1] - 1);  // bottom row of the band first
    }
  }
  EXPECT_EQ(FileBytes(banded), whole);
  GlobalFree(record);
}

TEST(TpiWrite, RectangleColumnsLandInPlace) {
  std::vector<Bytes> rows = {{1, 1, 1, 2, 2, 2, 3, 3, 3}};
  const Bytes whole = WriteWhole(3, 1, 2, rows);
  HGLOBAL record = ForeignRecord(3, 1, 2, 24);
  {
    OpenFile out(kPath, true);
    TFTRANSFER left = Whole(1, 1);
    ASSERT_EQ(WriteRows(out.handle(), record, left, rows).result, 1);
    TFTRANSFER right = Whole(2, 1);
    right.left = 1;
    ASSERT_EQ(WriteRows(out.handle(), record, right, rows).result, 1);
  }
  EXPECT_EQ(FileBytes(kPath), whole);
  GlobalFree(record);
}

TEST(TpiWrite, FlagsFollowTheFileRowCounter) {
  HGLOBAL record = ForeignRecord(1, 3, 32, 8);
  OpenFile out(kPath, true);
  WriteResult w = WriteRows(out.handle(), record, Whole(1, 3), {{1}, {2}, {3}});
  ASSERT_EQ(w.result, 1);
  const std::vector<std::pair<LONG, LONG>> expected = {{2, 5}, {1, 1}, {0, 3}};
  EXPECT_EQ(w.requests, expected);
  GlobalFree(record);
}

TEST(TpiWrite, CallbackZeroFailsAndMinusOneCancelsWithoutReport) {
  for (LONG answer : {0, -1}) {
    HGLOBAL record = ForeignRecord(2, 3, 2, 24);
    OpenFile out(kPath, true);
    ClearReport();
    WriteResult w = WriteRows(out.handle(), record, Whole(2, 3), {Bytes(6), Bytes(6), Bytes(6)}, 1, answer);
    EXPECT_EQ(w.result, answer);
    EXPECT_EQ(w.requests.size(), 2u);
    EXPECT_EQ(LastReport().message, 0);
    // The record kept the tag set before writing.
    EXPECT_EQ(Field(record, TFD_PRIVATE_LENGTH), 41);
    GlobalFree(record);
  }
}

struct WriteRefusal {
  const char* name;
  LONG width, height;
  TFTRANSFER transfer;
  Report report;
};

class TpiWriteRefusals : public testing::TestWithParam<WriteRefusal> {};

TEST_P(TpiWriteRefusals, ReportsItsFourNumbers) {
  const WriteRefusal& c = GetParam();
  HGLOBAL record = ForeignRecord(c.width, c.height, 2, 24);
  OpenFile out(kPath, true);
  ClearReport();
  EXPECT_EQ(WriteRows(out.handle(), record, c.transfer, {}).result, 0);
  EXPECT_EQ(LastReport(), c.report);
  GlobalFree(record);
}

const Report kBad1 = {813, 1, 1, 7019, "Ung\xfcltiger Parameter."};
const Report kBad2 = {813, 1, 2, 7019, "Ung\xfcltiger Parameter."};

INSTANTIATE_TEST_SUITE_P(
    Refusals, TpiWriteRefusals,
    testing::Values(WriteRefusal{"WidthAbove65535", 65536, 1, Whole(1, 1), kBad1},
                    WriteRefusal{"HeightAbove65535", 1, 70000, Whole(1, 1), kBad1},
                    WriteRefusal{"ZeroWidth", 0, 1, Whole(1, 1), kBad1},
                    WriteRefusal{"RectanglePastRight", 4, 4, Whole(5, 1), kBad2},
                    WriteRefusal{"RectanglePastBottom", 4, 4, TFTRANSFER{0, 0, 3, 4, 2, 0, 0, 0, 0, 0, 0}, kBad2},
                    WriteRefusal{"NoRows", 4, 4, Whole(4, 0), kBad2}),
    [](const testing::TestParamInfo<WriteRefusal>& info) { return std::string(info.param.name); });

TEST(TpiWrite, ShortWriteIsAWriteError) {
  HGLOBAL record = ForeignRecord(2, 2, 2, 24);
  PutFile("readonly.tpi", Bytes(10, 0));
  OpenFile readOnly("C:\\temp\\readonly.tpi", false);
  ClearReport();
  EXPECT_EQ(WriteRows(readOnly.handle(), record, Whole(2, 2), {Bytes(6), Bytes(6)}).result, 0);
  EXPECT_EQ(LastReport(), (Report{813, 3, 3, 7022, "Dateischreibfehler."}));
  GlobalFree(record);
}

}  // namespace
