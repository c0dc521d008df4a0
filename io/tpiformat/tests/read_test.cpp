// The image reader (full size and scaled) and the preview: round trips of
// every data type through writer and reader, other programs' files, row
// order and flags, stopping callbacks and every failure.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "module.h"

namespace {

using namespace tpitest;

const char kBadParameter[] = "Ung\xfcltiger Parameter.";
const char kReadError[] = "Dateilesefehler.";
const char kUnsupported[] =
    "Unbekanntes Dateiformat oder Datei mit nicht unterst\xfctzten Charakteristika.";

// A file of these bytes in the temporary folder and its record.
struct Opened {
  explicit Opened(const Bytes& bytes, const std::string& name = "read.tpi")
      : path(PutFile(name, bytes)), file(path, false) {
    record = Tpi().getFileData(file.handle(), 0, 0, 0);
  }
  ~Opened() { FreeRecord(record); }
  std::string path;
  OpenFile file;
  HGLOBAL record = 0;
};

// Host rows, top row first, of a pattern for each data type.
std::vector<Bytes> HostPattern(LONG type, LONG width, LONG height) {
  std::vector<Bytes> rows;
  for (LONG y = 0; y < height; ++y) {
    Bytes row;
    for (LONG x = 0; x < width; ++x) {
      const BYTE v = static_cast<BYTE>(x * 31 + y * 17 + 5);
      switch (type) {
        case 2: row.insert(row.end(), {v, BYTE(v ^ 0x5A), BYTE(y)}); break;
        case 16: row.insert(row.end(), {v, BYTE(v & 0x7F)}); break;
        case 8: row.push_back(v & 0x0F); break;
        default: row.push_back(v); break;
      }
    }
    if (type == 64) {
      row.assign(static_cast<size_t>((width + 7) / 8), 0);
      for (LONG x = 0; x < width; ++x)
        if ((x + y) % 3 == 0) row[static_cast<size_t>(x / 8)] |= BYTE(0x80 >> (x % 8));
    }
    rows.push_back(row);
  }
  return rows;
}

struct RoundTripCase {
  const char* name;
  LONG type, bits, width, height;
  LONG readType;
};

class TpiRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(TpiRoundTrip, WriterThenReaderGivesTheSameRows) {
  const RoundTripCase c = GetParam();
  HPALETTE palette = 0;
  if (c.type == 4 || c.type == 8) {
    std::vector<RGBQUAD> entries(c.type == 4 ? 256 : 16);
    for (size_t i = 0; i < entries.size(); ++i) entries[i] = {BYTE(i), BYTE(255 - i), BYTE(i * 3), 0};
    palette = MakePalette(entries);
  }
  HGLOBAL record = ForeignRecord(c.width, c.height, c.type, c.bits, 736, palette);
  const std::vector<Bytes> rows = HostPattern(c.type, c.width, c.height);
  const std::string path = "C:\\temp\\roundtrip.tpi";
  {
    OpenFile out(path, true);
    ASSERT_EQ(WriteRows(out.handle(), record, Whole(c.width, c.height), rows).result, 1);
  }
  if (palette) DeleteObject(palette);
  GlobalFree(record);
  Opened in(FileBytes(path), "roundtrip2.tpi");
  ASSERT_NE(in.record, 0u);
  EXPECT_EQ(Field(in.record, TFD_DATA_TYPE), c.readType);
  EXPECT_EQ(Field(in.record, TFD_BITS), c.bits);
  EXPECT_EQ(Field(in.record, TFD_XRES), 720090);
  ReadResult read = ReadRows(in.file.handle(), in.record, Whole(c.width, c.height), rows[0].size());
  ASSERT_EQ(read.result, 1);
  ASSERT_EQ(read.calls.size(), static_cast<size_t>(c.height));
  for (LONG i = 0; i < c.height; ++i) {
    const ReadCall& call = read.calls[static_cast<size_t>(i)];
    EXPECT_EQ(call.row, c.height - 1 - i);
    EXPECT_EQ(call.data[0], rows[static_cast<size_t>(call.row)]) << "row " << call.row;
  }
  if (c.type == 4 || c.type == 8) {
    PALETTEENTRY e[2];
    ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(Field(in.record, TFD_PALETTE)), 14, 2, e), 2u);
    EXPECT_EQ(e[1].peRed, 45);
    EXPECT_EQ(e[1].peGreen, 240);
    EXPECT_EQ(e[1].peBlue, 15);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Types, TpiRoundTrip,
    testing::Values(RoundTripCase{"BlackWhite", 64, 1, 13, 4, 64},
                    RoundTripCase{"SixteenColours", 8, 8, 7, 3, 8},
                    RoundTripCase{"Grey", 32, 8, 5, 3, 32},
                    RoundTripCase{"Palette", 4, 8, 6, 2, 4},
                    RoundTripCase{"HiColour", 16, 16, 3, 3, 16},
                    RoundTripCase{"TrueColour", 2, 24, 5, 4, 2},
                    RoundTripCase{"TrueColourWide", 2, 24, 301, 2, 2}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(TpiRead, WholeImageFlagsAndRowOrder) {
  FilePlan plan;
  plan.width = 2;
  plan.height = 3;
  plan.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {13, 14, 15, 16, 17, 18}};
  Opened in(BuildFile(plan));
  ReadResult read = ReadRows(in.file.handle(), in.record, Whole(2, 3), 6);
  ASSERT_EQ(read.result, 1);
  ASSERT_EQ(read.calls.size(), 3u);
  const LONG rows[] = {2, 1, 0}, flags[] = {5, 1, 3};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(read.calls[i].row, rows[i]);
    EXPECT_EQ(read.calls[i].flags, flags[i]);
    EXPECT_EQ(read.calls[i].rows, 1);
    EXPECT_EQ(read.calls[i].minusOne, -1);
    EXPECT_EQ(read.calls[i].seven, 7);
  }
  EXPECT_EQ(read.calls[0].data[0], (Bytes{3, 2, 1, 6, 5, 4}));  // blue-green-red to red-green-blue
  // A one-row image carries 7.
  FilePlan one;
  one.rows = {{1, 2, 3}};
  Opened single(BuildFile(one), "single.tpi");
  read = ReadRows(single.file.handle(), single.record, Whole(1, 1), 3);
  ASSERT_EQ(read.calls.size(), 1u);
  EXPECT_EQ(read.calls[0].flags, 7);
}

