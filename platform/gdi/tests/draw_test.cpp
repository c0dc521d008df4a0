// Lines, shapes and rectangle fills, pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include "gdi_test_util.h"

using gditest::Canvas32;

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

TEST(Rectangle, OutlineWithPenInsideWithBrushRightBottomExcluded) {
  Canvas32 c(8, 6);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(c.dc, pen);
  SelectObject(c.dc, brush);
  Rectangle(c.dc, 1, 1, 6, 5);
  EXPECT_EQ(c.rows(kRed),
            "........\n"
            ".#####..\n"
            ".#...#..\n"
            ".#...#..\n"
            ".#####..\n"
            "........\n");
  EXPECT_EQ(c.rows(kBlue),
            "........\n"
            "........\n"
            "..###...\n"
            "..###...\n"
            "........\n"
            "........\n");
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST(Rectangle, NullPenFillsOnePixelSmallerAndHollowBrushLeavesInside) {
  Canvas32 c(6, 5);
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  Rectangle(c.dc, 1, 1, 5, 4);
  EXPECT_EQ(c.rows(kBlack), "......\n.###..\n.###..\n......\n......\n");
  c.fill(kWhite);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  SelectObject(c.dc, GetStockObject(NULL_BRUSH));
  c.bits[2 * 6 + 2] = kRed;
  Rectangle(c.dc, 1, 1, 5, 4);
  EXPECT_EQ(c.at(2, 2), kRed);
  EXPECT_EQ(c.rows(kBlack), "......\n.####.\n.#..#.\n.####.\n......\n");
}

TEST(Rectangle, WidePensCentredAndInsideFrame) {
  Canvas32 c(10, 10);
  HPEN wide = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  SelectObject(c.dc, wide);
  SelectObject(c.dc, GetStockObject(NULL_BRUSH));
  Rectangle(c.dc, 2, 2, 8, 8);
  // Centred on the outline from (2,2) to (7,7): pixels 1..8.
  EXPECT_EQ(c.rows(kBlack),
            "..........\n"
            ".########.\n"
            ".########.\n"
            ".########.\n"
            ".###..###.\n"
            ".###..###.\n"
            ".########.\n"
            ".########.\n"
            ".########.\n"
            "..........\n");
  c.fill(kWhite);
  HPEN inside = CreatePen(PS_INSIDEFRAME, 2, RGB(0, 0, 0));
  SelectObject(c.dc, inside);
  Rectangle(c.dc, 2, 2, 8, 8);
  EXPECT_EQ(c.rows(kBlack),
            "..........\n"
            "..........\n"
            "..######..\n"
            "..######..\n"
            "..##..##..\n"
            "..##..##..\n"
            "..######..\n"
            "..######..\n"
            "..........\n"
            "..........\n");
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(wide);
  DeleteObject(inside);
}

TEST(Line, ExcludesLastPixelAndHonoursWidth) {
  Canvas32 c(8, 5);
  MoveToEx(c.dc, 1, 1, nullptr);
  LineTo(c.dc, 6, 1);
  LineTo(c.dc, 6, 4);
  EXPECT_EQ(c.rows(kBlack), "........\n.######.\n......#.\n......#.\n........\n");
  POINT pos;
  GetCurrentPositionEx(c.dc, &pos);
  EXPECT_EQ(pos.x, 6);
  EXPECT_EQ(pos.y, 4);
  c.fill(kWhite);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(c.dc, pen);
  MoveToEx(c.dc, 2, 2, nullptr);
  LineTo(c.dc, 5, 2);
  // Three rows thick, with round ends reaching one pixel past both ends.
  EXPECT_EQ(c.rows(kBlack), "........\n.######.\n.######.\n.######.\n........\n");
  SelectObject(c.dc, old);
  DeleteObject(pen);
}

TEST(Line, DashedAndDottedPensLeaveGaps) {
  Canvas32 c(40, 2);
  HPEN dot = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  SelectObject(c.dc, dot);
  SetBkMode(c.dc, TRANSPARENT);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 12, 0);
  EXPECT_EQ(c.rows(kBlack).substr(0, 12), "###...###...");
  HPEN dash = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
  SelectObject(c.dc, dash);
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, RGB(255, 0, 0));
  MoveToEx(c.dc, 0, 1, nullptr);
  LineTo(c.dc, 30, 1);
  std::string row = c.rows(kBlack).substr(41, 30);
  EXPECT_EQ(row, std::string(18, '#') + std::string(6, '.') + std::string(6, '#'));
  EXPECT_EQ(c.at(20, 1), kRed);  // gaps take the background colour when opaque
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(dot);
  DeleteObject(dash);
}

