// Three-dimensional edges and the system colours they are drawn in.
#include <gtest/gtest.h>
#include <windows.h>

#include "gdi_test_util.h"

using gditest::Canvas32;

namespace {

uint32_t Sys(int index) {
  COLORREF c = GetSysColor(index);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST(SysColor, ClassicSchemeValues) {
  struct Case { int index; COLORREF value; };
  const Case cases[] = {
      {COLOR_BTNFACE, 0xC0C0C0},   {COLOR_BTNSHADOW, 0x808080},  {COLOR_BTNHIGHLIGHT, 0xFFFFFF},
      {COLOR_3DDKSHADOW, 0},       {COLOR_3DLIGHT, 0xC0C0C0},    {COLOR_WINDOW, 0xFFFFFF},
      {COLOR_WINDOWTEXT, 0},       {COLOR_HIGHLIGHT, 0x800000},  {COLOR_HIGHLIGHTTEXT, 0xFFFFFF},
      {COLOR_GRAYTEXT, 0x808080},  {COLOR_ACTIVECAPTION, 0x800000}, {COLOR_CAPTIONTEXT, 0xFFFFFF},
      {COLOR_BTNTEXT, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GetSysColor(c.index), c.value) << c.index;
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(999), 0u);
}

TEST(SysColor, SetSysColorsRecoloursTheSharedBrush) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  LOGBRUSH lb;
  ASSERT_EQ(GetObjectA(face, sizeof lb, &lb), (int)sizeof lb);
  EXPECT_EQ(lb.lbColor, 0xC0C0C0u);
  INT index = COLOR_BTNFACE;
  COLORREF green = RGB(0, 255, 0);
  ASSERT_TRUE(SetSysColors(1, &index, &green));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), green);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  GetObjectA(face, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, green);
  DeleteObject(face);  // shared: deleting it changes nothing
  EXPECT_EQ(GetObjectType(face), (DWORD)OBJ_BRUSH);
  COLORREF gray = 0xC0C0C0;
  SetSysColors(1, &index, &gray);
}

// Colours of the outer ring (left, top, right, bottom) and of the next ring.
struct EdgeCase {
  UINT edge;
  UINT flags;
  int outer[4];
  int inner[4];
};

TEST(DrawEdge, RingColoursPerEdgeStyle) {
  const EdgeCase cases[] = {
      {EDGE_RAISED, BF_RECT,
       {COLOR_3DLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW},
       {COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNSHADOW}},
      {EDGE_SUNKEN, BF_RECT,
       {COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT},
       {COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DLIGHT}},
      {EDGE_ETCHED, BF_RECT,
       {COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT},
       {COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNSHADOW}},
      {EDGE_BUMP, BF_RECT,
       {COLOR_3DLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW},
       {COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DLIGHT}},
      {EDGE_RAISED, BF_RECT | BF_SOFT,
       {COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW},
       {COLOR_3DLIGHT, COLOR_3DLIGHT, COLOR_BTNSHADOW, COLOR_BTNSHADOW}},
      {EDGE_SUNKEN, BF_RECT | BF_FLAT,
       {COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW},
       {COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNFACE}},
      {EDGE_SUNKEN, BF_RECT | BF_MONO,
       {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME},
       {COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW}},
  };
  for (const EdgeCase& ec : cases) {
    Canvas32 c(10, 10);
    c.fill(0x123456);
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(c.dc, &r, ec.edge, ec.flags));
    SCOPED_TRACE(testing::Message() << "edge " << ec.edge << " flags " << ec.flags);
    EXPECT_EQ(c.at(0, 5), Sys(ec.outer[0]));  // left
    EXPECT_EQ(c.at(5, 0), Sys(ec.outer[1]));  // top
    EXPECT_EQ(c.at(9, 5), Sys(ec.outer[2]));  // right
    EXPECT_EQ(c.at(5, 9), Sys(ec.outer[3]));  // bottom
    EXPECT_EQ(c.at(1, 5), Sys(ec.inner[0]));
    EXPECT_EQ(c.at(5, 1), Sys(ec.inner[1]));
    EXPECT_EQ(c.at(8, 5), Sys(ec.inner[2]));
    EXPECT_EQ(c.at(5, 8), Sys(ec.inner[3]));
    // Bottom-right colours own the corners they share with the top-left ones.
    EXPECT_EQ(c.at(9, 0), Sys(ec.outer[2]));
    EXPECT_EQ(c.at(0, 9), Sys(ec.outer[3]));
    EXPECT_EQ(c.at(5, 5), 0x123456u);  // no BF_MIDDLE: inside untouched
  }
}

TEST(DrawEdge, AdjustMiddleAndPartialSides) {
  Canvas32 c(10, 8);
  c.fill(0x123456);
  RECT r{1, 1, 9, 7};
  DrawEdge(c.dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.top, 3);
  EXPECT_EQ(r.right, 7);
  EXPECT_EQ(r.bottom, 5);
  EXPECT_EQ(c.at(4, 4), 0xC0C0C0u);
  EXPECT_EQ(c.at(0, 0), 0x123456u);
  c.fill(0x123456);
  RECT s{0, 0, 10, 8};
  DrawEdge(c.dc, &s, BDR_RAISEDINNER, BF_BOTTOM | BF_ADJUST);
  EXPECT_EQ(c.at(5, 7), Sys(COLOR_BTNSHADOW));  // the single ring is the outermost
  EXPECT_EQ(c.at(0, 3), 0x123456u);
  EXPECT_EQ(c.at(5, 0), 0x123456u);
  EXPECT_EQ(s.bottom, 7);
  EXPECT_EQ(s.top, 0);
}

}  // namespace