TEST(TpiRead, RectangleStartsAtItsLeftColumn) {
  FilePlan plan;
  plan.width = 4;
  plan.height = 4;
  for (BYTE y = 0; y < 4; ++y) {
    Bytes row;
    for (BYTE x = 0; x < 4; ++x) row.insert(row.end(), {BYTE(x), BYTE(y), 0});
    plan.rows.push_back(row);
  }
  Opened in(BuildFile(plan));
  TFTRANSFER t = Whole(2, 2);
  t.left = 1;
  t.top = 1;
  ReadResult read = ReadRows(in.file.handle(), in.record, t, 6);
  ASSERT_EQ(read.result, 1);
  ASSERT_EQ(read.calls.size(), 2u);
  // File rows 1 and 2 (image rows 2 and 1); c = 1 is the top row value.
  EXPECT_EQ(read.calls[0].row, 2);
  EXPECT_EQ(read.calls[0].flags, 5);
  EXPECT_EQ(read.calls[1].row, 1);
  EXPECT_EQ(read.calls[1].flags, 3);
  EXPECT_EQ(read.calls[0].left, 1);
  EXPECT_EQ(read.calls[0].width, 2);
  EXPECT_EQ(read.calls[0].data[0], (Bytes{0, 1, 1, 0, 1, 2}));
}

struct ForeignCase {
  const char* name;
  FilePlan plan;
  size_t rowBytes;
  Bytes expectedBottomRow;
};

