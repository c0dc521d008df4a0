// DIB formats in both row orders through SetDIBitsToDevice, StretchDIBits,
// SetDIBits and GetDIBits, and the raster operations of BitBlt.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "gdi_test_util.h"

using gditest::Canvas32;
using gditest::Info256;

namespace {

// Colours exact in every format (channels 0 or 255).
const uint32_t kColors[8] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                             0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};

uint32_t Expected(int bpp, int x, int y) {
  if (bpp == 1) return (x + y) % 2 ? 0xFFFFFF : 0x000000;
  return kColors[(x + 2 * y) % 8];
}

// A width x height DIB in the given format whose pixel (x, y) (top-down)
// is Expected(bpp, x, y).
struct TestDib {
  Info256 info;
  std::vector<uint8_t> bits;
  int stride;
  TestDib(int bpp, int width, int height, bool topDown) {
    info = gditest::MakeInfo(width, topDown ? -height : height, bpp);
    stride = ((width * bpp + 31) / 32) * 4;
    bits.assign((size_t)stride * height, 0xAA);  // padding garbage must not matter
    if (bpp <= 8) {
      int n = 1 << bpp;
      for (int i = 0; i < n; ++i) {
        uint32_t c = bpp == 1 ? (i ? 0xFFFFFF : 0) : kColors[i % 8];
        // Later entries repeat colours, with a marker in rgbReserved only.
        info.colors[i] = RGBQUAD{(BYTE)c, (BYTE)(c >> 8), (BYTE)(c >> 16), 0};
      }
    }
    for (int y = 0; y < height; ++y) {
      uint8_t* row = &bits[(size_t)(topDown ? y : height - 1 - y) * stride];
      for (int x = 0; x < width; ++x) put(row, bpp, x, y);
    }
  }
  void put(uint8_t* row, int bpp, int x, int y) {
    uint32_t c = Expected(bpp, x, y);
    int index = bpp == 1 ? (c ? 1 : 0) : (x + 2 * y) % 8;
    switch (bpp) {
      case 1: row[x / 8] = (uint8_t)((row[x / 8] & ~(0x80 >> (x % 8))) | (index << (7 - x % 8))); break;
      case 4: row[x / 2] = (uint8_t)(x % 2 ? (row[x / 2] & 0xF0) | index : (row[x / 2] & 0x0F) | (index << 4)); break;
      case 8: row[x] = (uint8_t)index; break;
      case 16: {
        uint16_t v = (uint16_t)((((c >> 19) & 31) << 10) | (((c >> 11) & 31) << 5) | ((c >> 3) & 31));
        memcpy(row + 2 * x, &v, 2);
        break;
      }
      case 24: row[3 * x] = (uint8_t)c; row[3 * x + 1] = (uint8_t)(c >> 8); row[3 * x + 2] = (uint8_t)(c >> 16); break;
      case 32: memcpy(row + 4 * x, &c, 4); break;
    }
  }
  const BITMAPINFO* bmi() const { return reinterpret_cast<const BITMAPINFO*>(&info); }
};

struct Format { int bpp; bool topDown; };
const Format kFormats[] = {{1, false}, {1, true}, {4, false}, {4, true}, {8, false}, {8, true},
                           {16, false}, {16, true}, {24, false}, {24, true}, {32, false}, {32, true}};

TEST(SetDIBitsToDevice, EveryFormatInBothRowOrders) {
  for (const Format& f : kFormats) {
    SCOPED_TRACE(testing::Message() << f.bpp << (f.topDown ? " top-down" : " bottom-up"));
    TestDib dib(f.bpp, 9, 4, f.topDown);
    Canvas32 c(14, 8);
    c.fill(0x123456);
    EXPECT_EQ(SetDIBitsToDevice(c.dc, 2, 1, 9, 4, 0, 0, 0, 4, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS), 4);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 14; ++x) {
        bool inside = x >= 2 && x < 11 && y >= 1 && y < 5;
        ASSERT_EQ(c.at(x, y), inside ? Expected(f.bpp, x - 2, y - 1) : 0x123456u) << x << "," << y;
      }
  }
}

