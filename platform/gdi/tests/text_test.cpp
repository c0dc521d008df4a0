// Text with the built-in font: metrics, extents, placement, backgrounds,
// clipping and the formatting of DrawTextA.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "gdi_test_util.h"

using gditest::Canvas32;

namespace {

constexpr uint32_t kBlack = 0, kWhite = 0xFFFFFF;

// Bounding box of the pixels of colour rgb; empty rect when none.
RECT InkBox(const Canvas32& c, uint32_t rgb) {
  RECT r{c.w, c.h, 0, 0};
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x)
      if (c.at(x, y) == rgb) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

int Width(HDC dc, const char* s) {
  SIZE sz;
  EXPECT_TRUE(GetTextExtentPoint32A(dc, s, (int)strlen(s), &sz));
  return sz.cx;
}

TEST(TextMetrics, DialogFontAndStockFontsShareTheBuiltInFont) {
  Canvas32 c(4, 4);
  HFONT dlg = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                          "MS Sans Serif");
  for (HGDIOBJ f : {(HGDIOBJ)dlg, GetStockObject(DEFAULT_GUI_FONT), GetStockObject(SYSTEM_FONT),
                    GetStockObject(ANSI_VAR_FONT)}) {
    SelectObject(c.dc, f);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_GE(tm.tmAveCharWidth, 5);
    EXPECT_LE(tm.tmAveCharWidth, 8);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    // The average agrees with the extent of the alphabet, as dialog units expect.
    int alphabet = Width(c.dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(tm.tmAveCharWidth, (alphabet + 26) / 52);
  }
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(dlg);
}

TEST(TextMetrics, ExtentsAddUpAndLargerRequestsScale) {
  Canvas32 c(4, 4);
  INT widths[256];
  ASSERT_TRUE(GetCharWidth32A(c.dc, 0, 255, widths));
  const char* text = "Gr\xF6\xDF" "e & Breite";
  int sum = 0;
  for (const char* p = text; *p; ++p) sum += widths[(unsigned char)*p];
  SIZE sz;
  GetTextExtentPoint32A(c.dc, text, (int)strlen(text), &sz);
  EXPECT_EQ(sz.cx, sum);
  EXPECT_EQ(sz.cy, 13);
  GetTextExtentPoint32A(c.dc, "", 0, &sz);
  EXPECT_EQ(sz.cx, 0);
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "x", -1, &sz));
  // Umlauts are as wide as their base letters or wider; every letter has ink width.
  EXPECT_GE(widths[0xE4], widths['a']);
  EXPECT_GE(widths[0xDC], widths['U']);
  EXPECT_GT(widths['W'], widths['i']);
  HFONT big = CreateFontA(26, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(c.dc, big);
  GetTextExtentPoint32A(c.dc, text, (int)strlen(text), &sz);
  EXPECT_EQ(sz.cx, 2 * sum);
  EXPECT_EQ(sz.cy, 26);
  HFONT bold = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
  SelectObject(c.dc, bold);
  GetTextExtentPoint32A(c.dc, "abc", 3, &sz);
  EXPECT_EQ(sz.cx, widths['a'] + widths['b'] + widths['c'] + 3);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(big);
  DeleteObject(bold);
}

TEST(TextOut, AlignmentPlacesTheCell) {
  struct Case { UINT align; int x, y; int left, top; };
  Canvas32 probe(4, 4);
  int w = Width(probe.dc, "HH");
  const Case cases[] = {
      {TA_LEFT | TA_TOP, 10, 5, 10, 5},
      {TA_RIGHT | TA_TOP, 40, 5, 40 - w, 5},
      {TA_CENTER | TA_TOP, 30, 5, 30 - w / 2, 5},
      {TA_LEFT | TA_BASELINE, 10, 20, 10, 9},
      {TA_LEFT | TA_BOTTOM, 10, 20, 10, 7},
  };
  for (const Case& k : cases) {
    Canvas32 c(60, 30);
    SetTextAlign(c.dc, k.align);
    SetBkColor(c.dc, RGB(255, 0, 0));  // opaque background shows the cell
    ASSERT_TRUE(TextOutA(c.dc, k.x, k.y, "HH", 2));
    RECT cell = InkBox(c, 0xFF0000);
    RECT ink = InkBox(c, kBlack);
    SCOPED_TRACE(k.align);
    EXPECT_EQ(cell.left, k.left);
    EXPECT_EQ(cell.top, k.top);
    EXPECT_EQ(cell.right, k.left + w);
    EXPECT_EQ(cell.bottom, k.top + 13);
    EXPECT_EQ(ink.left, k.left);       // 'H' has ink in its first column
    EXPECT_EQ(ink.top, k.top + 3);     // capitals start below the internal leading
    EXPECT_EQ(ink.bottom, k.top + 11); // and sit on the baseline
  }
}