class TpiForeignFiles : public testing::TestWithParam<ForeignCase> {};

TEST_P(TpiForeignFiles, DeliveredInHostForm) {
  const ForeignCase& c = GetParam();
  Opened in(BuildFile(c.plan));
  ASSERT_NE(in.record, 0u);
  ReadResult read = ReadRows(in.file.handle(), in.record, Whole(c.plan.width, c.plan.height), c.rowBytes);
  ASSERT_EQ(read.result, 1);
  EXPECT_EQ(read.calls[0].data[0], c.expectedBottomRow);
}

FilePlan Plan(int bits, LONG width, std::vector<Bytes> rows, std::vector<RGBQUAD> table = {},
              uint32_t tag = 0, bool shortHeader = false) {
  FilePlan s;
  s.bits = bits;
  s.width = width;
  s.height = static_cast<LONG>(rows.size());
  s.rows = std::move(rows);
  s.table = std::move(table);
  s.layoutTag = tag;
  s.shortHeader = shortHeader;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Files, TpiForeignFiles,
    testing::Values(
        ForeignCase{"ThirtyTwoBits", Plan(32, 2, {{9, 1, 2, 3, 9, 4, 5, 6}}), 6, {1, 2, 3, 4, 5, 6}},
        // 5-6-5 words: red 31 green 63 blue 31, and red 1 green 2 blue 3
        ForeignCase{"R565", Plan(16, 2, {{0xFF, 0xFF, 0x43, 0x08}}, {}, 0x35363552), 4,
                    {0xFF, 0x7F, 0x23, 0x04}},
        ForeignCase{"InvertedBits", Plan(1, 12, {{0xF0, 0x30}}, {{255, 255, 255, 0}, {0, 0, 0, 0}}), 2,
                    {0x0F, 0xCF}},
        ForeignCase{"PlainBits", Plan(1, 12, {{0xF0, 0x30}}, {{0, 0, 0, 0}, {255, 255, 255, 0}}), 2,
                    {0xF0, 0x30}},
        ForeignCase{"Nibbles", Plan(4, 3, {{0x12, 0x30}}, std::vector<RGBQUAD>(16)), 3, {1, 2, 3}},
        ForeignCase{"ShortHeader", Plan(8, 3, {{7, 8, 9}}, std::vector<RGBQUAD>(256, {1, 2, 3, 0}), 0, true),
                    3, {7, 8, 9}}),
    [](const testing::TestParamInfo<ForeignCase>& info) { return std::string(info.param.name); });

TEST(TpiRead, ShortHeaderTableHasThreeByteEntries) {
  std::vector<RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(i / 2), BYTE(255 - i), 0};
  Opened in(BuildFile(Plan(8, 1, {{0}}, table, 0, true)));
  PALETTEENTRY e;
  ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(Field(in.record, TFD_PALETTE)), 100, 1, &e), 1u);
  EXPECT_EQ(e.peRed, 155);
  EXPECT_EQ(e.peGreen, 50);
  EXPECT_EQ(e.peBlue, 100);
}

TEST(TpiRead, CallbackStopEndsTheReadAndDropsThePalette) {
  for (LONG answer : {0, -1, -7}) {
    FilePlan plan = Plan(8, 2, {{0, 1}, {1, 0}, {1, 1}}, std::vector<RGBQUAD>(256, {4, 5, 6, 0}));
    Opened in(BuildFile(plan));
    ASSERT_NE(Field(in.record, TFD_PALETTE), 0);
    ClearReport();
    ReadResult read = ReadRows(in.file.handle(), in.record, Whole(2, 3), 2, 1, answer);
    EXPECT_EQ(read.result, answer);
    EXPECT_EQ(read.calls.size(), 2u);
    EXPECT_EQ(Field(in.record, TFD_PALETTE), 0);
    EXPECT_EQ(LastReport().message, 0);
  }
}