TEST(FillRect, FrameRectInvertRectAndSystemColourBrushes) {
  Canvas32 c(6, 5);
  RECT r{1, 1, 5, 4};
  EXPECT_EQ(FillRect(c.dc, &r, (HBRUSH)(COLOR_HIGHLIGHT + 1)), 1);
  EXPECT_EQ(c.rows(0x000080), "......\n.####.\n.####.\n.####.\n......\n");
  c.fill(kWhite);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FrameRect(c.dc, &r, red);
  EXPECT_EQ(c.rows(kRed), "......\n.####.\n.#..#.\n.####.\n......\n");
  InvertRect(c.dc, &r);
  EXPECT_EQ(c.at(1, 1), 0x00FFFFu);
  EXPECT_EQ(c.at(2, 2), kBlack);
  EXPECT_EQ(c.at(0, 0), kWhite);
  // An empty or inverted rectangle paints nothing.
  RECT backwards{4, 1, 1, 4};
  c.fill(kWhite);
  FillRect(c.dc, &backwards, red);
  EXPECT_EQ(c.rows(kRed), "......\n......\n......\n......\n......\n");
  DeleteObject(red);
}

TEST(DrawFocusRect, DotsEveryOtherPixelAndSecondCallRemovesIt) {
  Canvas32 c(7, 5);
  RECT r{1, 1, 6, 4};
  DrawFocusRect(c.dc, &r);
  EXPECT_EQ(c.rows(kBlack), ".......\n.#.#.#.\n.......\n.#.#.#.\n.......\n");
  DrawFocusRect(c.dc, &r);
  EXPECT_EQ(c.rows(kWhite), std::string("#######\n") + "#######\n" + "#######\n" + "#######\n" + "#######\n");
}

TEST(Clipping, OriginsAndClipRectanglesCombine) {
  Canvas32 c(10, 6);
  SetViewportOrgEx(c.dc, 2, 1, nullptr);
  SetWindowOrgEx(c.dc, 1, 0, nullptr);  // logical (x, y) -> device (x + 1, y + 1)
  IntersectClipRect(c.dc, 0, 0, 7, 4);  // device 1..8 x 1..5
  ExcludeClipRect(c.dc, 2, 1, 4, 3);    // device 3..5 x 2..4
  RECT all{-20, -20, 20, 20};
  HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
  FillRect(c.dc, &all, black);
  EXPECT_EQ(c.rows(kBlack),
            "..........\n"
            ".#######..\n"
            ".##..###..\n"
            ".##..###..\n"
            ".#######..\n"
            "..........\n");
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 7);
  EXPECT_EQ(box.bottom, 4);
  EXPECT_FALSE(PtVisible(c.dc, 2, 1));
  EXPECT_TRUE(PtVisible(c.dc, 1, 1));
  // Removing the clip region opens the whole bitmap again.
  SelectClipRgn(c.dc, 0);
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box.left, -1);
  EXPECT_EQ(box.right, 9);
}

TEST(Clipping, SaveAndRestoreBringBackClipOriginAndObjects) {
  Canvas32 c(6, 4);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  int level = SaveDC(c.dc);
  EXPECT_EQ(level, 1);
  SelectObject(c.dc, red);
  SetViewportOrgEx(c.dc, 3, 0, nullptr);
  IntersectClipRect(c.dc, 0, 0, 1, 1);
  EXPECT_EQ(SaveDC(c.dc), 2);
  EXPECT_TRUE(RestoreDC(c.dc, -1));
  EXPECT_TRUE(RestoreDC(c.dc, 1));
  EXPECT_FALSE(RestoreDC(c.dc, 1));
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  POINT org;
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org.x, 0);
  RECT all{0, 0, 6, 4};
  FillRect(c.dc, &all, red);
  EXPECT_EQ(c.at(5, 3), kRed);
  DeleteObject(red);
}