TEST(SetDIBitsToDevice, SourceRectCountsFromTheBottomAndPartialScans) {
  TestDib dib(24, 6, 5, false);
  Canvas32 c(10, 10);
  c.fill(0x123456);
  // A 3x2 source rectangle whose lower-left corner is (1, 1): DIB rows 2..3 from the top.
  SetDIBitsToDevice(c.dc, 0, 0, 3, 2, 1, 1, 0, 5, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(c.at(x, y), Expected(24, x + 1, y + 2)) << x << "," << y;
  EXPECT_EQ(c.at(3, 0), 0x123456u);
  EXPECT_EQ(c.at(0, 2), 0x123456u);
  // Only scan lines 1..2 (from the bottom) in memory: whole-DIB placement, the
  // other rows untouched.
  c.fill(0x123456);
  const uint8_t* band = dib.bits.data() + 1 * dib.stride;
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 6, 5, 0, 0, 1, 2, band, dib.bmi(), DIB_RGB_COLORS), 2);
  for (int y = 0; y < 5; ++y) {
    bool drawn = y == 2 || y == 3;  // scans 1..2 from the bottom of 5 rows
    EXPECT_EQ(c.at(0, y), drawn ? Expected(24, 0, y) : 0x123456u) << y;
  }
  // Top-down: scan lines count from the top.
  TestDib td(24, 6, 5, true);
  c.fill(0x123456);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 6, 5, 0, 0, 1, 2, td.bits.data() + td.stride, td.bmi(),
                              DIB_RGB_COLORS), 2);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(c.at(0, y), (y == 1 || y == 2) ? Expected(24, 0, y) : 0x123456u) << y;
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 6, 5, 0, 0, 7, 2, td.bits.data(), td.bmi(), DIB_RGB_COLORS), 0);
}

TEST(StretchDIBits, NearestNeighbourEnlargeAndMirror) {
  for (const Format& f : kFormats) {
    SCOPED_TRACE(testing::Message() << f.bpp << (f.topDown ? " top-down" : " bottom-up"));
    TestDib dib(f.bpp, 4, 3, f.topDown);
    Canvas32 c(8, 6);
    EXPECT_GT(StretchDIBits(c.dc, 0, 0, 8, 6, 0, 0, 4, 3, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS, SRCCOPY), 0);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(c.at(x, y), Expected(f.bpp, x / 2, y / 2)) << x << "," << y;
    // A negative destination width mirrors.
    StretchDIBits(c.dc, 3, 0, -4, 3, 0, 0, 4, 3, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS, SRCCOPY);
    for (int x = 0; x < 4; ++x) ASSERT_EQ(c.at(x, 0), Expected(f.bpp, 3 - x, 0)) << x;
  }
}

