// Bitmaps loaded from .bmp files (the resource path shares the parser).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "gdi_test_util.h"
#include "testsupport.h"

namespace {

// A 3x2 4-bit bottom-up BMP: top row red, grey, white; bottom row 3-D grey x3.
std::vector<uint8_t> MakeBmp() {
  std::vector<uint8_t> f(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 16 * 4 + 2 * 4, 0);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfSize = (DWORD)f.size();
  fh.bfOffBits = (DWORD)(f.size() - 8);
  memcpy(f.data(), &fh, sizeof fh);
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = 3;
  ih.biHeight = 2;
  ih.biPlanes = 1;
  ih.biBitCount = 4;
  memcpy(f.data() + sizeof fh, &ih, sizeof ih);
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(f.data() + sizeof fh + sizeof ih);
  table[0] = RGBQUAD{0, 0, 255, 0};      // red
  table[1] = RGBQUAD{128, 128, 128, 0};  // 3-D shadow grey
  table[2] = RGBQUAD{255, 255, 255, 0};
  table[3] = RGBQUAD{192, 192, 192, 0};  // 3-D face grey
  uint8_t* bits = f.data() + fh.bfOffBits;
  bits[0] = 0x33; bits[1] = 0x30;  // bottom row: 3 3 3
  bits[4] = 0x01; bits[5] = 0x20;  // top row: 0 1 2
  return f;
}

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& data) {
  std::string unixPath = (lvtest::Prefix() / name).string();
  FILE* f = fopen(unixPath.c_str(), "wb");
  if (!data.empty()) fwrite(data.data(), 1, data.size(), f);
  fclose(f);
  char win[MAX_PATH];
  EXPECT_TRUE(lvUnixPathToWin(unixPath.c_str(), win, sizeof win));
  return win;
}

COLORREF Pixel(HBITMAP bmp, int x, int y) {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bmp);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TEST(ImageLoading, BmpFileAsBitmapAndDibSection) {
  std::string path = WriteFile("four.bmp", MakeBmp());
  HBITMAP bmp = (HBITMAP)LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  ASSERT_NE(bmp, 0u);
  BITMAP bm;
  GetObjectA(bmp, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 3);
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(Pixel(bmp, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(bmp, 2, 0), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(bmp, 1, 1), RGB(192, 192, 192));
  DeleteObject(bmp);

  HBITMAP dib = (HBITMAP)LoadImageA(0, path.c_str(), IMAGE_BITMAP, 6, 4, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  ASSERT_NE(dib, 0u);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectA(dib, sizeof ds, &ds), (int)sizeof ds);
  EXPECT_EQ(ds.dsBmih.biBitCount, 4);
  EXPECT_EQ(ds.dsBm.bmWidth, 6);
  EXPECT_EQ(Pixel(dib, 1, 1), RGB(255, 0, 0));  // stretched 2x
  EXPECT_EQ(Pixel(dib, 5, 3), RGB(192, 192, 192));
  DeleteObject(dib);
}

TEST(ImageLoading, Map3dColorsUsesCurrentSystemColours) {
  std::string path = WriteFile("map3d.bmp", MakeBmp());
  INT index = COLOR_BTNFACE;
  COLORREF teal = RGB(0, 128, 128), gray = RGB(192, 192, 192);
  SetSysColors(1, &index, &teal);
  HBITMAP bmp = (HBITMAP)LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS);
  SetSysColors(1, &index, &gray);
  ASSERT_NE(bmp, 0u);
  EXPECT_EQ(Pixel(bmp, 0, 1), teal);
  EXPECT_EQ(Pixel(bmp, 1, 0), RGB(128, 128, 128));
  DeleteObject(bmp);
}

TEST(ImageLoading, BrokenFilesGiveZero) {
  std::vector<uint8_t> good = MakeBmp();
  struct Case { const char* name; std::vector<uint8_t> data; };
  std::vector<Case> cases;
  cases.push_back({"truncated.bmp", std::vector<uint8_t>(good.begin(), good.end() - 3)});
  std::vector<uint8_t> badSig = good;
  badSig[0] = 'X';
  cases.push_back({"badsig.bmp", badSig});
  std::vector<uint8_t> huge = good;
  LONG big = 1 << 20;
  memcpy(huge.data() + sizeof(BITMAPFILEHEADER) + 4, &big, 4);  // width
  cases.push_back({"huge.bmp", huge});
  std::vector<uint8_t> headerSize = good;
  DWORD hs = 0xFFFFFF;
  memcpy(headerSize.data() + sizeof(BITMAPFILEHEADER), &hs, 4);
  cases.push_back({"header.bmp", headerSize});
  cases.push_back({"empty.bmp", {}});
  for (const Case& c : cases) {
    std::string path = WriteFile(c.name, c.data);
    EXPECT_EQ(LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u) << c.name;
  }
  EXPECT_EQ(LoadImageA(0, "C:\\no\\such.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u);
  EXPECT_EQ(LoadImageA(0, "x", IMAGE_ICON, 0, 0, LR_LOADFROMFILE), 0u);
  EXPECT_EQ(LoadBitmapA(0, "NOPE"), 0u);
}

}  // namespace

namespace {

// The test program's own resources (module 0): 101 and "FOUR" are the same
// 3x2 bitmap as MakeBmp.
TEST(ImageLoading, BitmapResourcesByNumberAndName) {
  const LPCSTR names[] = {MAKEINTRESOURCEA(101), "FOUR", "four"};
  for (LPCSTR name : names) {
    HBITMAP bmp = LoadBitmapA(0, name);
    ASSERT_NE(bmp, 0u);
    BITMAP bm;
    GetObjectA(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(Pixel(bmp, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(bmp, 1, 0), RGB(128, 128, 128));
    EXPECT_EQ(Pixel(bmp, 2, 1), RGB(192, 192, 192));
    DeleteObject(bmp);
  }
  HBITMAP dib = (HBITMAP)LoadImageA(0, MAKEINTRESOURCEA(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  ASSERT_NE(dib, 0u);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectA(dib, sizeof ds, &ds), (int)sizeof ds);
  EXPECT_EQ(ds.dsBmih.biBitCount, 4);
  EXPECT_EQ(Pixel(dib, 2, 0), RGB(255, 255, 255));
  DeleteObject(dib);
  EXPECT_EQ(LoadBitmapA(0, MAKEINTRESOURCEA(999)), 0u);
}

}  // namespace
