// Objects: descriptions, stock objects, selection and deletion, regions,
// device capabilities and palettes.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "gdi_test_util.h"

namespace {

TEST(Objects, DescriptionsMatchCreation) {
  HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
  LOGPEN lp;
  ASSERT_EQ(GetObjectA(pen, sizeof lp, &lp), (int)sizeof lp);
  EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObjectType(pen), (DWORD)OBJ_PEN);

  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(9, 8, 7));
  LOGBRUSH lb;
  ASSERT_EQ(GetObjectA(hatch, sizeof lb, &lb), (int)sizeof lb);
  EXPECT_EQ(lb.lbStyle, (UINT)BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, (ULONG_PTR)HS_CROSS);

  HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 1, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  LOGFONTA lf;
  ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), (int)sizeof lf);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");

  HBITMAP ddb = CreateBitmap(5, 3, 1, 1, nullptr);
  BITMAP bm;
  ASSERT_EQ(GetObjectA(ddb, sizeof bm, &bm), (int)sizeof bm);
  EXPECT_EQ(bm.bmWidth, 5);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  EXPECT_EQ(bm.bmBits, nullptr);

  gditest::Info256 info = gditest::MakeInfo(7, 4, 24);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(0, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, 0, 0);
  ASSERT_NE(dib, 0u);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectA(dib, sizeof ds, &ds), (int)sizeof ds);
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 24);  // 21 bytes padded to 4
  EXPECT_EQ(ds.dsBmih.biHeight, 4);
  EXPECT_EQ(ds.dsBmih.biBitCount, 24);
  EXPECT_EQ(GetObjectA(dib, 0, nullptr), (int)sizeof(DIBSECTION));

  for (HGDIOBJ h : {(HGDIOBJ)pen, (HGDIOBJ)hatch, (HGDIOBJ)font, (HGDIOBJ)ddb, (HGDIOBJ)dib})
    EXPECT_TRUE(DeleteObject(h));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), 0);
}

TEST(Objects, InvalidArgumentsFailCleanly) {
  EXPECT_EQ(CreatePen(42, 1, 0), 0u);
  EXPECT_EQ(CreateHatchBrush(17, 0), 0u);
  EXPECT_EQ(CreateBitmap(-4, 4, 1, 32, nullptr), 0u);
  EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), 0u);
  EXPECT_FALSE(DeleteObject(0));
  EXPECT_FALSE(DeleteObject(0x12345));
  EXPECT_EQ(SelectObject(0, GetStockObject(BLACK_PEN)), 0u);
  EXPECT_FALSE(DeleteDC(0x4000ABCD));
  gditest::Info256 bad = gditest::MakeInfo(4, 4, 7);
  void* bits = nullptr;
  EXPECT_EQ(CreateDIBSection(0, reinterpret_cast<BITMAPINFO*>(&bad), DIB_RGB_COLORS, &bits, 0, 0), 0u);
  EXPECT_EQ(bits, nullptr);
}

TEST(Objects, StockObjectsSurviveDeleteAndDefaultsAreSelected) {
  const int stock[] = {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, BLACK_PEN,
                       WHITE_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT, DEFAULT_PALETTE};
  for (int s : stock) {
    HGDIOBJ h = GetStockObject(s);
    ASSERT_NE(h, 0u) << s;
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(GetStockObject(s), h);
    EXPECT_NE(GetObjectType(h), 0u);
  }
  LOGBRUSH lb;
  GetObjectA(GetStockObject(LTGRAY_BRUSH), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, 0xC0C0C0u);
  HDC dc = CreateCompatibleDC(0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  BITMAP bm;
  GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  DeleteDC(dc);
}

TEST(Objects, DeletingASelectedObjectWaitsUntilItIsDeselected) {
  gditest::Canvas32 c(4, 4);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(c.dc, red);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_EQ(GetObjectType(red), (DWORD)OBJ_BRUSH);  // still usable while selected
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  Rectangle(c.dc, 0, 0, 4, 4);
  EXPECT_EQ(GetObjectType(red), 0u);  // freed once deselected
  SelectObject(c.dc, old);
}

TEST(Objects, BitmapSelectsIntoOneDcAtATime) {
  HDC a = CreateCompatibleDC(0), b = CreateCompatibleDC(0);
  HBITMAP bmp = CreateCompatibleBitmap(a, 4, 4);
  BITMAP bm;
  GetObjectA(bmp, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);  // compatible with a DC holding the 1x1 monochrome bitmap
  HGDIOBJ old = SelectObject(a, bmp);
  EXPECT_NE(old, 0u);
  EXPECT_EQ(SelectObject(b, bmp), 0u);
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, bmp), 0u);
  DeleteDC(a);
  DeleteDC(b);
  DeleteObject(bmp);
}

