// The built-in BMP format: files of other programs' making (core headers,
// top-down rows, bitfields, run-length encoding), round trips of every data
// type, the bytes the writer produces, and broken files refused.
#include <gtest/gtest.h>

#include <fileformats.h>
#include <hostcommon.h>

#include "testfiles.h"

namespace {

using tftest::BmpPlan;
using tftest::Bytes;

struct ReadCase {
  const char* name;
  BmpPlan plan;
  LONG dataType;
  LONG compression;
  Bytes hostPixels;  // top row first, rowBytes each
};

std::vector<std::uint8_t> Table(std::initializer_list<std::uint32_t> bgrx) {
  std::vector<std::uint8_t> out;
  for (std::uint32_t v : bgrx) {
    out.push_back(static_cast<std::uint8_t>(v >> 16));  // blue
    out.push_back(static_cast<std::uint8_t>(v >> 8));   // green
    out.push_back(static_cast<std::uint8_t>(v));        // red
    out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> GreyRampTable() {
  std::vector<std::uint8_t> out;
  for (int i = 0; i < 256; ++i) out.insert(out.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
  return out;
}

std::vector<ReadCase> ReadCases() {
  std::vector<ReadCase> cases;
  // 2 x 2, 24 bits, bottom-up: stored rows are bottom first, B,G,R, padded to 8.
  cases.push_back({"rgb24_bottom_up",
                   {40, 2, 2, 24, 0, 0, 2835, 2835, {}, {},
                    {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
                   TF_DT_RGB, TF_COMPRESS_NONE,
                   {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}});
  cases.push_back({"rgb24_top_down",
                   {40, 2, -2, 24, 0, 0, 2835, 2835, {}, {},
                    {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
                   TF_DT_RGB, TF_COMPRESS_NONE,
                   {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}});
  cases.push_back({"rgb32_plain", {40, 2, 1, 32, 0, 0, 0, 0, {}, {}, {10, 20, 30, 99, 40, 50, 60, 99}},
                   TF_DT_RGB, TF_COMPRESS_NONE, {30, 20, 10, 60, 50, 40}});
  cases.push_back({"rgb32_bitfields_red_high",
                   {40, 1, 1, 32, 3, 0, 0, 0, {0xFF000000u, 0x00FF0000u, 0x0000FF00u}, {}, {0, 30, 20, 10}},
                   TF_DT_RGB, TF_COMPRESS_BITFIELDS, {10, 20, 30}});
  // 5-5-5 word 0x7C1F (red 31, blue 31) stays as it is.
  cases.push_back({"hicolor_555", {40, 1, 1, 16, 0, 0, 0, 0, {}, {}, {0x1F, 0x7C, 0, 0}},
                   TF_DT_HICOLOR, TF_COMPRESS_NONE, {0x1F, 0x7C}});
  // 5-6-5: 0xFFE0 is red 31, green 63, blue 0 -> 5-5-5 0x7FE0.
  cases.push_back({"hicolor_565_bitfields",
                   {40, 1, 1, 16, 3, 0, 0, 0, {0xF800, 0x07E0, 0x001F}, {}, {0xE0, 0xFF, 0, 0}},
                   TF_DT_HICOLOR, TF_COMPRESS_BITFIELDS, {0xE0, 0x7F}});
  // Same masks inside a 108-byte header.
  cases.push_back({"hicolor_565_v4_header",
                   {108, 1, 1, 16, 3, 0, 0, 0, {0xF800, 0x07E0, 0x001F}, {}, {0x1F, 0x00, 0, 0}},
                   TF_DT_HICOLOR, TF_COMPRESS_BITFIELDS, {0x1F, 0x00}});
  // Core header: 1 bit, 3-byte table black, red; pixels 1 0 1.
  cases.push_back({"core_1bit", {12, 3, 1, 1, 0, 0, 0, 0, {}, {0, 0, 0, 0, 0, 255}, {0xA0, 0, 0, 0}},
                   TF_DT_BW, TF_COMPRESS_NONE, {0xA0}});
  // Light-then-dark table is turned into black, white with the bits inverted.
  cases.push_back({"bw_inverted_table",
                   {40, 8, 1, 1, 0, 0, 0, 0, {}, Table({0xFFFFFF, 0x000000}), {0xF0, 0, 0, 0}},
                   TF_DT_BW, TF_COMPRESS_NONE, {0x0F}});
  cases.push_back({"grey_ramp", {40, 3, 1, 8, 0, 0, 0, 0, {}, GreyRampTable(), {0, 128, 255, 0}},
                   TF_DT_GREY, TF_COMPRESS_NONE, {0, 128, 255}});
  cases.push_back({"palette_three_used",
                   {40, 3, 1, 8, 0, 3, 0, 0, {}, Table({0xFF0000, 0x00FF00, 0x0000FF}), {2, 1, 0, 0}},
                   TF_DT_INDEXED256, TF_COMPRESS_NONE, {2, 1, 0}});
  cases.push_back({"nibbles_odd_width",
                   {40, 3, 1, 4, 0, 16, 0, 0, {}, Table({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                    {0x1F, 0xA0, 0, 0}},
                   TF_DT_INDEXED16, TF_COMPRESS_NONE, {1, 15, 10}});
  // RLE8, 4 x 3 bottom-up: row 0 (bottom) run of 4 x 5; row 1 absolute 1 2 3
  // then end of line; delta (1, 1) to row 2 column 1... then end of bitmap.
  cases.push_back({"rle8",
                   {40, 4, 3, 8, 1, 0, 0, 0, {}, GreyRampTable(),
                    {4, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 7, 0, 1}},
                   TF_DT_GREY, TF_COMPRESS_RLE8,
                   {0, 0, 7, 0, 1, 2, 3, 0, 5, 5, 5, 5}});
  // RLE4, 5 x 1: run of 2 alternating 1,2; absolute 3 nibbles 3,4,5.
  cases.push_back({"rle4",
                   {40, 5, 1, 4, 2, 0, 0, 0, {}, Table({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}),
                    {2, 0x12, 0, 3, 0x34, 0x50, 0, 1}},
                   TF_DT_INDEXED16, TF_COMPRESS_RLE4, {1, 2, 3, 4, 5}});
  return cases;
}

class BmpRead : public testing::TestWithParam<ReadCase> {};

TEST_P(BmpRead, DeliversHostPixels) {
  const ReadCase& c = GetParam();
  std::string path = tftest::PutFile(std::string(c.name) + ".bmp", tftest::MakeBmp(c.plan));
  HGLOBAL record = 0;
  HBUF image = tftest::ReadImage(path, &record);
  ASSERT_NE(record, 0u) << "error " << tftest::ErrorSlot().error << " detail " << tftest::ErrorSlot().detail;
  ASSERT_NE(image, 0u) << "error " << tftest::ErrorSlot().error << " detail " << tftest::ErrorSlot().detail;
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->dataType, c.dataType);
  EXPECT_EQ(data->compression, c.compression);
  EXPECT_EQ(data->width, c.plan.width);
  EXPECT_EQ(data->height, c.plan.height < 0 ? -c.plan.height : c.plan.height);
  EXPECT_EQ(data->formatIndex, TF_FORMAT_BMP);
  EXPECT_EQ(std::string(data->formatTag, 4), "BMPF");
  EXPECT_EQ(data->fileSize, static_cast<LONG>(tftest::MakeBmp(c.plan).size()));
  EXPECT_EQ(std::string(data->path), path);
  GlobalUnlock(record);
  EXPECT_EQ(tftest::Pixels(image), c.hostPixels);
  buf32Free(image);
  tfFileFreeFileData(record);
}

INSTANTIATE_TEST_SUITE_P(OtherPrograms, BmpRead, testing::ValuesIn(ReadCases()),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(BmpRecord, ResolutionAndPaletteOfAPaletteFile) {
  BmpPlan plan{40, 2, 1, 8, 0, 2, 3780, 2835, {}, Table({0x102030, 0x405060}), {1, 0, 0, 0}};
  std::string path = tftest::PutFile("facts.bmp", tftest::MakeBmp(plan));
  HGLOBAL record = tfFileGetFileData(path.c_str(), nullptr);
  ASSERT_NE(record, 0u);
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->xResolution, 3780 * 254);
  EXPECT_EQ(data->yResolution, 2835 * 254);
  EXPECT_EQ(data->bitsPerPixel, 8);
  EXPECT_EQ(data->readable, 1);
  EXPECT_EQ(data->transparentIndex, -1);
  PALETTEENTRY entries[256] = {};
  ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(data->palette), 0, 256, entries), 2u);
  EXPECT_EQ(entries[0].peRed, 0x30);
  EXPECT_EQ(entries[0].peGreen, 0x20);
  EXPECT_EQ(entries[0].peBlue, 0x10);
  EXPECT_EQ(entries[1].peRed, 0x60);
  GlobalUnlock(record);
  tfFileFreeFileData(record);
}

struct BrokenCase {
  const char* name;
  Bytes bytes;
  LONG error;
  LONG detail;
};

Bytes Truncated(Bytes b, size_t size) {
  b.resize(size);
  return b;
}

Bytes WithField32(Bytes b, size_t at, std::uint32_t v) {
  tftest::Put32(b, at, v);
  return b;
}

Bytes WithField16(Bytes b, size_t at, std::uint32_t v) {
  tftest::Put16(b, at, v);
  return b;
}

std::vector<BrokenCase> BrokenCases() {
  Bytes good = tftest::MakeBmp({40, 2, 2, 24, 0, 0, 0, 0, {}, {}, Bytes(16, 1)});
  Bytes palette = tftest::MakeBmp({40, 2, 1, 8, 0, 0, 0, 0, {}, GreyRampTable(), Bytes(4, 1)});
  return {
      {"empty", {}, 4005, 5},
      {"signature_only", {'B', 'M'}, 4005, 1},
      {"header_cut", Truncated(good, 30), 4005, 1},
      {"header_size_unknown", WithField32(good, 14, 20), 4005, 1},
      {"bits_seven", WithField16(good, 28, 7), 4005, 2},
      {"rle8_with_24_bits", WithField32(good, 30, 1), 4005, 2},
      {"width_zero", WithField32(good, 18, 0), 4005, 3},
      {"width_negative", WithField32(good, 18, 0xFFFFFFFFu), 4005, 3},
      {"height_huge", WithField32(good, 22, 0x7FFFFFFF), 4005, 3},
      {"height_most_negative", WithField32(good, 22, 0x80000000u), 4005, 3},
      {"pixels_cut", Truncated(good, good.size() - 1), 4005, 5},
      {"pixel_offset_past_end", WithField32(good, 10, 100000), 4005, 5},
      {"table_cut", Truncated(palette, 14 + 40 + 100), 4005, 4},
      {"bitfields_masks_zero", tftest::MakeBmp({40, 1, 1, 16, 3, 0, 0, 0, {0, 0, 0}, {}, Bytes(4, 1)}), 4005, 4},
      {"bitfields_masks_cut", Truncated(tftest::MakeBmp({40, 1, 1, 16, 3, 0, 0, 0, {0xF800, 0x7E0, 0x1F}, {}, {}}), 60), 4005, 4},
  };
}

class BmpBroken : public testing::TestWithParam<BrokenCase> {};

TEST_P(BmpBroken, IsRefusedWithAClearError) {
  const BrokenCase& c = GetParam();
  c32ResetDLLErrInfo();
  std::string path = tftest::PutFile(std::string("broken_") + c.name + ".bmp", c.bytes);
  HGLOBAL record = tfFileGetFileData(path.c_str(), nullptr);
  EXPECT_EQ(record, 0u);
  tftest::Slot slot = tftest::ErrorSlot();
  EXPECT_EQ(slot.error, c.error);
  EXPECT_EQ(slot.unit, TF_UNIT);
  EXPECT_EQ(slot.detail, c.detail);
}

INSTANTIATE_TEST_SUITE_P(Files, BmpBroken, testing::ValuesIn(BrokenCases()),
                         [](const testing::TestParamInfo<BrokenCase>& info) { return info.param.name; });

std::uint8_t Pattern(LONG x, LONG y, LONG byte) { return static_cast<std::uint8_t>(x * 7 + y * 13 + byte * 5); }
std::uint8_t Nibbles(LONG x, LONG y, LONG) { return static_cast<std::uint8_t>((x + 3 * y) & 15); }
std::uint8_t HiColour(LONG x, LONG y, LONG byte) {
  return byte ? static_cast<std::uint8_t>((x + y) & 0x7F) : static_cast<std::uint8_t>(x * 9 + y);
}

struct RoundTrip {
  const char* name;
  LONG bits;
  LONG dataType;
  std::uint8_t (*fill)(LONG, LONG, LONG);
  bool withPalette;
};

class BmpRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(BmpRoundTrip, ReadsBackWhatWasWritten) {
  const RoundTrip& c = GetParam();
  HBUF image = tftest::MakeImage(c.bits, 13, 5, c.fill);
  std::string path = std::string("C:\\trip_") + c.name + ".bmp";
  HGLOBAL record = tfFileNewFileData(path.c_str(), TF_FORMAT_BMP);
  ASSERT_NE(record, 0u);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
  data->dataType = c.dataType;
  std::vector<COLORREF> colours;
  for (int i = 0; i < (c.dataType == TF_DT_INDEXED16 ? 16 : 256); ++i) colours.push_back(RGB(i, 255 - i, i / 2));
  if (c.withPalette) data->palette = tftest::MakeTestPalette(colours);
  GlobalUnlock(record);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1) << tftest::ErrorSlot().error;
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage(path, &readRecord);
  ASSERT_NE(back, 0u) << tftest::ErrorSlot().error << " " << tftest::ErrorSlot().detail;
  const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
  EXPECT_EQ(read->dataType, c.dataType);
  if (c.withPalette) {
    PALETTEENTRY entries[256] = {};
    UINT count = GetPaletteEntries(static_cast<HPALETTE>(read->palette), 0, 256, entries);
    ASSERT_EQ(count, colours.size());
    for (UINT i = 0; i < count; ++i) EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue), colours[i]);
  }
  GlobalUnlock(readRecord);
  EXPECT_EQ(tftest::Pixels(back), tftest::Pixels(image));
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(readRecord);
  tfFileFreeFileData(record);
}

INSTANTIATE_TEST_SUITE_P(DataTypes, BmpRoundTrip,
                         testing::Values(RoundTrip{"rgb", 24, TF_DT_RGB, Pattern, false},
                                         RoundTrip{"palette256", 8, TF_DT_INDEXED256, Pattern, true},
                                         RoundTrip{"palette16", 8, TF_DT_INDEXED16, Nibbles, true},
                                         RoundTrip{"grey", 8, TF_DT_GREY, Pattern, false},
                                         RoundTrip{"bw", 1, TF_DT_BW, Pattern, false}),
                         [](const testing::TestParamInfo<RoundTrip>& info) { return info.param.name; });

TEST(BmpRead, AFileChangedAfterItWasDescribedIsRefused) {
  std::string path = tftest::PutFile("changing.bmp", tftest::MakeBmp({40, 4, 1, 24, 0, 0, 0, 0, {}, {}, Bytes(12, 9)}));
  HGLOBAL record = tfFileGetFileData(path.c_str(), nullptr);
  ASSERT_NE(record, 0u);
  // Now 8 bits a pixel: its rows are shorter than the true-colour buffer's.
  tftest::PutFile("changing.bmp", tftest::MakeBmp({40, 4, 1, 8, 0, 0, 0, 0, {}, GreyRampTable(), {1, 2, 3, 4}}));
  HBUF image = 5;
  EXPECT_EQ(tfFileRead(record, &image, nullptr), 0);
  EXPECT_EQ(image, 0u);
  EXPECT_EQ(tftest::ErrorSlot().error, 4020);
  tfFileFreeFileData(record);
}

TEST(BmpWrite, HiColourIsStoredAsTrueColour) {
  HBUF image = tftest::MakeImage(16, 3, 2, HiColour);
  HGLOBAL record = tfFileNewFileData("C:\\hicolour.bmp", TF_FORMAT_BMP);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\hicolour.bmp", &readRecord);
  ASSERT_NE(back, 0u);
  Bytes source = tftest::Pixels(image), got = tftest::Pixels(back);
  ASSERT_EQ(got.size(), 3u * 3 * 2);
  for (size_t p = 0; p < 6; ++p) {
    unsigned w = source[2 * p] | (source[2 * p + 1] << 8);
    unsigned r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
    EXPECT_EQ(got[3 * p], (r << 3) | (r >> 2));
    EXPECT_EQ(got[3 * p + 1], (g << 3) | (g >> 2));
    EXPECT_EQ(got[3 * p + 2], (b << 3) | (b >> 2));
  }
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(readRecord);
  tfFileFreeFileData(record);
}

TEST(BmpWrite, OnePixelFileHasHeaderPixelAndPadding) {
  HBUF image = tftest::MakeImage(24, 1, 1, Pattern);
  HGLOBAL record = tfFileNewFileData("C:\\one.bmp", TF_FORMAT_BMP);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  Bytes file = tftest::GetFile("C:\\one.bmp");
  ASSERT_EQ(file.size(), 58u);
  EXPECT_EQ(file[10], 54);
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(file[38] | (file[39] << 8), 2835);  // 720000 ten-thousandths per inch
  Bytes pixel = tftest::Pixels(image);
  EXPECT_EQ(file[54], pixel[2]);
  EXPECT_EQ(file[56], pixel[0]);
  EXPECT_EQ(file[57], 0);
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->fileSize, 58);
  GlobalUnlock(record);
  buf32Free(image);
  tfFileFreeFileData(record);
}

TEST(BmpWrite, BandsGiveTheSameFileAsOneWrite) {
  HBUF image = tftest::MakeImage(24, 11, 9, Pattern);
  HGLOBAL whole = tfFileNewFileData("C:\\whole.bmp", TF_FORMAT_BMP);
  ASSERT_EQ(tfFileWrite(whole, image, nullptr), 1);
  HGLOBAL banded = tfFileNewFileData("C:\\banded.bmp", TF_FORMAT_BMP);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(banded));
  data->width = 11;
  data->height = 9;
  data->dataType = TF_DT_RGB;
  GlobalUnlock(banded);
  LONG writer = tfFileWriteBegin(banded);
  ASSERT_GT(writer, 0);
  // Bands in any order: the bottom one first, the top one last.
  for (LONG top : {6, 3, 0}) {
    HBUF band = 0;
    ASSERT_TRUE(buf32GetBuf(image, 0, top, 11, 3, &band));
    EXPECT_EQ(tfFileWriteBand(writer, band, top, 3, nullptr), 1);
    buf32Free(band);
  }
  EXPECT_FALSE(tfIsFileExist("C:\\banded.bmp"));  // not before the writer is closed
  ASSERT_EQ(tfFileWriteEnd(writer, TRUE), 1);
  EXPECT_EQ(tftest::GetFile("C:\\banded.bmp"), tftest::GetFile("C:\\whole.bmp"));
  EXPECT_FALSE(tfIsFileExist("C:\\banded.bmp.lvtmp"));
  buf32Free(image);
  tfFileFreeFileData(whole);
  tfFileFreeFileData(banded);
}

}  // namespace
