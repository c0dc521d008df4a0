// Bitmaps, cursors and icons from files.
#include "script_fixture.h"

namespace lvrctest {
namespace {

using Images = ScriptTest;

std::string Str(const Bytes& b) { return std::string(b.b.begin(), b.b.end()); }

// A BITMAPINFOHEADER followed by `extra` bytes of pixels.
Bytes InfoHeader(int32_t w, int32_t h, uint16_t bits, size_t extra) {
  Bytes b;
  b.u32(40).u32(static_cast<uint32_t>(w)).u32(static_cast<uint32_t>(h)).u16(1).u16(bits);
  for (int i = 0; i < 6; ++i) b.u32(0);
  for (size_t i = 0; i < extra; ++i) b.u8(static_cast<uint8_t>(i * 7));
  return b;
}

TEST_F(Images, BitmapLosesItsFileHeader) {
  Bytes dib = InfoHeader(2, 2, 24, 16);
  Bytes file;
  file.u8('B').u8('M').u32(static_cast<uint32_t>(14 + dib.b.size())).u32(0).u32(54);
  file.b.insert(file.b.end(), dib.b.begin(), dib.b.end());
  Write("pics/b.bmp", Str(file));
  auto c = Compile("#define IDB_X 124\nIDB_X BITMAP MOVEABLE PURE \"pics/b.bmp\"\n");
  const auto* d = FindData(c, 2, 124);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(*d, dib.b);
}

TEST_F(Images, CursorBecomesImageWithHotspotAndGroupDirectory) {
  Bytes image = InfoHeader(32, 64, 1, 8 + 128 + 128);
  Bytes file;
  file.u16(0).u16(2).u16(1);
  file.u8(32).u8(32).u8(0).u8(0).u16(5).u16(7).u32(static_cast<uint32_t>(image.b.size())).u32(22);
  file.b.insert(file.b.end(), image.b.begin(), image.b.end());
  Write("hand.cur", Str(file));
  auto c = Compile("111 CURSOR \"hand.cur\"\n");
  const auto* img = FindData(c, 1, 1);
  ASSERT_NE(img, nullptr);
  Bytes want;
  want.u16(5).u16(7);
  want.b.insert(want.b.end(), image.b.begin(), image.b.end());
  EXPECT_EQ(*img, want.b);
  const auto* group = FindData(c, 12, 111);
  ASSERT_NE(group, nullptr);
  Bytes g;
  g.u16(0).u16(2).u16(1).u16(32).u16(64).u16(1).u16(1).u32(static_cast<uint32_t>(image.b.size() + 4)).u16(1);
  EXPECT_EQ(*group, g.b);
}

TEST_F(Images, IconImagesGetTheirOwnNumbersAndAGroup) {
  Bytes a = InfoHeader(16, 32, 4, 64 + 32);
  Bytes b = InfoHeader(32, 64, 8, 16);
  Bytes file;
  file.u16(0).u16(1).u16(2);
  uint32_t offA = 6 + 32, offB = offA + static_cast<uint32_t>(a.b.size());
  file.u8(16).u8(16).u8(16).u8(0).u16(0).u16(0).u32(static_cast<uint32_t>(a.b.size())).u32(offA);
  file.u8(32).u8(32).u8(0).u8(0).u16(1).u16(8).u32(static_cast<uint32_t>(b.b.size())).u32(offB);
  file.b.insert(file.b.end(), a.b.begin(), a.b.end());
  file.b.insert(file.b.end(), b.b.begin(), b.b.end());
  Write("app.ico", Str(file));
  auto c = Compile("APPICON ICON \"app.ico\"\n");
  ASSERT_NE(FindData(c, 3, 1), nullptr);
  EXPECT_EQ(*FindData(c, 3, 1), a.b);
  EXPECT_EQ(*FindData(c, 3, 2), b.b);
  const lvrc::Resource* group = nullptr;
  for (const auto& r : c.resources)
    if (r.type.ordinal == 14) group = &r;
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->name.name, "APPICON");
  Bytes g;
  g.u16(0).u16(1).u16(2);
  g.u8(16).u8(16).u8(16).u8(0).u16(1).u16(4).u32(static_cast<uint32_t>(a.b.size())).u16(1);
  g.u8(32).u8(32).u8(0).u8(0).u16(1).u16(8).u32(static_cast<uint32_t>(b.b.size())).u16(2);
  EXPECT_EQ(group->data, g.b);
}

}  // namespace
}  // namespace lvrctest