TEST(DIBits, SetThenGetRoundTripsEveryFormat) {
  for (const Format& f : kFormats) {
    SCOPED_TRACE(testing::Message() << f.bpp << (f.topDown ? " top-down" : " bottom-up"));
    TestDib dib(f.bpp, 7, 3, f.topDown);
    HDC dc = CreateCompatibleDC(0);
    Canvas32 screen(1, 1);
    HBITMAP bmp = CreateCompatibleBitmap(screen.dc, 7, 3);
    ASSERT_EQ(SetDIBits(dc, bmp, 0, 3, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS), 3);
    TestDib out(f.bpp, 7, 3, f.topDown);
    std::vector<uint8_t> got(out.bits.size(), 0);
    ASSERT_EQ(GetDIBits(dc, bmp, 0, 3, got.data(), reinterpret_cast<BITMAPINFO*>(&out.info), DIB_RGB_COLORS), 3);
    // Compare decoded pixels: indexed formats may choose their own table.
    Canvas32 a(7, 3), b(7, 3);
    SetDIBitsToDevice(a.dc, 0, 0, 7, 3, 0, 0, 0, 3, got.data(), reinterpret_cast<BITMAPINFO*>(&out.info), DIB_RGB_COLORS);
    SetDIBitsToDevice(b.dc, 0, 0, 7, 3, 0, 0, 0, 3, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << "," << y;
    DeleteDC(dc);
    DeleteObject(bmp);
  }
}

TEST(DIBits, GetDIBitsWithoutBitsDescribesTheBitmap) {
  Canvas32 screen(1, 1);
  HBITMAP bmp = CreateCompatibleBitmap(screen.dc, 13, 7);
  Info256 info;
  memset(&info, 0, sizeof info);
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  ASSERT_NE(GetDIBits(screen.dc, bmp, 0, 7, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.h.biWidth, 13);
  EXPECT_EQ(info.h.biHeight, 7);
  EXPECT_EQ(info.h.biBitCount, 32);
  EXPECT_EQ(info.h.biSizeImage, 13u * 4 * 7);
  EXPECT_EQ(GetDIBits(screen.dc, 0, 0, 7, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
  DeleteObject(bmp);
}

TEST(DIBSection, DrawingReachesTheCallersBits) {
  Info256 info = gditest::MakeInfo(4, 2, 8);  // bottom-up, 8 bits
  info.colors[0] = RGBQUAD{0, 0, 0, 0};
  info.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
  info.colors[2] = RGBQUAD{255, 255, 255, 0};
  info.h.biClrUsed = 3;
  void* p = nullptr;
  HBITMAP dib = CreateDIBSection(0, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &p, 0, 0);
  ASSERT_NE(dib, 0u);
  uint8_t* bits = static_cast<uint8_t*>(p);
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, dib);
  SetPixel(dc, 1, 0, RGB(250, 10, 0));  // nearest entry: red
  SetPixel(dc, 2, 1, RGB(255, 255, 255));
  EXPECT_EQ(bits[4 + 1], 1);  // top row is the second row in memory
  EXPECT_EQ(bits[0 + 2], 2);
  bits[3] = 2;  // the caller's write shows through GetPixel: bottom row, x = 3
  EXPECT_EQ(GetPixel(dc, 3, 1), RGB(255, 255, 255));
  RGBQUAD table[3];
  EXPECT_EQ(GetDIBColorTable(dc, 0, 3, table), 3u);
  EXPECT_EQ(table[1].rgbRed, 255);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST(BitBlt, RasterOperations) {
  struct Case { DWORD rop; uint32_t expect; };
  const uint32_t D = 0x00F0F0, S = 0x0F0FF0, P = 0x3355AA;
  const Case cases[] = {
      {SRCCOPY, S},           {SRCAND, S & D},      {SRCPAINT, S | D},
      {SRCINVERT, S ^ D},     {NOTSRCCOPY, ~S & 0xFFFFFF}, {DSTINVERT, ~D & 0xFFFFFF},
      {PATCOPY, P},           {BLACKNESS, 0},       {WHITENESS, 0xFFFFFF},
      {PATINVERT, P ^ D},     {MERGECOPY, P & S},   {SRCERASE, S & ~D & 0xFFFFFF},
  };
  Canvas32 src(3, 3);
  src.fill(S);
  HBRUSH brush = CreateSolidBrush(RGB(0x33, 0x55, 0xAA));
  for (const Case& k : cases) {
    Canvas32 dst(5, 5);
    dst.fill(D);
    SelectObject(dst.dc, brush);
    ASSERT_TRUE(BitBlt(dst.dc, 1, 1, 3, 3, src.dc, 0, 0, k.rop)) << std::hex << k.rop;
    EXPECT_EQ(dst.at(2, 2), k.expect) << std::hex << k.rop;
    EXPECT_EQ(dst.at(0, 0), D) << std::hex << k.rop;
    EXPECT_EQ(dst.at(4, 4), D) << std::hex << k.rop;
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  }
  Canvas32 dst(4, 4);
  SelectObject(dst.dc, brush);
  EXPECT_TRUE(PatBlt(dst.dc, 1, 1, 2, 2, PATCOPY));
  EXPECT_EQ(dst.at(1, 1), P);
  EXPECT_EQ(dst.at(3, 3), 0xFFFFFFu);
  EXPECT_FALSE(PatBlt(dst.dc, 0, 0, 1, 1, SRCCOPY));  // needs a source
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(BitBlt, SourceOutsideItsBitmapLeavesDestination) {
  Canvas32 src(2, 2), dst(6, 6);
  src.fill(0xFF0000);
  dst.fill(0x00FF00);
  BitBlt(dst.dc, 0, 0, 6, 6, src.dc, -1, -1, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), 0x00FF00u);
  EXPECT_EQ(dst.at(1, 1), 0xFF0000u);
  EXPECT_EQ(dst.at(2, 2), 0xFF0000u);
  EXPECT_EQ(dst.at(3, 3), 0x00FF00u);
}

TEST(BitBlt, MonochromeConversionsUseTextAndBackgroundColours) {
  const BYTE bits[4] = {0x80, 0, 0x40, 0};  // rows "#." and ".#" (1 = white)
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, bits);
  HDC mdc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(mdc, mono);
  Canvas32 dst(2, 2);
  SetTextColor(dst.dc, RGB(255, 0, 0));
  SetBkColor(dst.dc, RGB(0, 0, 255));
  BitBlt(dst.dc, 0, 0, 2, 2, mdc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), 0x0000FFu);  // 1 bit -> background colour
  EXPECT_EQ(dst.at(1, 0), 0xFF0000u);  // 0 bit -> text colour
  // Colour to monochrome: the source's background colour becomes white.
  dst.fill(0x00FF00);
  dst.bits[1] = 0x123456;
  SetBkColor(dst.dc, RGB(0, 255, 0));
  BitBlt(mdc, 0, 0, 2, 2, dst.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 0, 0));
  SelectObject(mdc, old);
  DeleteDC(mdc);
  DeleteObject(mono);
}

TEST(StretchBlt, ShrinksEnlargesAndMirrors) {
  Canvas32 src(2, 1), dst(6, 2);
  src.bits[0] = 0xFF0000;
  src.bits[1] = 0x0000FF;
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  EXPECT_EQ(GetStretchBltMode(dst.dc), COLORONCOLOR);
  StretchBlt(dst.dc, 0, 0, 6, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.rows(0xFF0000).substr(0, 6), "###...");
  StretchBlt(dst.dc, 5, 1, -6, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.rows(0xFF0000).substr(7, 6), "...###");
}

TEST(DIBits, MalformedHeadersAreRejected) {
  Canvas32 c(4, 4);
  std::vector<uint8_t> bits(64, 0);
  struct Bad { int width, height, bpp; DWORD compression; };
  const Bad cases[] = {{0, 4, 24, BI_RGB}, {4, 0, 24, BI_RGB}, {-4, 4, 24, BI_RGB},
                       {4, 4, 3, BI_RGB},  {4, 4, 8, BI_RLE8}, {1 << 20, 1 << 20, 32, BI_RGB},
                       {4, 4, 24, BI_BITFIELDS}};
  for (const Bad& b : cases) {
    Info256 info = gditest::MakeInfo(b.width, b.height, b.bpp);
    info.h.biCompression = b.compression;
    EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 4, 4, 0, 0, 0, 4, bits.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 4, 0, 0, 4, 4, bits.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY), 0);
  }
  Info256 ok = gditest::MakeInfo(4, 4, 24);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 4, 4, 0, 0, 0, 4, nullptr, reinterpret_cast<BITMAPINFO*>(&ok), DIB_RGB_COLORS), 0);
}

}  // namespace