TEST(TpiRead, ScaledReadSamplesNearestNeighbourUpright) {
  FilePlan plan;
  plan.bits = 32;
  plan.width = 4;
  plan.height = 4;
  for (BYTE y = 0; y < 4; ++y) {
    Bytes row;
    for (BYTE x = 0; x < 4; ++x) row.insert(row.end(), {0, BYTE(x), BYTE(y), 9});
    plan.rows.push_back(row);
  }
  Opened in(BuildFile(plan));
  TFTRANSFER t = {};
  t.scaled = 1;
  t.scaledWidth = 2;
  t.scaledHeight = 2;
  ReadResult read = ReadRows(in.file.handle(), in.record, t, 6);
  ASSERT_EQ(read.result, 1);
  ASSERT_EQ(read.calls.size(), 1u);
  const ReadCall& call = read.calls[0];
  EXPECT_EQ(call.left, 0);
  EXPECT_EQ(call.row, 0);
  EXPECT_EQ(call.width, 2);
  EXPECT_EQ(call.rows, 2);
  EXPECT_EQ(call.flags, 0);
  EXPECT_EQ(call.minusOne, 0);
  EXPECT_EQ(call.seven, 0);
  // Output row 1 is file row 0, output row 0 is file row 2; columns 0 and 2.
  EXPECT_EQ(call.data[0], (Bytes{0, 2, 9, 2, 2, 9}));
  EXPECT_EQ(call.data[1], (Bytes{0, 0, 9, 2, 0, 9}));
}

TEST(TpiRead, ScaledReadOfBitsAndUpscaledColumnsPastTheImage) {
  // 2 x 1 black-and-white scaled to 4 x 2: columns 0, 1, 1, then index 2 ends the row.
  Opened in(BuildFile(Plan(1, 2, {{0x80}}, {{0, 0, 0, 0}, {255, 255, 255, 0}})));
  TFTRANSFER t = {};
  t.scaled = 1;
  t.scaledWidth = 4;
  t.scaledHeight = 2;
  ReadResult read = ReadRows(in.file.handle(), in.record, t, 1);
  ASSERT_EQ(read.result, 1);
  EXPECT_EQ(read.calls[0].data[0], Bytes{0x80});
  EXPECT_EQ(read.calls[0].data[1], Bytes{0x80});
  // The same bits with white as entry 0 come out inverted: columns 0, 1, 1.
  Opened inverted(BuildFile(Plan(1, 2, {{0x80}}, {{255, 255, 255, 0}, {0, 0, 0, 0}})), "inverted.tpi");
  read = ReadRows(inverted.file.handle(), inverted.record, t, 1);
  ASSERT_EQ(read.result, 1);
  EXPECT_EQ(read.calls[0].data[0], Bytes{0x60});
  // 16 colours scaled down: one byte per pixel.
  Opened nibbles(BuildFile(Plan(4, 4, {{0x12, 0x34}}, std::vector<RGBQUAD>(16))), "nibbles.tpi");
  t.scaledWidth = 2;
  t.scaledHeight = 1;
  read = ReadRows(nibbles.file.handle(), nibbles.record, t, 2);
  ASSERT_EQ(read.result, 1);
  EXPECT_EQ(read.calls[0].data[0], (Bytes{1, 3}));
}

TEST(TpiPreview, TenRowsAtThreeTakeRowsThreeSixNine) {
  FilePlan plan;
  plan.bits = 8;
  plan.width = 4;
  plan.table = std::vector<RGBQUAD>(256, {1, 1, 1, 0});
  plan.height = 10;
  for (BYTE i = 0; i < 10; ++i) plan.rows.push_back({BYTE(9 - i), 1, 2, 3});  // image row in byte 0
  Opened in(BuildFile(plan));
  BYTE rows[3][4] = {};
  BYTE* pointers[3] = {rows[0], rows[1], rows[2]};
  ASSERT_EQ(Tpi().getPreview(in.file.handle(), in.record, 3, 3, pointers), 1);
  // sx = 4 / 3 = 1: the first three columns
  EXPECT_EQ(Bytes(rows[0], rows[0] + 4), (Bytes{3, 1, 2, 0}));
  EXPECT_EQ(Bytes(rows[1], rows[1] + 4), (Bytes{6, 1, 2, 0}));
  EXPECT_EQ(Bytes(rows[2], rows[2] + 4), (Bytes{9, 1, 2, 0}));
}