TEST(Regions, CombineRectangles) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  RECT box;
  struct Case { int mode; int kind; RECT box; bool in55; bool in12; bool in1313; };
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, true, false, false},
      {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, true, true, true},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, false, true, false},
      {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, false, true, true},
      {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, true, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.kind) << c.mode;
    GetRgnBox(d, &box);
    EXPECT_EQ(box.left, c.box.left) << c.mode;
    EXPECT_EQ(box.top, c.box.top) << c.mode;
    EXPECT_EQ(box.right, c.box.right) << c.mode;
    EXPECT_EQ(box.bottom, c.box.bottom) << c.mode;
    EXPECT_EQ(PtInRegion(d, 5, 5) != 0, c.in55) << c.mode;
    EXPECT_EQ(PtInRegion(d, 1, 2) != 0, c.in12) << c.mode;
    EXPECT_EQ(PtInRegion(d, 13, 13) != 0, c.in1313) << c.mode;
  }
  HRGN far = CreateRectRgn(20, 20, 30, 30);
  EXPECT_EQ(CombineRgn(d, a, far, RGN_AND), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, 0, RGN_AND), ERROR);
  EXPECT_EQ(OffsetRgn(a, 3, 4), SIMPLEREGION);
  GetRgnBox(a, &box);
  EXPECT_EQ(box.left, 3);
  EXPECT_EQ(box.bottom, 14);
  for (HRGN r : {a, b, d, far}) DeleteObject(r);
}

TEST(Regions, SelectClipRgnCopiesTheRegion) {
  gditest::Canvas32 c(6, 4);
  HRGN rgn = CreateRectRgn(1, 1, 3, 3);
  EXPECT_EQ(SelectClipRgn(c.dc, rgn), SIMPLEREGION);
  SetRectRgn(rgn, 0, 0, 6, 4);  // later changes do not affect the DC
  DeleteObject(rgn);
  RECT all{0, 0, 6, 4};
  FillRect(c.dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(c.rows(0), "......\n.##...\n.##...\n......\n");
}

TEST(DeviceCaps, EmulatedDisplay) {
  HDC dc = CreateCompatibleDC(0);
  struct Case { int index; int value; };
  const Case cases[] = {{BITSPIXEL, 24}, {PLANES, 1}, {HORZRES, 1024}, {VERTRES, 768},
                        {LOGPIXELSX, 96}, {LOGPIXELSY, 96}, {HORZSIZE, 270}, {VERTSIZE, 203},
                        {SIZEPALETTE, 0}, {NUMCOLORS, -1}};
  for (const Case& c : cases) EXPECT_EQ(GetDeviceCaps(dc, c.index), c.value) << c.index;
  EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHDIB, 0);
  DeleteDC(dc);
}

TEST(Palettes, EntriesNearestIndexAndSelection) {
  std::vector<BYTE> mem(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(mem.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 4;
  const PALETTEENTRY entries[4] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 200, 0, 0}, {250, 250, 250, 0}};
  for (int i = 0; i < 4; ++i) lp->palPalEntry[i] = entries[i];
  HPALETTE pal = CreatePalette(lp);
  ASSERT_NE(pal, 0u);
  WORD count = 0;
  EXPECT_EQ(GetObjectA(pal, sizeof count, &count), 2);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(240, 10, 10)), 1u);
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(255, 255, 255)), 3u);
  EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(10, 150, 20)), 2u);
  PALETTEENTRY got[4];
  EXPECT_EQ(GetPaletteEntries(pal, 1, 10, got), 3u);
  EXPECT_EQ(got[1].peGreen, 200);
  EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), 4u);
  PALETTEENTRY blue{0, 0, 255, 0};
  EXPECT_EQ(SetPaletteEntries(pal, 2, 1, &blue), 1u);
  EXPECT_EQ(SetPaletteEntries(pal, 9, 1, &blue), 0u);
  gditest::Canvas32 c(2, 1);
  HPALETTE old = SelectPalette(c.dc, pal, FALSE);
  EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(RealizePalette(c.dc), 0u);
  SetPixel(c.dc, 0, 0, PALETTEINDEX(2));
  EXPECT_EQ(c.at(0, 0), 0x0000FFu);
  EXPECT_EQ(GetNearestColor(c.dc, RGB(1, 2, 3)), RGB(1, 2, 3));
  SelectPalette(c.dc, old, FALSE);
  DeleteObject(pal);
  PALETTEENTRY sys[256];
  EXPECT_EQ(GetSystemPaletteEntries(0, 0, 256, sys), 256u);
  EXPECT_EQ(sys[255].peRed, 255);
  EXPECT_EQ(sys[7].peRed, 192);
  EXPECT_EQ(sys[249].peRed, 255);
  EXPECT_EQ(sys[249].peGreen, 0);
}

}  // namespace
