// The built-in PNG, JPEG and GIF formats through the dispatcher: round trips
// of every data type each stores, the facts of the record (JPEG colour models
// and markers from files made with the JPEG library, progressive, GIF
// transparency, PNG interlace), conversions for types a format cannot store.
#include <gtest/gtest.h>

#include <fileformats.h>
#include <hostcommon.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <jpeglib.h>

#include "testfiles.h"

namespace {

using tftest::Bytes;

std::uint8_t Smooth(LONG x, LONG y, LONG byte) { return static_cast<std::uint8_t>(x * 8 + y * 4 + byte * 40); }
std::uint8_t Gentle(LONG x, LONG y, LONG byte) { return static_cast<std::uint8_t>(20 + x * 4 + y * 2 + byte * 30); }
std::uint8_t Indices(LONG x, LONG y, LONG) { return static_cast<std::uint8_t>((x * 3 + y * 5) % 200); }
std::uint8_t Nibbles(LONG x, LONG y, LONG) { return static_cast<std::uint8_t>((x + 2 * y) & 15); }
std::uint8_t Bits(LONG x, LONG y, LONG) { return static_cast<std::uint8_t>(0x5A ^ (x * 17 + y * 29)); }

HGLOBAL NewRecord(const std::string& path, LONG format, LONG dataType, bool palette) {
  HGLOBAL record = tfFileNewFileData(path.c_str(), format);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
  data->dataType = dataType;
  if (palette) {
    std::vector<COLORREF> colours;
    for (int i = 0; i < (dataType == TF_DT_INDEXED16 ? 16 : 256); ++i) colours.push_back(RGB(i, (i * 7) & 255, 255 - i));
    data->palette = tftest::MakeTestPalette(colours);
  }
  GlobalUnlock(record);
  return record;
}

// The buffer's last row bytes of a 1-bit image hold padding bits beyond the
// width; the codecs store only the pixels.
Bytes MaskPadding(Bytes rows, LONG width, LONG height) {
  LONG rowBytes = (width + 7) / 8;
  int used = width % 8;
  if (used == 0) return rows;
  for (LONG y = 0; y < height; ++y) rows[static_cast<size_t>(y * rowBytes + rowBytes - 1)] &= static_cast<std::uint8_t>(0xFF << (8 - used));
  return rows;
}

struct Trip {
  const char* name;
  LONG format;
  LONG bits;
  LONG dataType;
  std::uint8_t (*fill)(LONG, LONG, LONG);
  bool palette;
};

class LosslessRoundTrip : public testing::TestWithParam<Trip> {};

TEST_P(LosslessRoundTrip, ReadsBackTheSamePixelsAndType) {
  const Trip& c = GetParam();
  const LONG width = 21, height = 6;
  HBUF image = tftest::MakeImage(c.bits, width, height, c.fill);
  std::string path = std::string("C:\\codec_") + c.name;
  HGLOBAL record = NewRecord(path, c.format, c.dataType, c.palette);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1) << tftest::ErrorSlot().error << "/" << tftest::ErrorSlot().detail;
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage(path, &readRecord);
  ASSERT_NE(back, 0u) << tftest::ErrorSlot().error << "/" << tftest::ErrorSlot().detail;
  const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
  EXPECT_EQ(read->formatIndex, c.format);
  EXPECT_EQ(read->dataType, c.dataType);
  EXPECT_EQ(read->width, width);
  EXPECT_EQ(read->height, height);
  if (c.palette) {
    PALETTEENTRY got[256], sent[256];
    const TFFILEDATA* written = static_cast<const TFFILEDATA*>(GlobalLock(record));
    UINT n = GetPaletteEntries(static_cast<HPALETTE>(written->palette), 0, 256, sent);
    ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(read->palette), 0, 256, got), n);
    for (UINT i = 0; i < n; ++i) EXPECT_EQ(std::memcmp(&got[i], &sent[i], 3), 0) << "entry " << i;
    GlobalUnlock(record);
  }
  GlobalUnlock(readRecord);
  if (c.bits == 1) {
    EXPECT_EQ(tftest::Pixels(back), MaskPadding(tftest::Pixels(image), width, height));
  } else {
    EXPECT_EQ(tftest::Pixels(back), tftest::Pixels(image));
  }
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(readRecord);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LosslessRoundTrip,
    testing::Values(Trip{"rgb.png", TF_FORMAT_PNG, 24, TF_DT_RGB, Smooth, false},
                    Trip{"palette256.png", TF_FORMAT_PNG, 8, TF_DT_INDEXED256, Indices, true},
                    Trip{"palette16.png", TF_FORMAT_PNG, 8, TF_DT_INDEXED16, Nibbles, true},
                    Trip{"grey.png", TF_FORMAT_PNG, 8, TF_DT_GREY, Smooth, false},
                    Trip{"bw.png", TF_FORMAT_PNG, 1, TF_DT_BW, Bits, false},
                    Trip{"palette256.gif", TF_FORMAT_GIF, 8, TF_DT_INDEXED256, Indices, true},
                    Trip{"palette16.gif", TF_FORMAT_GIF, 8, TF_DT_INDEXED16, Nibbles, true},
                    Trip{"grey.gif", TF_FORMAT_GIF, 8, TF_DT_GREY, Smooth, false},
                    Trip{"bw.gif", TF_FORMAT_GIF, 1, TF_DT_BW, Bits, false}),
    [](const testing::TestParamInfo<Trip>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (ch == '.') ch = '_';
      return name;
    });

