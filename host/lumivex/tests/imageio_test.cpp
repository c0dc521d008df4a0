// Image files: round trips through PNG and BMP, the PNG and BMP variants the
// reader accepts, and broken files refused with an error.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "atomicfile.h"
#include "imageio.h"
#include "testsupport.h"

namespace fs = std::filesystem;
using lvhost::Image;

namespace {

fs::path TempDir() {
  fs::path dir = lvtest::Prefix() / "imageio";
  fs::create_directories(dir);
  return dir;
}

Image Pattern(int w, int h, int channels) {
  Image image;
  std::string error;
  EXPECT_TRUE(lvhost::MakeImage(w, h, channels, &image, &error));
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7 + i / 5);
  return image;
}

std::string Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// Writes a PNG of any libpng format with the simplified interface.
void WritePngFormat(const fs::path& p, int w, int h, png_uint_32 format, const std::vector<uint8_t>& data,
                    const std::vector<uint8_t>* colormap = nullptr, int entries = 0) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = w;
  png.height = h;
  png.format = format;
  png.colormap_entries = entries;
  ASSERT_TRUE(png_image_write_to_file(&png, p.c_str(), 0, data.data(), 0,
                                      colormap ? colormap->data() : nullptr));
}

}  // namespace

TEST(ImageIo, RoundTripsKeepEveryPixel) {
  struct Case { const char* name; int w, h, channels; } cases[] = {
      {"rgb.png", 13, 7, 3}, {"grey.png", 5, 9, 1}, {"rgb.bmp", 13, 7, 3},
      {"grey.bmp", 5, 9, 1}, {"one.bmp", 1, 1, 3},  {"wide.PNG", 301, 2, 3},
  };
  for (const Case& c : cases) {
    Image in = Pattern(c.w, c.h, c.channels), out;
    std::string error;
    fs::path p = TempDir() / c.name;
    ASSERT_TRUE(lvhost::WriteImageFile(p.string(), in, &error)) << c.name << ": " << error;
    ASSERT_TRUE(lvhost::ReadImageFile(p.string(), &out, &error)) << c.name << ": " << error;
    EXPECT_EQ(out.width, c.w) << c.name;
    EXPECT_EQ(out.height, c.h) << c.name;
    EXPECT_EQ(out.channels, c.channels) << c.name;
    EXPECT_EQ(out.pixels, in.pixels) << c.name;
  }
}

TEST(ImageIo, PngVariantsBecomeRgbOrGrey) {
  fs::path dir = TempDir();
  std::string error;
  Image out;
  // RGBA: opaque pixels keep their colour, transparent ones turn white.
  WritePngFormat(dir / "rgba.png", 2, 1, PNG_FORMAT_RGBA, {10, 20, 30, 255, 10, 20, 30, 0});
  ASSERT_TRUE(lvhost::ReadImageFile((dir / "rgba.png").string(), &out, &error)) << error;
  EXPECT_EQ(out.channels, 3);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{10, 20, 30, 255, 255, 255}));
  // Grey with alpha stays grey.
  WritePngFormat(dir / "ga.png", 2, 1, PNG_FORMAT_GA, {100, 255, 100, 0});
  ASSERT_TRUE(lvhost::ReadImageFile((dir / "ga.png").string(), &out, &error)) << error;
  EXPECT_EQ(out.channels, 1);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{100, 255}));
  // Palette image: colours come out as RGB.
  std::vector<uint8_t> map = {255, 0, 0, 0, 0, 255};
  WritePngFormat(dir / "pal.png", 3, 1, PNG_FORMAT_RGB_COLORMAP, {0, 1, 0}, &map, 2);
  ASSERT_TRUE(lvhost::ReadImageFile((dir / "pal.png").string(), &out, &error)) << error;
  EXPECT_EQ(out.channels, 3);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{255, 0, 0, 0, 0, 255, 255, 0, 0}));
}

namespace {

// A BMP with a 40-byte header, the given bit depth, palette and rows as
// stored in the file (bottom-up unless height is negative).
std::string MakeBmp(int w, int h, int bits, const std::vector<uint32_t>& palette,
                    const std::string& rows, uint32_t compression = 0) {
  auto put32 = [](std::string& s, uint32_t v) { for (int i = 0; i < 4; ++i) s.push_back(char(v >> (8 * i))); };
  auto put16 = [](std::string& s, uint16_t v) { s.push_back(char(v)); s.push_back(char(v >> 8)); };
  std::string s = "BM";
  uint32_t offset = 14 + 40 + 4 * palette.size();
  put32(s, offset + rows.size()); put32(s, 0); put32(s, offset);
  put32(s, 40); put32(s, w); put32(s, uint32_t(h)); put16(s, 1); put16(s, bits);
  put32(s, compression); put32(s, rows.size()); put32(s, 0); put32(s, 0);
  put32(s, palette.size()); put32(s, 0);
  for (uint32_t c : palette) put32(s, c);
  return s + rows;
}

}  // namespace

