// The dispatcher: its list of formats with the TPI module loaded from the
// modules folder, reading and writing through a module (whole and band by
// band), failures and cancels, texts, and the format index.
#include <gtest/gtest.h>

#include <fileformats.h>
#include <formatindex.h>
#include <hostcommon.h>

#include <cstring>
#include <filesystem>

#include "testfiles.h"
#include "testsupport.h"

namespace {

using tftest::Bytes;

std::uint8_t Pattern(LONG x, LONG y, LONG byte) { return static_cast<std::uint8_t>(x * 11 + y * 3 + byte * 77); }

LONG TpiIndex() { return tfFileFindFormat("TPI"); }

TEST(FormatList, BuiltInFormatsFirstThenTheModule) {
  ASSERT_EQ(tfFileGetFileFmtNum(), 5);
  const char* names[] = {"BMP", "PNG", "JPG", "GIF", "TPI"};
  for (LONG i = 0; i < 5; ++i) {
    const TFFORMATINFO* info = tfFileGetFormatInfo(i);
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->shortName, names[i]);
    EXPECT_EQ(info->value0, 63);
    EXPECT_EQ(info->formatClass, 1);
    EXPECT_TRUE(info->capabilities & TF_CAN_WRITE);
  }
  EXPECT_STREQ(tfFileGetFormatInfo(4)->description, "Tavik Lumivex");
  EXPECT_EQ(tfFileGetFormatModule(0), 0u);
  EXPECT_NE(tfFileGetFormatModule(4), 0u);
  EXPECT_EQ(tfFileGetFormatInfo(5), nullptr);
  EXPECT_EQ(tfFileGetFormatInfo(-1), nullptr);
  EXPECT_EQ(tfFileGetFormatInfo(2)->dataTypes, TF_DT_RGB | TF_DT_GREY);
}

TEST(FormatList, FindsFormatsByNameAndExtension) {
  struct Case { const char* name; LONG index; } cases[] = {
      {"bmp", 0}, {"PNG", 1}, {"JPG", 2}, {"jpeg", 2}, {".JPEG", 2}, {"jpe", -1}, {"gif", 3}, {"tpi", 4}, {"tif", -1}, {"", -1}};
  for (const Case& c : cases) EXPECT_EQ(tfFileFindFormat(c.name), c.index) << c.name;
  EXPECT_EQ(tfFileFindFormat(nullptr), -1);
}

TEST(FormatList, ModulesFolderCanBeChosenAndBrokenModulesAreSkipped) {
  std::filesystem::path folder = lvtest::Prefix() / "C" / "fio";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(lvtest::StageDir() / "modules" / "tpiformat.fio", folder / "tpiformat.fio",
                             std::filesystem::copy_options::overwrite_existing);
  tftest::PutFile("fio\\junk.fio", {'n', 'o', 't'});
  tfFileSetModulesFolder("C:\\fio");
  EXPECT_EQ(tfFileGetFileFmtNum(), 5);
  tfFileSetModulesFolder("C:\\");
  EXPECT_EQ(tfFileGetFileFmtNum(), 4);
  EXPECT_EQ(tfFileFindFormat("TPI"), -1);
  tfFileSetModulesFolder(nullptr);
  EXPECT_EQ(tfFileGetFileFmtNum(), 5);
}

HGLOBAL RecordFor(const std::string& path, LONG format, LONG width, LONG height, LONG dataType) {
  HGLOBAL record = tfFileNewFileData(path.c_str(), format);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
  data->width = width;
  data->height = height;
  data->dataType = dataType;
  GlobalUnlock(record);
  return record;
}

TEST(TpiModule, WritesAndReadsThroughTheModule) {
  HBUF image = tftest::MakeImage(24, 7, 5, Pattern);
  HGLOBAL record = tfFileNewFileData("C:\\image.tpi", TpiIndex());
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1) << tftest::ErrorSlot().error;
  EXPECT_EQ(tftest::GetFile("C:\\image.tpi").size(), 54u + 24 * 5);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\image.tpi", &readRecord);
  ASSERT_NE(back, 0u) << tftest::ErrorSlot().error;
  const TFFILEDATA* read = static_cast<const TFFILEDATA*>(GlobalLock(readRecord));
  EXPECT_EQ(read->formatIndex, TpiIndex());
  EXPECT_EQ(std::string(read->formatTag, 4), "TPIF");
  EXPECT_EQ(read->formatNumber, TF_FORMAT_NUMBER_TPI);
  EXPECT_EQ(read->fileSize, 54 + 24 * 5);
  EXPECT_EQ(read->transparentIndex, -1);
  EXPECT_EQ(std::string(read->path), "C:\\image.tpi");
  GlobalUnlock(readRecord);
  EXPECT_EQ(tftest::Pixels(back), tftest::Pixels(image));
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(readRecord);
}