struct PreviewCase {
  const char* name;
  FilePlan plan;
  LONG width;
  Bytes expected;  // the single preview row
};

class TpiPreviewConversions : public testing::TestWithParam<PreviewCase> {};

TEST_P(TpiPreviewConversions, OneRow) {
  const PreviewCase& c = GetParam();
  Opened in(BuildFile(c.plan));
  Bytes row(c.expected.size() + 4, 0xEE);
  BYTE* pointers[1] = {row.data()};
  ASSERT_EQ(Tpi().getPreview(in.file.handle(), in.record, c.width, 1, pointers), 1);
  EXPECT_EQ(Bytes(row.begin(), row.begin() + static_cast<long>(c.expected.size())), c.expected);
  EXPECT_EQ(row[c.expected.size()], 0xEE);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, TpiPreviewConversions,
    testing::Values(
        PreviewCase{"TrueColourEverySecond", Plan(24, 4, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}), 2,
                    {3, 2, 1, 9, 8, 7}},
        PreviewCase{"ThirtyTwo", Plan(32, 2, {{0, 1, 2, 3, 0, 4, 5, 6}}), 2, {1, 2, 3, 4, 5, 6}},
        PreviewCase{"Nibbles", Plan(4, 5, {{0x12, 0x34, 0x50}}, std::vector<RGBQUAD>(16)), 5, {1, 2, 3, 4, 5}},
        // 20 pixels expand to 20 bytes from a row of 12: the whole row is expanded.
        PreviewCase{"NibblesWide",
                    Plan(4, 20, {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFE, 0xDC}},
                         std::vector<RGBQUAD>(16)),
                    20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15, 14, 13, 12}},
        // 5-5-5: red 31, green 0, blue 0 / red 0, green 31, blue 31
        PreviewCase{"HiColour555", Plan(16, 2, {{0x00, 0x7C, 0xFF, 0x03}}), 2, {255, 0, 0, 0, 251, 255}},
        // 5-6-5: red 0, green 63, blue 0
        PreviewCase{"HiColour565", Plan(16, 1, {{0xE0, 0x07}}, {}, 0x35363552), 1, {0, 255, 0}},
        PreviewCase{"InvertedBits", Plan(1, 8, {{0xF0}}, {{255, 255, 255, 0}, {0, 0, 0, 0}}), 4, {0, 0, 1, 1}},
        PreviewCase{"PlainBits", Plan(1, 8, {{0xF0}}, {{0, 0, 0, 0}, {255, 255, 255, 0}}), 8,
                    {1, 1, 1, 1, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<PreviewCase>& info) { return std::string(info.param.name); });

struct FailureCase {
  const char* name;
  int operation;  // 0 full read, 1 scaled read, 2 preview
  LONG width, height;
  size_t cutTo;           // file size after the header was read (0: whole)
  LONG storageKind;
  bool dropTag;
  Report report;
};

class TpiReadFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(TpiReadFailures, ReportsItsFourNumbers) {
  const FailureCase& c = GetParam();
  FilePlan plan = Plan(24, 4, {Bytes(12, 1), Bytes(12, 2), Bytes(12, 3), Bytes(12, 4)});
  Bytes bytes = BuildFile(plan);
  HGLOBAL record = RecordOf(bytes, "failure.tpi");
  ASSERT_NE(record, 0u);
  if (c.cutTo) bytes.resize(c.cutTo);
  OpenFile file(PutFile("failure.tpi", bytes), false);
  SetField(record, TFD_STORAGE_KIND, c.storageKind);
  if (c.dropTag) SetField(record, TFD_FORMAT_TAG, 0);
  ClearReport();
  LONG result = 0;
  if (c.operation == 2) {
    BYTE rows[4][12];
    BYTE* pointers[4] = {rows[0], rows[1], rows[2], rows[3]};
    result = Tpi().getPreview(file.handle(), record, c.width, c.height, pointers);
  } else {
    TFTRANSFER t = Whole(4, 4);
    t.scaled = c.operation;
    t.scaledWidth = c.width;
    t.scaledHeight = c.height;
    if (c.operation == 0) {
      t.width = c.width;
      t.rows = c.height;
    }
    result = ReadRows(file.handle(), record, t, 12).result;
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(LastReport(), c.report);
  FreeRecord(record);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, TpiReadFailures,
    testing::Values(
        FailureCase{"ReadTag", 0, 4, 4, 0, 0, true, {812, 1, 1, 7019, kBadParameter}},
        FailureCase{"ReadStorageKind", 0, 4, 4, 0, 2, false, {812, 1, 2, 7023, kUnsupported}},
        FailureCase{"ReadRectangleTooWide", 0, 5, 4, 0, 0, false, {812, 1, 3, 7019, kBadParameter}},
        FailureCase{"ReadShort", 0, 4, 4, 54 + 12 * 3 + 5, 0, false, {812, 2, 5, 7021, kReadError}},
        FailureCase{"ScaledZeroWidth", 1, 0, 2, 0, 0, false, {814, 1, 1, 7019, kBadParameter}},
        FailureCase{"ScaledShort", 1, 2, 2, 60, 0, false, {814, 2, 4, 7021, kReadError}},
        FailureCase{"ScaledStorageKind", 1, 2, 2, 0, 2, false, {812, 1, 2, 7023, kUnsupported}},
        FailureCase{"ScaledHuge", 1, 1000000, 1000000, 0, 0, false,
                    {814, 2, 1, 7015, "Nicht gen\xfcgend globaler Speicher."}},
        FailureCase{"PreviewZeroHeight", 2, 2, 0, 0, 0, false, {814, 1, 1, 7019, kBadParameter}},
        FailureCase{"PreviewTag", 2, 2, 2, 0, 0, true, {814, 1, 2, 7019, kBadParameter}},
        FailureCase{"PreviewStorageKind", 2, 2, 2, 0, 2, false, {814, 1, 3, 7023, kUnsupported}},
        FailureCase{"PreviewTallerThanImage", 2, 2, 5, 0, 0, false, {814, 1, 4, 7019, kBadParameter}},
        FailureCase{"PreviewWiderThanImage", 2, 5, 2, 0, 0, false, {814, 1, 4, 7019, kBadParameter}},
        FailureCase{"PreviewShort", 2, 4, 4, 70, 0, false, {814, 2, 4, 7021, kReadError}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(TpiRead, FailedPreviewAndScaledReadDropTheirPalettes) {
  FilePlan plan = Plan(8, 2, {{0, 1}, {1, 0}}, std::vector<RGBQUAD>(256, {4, 5, 6, 0}));
  Bytes bytes = BuildFile(plan);
  HGLOBAL record = RecordOf(bytes, "palettes.tpi");
  ASSERT_NE(Field(record, TFD_PREVIEW_PALETTE), 0);
  bytes.resize(bytes.size() - 3);
  OpenFile file(PutFile("palettes.tpi", bytes), false);
  TFTRANSFER t = {};
  t.scaled = 1;
  t.scaledWidth = 2;
  t.scaledHeight = 2;
  EXPECT_EQ(ReadRows(file.handle(), record, t, 2).result, 0);
  EXPECT_EQ(Field(record, TFD_PREVIEW_PALETTE), 0);
  EXPECT_EQ(Field(record, TFD_PALETTE), 0);
  FreeRecord(record);
}

}  // namespace
