// Shape images: the BMP file checks in their order, conversion to grey,
// files, the fallback folder's absence, and the module's own bitmaps.
#include <gtest/gtest.h>

#include <effect/common.h>
#include <hostcommon.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../shapes.h"
#include "support.h"
#include "testsupport.h"

namespace texfx {
namespace {

// A source over its own copy of the bytes.
class OwnedSource : public ByteSource {
 public:
  explicit OwnedSource(std::vector<BYTE> bytes)
      : bytes_(std::move(bytes)), source_(bytes_.data(), Size(bytes_)) {}
  DWORD Size() const override { return source_.Size(); }
  bool Read(void* to, DWORD count) override { return source_.Read(to, count); }

 private:
  static DWORD Size(const std::vector<BYTE>& b) { return static_cast<DWORD>(b.size()); }
  std::vector<BYTE> bytes_;
  MemorySource source_;
};

void Put32(std::vector<BYTE>* bytes, size_t at, DWORD value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// A BMP file of width x 1 pixels, 24-bit, pixels (r, g, b) given.
std::vector<BYTE> Bmp24(const std::vector<BYTE>& rgb) {
  const DWORD width = static_cast<DWORD>(rgb.size() / 3);
  const DWORD rowBytes = (width * 3 + 3) & ~3u;
  std::vector<BYTE> file(14 + 40 + rowBytes, 0);
  file[0] = 'B';
  file[1] = 'M';
  Put32(&file, 2, static_cast<DWORD>(file.size()));
  Put32(&file, 10, 54);
  Put32(&file, 14, 40);
  Put32(&file, 18, width);
  Put32(&file, 22, 1);
  file[26] = 1;
  file[28] = 24;
  for (DWORD x = 0; x < width; ++x) {  // stored blue, green, red
    file[54 + x * 3] = rgb[x * 3 + 2];
    file[54 + x * 3 + 1] = rgb[x * 3 + 1];
    file[54 + x * 3 + 2] = rgb[x * 3];
  }
  return file;
}

struct HeaderCase {
  const char* name;
  std::vector<BYTE> (*make)();
  LONG code;
};

std::vector<BYTE> Valid() { return Bmp24({255, 255, 255, 0, 0, 0}); }
std::vector<BYTE> Short() { return std::vector<BYTE>{'B', 'M', 0, 0}; }
std::vector<BYTE> NotBm() {
  auto b = Valid();
  b[0] = 'P';
  return b;
}
std::vector<BYTE> SizeBeyondFile() {
  auto b = Valid();
  Put32(&b, 2, static_cast<DWORD>(b.size() + 1));
  return b;
}
std::vector<BYTE> SizeBelowHeader() {
  auto b = Valid();
  Put32(&b, 2, 20);
  return b;
}
std::vector<BYTE> HugeSize() {
  auto b = Valid();
  Put32(&b, 2, 0xFFFFFFF0u);
  return b;
}
std::vector<BYTE> InfoSize64() {
  auto b = Valid();
  Put32(&b, 14, 64);
  return b;
}
std::vector<BYTE> CoreHeader() {
  auto b = Valid();
  Put32(&b, 14, 12);
  return b;
}

class PackedBitmapTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(PackedBitmapTest, ChecksInOrder) {
  const HeaderCase& c = GetParam();
  OwnedSource source(c.make());
  HGLOBAL dib = 1;
  EXPECT_EQ(ReadPackedBitmap(&source, &dib), c.code);
  if (c.code == 0) {
    ASSERT_NE(dib, 0u);
    GlobalFree(dib);
  } else {
    EXPECT_EQ(dib, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PackedBitmapTest,
    testing::Values(HeaderCase{"Valid", Valid, 0}, HeaderCase{"Short", Short, 4020},
                    HeaderCase{"NotBm", NotBm, 4005},
                    HeaderCase{"SizeBeyondFile", SizeBeyondFile, 4020},
                    HeaderCase{"SizeBelowHeader", SizeBelowHeader, 4005},
                    HeaderCase{"HugeSize", HugeSize, 4005},
                    HeaderCase{"InfoSize64", InfoSize64, 4005},
                    HeaderCase{"CoreHeaderSizeAccepted", CoreHeader, 0}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

TEST(ShapeTest, ColourBitmapBecomesGrey) {
  OwnedSource source(Bmp24({255, 255, 255, 0, 0, 0, 255, 0, 0}));
  HGLOBAL dib = 0;
  ASSERT_EQ(ReadPackedBitmap(&source, &dib), 0);
  HBUF shape = 0;
  texfxtest::LeakProbe probe;
  ASSERT_EQ(ShapeFromPackedBitmap(dib, &shape), 0);
  GlobalFree(dib);
  BUFINFO info = {};
  ASSERT_TRUE(buf32GetInfo(shape, &info));
  EXPECT_EQ(info.pixelFormat, 8);
  EXPECT_EQ(texfxtest::Bytes(shape), (std::vector<BYTE>{255, 0, 76}));
  EXPECT_EQ(probe.Leaked({shape}), std::vector<HBUF>{}) << "the colour buffer is freed";
  buf32Free(shape);
}

// Writes bytes to a file in the prefix's drive C: and returns its Windows path.
std::string WriteDriveFile(const char* name, const std::vector<BYTE>& bytes) {
  std::filesystem::create_directories(lvtest::Prefix() / "C");
  const auto path = lvtest::Prefix() / "C" / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return std::string("C:\\") + name;
}

TEST(ShapeTest, FilesAndTheirFailures) {
  HBUF shape = 0;
  EXPECT_EQ(LoadShapeFile(WriteDriveFile("form.bmp", Valid()).c_str(), &shape), 0);
  EXPECT_EQ(texfxtest::SizeOf(shape).cx, 2);
  buf32Free(shape);
  shape = 0;
  EXPECT_EQ(LoadShapeFile("C:\\fehlt.bmp", &shape), 4004);
  EXPECT_EQ(LoadShapeFile(WriteDriveFile("kaputt.bmp", NotBm()).c_str(), &shape), 4005);
  EXPECT_EQ(shape, 0u);
}

TEST(ShapeTest, RendererShapeReportsMissingFilesAs4003) {
  HBUF shape = 0;
  c32ResetDLLErrInfo();
  EXPECT_EQ(LoadRendererShape("C:\\nirgends\\form.bmp", 124, &shape), 4003);
  LONG unit = 0;
  EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, nullptr, nullptr), 4003);
  EXPECT_EQ(unit, 71750);
  char text[300] = {};
  lvGetDLLErrInfoMessage(text, sizeof text);
  EXPECT_STREQ(text, "Die Datei C:\\nirgends\\form.bmp konnte nicht geladen werden.");
  EXPECT_EQ(LoadRendererShape(WriteDriveFile("nicht.bmp", NotBm()).c_str(), 124, &shape), 4005);
  EXPECT_EQ(shape, 0u);
}

// The shapes folder "..\frmmask" beside the module's folder, as a Unix path.
std::filesystem::path ShapesFolder() {
  char module[MAX_PATH] = {}, unixPath[MAX_PATH * 2] = {};
  if (!GetModuleFileNameA(effect::ModuleInstance(), module, MAX_PATH) ||
      !lvWinPathToUnix(module, unixPath, sizeof unixPath))
    return {};
  return std::filesystem::path(unixPath).parent_path().parent_path() / "frmmask";
}

TEST(ShapeTest, ShapesFolderStandsInForAMissingOrBrokenFile) {
  const std::filesystem::path folder = ShapesFolder();
  ASSERT_FALSE(folder.empty());
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / "ersatz.bmp";
  const std::vector<BYTE> valid = Valid();
  std::ofstream(copy, std::ios::binary)
      .write(reinterpret_cast<const char*>(valid.data()), static_cast<std::streamsize>(valid.size()));
  for (const std::string& path :
       {std::string("C:\\nirgends\\ersatz.bmp"), WriteDriveFile("ersatz.bmp", NotBm())}) {
    HBUF shape = 0;
    EXPECT_EQ(LoadRendererShape(path.c_str(), 124, &shape), 0) << path;
    EXPECT_EQ(texfxtest::SizeOf(shape).cx, 2) << path;
    if (shape) buf32Free(shape);
  }
  std::filesystem::remove(copy);
  std::error_code ignored;
  std::filesystem::remove(folder, ignored);  // only when it was made here and is empty
}

TEST(ShapeTest, UnterminatedPathFieldIsCut) {
  std::string file = WriteDriveFile("lang.bmp", Valid());
  char field[kPathSize + 8];
  std::memset(field, 'x', sizeof field);
  std::memcpy(field, file.c_str(), file.size());  // no terminator within the field
  HBUF shape = 0;
  EXPECT_EQ(LoadRendererShape(field, 124, &shape), 4003);
}

TEST(ShapeTest, ModuleBitmapsAreGreyShapes) {
  for (UINT id : {124u, 125u}) {
    HBUF shape = 0;
    ASSERT_EQ(LoadRendererShape(nullptr, id, &shape), 0) << id;
    BUFINFO info = {};
    ASSERT_TRUE(buf32GetInfo(shape, &info));
    EXPECT_EQ(info.pixelFormat, 8);
    EXPECT_EQ(info.width, id == 124 ? 64 : 128);
    const std::vector<BYTE> bytes = texfxtest::Bytes(shape);
    if (id == 124) {
      EXPECT_EQ(bytes.front(), 0) << "the punch has a black corner";
      EXPECT_EQ(bytes[32 * 64 + 32], 255) << "and a white centre";
    } else {
      const auto [low, high] = std::minmax_element(bytes.begin(), bytes.end());
      EXPECT_LT(*low, 80) << "dark joints";
      EXPECT_GT(*high, 200) << "bright cobbles";
    }
    buf32Free(shape);
  }
}

}  // namespace
}  // namespace texfx