TEST(TpiModule, BandByBandGivesTheSameFile) {
  HBUF image = tftest::MakeImage(8, 9, 10, Pattern);
  HGLOBAL whole = RecordFor("C:\\whole.tpi", TpiIndex(), 9, 10, TF_DT_GREY);
  ASSERT_EQ(tfFileWrite(whole, image, nullptr), 1);
  HGLOBAL banded = RecordFor("C:\\banded.tpi", TpiIndex(), 9, 10, TF_DT_GREY);
  LONG writer = tfFileWriteBegin(banded);
  ASSERT_GT(writer, 0);
  for (LONG top = 0; top < 10; top += 4) {
    LONG rows = top + 4 <= 10 ? 4 : 10 - top;
    HBUF band = 0;
    ASSERT_TRUE(buf32GetBuf(image, 0, top, 9, rows, &band));
    ASSERT_EQ(tfFileWriteBand(writer, band, top, rows, nullptr), 1) << tftest::ErrorSlot().error;
    buf32Free(band);
  }
  ASSERT_EQ(tfFileWriteEnd(writer, TRUE), 1);
  EXPECT_EQ(tftest::GetFile("C:\\banded.tpi"), tftest::GetFile("C:\\whole.tpi"));
  buf32Free(image);
  tfFileFreeFileData(whole);
  tfFileFreeFileData(banded);
}

TEST(TpiModule, ARecordOfAnotherFormatIsWrittenAsTpi) {
  HBUF image = tftest::MakeImage(8, 4, 3, Pattern);
  HGLOBAL record = RecordFor("C:\\from.bmp", TF_FORMAT_BMP, 4, 3, TF_DT_INDEXED256);
  TFFILEDATA* data = static_cast<TFFILEDATA*>(GlobalLock(record));
  data->palette = tftest::MakeTestPalette({RGB(1, 2, 3), RGB(4, 5, 6)});
  GlobalUnlock(record);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  HGLOBAL bmp = tfFileGetFileData("C:\\from.bmp", nullptr);
  ASSERT_NE(bmp, 0u);
  data = static_cast<TFFILEDATA*>(GlobalLock(bmp));
  data->formatIndex = TpiIndex();
  std::strcpy(data->path, "C:\\to.tpi");
  GlobalUnlock(bmp);
  ASSERT_EQ(tfFileWrite(bmp, image, nullptr), 1);
  data = static_cast<TFFILEDATA*>(GlobalLock(bmp));
  EXPECT_EQ(std::string(data->formatTag, 4), "TPIF");
  EXPECT_EQ(data->privateLength, 41);
  EXPECT_EQ(GlobalSize(bmp), 777u);
  GlobalUnlock(bmp);
  HGLOBAL readRecord = 0;
  HBUF back = tftest::ReadImage("C:\\to.tpi", &readRecord);
  ASSERT_NE(back, 0u);
  EXPECT_EQ(tftest::Pixels(back), tftest::Pixels(image));
  buf32Free(back);
  buf32Free(image);
  tfFileFreeFileData(record);
  tfFileFreeFileData(bmp);
  tfFileFreeFileData(readRecord);
}

TEST(ScaledRead, SamplesTheImageForBuiltInFormatsAndTheModule) {
  // Pixel (x, y) is (x, y, 7).
  HBUF image = tftest::MakeImage(24, 8, 6, [](LONG x, LONG y, LONG byte) -> std::uint8_t {
    return static_cast<std::uint8_t>(byte == 0 ? x : byte == 1 ? y : 7);
  });
  for (const char* path : {"C:\\scaled.bmp", "C:\\scaled.png", "C:\\scaled.tpi"}) {
    HGLOBAL record = tfFileNewFileData(path, fmtGetFileFormatIndex(path));
    ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
    HBUF scaled = 0;
    ASSERT_EQ(tfFileReadScaled(record, 4, 3, &scaled), 1) << path << " " << tftest::ErrorSlot().error;
    LONG width = 0, height = 0;
    buf32GetWHU(scaled, &width, &height, nullptr);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
    Bytes pixels = tftest::Pixels(scaled);
    bool module = tfFileGetFormatModule(fmtGetFileFormatIndex(path)) != 0;
    for (LONG y = 0; y < 3; ++y) {
      for (LONG x = 0; x < 4; ++x) {
        const std::uint8_t* p = &pixels[static_cast<size_t>((y * 4 + x) * 3)];
        EXPECT_EQ(p[0], x * 2) << path;
        // The module samples rows from the bottom of the image upward.
        EXPECT_EQ(p[1], module ? y * 2 + 1 : y * 2) << path;
        EXPECT_EQ(p[2], 7) << path;
      }
    }
    buf32Free(scaled);
    EXPECT_EQ(tfFileReadScaled(record, 0, 3, &scaled), 0);
    EXPECT_EQ(scaled, 0u);
    tfFileFreeFileData(record);
  }
  buf32Free(image);
}