int MaxDifference(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size()) return 256;
  int worst = 0;
  for (size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(int(a[i]) - int(b[i])));
  return worst;
}

TEST(JpegFormat, TrueColourAndGreyComeBackCloseWithTheirType) {
  for (LONG dataType : {TF_DT_RGB, TF_DT_GREY}) {
    HBUF image = tftest::MakeImage(dataType == TF_DT_RGB ? 24 : 8, 32, 16, Gentle);
    HGLOBAL record = NewRecord("C:\\smooth.jpg", TF_FORMAT_JPEG, dataType, false);
    ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
    HGLOBAL readRecord = 0;
    HBUF back = tftest::ReadImage("C:\\smooth.jpg", &readRecord);
    ASSERT_NE(back, 0u);
    const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
    EXPECT_EQ(read->dataType, dataType);
    EXPECT_EQ(read->colourModel, dataType == TF_DT_RGB ? TF_JPEG_YCBCR : TF_JPEG_GREY);
    EXPECT_EQ(read->compression, TF_COMPRESS_JPEG);
    GlobalUnlock(readRecord);
    EXPECT_LE(MaxDifference(tftest::Pixels(back), tftest::Pixels(image)), 12);
    buf32Free(back);
    buf32Free(image);
    tfFileFreeFileData(record);
    tfFileFreeFileData(readRecord);
  }
}

TEST(JpegFormat, PaletteImageIsStoredAsTrueColour) {
  HBUF image = tftest::MakeImage(8, 8, 8, [](LONG, LONG, LONG) -> std::uint8_t { return 1; });
  HGLOBAL record = tfFileNewFileData("C:\\palette.jpg", TF_FORMAT_JPEG);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
  data->dataType = TF_DT_INDEXED256;
  data->palette = tftest::MakeTestPalette({RGB(0, 0, 0), RGB(200, 40, 10)});
  GlobalUnlock(record);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  data = static_cast<TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->dataType, TF_DT_RGB);  // the record now describes the file
  EXPECT_EQ(data->palette, 0u);
  GlobalUnlock(record);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\palette.jpg", &readRecord);
  ASSERT_NE(back, 0u);
  Bytes pixels = tftest::Pixels(back);
  EXPECT_NEAR(pixels[0], 200, 6);
  EXPECT_NEAR(pixels[1], 40, 6);
  EXPECT_NEAR(pixels[2], 10, 6);
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(readRecord);
}

TEST(JpegFormat, BlackAndWhiteImageIsStoredAsGrey) {
  HBUF image = tftest::MakeImage(1, 16, 8, Bits);
  HGLOBAL record = tfFileNewFileData("C:\\bw.jpg", TF_FORMAT_JPEG);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
  data->dataType = TF_DT_BW;
  GlobalUnlock(record);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  data = static_cast<TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->dataType, TF_DT_GREY);  // the record now describes the file
  EXPECT_EQ(data->palette, 0u);
  GlobalUnlock(record);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\bw.jpg", &readRecord);
  ASSERT_NE(back, 0u);
  const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
  EXPECT_EQ(read->colourModel, TF_JPEG_GREY);
  EXPECT_EQ(read->dataType, TF_DT_GREY);
  GlobalUnlock(readRecord);
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(readRecord);
}

// A JPEG written with the library directly, colour space in and stored.
Bytes LibraryJpeg(J_COLOR_SPACE in, int components, J_COLOR_SPACE stored, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &memory, &size);
  info.image_width = 8;
  info.image_height = 8;
  info.input_components = components;
  info.in_color_space = in;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, stored);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(8 * components), 100);
  while (info.next_scanline < 8) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes out(memory, memory + size);
  std::free(memory);
  return out;
}