TEST(Ellipse, SymmetricAndInsideItsBox) {
  Canvas32 c(12, 10);
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  Ellipse(c.dc, 1, 1, 11, 9);
  std::string rows = c.rows(kBlack);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      bool ink = c.at(x, y) == kBlack;
      EXPECT_EQ(ink, c.at(11 - x, y) == kBlack) << rows;  // mirror in x
      EXPECT_EQ(ink, c.at(x, 9 - y) == kBlack) << rows;   // mirror in y
      if (x < 1 || x >= 11 || y < 1 || y >= 9) {
        EXPECT_FALSE(ink) << x << "," << y;
      }
    }
  EXPECT_EQ(c.at(6, 5), kBlack);
  EXPECT_NE(c.at(1, 1), kBlack);  // corners stay empty
}

TEST(Polygon, FillsInsideAndOutlinesEdges) {
  Canvas32 c(8, 8);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc, red);
  POINT tri[3] = {{1, 1}, {6, 1}, {1, 6}};
  Polygon(c.dc, tri, 3);
  EXPECT_EQ(c.at(1, 1), kBlack);
  EXPECT_EQ(c.at(6, 1), kBlack);
  EXPECT_EQ(c.at(1, 6), kBlack);
  EXPECT_EQ(c.at(2, 2), kRed);
  EXPECT_EQ(c.at(6, 6), kWhite);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
}

TEST(Pixels, SetPixelGetPixelAndRop2) {
  Canvas32 c(4, 4);
  EXPECT_EQ(SetPixel(c.dc, 1, 2, RGB(10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(c.at(1, 2), 0x0A141Eu);
  EXPECT_EQ(GetPixel(c.dc, 1, 2), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(c.dc, 4, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(c.dc, -1, 0, 0), CLR_INVALID);
  SetROP2(c.dc, R2_XORPEN);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  SelectObject(c.dc, pen);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 4, 0);
  EXPECT_EQ(c.at(2, 0), kBlack);
  SetROP2(c.dc, R2_NOT);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 4, 0);
  EXPECT_EQ(c.at(2, 0), kWhite);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

TEST(Brushes, HatchAndPatternBrushesTile) {
  Canvas32 c(16, 8);
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(255, 0, 0));
  SetBkColor(c.dc, RGB(0, 0, 255));
  RECT r{0, 0, 16, 8};
  FillRect(c.dc, &r, hatch);
  EXPECT_EQ(c.at(4, 3), kRed);
  EXPECT_EQ(c.at(12, 7), kRed);
  EXPECT_EQ(c.at(5, 3), kBlue);
  SetBkMode(c.dc, TRANSPARENT);
  c.fill(kWhite);
  FillRect(c.dc, &r, hatch);
  EXPECT_EQ(c.at(5, 3), kWhite);
  // A 2x2 monochrome pattern: 0 bits take the text colour, 1 bits the background.
  const BYTE bits[4] = {0x40, 0, 0x80, 0};  // rows ".#" and "#.", padded to 16 bits
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, bits);
  HBRUSH pattern = CreatePatternBrush(mono);
  SetTextColor(c.dc, RGB(0, 0, 0));
  SetBkColor(c.dc, RGB(255, 0, 0));
  FillRect(c.dc, &r, pattern);
  EXPECT_EQ(c.at(0, 0), kBlack);
  EXPECT_EQ(c.at(1, 0), kRed);
  EXPECT_EQ(c.at(2, 1), kRed);
  EXPECT_EQ(c.at(3, 1), kBlack);
  DeleteObject(hatch);
  DeleteObject(pattern);
  DeleteObject(mono);
}

}  // namespace

namespace {

TEST(RoundRect, CornersRoundedEdgesStraight) {
  Canvas32 c(12, 10);
  SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
  RoundRect(c.dc, 0, 0, 12, 10, 6, 6);
  EXPECT_NE(c.at(0, 0), kBlack);    // corner cut away
  EXPECT_NE(c.at(11, 9), kBlack);
  EXPECT_EQ(c.at(0, 5), kBlack);    // straight left edge
  EXPECT_EQ(c.at(6, 0), kBlack);    // straight top edge
  EXPECT_EQ(c.at(11, 5), kBlack);
  EXPECT_EQ(c.at(6, 9), kBlack);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
}

TEST(Polyline, SegmentsShareEndpointsOnce) {
  Canvas32 c(6, 6);
  SetROP2(c.dc, R2_NOT);  // a pixel drawn twice would come back white
  POINT pts[4] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
  Polyline(c.dc, pts, 4);
  EXPECT_EQ(c.rows(kBlack), "......\n.####.\n....#.\n....#.\n..###.\n......\n");
}

}  // namespace