TEST(ScaledRead, OneBitImagesAreSampledBitByBit) {
  HBUF image = tftest::MakeImage(1, 16, 2, [](LONG, LONG y, LONG) -> std::uint8_t { return y ? 0x0F : 0xCC; });
  HGLOBAL record = tfFileNewFileData("C:\\bits.bmp", TF_FORMAT_BMP);
  ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
  HBUF scaled = 0;
  ASSERT_EQ(tfFileReadScaled(record, 8, 2, &scaled), 1);
  // Every second pixel: 11001100 11001100 -> 1010 1010, 00001111 00001111 -> 0011 0011.
  EXPECT_EQ(tftest::Pixels(scaled), (Bytes{0xAA, 0x33}));
  buf32Free(scaled);
  buf32Free(image);
  tfFileFreeFileData(record);
}

struct DescribeCase {
  const char* name;
  Bytes bytes;
  const char* hint;
  LONG error;      // 0: described
  LONG format;
};

TEST(Describe, ContentDecidesAndFailuresAreClear) {
  HBUF image = tftest::MakeImage(24, 2, 2, Pattern);
  HGLOBAL png = tfFileNewFileData("C:\\real.png", TF_FORMAT_PNG);
  ASSERT_EQ(tfFileWrite(png, image, nullptr), 1);
  Bytes pngBytes = tftest::GetFile("C:\\real.png");
  DescribeCase cases[] = {
      {"png_named.bmp", pngBytes, nullptr, 0, TF_FORMAT_PNG},
      {"png_named.dat", pngBytes, "GIF", 0, TF_FORMAT_PNG},
      {"text.txt", {'h', 'e', 'l', 'l', 'o'}, nullptr, 4005, -1},
      {"empty.png", {}, nullptr, 4005, -1},
      {"cut.png", Bytes(pngBytes.begin(), pngBytes.begin() + 20), nullptr, 4020, -1},
      {"tpi_signature_only.tpi", {'T', 'A', 0, 0}, nullptr, 7020, -1},
  };
  for (const DescribeCase& c : cases) {
    c32ResetDLLErrInfo();
    std::string path = tftest::PutFile(c.name, c.bytes);
    HGLOBAL record = tfFileGetFileData(path.c_str(), c.hint);
    tftest::Slot slot = tftest::ErrorSlot();
    if (c.error == 0) {
      ASSERT_NE(record, 0u) << c.name << " error " << slot.error;
      const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
      EXPECT_EQ(data->formatIndex, c.format) << c.name;
      GlobalUnlock(record);
      tfFileFreeFileData(record);
    } else {
      EXPECT_EQ(record, 0u) << c.name;
      EXPECT_EQ(slot.error, c.error) << c.name;
    }
  }
  // A module's own message survives the other formats being tried after it.
  c32ResetDLLErrInfo();
  std::string tpi = tftest::PutFile("tpi_signature_again.tpi", {'T', 'A', 0, 0});
  EXPECT_EQ(tfFileGetFileData(tpi.c_str(), nullptr), 0u);
  char text[256] = {};
  EXPECT_EQ(lvGetDLLErrInfoMessage(text, sizeof text), 7020);
  EXPECT_STREQ(text, "Unbekanntes Dateiformat.");
  c32ResetDLLErrInfo();
  EXPECT_EQ(tfFileGetFileData("C:\\missing.png", nullptr), 0u);
  EXPECT_EQ(tftest::ErrorSlot().error, 4027);
  EXPECT_EQ(tfFileGetFileData(nullptr, nullptr), 0u);
  EXPECT_EQ(tftest::ErrorSlot().error, 3200);
  buf32Free(image);
  tfFileFreeFileData(png);
}