TEST(TextOut, TransparentModeColoursAndUpdateCp) {
  Canvas32 c(60, 20);
  c.fill(0x00FF00);
  SetBkMode(c.dc, TRANSPARENT);
  SetTextColor(c.dc, RGB(0, 0, 255));
  TextOutA(c.dc, 2, 2, "Hi", 2);
  EXPECT_EQ(InkBox(c, kWhite).right, 0);  // no background painted
  EXPECT_GT(InkBox(c, 0x0000FF).right, 0);
  SetTextAlign(c.dc, TA_UPDATECP);
  MoveToEx(c.dc, 5, 0, nullptr);
  TextOutA(c.dc, 0, 0, "ab", 2);
  POINT p;
  GetCurrentPositionEx(c.dc, &p);
  EXPECT_EQ(p.x, 5 + Width(c.dc, "ab"));
}

TEST(ExtTextOut, OpaqueRectangleAndClipping) {
  Canvas32 c(40, 20);
  SetBkColor(c.dc, RGB(255, 0, 0));
  SetBkMode(c.dc, TRANSPARENT);
  RECT r{2, 2, 12, 16};
  ASSERT_TRUE(ExtTextOutA(c.dc, 4, 3, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWW", 6, nullptr));
  RECT ink = InkBox(c, kBlack);
  EXPECT_GE(ink.left, 4);
  EXPECT_LE(ink.right, 12);  // clipped to the rectangle
  RECT bk = InkBox(c, 0xFF0000);
  EXPECT_EQ(bk.left, 2);
  EXPECT_EQ(bk.top, 2);
  EXPECT_EQ(bk.bottom, 16);
  // Explicit advances spread the characters.
  Canvas32 d(60, 20);
  const INT dx[3] = {20, 20, 20};
  ExtTextOutA(d.dc, 0, 0, 0, nullptr, "lll", 3, dx);
  EXPECT_EQ(d.at(0, 5), kBlack);
  EXPECT_EQ(d.at(20, 5), kBlack);
  EXPECT_EQ(d.at(40, 5), kBlack);
  EXPECT_NE(d.at(10, 5), kBlack);
}

TEST(DrawText, CalcRectSingleLineAndWordBreak) {
  Canvas32 c(200, 100);
  RECT r{10, 10, 10, 10};
  int h = DrawTextA(c.dc, "Breite", -1, &r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(r.right, 10 + Width(c.dc, "Breite"));
  EXPECT_EQ(r.bottom, 23);
  EXPECT_EQ(InkBox(c, kBlack).right, 0);  // nothing drawn
  int word = Width(c.dc, "eins zwei");
  RECT w{0, 0, word + 2, 0};
  h = DrawTextA(c.dc, "eins zwei drei vier", -1, &w, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h, 26);  // "eins zwei" / "drei vier"
  EXPECT_LE(w.right, word + 2);
  RECT lines{0, 0, 100, 0};
  EXPECT_EQ(DrawTextA(c.dc, "a\r\nb\nc", -1, &lines, DT_CALCRECT), 39);
}

TEST(DrawText, HorizontalAndVerticalPlacement) {
  struct Case { UINT format; int expectLeft; int expectTop; };
  Canvas32 probe(4, 4);
  int w = Width(probe.dc, "HH");
  const Case cases[] = {
      {DT_SINGLELINE | DT_LEFT | DT_TOP, 10, 10 + 3},
      {DT_SINGLELINE | DT_RIGHT, 90 - w, 10 + 3},
      {DT_SINGLELINE | DT_CENTER, 10 + (80 - w) / 2, 10 + 3},
      {DT_SINGLELINE | DT_VCENTER, 10, 10 + (40 - 13) / 2 + 3},
      {DT_SINGLELINE | DT_BOTTOM, 10, 50 - 13 + 3},
  };
  for (const Case& k : cases) {
    Canvas32 c(100, 60);
    SetBkMode(c.dc, TRANSPARENT);
    RECT r{10, 10, 90, 50};
    DrawTextA(c.dc, "HH", 2, &r, k.format);
    RECT ink = InkBox(c, kBlack);
    SCOPED_TRACE(k.format);
    EXPECT_EQ(ink.left, k.expectLeft);
    EXPECT_EQ(ink.top, k.expectTop);
  }
}

TEST(DrawText, PrefixUnderlinesAndDoubleAmpersandIsLiteral) {
  Canvas32 a(80, 20), b(80, 20), d(80, 20);
  RECT r{0, 0, 80, 20};
  SetBkMode(a.dc, TRANSPARENT);
  SetBkMode(b.dc, TRANSPARENT);
  SetBkMode(d.dc, TRANSPARENT);
  DrawTextA(a.dc, "&Datei", -1, &r, DT_SINGLELINE);
  DrawTextA(b.dc, "Datei", -1, &r, DT_SINGLELINE);
  // Same glyphs, plus an underline below the baseline under the 'D'.
  int dw = Width(b.dc, "D");
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      bool under = y == 12 && x < dw - 1;
      EXPECT_EQ(a.at(x, y), under ? kBlack : b.at(x, y)) << x << "," << y;
    }
  DrawTextA(d.dc, "A&&B", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.right, Width(d.dc, "A&B"));
  RECT n{0, 0, 80, 20};
  DrawTextA(d.dc, "A&B", -1, &n, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  EXPECT_EQ(n.right, Width(d.dc, "A&B"));
}

TEST(DrawText, ClipsToRectAndEndEllipsis) {
  Canvas32 c(100, 30);
  RECT r{0, 0, 20, 30};
  SetBkMode(c.dc, TRANSPARENT);
  DrawTextA(c.dc, "WWWWWWWWWW", -1, &r, DT_SINGLELINE);
  EXPECT_LE(InkBox(c, kBlack).right, 20);
  Canvas32 e(100, 30);
  RECT q{0, 0, 30, 30};
  SetBkMode(e.dc, TRANSPARENT);
  DrawTextA(e.dc, "Abbrechen", -1, &q, DT_SINGLELINE | DT_END_ELLIPSIS);
  RECT ink = InkBox(e, kBlack);
  EXPECT_LE(ink.right, 30);
  EXPECT_EQ(e.at(ink.right - 1, 10), kBlack);  // the last dot sits on the baseline row
}

TEST(Glyphs, GermanLettersDifferFromTheirBaseLetters) {
  const std::pair<char, char> pairs[] = {{'\xE4', 'a'}, {'\xF6', 'o'}, {'\xFC', 'u'}, {'\xC4', 'A'},
                                         {'\xD6', 'O'}, {'\xDC', 'U'}, {'\xDF', 'B'}};
  for (auto [accented, base] : pairs) {
    Canvas32 a(12, 13), b(12, 13);
    TextOutA(a.dc, 0, 0, &accented, 1);
    TextOutA(b.dc, 0, 0, &base, 1);
    EXPECT_NE(a.rows(kBlack), b.rows(kBlack)) << (int)(unsigned char)accented;
    EXPECT_NE(a.rows(kBlack).find('#'), std::string::npos);
  }
}

}  // namespace

namespace {

TEST(FontStyles, ItalicLeansUnderlineAndStrikeOutSpanTheText) {
  Canvas32 plain(40, 13), italic(40, 13), under(40, 13);
  HFONT it = CreateFontA(-11, 0, 0, 0, FW_NORMAL, TRUE, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
  HFONT ul = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, TRUE, TRUE, 0, 0, 0, 0, 0, "MS Sans Serif");
  TextOutA(plain.dc, 0, 0, "l", 1);
  SelectObject(italic.dc, it);
  TextOutA(italic.dc, 0, 0, "l", 1);
  EXPECT_EQ(plain.at(0, 3), kBlack);
  EXPECT_NE(italic.at(0, 3), kBlack);  // the top of the stem leans right
  EXPECT_EQ(italic.at(0, 10), kBlack);  // the foot stays on its place
  SelectObject(under.dc, ul);
  SetBkMode(under.dc, TRANSPARENT);
  TextOutA(under.dc, 0, 0, "ii", 2);
  int w = Width(under.dc, "ii");
  for (int x = 0; x < w; ++x) {
    EXPECT_EQ(under.at(x, 12), kBlack) << x;  // underline below the baseline
    EXPECT_EQ(under.at(x, 7), kBlack) << x;   // strike-out through the middle
  }
  EXPECT_NE(under.at(w, 12), kBlack);
  SelectObject(italic.dc, GetStockObject(SYSTEM_FONT));
  SelectObject(under.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(it);
  DeleteObject(ul);
}

}  // namespace