namespace {

TEST(CreateDIBitmap, InitialisesFromTheDibOrFailsOnBadInput) {
  TestDib dib(8, 5, 3, false);
  Canvas32 screen(1, 1);
  HBITMAP bmp = CreateDIBitmap(screen.dc, &dib.info.h, CBM_INIT, dib.bits.data(), dib.bmi(), DIB_RGB_COLORS);
  ASSERT_NE(bmp, 0u);
  HDC dc = CreateCompatibleDC(screen.dc);
  HGDIOBJ old = SelectObject(dc, bmp);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      uint32_t e = Expected(8, x, y);
      EXPECT_EQ(GetPixel(dc, x, y), RGB(e >> 16, (e >> 8) & 0xFF, e & 0xFF)) << x << "," << y;
    }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
  // Without CBM_INIT the bitmap is made but left alone; a broken format fails.
  HBITMAP blank = CreateDIBitmap(screen.dc, &dib.info.h, 0, nullptr, nullptr, DIB_RGB_COLORS);
  EXPECT_NE(blank, 0u);
  DeleteObject(blank);
  TestDib bad(8, 5, 3, false);
  bad.info.h.biBitCount = 5;
  EXPECT_EQ(CreateDIBitmap(screen.dc, &dib.info.h, CBM_INIT, bad.bits.data(), bad.bmi(), DIB_RGB_COLORS), 0u);
}

}  // namespace