TEST(ImageIo, BmpDepthsDecode) {
  struct Case {
    const char* name;
    std::string file;
    int channels;
    std::vector<uint8_t> pixels;
  } cases[] = {
      // 1 bit, 3 pixels: 1 0 1 with palette black/white -> grey.
      {"1-bit grey", MakeBmp(3, 1, 1, {0x000000, 0xffffff}, std::string("\xa0\0\0\0", 4)), 1, {255, 0, 255}},
      // 4 bits, two colours red/blue -> RGB.
      {"4-bit", MakeBmp(2, 1, 4, {0xff0000, 0x0000ff}, std::string("\x10\0\0\0", 4)), 3, {0, 0, 255, 255, 0, 0}},
      // 8 bits, two rows bottom-up.
      {"8-bit rows", MakeBmp(1, 2, 8, {0x102030, 0x405060}, std::string("\x00\0\0\0\x01\0\0\0", 8)), 3,
       {0x40, 0x50, 0x60, 0x10, 0x20, 0x30}},
      // 24 bits top-down (negative height), BGR in the file.
      {"24-bit top-down", MakeBmp(1, -2, 24, {}, std::string("\x01\x02\x03\0\x04\x05\x06\0", 8)), 3,
       {3, 2, 1, 6, 5, 4}},
      // 32 bits, BGRX.
      {"32-bit", MakeBmp(2, 1, 32, {}, std::string("\x01\x02\x03\xff\x04\x05\x06\xff", 8)), 3,
       {3, 2, 1, 6, 5, 4}},
  };
  for (const Case& c : cases) {
    Image out;
    std::string error;
    ASSERT_TRUE(lvhost::DecodeBmp(reinterpret_cast<const unsigned char*>(c.file.data()), c.file.size(), &out, &error))
        << c.name << ": " << error;
    EXPECT_EQ(out.channels, c.channels) << c.name;
    EXPECT_EQ(out.pixels, c.pixels) << c.name;
  }
}

TEST(ImageIo, BrokenFilesAreRefusedCleanly) {
  fs::path dir = TempDir();
  Image good = Pattern(4, 3, 3);
  std::string error;
  ASSERT_TRUE(lvhost::WriteImageFile((dir / "good.png").string(), good, &error));
  ASSERT_TRUE(lvhost::WriteImageFile((dir / "good.bmp").string(), good, &error));
  std::string png = Bytes(dir / "good.png"), bmp = Bytes(dir / "good.bmp");
  std::string hugeBmp = MakeBmp(100000, 100000, 24, {}, "");
  struct Case { const char* name; std::string bytes; } cases[] = {
      {"empty.png", ""},
      {"text.png", "hello, this is not an image"},
      {"cut.png", png.substr(0, png.size() / 2)},
      {"header-only.png", png.substr(0, 8)},
      {"cut.bmp", bmp.substr(0, bmp.size() - 5)},
      {"header-only.bmp", bmp.substr(0, 20)},
      {"huge.bmp", hugeBmp},
      {"rle.bmp", MakeBmp(1, 1, 8, {0}, std::string(4, '\0'), 1)},
      {"depth16.bmp", MakeBmp(1, 1, 16, {}, std::string(4, '\0'))},
      {"bigpalette.bmp", MakeBmp(1, 1, 1, {0, 1, 2, 3}, std::string(4, '\0'))},
  };
  for (const Case& c : cases) {
    WriteBytes(dir / c.name, c.bytes);
    Image out;
    error.clear();
    EXPECT_FALSE(lvhost::ReadImageFile((dir / c.name).string(), &out, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
  EXPECT_FALSE(lvhost::ReadImageFile((dir / "missing.png").string(), &good, &error));
  EXPECT_NE(error.find("missing.png"), std::string::npos) << error;
}

TEST(ImageIo, FailedWritesLeaveNothing) {
  fs::path dir = TempDir() / "failed";
  fs::create_directories(dir);
  Image image = Pattern(3, 3, 3);
  std::string error;
  EXPECT_FALSE(lvhost::WriteImageFile((dir / "out.jpg").string(), image, &error));
  EXPECT_FALSE(lvhost::WriteImageFile((dir / "no-such-dir" / "out.png").string(), image, &error));
  EXPECT_TRUE(fs::is_empty(dir)) << "left behind: " << fs::directory_iterator(dir)->path();
  // A write that fails inside leaves the earlier file untouched.
  lvhost::WriteBytesAtomically((dir / "keep.bin").string(), "old", 3, &error);
  EXPECT_FALSE(lvhost::WriteFileAtomically(
      (dir / "keep.bin").string(), [](const std::string&, std::string* why) { *why = "boom"; return false; },
      &error));
  EXPECT_EQ(error, "boom");
  EXPECT_EQ(Bytes(dir / "keep.bin"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}