// Read callback that stops at the third row with its result.
LONG g_stopResult = 0;
int g_rowsSeen = 0;
LONG WINAPI StopAtThirdRow(TFTRANSFER*, LONG, LONG, LONG, LONG, BYTE**, LONG, LONG, LONG) {
  return ++g_rowsSeen == 3 ? g_stopResult : 1;
}

TEST(Callbacks, ReadStopsWithTheCallbacksResult) {
  HBUF image = tftest::MakeImage(24, 5, 6, Pattern);
  for (LONG format : {TF_FORMAT_BMP, TF_FORMAT_PNG, TpiIndex()}) {
    std::string path = std::string("C:\\stop.") + tfFileGetFormatInfo(format)->extensions;
    path = path.substr(0, path.find(';'));
    HGLOBAL record = tfFileNewFileData(path.c_str(), format);
    ASSERT_EQ(tfFileWrite(record, image, nullptr), 1);
    for (LONG stop : {0, -1}) {
      c32ResetDLLErrInfo();
      g_rowsSeen = 0;
      g_stopResult = stop;
      HBUF back = 123;
      EXPECT_EQ(tfFileRead(record, &back, StopAtThirdRow), stop) << path;
      EXPECT_EQ(back, 0u);
      EXPECT_EQ(g_rowsSeen, 3);
      EXPECT_EQ(tftest::ErrorSlot().error, stop < 0 ? 5200 : 4020) << path;
    }
    g_rowsSeen = 0;
    g_stopResult = 1;
    HBUF back = 0;
    EXPECT_EQ(tfFileRead(record, &back, StopAtThirdRow), 1);
    EXPECT_EQ(g_rowsSeen, 6);
    buf32Free(back);
    tfFileFreeFileData(record);
  }
  buf32Free(image);
}

int g_rowsAsked = 0;
BYTE** WINAPI CancelAtSecondRow(TFTRANSFER*, LONG, LONG, LONG, LONG, LONG, LONG, LONG) {
  static BYTE* dummy = nullptr;
  return ++g_rowsAsked == 2 ? TF_WRITE_CANCELLED : &dummy;
}

TEST(Callbacks, CancelledWriteLeavesNoFile) {
  HBUF image = tftest::MakeImage(24, 5, 6, Pattern);
  for (const char* path : {"C:\\cancel.bmp", "C:\\cancel.png", "C:\\cancel.tpi", "C:\\cancel.jpg"}) {
    HGLOBAL record = tfFileNewFileData(path, fmtGetFileFormatIndex(path));
    g_rowsAsked = 0;
    c32ResetDLLErrInfo();
    EXPECT_EQ(tfFileWrite(record, image, CancelAtSecondRow), -1) << path;
    EXPECT_EQ(tftest::ErrorSlot().error, 5200) << path;
    EXPECT_FALSE(tfIsFileExist(path)) << path;
    EXPECT_FALSE(tfIsFileExist((std::string(path) + ".lvtmp").c_str())) << path;
    tfFileFreeFileData(record);
  }
  buf32Free(image);
}

TEST(Write, FailuresAreReported) {
  HBUF image = tftest::MakeImage(24, 3, 3, Pattern);
  HBUF grey = tftest::MakeImage(8, 3, 3, Pattern);
  c32ResetDLLErrInfo();
  HGLOBAL missingFolder = tfFileNewFileData("C:\\no\\such\\folder\\x.bmp", TF_FORMAT_BMP);
  EXPECT_EQ(tfFileWrite(missingFolder, image, nullptr), 0);
  EXPECT_EQ(tftest::ErrorSlot().error, 4008);
  // A record that says true colour for an 8-bit buffer.
  HGLOBAL mismatch = RecordFor("C:\\mismatch.bmp", TF_FORMAT_BMP, 3, 3, TF_DT_RGB);
  EXPECT_EQ(tfFileWrite(mismatch, grey, nullptr), 0);
  EXPECT_EQ(tftest::ErrorSlot().error, 3200);
  EXPECT_EQ(tfFileNewFileData("C:\\x.bmp", 99), 0u);
  EXPECT_EQ(tfFileRead(0, nullptr, nullptr), 0);
  EXPECT_EQ(tftest::ErrorSlot().error, 3200);
  // Bands that do not fit the image.
  HGLOBAL record = RecordFor("C:\\bands.bmp", TF_FORMAT_BMP, 3, 3, TF_DT_RGB);
  LONG writer = tfFileWriteBegin(record);
  ASSERT_GT(writer, 0);
  EXPECT_EQ(tfFileWriteBand(writer, grey, 0, 3, nullptr), 0);
  EXPECT_EQ(tfFileWriteBand(writer, image, 1, 3, nullptr), 0);
  EXPECT_EQ(tfFileWriteBand(writer + 1000, image, 0, 3, nullptr), 0);
  EXPECT_EQ(tfFileWriteEnd(writer, FALSE), 1);
  EXPECT_FALSE(tfIsFileExist("C:\\bands.bmp"));
  EXPECT_EQ(tfFileWriteEnd(writer, TRUE), 0);  // already closed
  buf32Free(image);
  buf32Free(grey);
  tfFileFreeFileData(missingFolder);
  tfFileFreeFileData(mismatch);
  tfFileFreeFileData(record);
}

