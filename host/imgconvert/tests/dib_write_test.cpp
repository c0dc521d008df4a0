// Buffers to packed bitmaps and back for every data type, and the
// bitmap-to-bitmap conversions.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <imgconvert.h>

#include <string>

#include "dib_builder.h"

namespace {

using cvttest::BuildDib;
using cvttest::Colours;
using cvttest::DibPlan;
using cvttest::GlobalBlock;
using cvttest::Image;
using cvttest::MakeBuffer;
using cvttest::MakePalette;
using cvttest::Pixels;

uint32_t Dword(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

std::vector<uint8_t> BlockBytes(HGLOBAL block) {
  std::vector<uint8_t> out(GlobalSize(block));
  const void* p = GlobalLock(block);
  if (p && !out.empty()) std::memcpy(out.data(), p, out.size());
  GlobalUnlock(block);
  return out;
}

struct RoundTripCase {
  const char* name;
  LONG type;
  LONG format;
  LONG width;
  std::vector<uint8_t> rows;  // two rows
  std::vector<uint32_t> palette;
  uint16_t bitCount;          // of the bitmap written
  uint32_t clrUsed;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, BufferToBitmapAndBack) {
  const RoundTripCase& c = GetParam();
  HBUF source = MakeBuffer(c.format, c.width, 2, c.rows);
  HPALETTE palette = c.palette.empty() ? 0 : MakePalette(c.palette);
  GlobalBlock dib(cvt32BufToDIB(source, c.type, palette));
  ASSERT_NE(dib.handle, 0u);
  std::vector<uint8_t> bytes = BlockBytes(dib.handle);
  ASSERT_GE(bytes.size(), 40u);
  EXPECT_EQ(Dword(&bytes[0]), 40u);
  EXPECT_EQ(static_cast<int32_t>(Dword(&bytes[8])), 2) << "bottom-up";
  EXPECT_EQ(Word(&bytes[14]), c.bitCount);
  EXPECT_EQ(Dword(&bytes[16]), static_cast<uint32_t>(BI_RGB));
  EXPECT_EQ(Dword(&bytes[32]), c.clrUsed);
  uint32_t stride = (c.width * c.bitCount + 31) / 32 * 4;
  EXPECT_EQ(bytes.size(), 40 + 4 * c.clrUsed + 2 * stride);

  Image back;
  ASSERT_TRUE(cvt32DIBToBuf(dib.handle, &back.buffer, &back.palette, &back.type, 0));
  EXPECT_EQ(back.type, c.type);
  EXPECT_EQ(Pixels(back.buffer), c.rows);
  if (!c.palette.empty()) {
    EXPECT_EQ(Colours(back.palette), c.palette);
  }
  buf32Free(source);
  if (palette) DeleteObject(palette);
}

INSTANTIATE_TEST_SUITE_P(
    Types, RoundTrip,
    testing::Values(
        RoundTripCase{"rgb", 2, 24, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, {}, 24, 0},
        RoundTripCase{"indexed256", 4, 8, 3, {0, 1, 2, 2, 1, 0}, {0x102030, 0x405060, 0x708090}, 8, 3},
        RoundTripCase{"indexed16", 8, 8, 3, {15, 1, 0, 2, 14, 3}, std::vector<uint32_t>(16, 0x0A0B0C), 4, 16},
        RoundTripCase{"hicolour", 16, 16, 2, {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0xFF, 0x7F}, {}, 16, 0},
        RoundTripCase{"grey", 32, 8, 3, {0, 128, 255, 7, 8, 9}, {}, 8, 256},
        RoundTripCase{"bw", 64, 1, 10, {0xA5, 0x40, 0x5A, 0x80}, {0x000000, 0xFFFFFF}, 1, 2}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(BufToDIB, GreyTableIsTheRampAndDefaultTypeFollowsTheBuffer) {
  HBUF grey = MakeBuffer(8, 1, 1, {42});
  GlobalBlock dib(cvt32BufToDIB(grey, 0, 0));
  ASSERT_NE(dib.handle, 0u);
  std::vector<uint8_t> bytes = BlockBytes(dib.handle);
  for (uint32_t i = 0; i < 256; ++i) ASSERT_EQ(Dword(&bytes[40 + 4 * i]), i * 0x010101u);
  EXPECT_EQ(bytes[40 + 1024], 42);
  buf32Free(grey);
}

TEST(BufToDIB, SixteenColourBufferWithLargeIndexGetsEightBits) {
  HBUF b = MakeBuffer(8, 2, 1, {3, 200});
  HPALETTE p = MakePalette(std::vector<uint32_t>(16, 0));
  GlobalBlock dib(cvt32BufToDIB(b, CVT32_TYPE_INDEXED16, p));
  ASSERT_NE(dib.handle, 0u);
  EXPECT_EQ(Word(&BlockBytes(dib.handle)[14]), 8);
  buf32Free(b);
  DeleteObject(p);
}

TEST(BufToDIB, RefusesMismatchedRequests) {
  HBUF rgb = MakeBuffer(24, 1, 1, {1, 2, 3});
  HBUF eight = MakeBuffer(8, 1, 1, {1});
  c32ResetDLLErrInfo();
  EXPECT_EQ(cvt32BufToDIB(rgb, CVT32_TYPE_GREY, 0), 0u);  // format and type differ
  EXPECT_EQ(c32GetDLLErrorInfo(nullptr, 0, 0, 0, 0, 0), 3200);
  EXPECT_EQ(cvt32BufToDIB(eight, CVT32_TYPE_INDEXED256, 0), 0u);  // indexed without palette
  EXPECT_EQ(cvt32BufToDIB(rgb, 3, 0), 0u);
  EXPECT_EQ(cvt32BufToDIB(0, 0, 0), 0u);
  buf32Free(rgb);
  buf32Free(eight);
}

// A 24-bit bitmap of n distinct colours in one row, 300 dots a metre.
std::vector<uint8_t> TrueColourDib(int n) {
  DibPlan s{40, n, 1, 24};
  for (int i = 0; i < n; ++i) s.bits.insert(s.bits.end(), {uint8_t(i * 13), uint8_t(i * 7), uint8_t(255 - i)});
  while (s.bits.size() % 4) s.bits.push_back(0);
  std::vector<uint8_t> bytes = BuildDib(s);
  bytes[24] = 44;  // 300 dots a metre horizontally (0x12C)
  bytes[25] = 1;
  return bytes;
}

TEST(DIBToDIB, TrueColourToIndexedAndBackKeepsColoursAndResolution) {
  GlobalBlock source(TrueColourDib(16));
  GlobalBlock indexed(cvt32DIBToDIB(source.handle, CVT32_TYPE_INDEXED256, nullptr));
  ASSERT_NE(indexed.handle, 0u);
  std::vector<uint8_t> bytes = BlockBytes(indexed.handle);
  EXPECT_EQ(Word(&bytes[14]), 8);
  EXPECT_EQ(Dword(&bytes[32]), 16u);
  EXPECT_EQ(Dword(&bytes[24]), 300u);

  GlobalBlock back(cvt32DIBToDIB(indexed.handle, CVT32_TYPE_RGB, nullptr));
  ASSERT_NE(back.handle, 0u);
  Image a, b;
  ASSERT_TRUE(cvt32DIBToBuf(source.handle, &a.buffer, &a.palette, &a.type, 0));
  ASSERT_TRUE(cvt32DIBToBuf(back.handle, &b.buffer, &b.palette, &b.type, 0));
  EXPECT_EQ(Pixels(a.buffer), Pixels(b.buffer));
}

TEST(DIBToDIBOpt, ThePaletteSizeOfTheOptions) {
  GlobalBlock source(TrueColourDib(100));
  CVT32OPTIONS thumbnail = {24, 1, 2, 0, 256, 0};
  GlobalBlock all(cvt32DIBToDIBOpt(source.handle, CVT32_TYPE_INDEXED256, &thumbnail));
  ASSERT_NE(all.handle, 0u);
  EXPECT_EQ(Dword(&BlockBytes(all.handle)[32]), 100u);  // every colour fits
  CVT32OPTIONS few = {24, 0, 2, 0, 8, 0};  // the palette kind is taken as optimised
  GlobalBlock eight(cvt32DIBToDIBOpt(source.handle, CVT32_TYPE_INDEXED256, &few));
  ASSERT_NE(eight.handle, 0u);
  EXPECT_EQ(Dword(&BlockBytes(eight.handle)[32]), 8u);
  c32ResetDLLErrInfo();
  EXPECT_EQ(cvt32DIBToDIBOpt(source.handle, CVT32_TYPE_INDEXED256, nullptr), 0u);
  EXPECT_EQ(c32GetDLLErrorInfo(nullptr, 0, 0, 0, 0, 0), 3200);
}

TEST(DIBToDIB, BrokenSourceFailsWith4005) {
  std::vector<uint8_t> bytes = TrueColourDib(4);
  bytes.resize(bytes.size() - 3);
  GlobalBlock source(bytes);
  c32ResetDLLErrInfo();
  EXPECT_EQ(cvt32DIBToDIB(source.handle, CVT32_TYPE_RGB, nullptr), 0u);
  LONG unit = 0, category = 0;
  EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, &category, nullptr), 4005);
  EXPECT_EQ(category, CVT32_FN_DIBTODIB);
}

}  // namespace