struct ModelCase {
  const char* name;
  J_COLOR_SPACE in;
  int components;
  J_COLOR_SPACE stored;
  LONG model;
  LONG markers;
  LONG dataType;
};

class JpegModels : public testing::TestWithParam<ModelCase> {};

TEST_P(JpegModels, RecordCarriesModelAndMarkers) {
  const ModelCase& c = GetParam();
  std::string path = tftest::PutFile(std::string("model_") + c.name + ".jpg", LibraryJpeg(c.in, c.components, c.stored, false));
  HGLOBAL record = tfFileGetFileData(path.c_str(), nullptr);
  ASSERT_NE(record, 0u) << tftest::ErrorSlot().error;
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->colourModel, c.model);
  EXPECT_EQ(data->jpegFlags, c.markers);
  EXPECT_EQ(data->dataType, c.dataType);
  EXPECT_EQ(data->formatIndex, TF_FORMAT_JPEG);
  GlobalUnlock(record);
  HBUF image = 0;
  EXPECT_EQ(tfFileRead(record, &image, nullptr), 1);
  buf32Free(image);
  tfFileFreeFileData(record);
}

INSTANTIATE_TEST_SUITE_P(
    Library, JpegModels,
    testing::Values(ModelCase{"grey", JCS_GRAYSCALE, 1, JCS_GRAYSCALE, TF_JPEG_GREY, TF_JPEG_FLAG_JFIF, TF_DT_GREY},
                    ModelCase{"rgb", JCS_RGB, 3, JCS_RGB, TF_JPEG_RGB, TF_JPEG_FLAG_ADOBE, TF_DT_RGB},
                    ModelCase{"ycbcr", JCS_RGB, 3, JCS_YCbCr, TF_JPEG_YCBCR, TF_JPEG_FLAG_JFIF, TF_DT_RGB},
                    ModelCase{"cmyk", JCS_CMYK, 4, JCS_CMYK, TF_JPEG_CMYK, TF_JPEG_FLAG_ADOBE, TF_DT_RGB},
                    ModelCase{"ycck", JCS_CMYK, 4, JCS_YCCK, TF_JPEG_YCCK, TF_JPEG_FLAG_ADOBE, TF_DT_RGB}),
    [](const testing::TestParamInfo<ModelCase>& info) { return info.param.name; });

TEST(JpegFormat, ProgressiveFlagFromFileAndSaveOption) {
  std::string path = tftest::PutFile("progressive.jpg", LibraryJpeg(JCS_RGB, 3, JCS_YCbCr, true));
  HGLOBAL record = tfFileGetFileData(path.c_str(), nullptr);
  ASSERT_NE(record, 0u);
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->jpegFlags, TF_JPEG_FLAG_PROGRESSIVE | TF_JPEG_FLAG_JFIF);
  GlobalUnlock(record);
  tfFileFreeFileData(record);

  HBUF image = tftest::MakeImage(24, 16, 16, Smooth);
  HGLOBAL out = tfFileNewFileData("C:\\written_progressive.jpg", TF_FORMAT_JPEG);
  TFFILEDATA* options = static_cast<TFFILEDATA*>(GlobalLock(out));
  options->jpegFlags = TF_JPEG_FLAG_PROGRESSIVE;
  GlobalUnlock(out);
  ASSERT_EQ(tfFileWrite(out, image, nullptr), 1);
  HGLOBAL again = tfFileGetFileData("C:\\written_progressive.jpg", nullptr);
  ASSERT_NE(again, 0u);
  data = static_cast<const TFFILEDATA*>(GlobalLock(again));
  EXPECT_TRUE(data->jpegFlags & TF_JPEG_FLAG_PROGRESSIVE);
  GlobalUnlock(again);
  buf32Free(image);
  tfFileFreeFileData(out);
  tfFileFreeFileData(again);
}

TEST(JpegFormat, QualityChangesTheFileSize) {
  HBUF image = tftest::MakeImage(24, 64, 64, Bits);
  LONG sizes[2] = {};
  for (int i = 0; i < 2; ++i) {
    HGLOBAL record = tfFileNewFileData("C:\\quality.jpg", TF_FORMAT_JPEG);
    TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
    data->jpegQuality = i == 0 ? 20 : 95;
    GlobalUnlock(record);
    ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
    data = static_cast<TFFILEDATA*>(GlobalLock(record));
    sizes[i] = data->fileSize;
    GlobalUnlock(record);
    tfFileFreeFileData(record);
  }
  EXPECT_LT(sizes[0] * 2, sizes[1]);
  buf32Free(image);
}