TEST(Texts, FileSizesAreGroupedWithTheProfilesSeparator) {
  struct Case { DWORD size; LONG mode; const char* text; } cases[] = {
      {0, 1, "0 Bytes"},          {999, 1, "999 Bytes"},       {30000, 1, "30,000 Bytes"},
      {101376, 1, "101,376 Bytes"}, {101377, 1, "99 KB"},      {3000000, 1, "2,930 KB"},
      {1234567, 0, "1,234,567"},  {1000, 0, "1,000"},          {4294967295u, 1, "4,194,304 KB"}};
  char text[64], kept[8] = {};
  GetProfileStringA("intl", "sThousand", "", kept, sizeof kept);
  WriteProfileStringA("intl", "sThousand", ",");
  for (const Case& c : cases) {
    EXPECT_EQ(t32FileSizeToAscii(c.size, text, c.mode), static_cast<LONG>(std::strlen(c.text)));
    EXPECT_STREQ(text, c.text);
  }
  WriteProfileStringA("intl", "sThousand", ".");
  t32FileSizeToAscii(30000, text, 1);
  EXPECT_STREQ(text, "30.000 Bytes");
  WriteProfileStringA("intl", "sThousand", kept[0] ? kept : nullptr);
}

TEST(Texts, FileExistenceAndCompressionNames) {
  tftest::PutFile("exists.txt", {'x'});
  EXPECT_TRUE(tfIsFileExist("C:\\exists.txt"));
  EXPECT_TRUE(tfIsFileExist("C:\\EXISTS.TXT"));
  EXPECT_FALSE(tfIsFileExist("C:\\"));
  EXPECT_FALSE(tfIsFileExist("C:\\nothing.txt"));
  EXPECT_FALSE(tfIsFileExist(""));
  char text[16];
  tfFileGetCompressionText(TF_COMPRESS_LZW, text, sizeof text);
  EXPECT_STREQ(text, "LZW");
  tfFileGetCompressionText(TF_COMPRESS_NONE, text, sizeof text);
  EXPECT_STREQ(text, "Keine");
  tfFileGetCompressionText(TF_COMPRESS_DEFLATE, text, 4);
  EXPECT_STREQ(text, "Def");
}

TEST(FormatIndex, PathsClassesAndInformation) {
  HBUF image = tftest::MakeImage(24, 2, 2, Pattern);
  HGLOBAL gif = tfFileNewFileData("C:\\content.gif", TF_FORMAT_GIF);
  ASSERT_EQ(tfFileWrite(gif, image, nullptr), 1);
  std::filesystem::copy_file(lvtest::Prefix() / "C" / "content.gif", lvtest::Prefix() / "C" / "content.dat");
  struct Case { const char* path; LONG index; } cases[] = {
      {"C:\\html\\thm1.gif", TF_FORMAT_GIF}, {"thm2.JPG", TF_FORMAT_JPEG}, {"a.b\\c.jpeg", TF_FORMAT_JPEG},
      {"picture.tpi", TpiIndex()},          {"C:\\content.dat", TF_FORMAT_GIF}, {"C:\\none.dat", -1},
      {"a.b\\noextension", -1},             {"", -1}};
  for (const Case& c : cases) EXPECT_EQ(fmtGetFileFormatIndex(c.path), c.index) << c.path;
  EXPECT_EQ(fmtGetFormatCount(FMT_CLASS_IMAGE), tfFileGetFileFmtNum());
  EXPECT_EQ(fmtGetFormatCount(2), 0);
  EXPECT_EQ(fmtGetFileFormatInfoPtr(TF_FORMAT_GIF), tfFileGetFormatInfo(TF_FORMAT_GIF));
  EXPECT_EQ(fmtGetFileFormatInfoPtr(-1), nullptr);
  buf32Free(image);
  tfFileFreeFileData(gif);
}

}  // namespace