TEST(IndexedFormats, TransparentIndexAndInterlaceSurviveAWrite) {
  HBUF image = tftest::MakeImage(8, 9, 9, Nibbles);
  struct Case { const char* path; LONG format; LONG compression; } cases[] = {
      {"C:\\transparent.gif", TF_FORMAT_GIF, TF_COMPRESS_LZW}, {"C:\\transparent.png", TF_FORMAT_PNG, TF_COMPRESS_DEFLATE}};
  for (const Case& c : cases) {
    HGLOBAL record = NewRecord(c.path, c.format, TF_DT_INDEXED16, true);
    TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
    data->transparentIndex = 3;
    data->interlaced = 1;
    GlobalUnlock(record);
    ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
    HGLOBAL readRecord = tfFileGetFileData(c.path, nullptr);
    ASSERT_NE(readRecord, 0u);
    const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
    EXPECT_EQ(read->transparentIndex, 3) << c.path;
    EXPECT_EQ(read->transparentColour, RGB(3, 21, 252)) << c.path;
    EXPECT_EQ(read->interlaced, 1) << c.path;
    EXPECT_EQ(read->compression, c.compression) << c.path;
    GlobalUnlock(readRecord);
    tfFileFreeFileData(record);
    tfFileFreeFileData(readRecord);
  }
  buf32Free(image);
}

TEST(GifFormat, TrueColourWithFewColoursIsReducedWithoutLoss) {
  // 12 distinct colours: the optimised palette holds them all.
  HBUF image = tftest::MakeImage(24, 12, 4, [](LONG x, LONG, LONG byte) -> std::uint8_t {
    return static_cast<std::uint8_t>(x * 20 + byte * 70);
  });
  HGLOBAL record = tfFileNewFileData("C:\\reduced.gif", TF_FORMAT_GIF);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1) << tftest::ErrorSlot().error;
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  EXPECT_EQ(data->dataType, TF_DT_INDEXED256);
  GlobalUnlock(record);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\reduced.gif", &readRecord);
  ASSERT_NE(back, 0u);
  // Expand the indices through the file's palette and compare the colours.
  const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
  PALETTEENTRY entries[256] = {};
  GetPaletteEntries(static_cast<HPALETTE>(read->palette), 0, 256, entries);
  GlobalUnlock(readRecord);
  Bytes indices = tftest::Pixels(back), colours = tftest::Pixels(image);
  for (size_t p = 0; p < indices.size(); ++p) {
    const PALETTEENTRY& e = entries[indices[p]];
    EXPECT_EQ(e.peRed, colours[3 * p]);
    EXPECT_EQ(e.peGreen, colours[3 * p + 1]);
    EXPECT_EQ(e.peBlue, colours[3 * p + 2]);
  }
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(readRecord);
}

TEST(PngFormat, InterlaceOptionIsWrittenAndRead) {
  HBUF image = tftest::MakeImage(24, 10, 10, Smooth);
  for (LONG interlaced : {0, 1}) {
    HGLOBAL record = tfFileNewFileData("C:\\interlace.png", TF_FORMAT_PNG);
    TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
    data->interlaced = interlaced;
    data->xResolution = 1500000;  // 150 pixels per inch
    GlobalUnlock(record);
    ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
    HGLOBAL readRecord = tfFileGetFileData("C:\\interlace.png", nullptr);
    ASSERT_NE(readRecord, 0u);
    const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
    EXPECT_EQ(read->interlaced, interlaced);
    EXPECT_EQ(read->compression, TF_COMPRESS_DEFLATE);
    EXPECT_NEAR(read->xResolution, 1500000, 300);
    EXPECT_EQ(read->transparentIndex, -1);
    GlobalUnlock(readRecord);
    tfFileFreeFileData(record);
    tfFileFreeFileData(readRecord);
  }
  buf32Free(image);
}

TEST(PngFormat, HiColourIsStoredAsTrueColour) {
  HBUF image = tftest::MakeImage(16, 4, 4, [](LONG x, LONG, LONG byte) -> std::uint8_t {
    return byte ? 0x7C : static_cast<std::uint8_t>(x);  // red 31, blue x
  });
  HGLOBAL record = tfFileNewFileData("C:\\hicolour.png", TF_FORMAT_PNG);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\hicolour.png", &readRecord);
  ASSERT_NE(back, 0u);
  Bytes pixels = tftest::Pixels(back);
  EXPECT_EQ(pixels[0], 255);
  EXPECT_EQ(pixels[1], 0);
  EXPECT_EQ(pixels[3 * 3 + 2], (3 << 3) | (3 >> 2));
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(readRecord);
}

}  // namespace
