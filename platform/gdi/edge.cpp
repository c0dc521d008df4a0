// System colours and the three-dimensional borders drawn in them.
#include "gdi_internal.h"

using namespace lvgdi;

namespace {

constexpr int kColorCount = COLOR_GRADIENTINACTIVECAPTION + 1;

// The classic colour scheme, as COLORREF values.
COLORREF g_sysColors[kColorCount] = {
    0xC0C0C0,  // COLOR_SCROLLBAR
    0x808000,  // COLOR_BACKGROUND
    0x800000,  // COLOR_ACTIVECAPTION
    0x808080,  // COLOR_INACTIVECAPTION
    0xC0C0C0,  // COLOR_MENU
    0xFFFFFF,  // COLOR_WINDOW
    0x000000,  // COLOR_WINDOWFRAME
    0x000000,  // COLOR_MENUTEXT
    0x000000,  // COLOR_WINDOWTEXT
    0xFFFFFF,  // COLOR_CAPTIONTEXT
    0xC0C0C0,  // COLOR_ACTIVEBORDER
    0xC0C0C0,  // COLOR_INACTIVEBORDER
    0x808080,  // COLOR_APPWORKSPACE
    0x800000,  // COLOR_HIGHLIGHT
    0xFFFFFF,  // COLOR_HIGHLIGHTTEXT
    0xC0C0C0,  // COLOR_BTNFACE
    0x808080,  // COLOR_BTNSHADOW
    0x808080,  // COLOR_GRAYTEXT
    0x000000,  // COLOR_BTNTEXT
    0xC0C0C0,  // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF,  // COLOR_BTNHIGHLIGHT
    0x000000,  // COLOR_3DDKSHADOW
    0xC0C0C0,  // COLOR_3DLIGHT
    0x000000,  // COLOR_INFOTEXT
    0xE1FFFF,  // COLOR_INFOBK
    0xB5B5B5,  // (unused index 25)
    0x800000,  // COLOR_HOTLIGHT
    0xD08410,  // COLOR_GRADIENTACTIVECAPTION
    0xB5B5B5,  // COLOR_GRADIENTINACTIVECAPTION
};

// Colours of one ring of a border: top-left and bottom-right.
struct Ring {
  int topLeft = -1;
  int bottomRight = -1;
};

Ring OuterRing(UINT edge, UINT flags) {
  bool raised = edge & BDR_RAISEDOUTER, sunken = edge & BDR_SUNKENOUTER;
  if (!raised && !sunken) return Ring{};
  if (flags & BF_MONO) return Ring{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return Ring{COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  bool soft = flags & BF_SOFT;
  if (raised) return Ring{soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  return Ring{soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

Ring InnerRing(UINT edge, UINT flags) {
  bool raised = edge & BDR_RAISEDINNER, sunken = edge & BDR_SUNKENINNER;
  if (!raised && !sunken) return Ring{};
  if (flags & BF_MONO) return Ring{COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return Ring{COLOR_BTNFACE, COLOR_BTNFACE};
  bool soft = flags & BF_SOFT;
  if (raised) return Ring{soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  return Ring{soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

void FillColor(HDC hdc, int l, int t, int r, int b, int color) {
  RECT rc{l, t, r, b};
  FillRect(hdc, &rc, GetSysColorBrush(color));
}

// Draws one ring on the flagged sides of rc and shrinks rc by it.
void DrawRing(HDC hdc, RECT& rc, const Ring& ring, UINT flags) {
  if (ring.topLeft < 0) return;
  if (flags & BF_LEFT) FillColor(hdc, rc.left, rc.top, rc.left + 1, rc.bottom, ring.topLeft);
  if (flags & BF_TOP) FillColor(hdc, rc.left, rc.top, rc.right, rc.top + 1, ring.topLeft);
  if (flags & BF_RIGHT) FillColor(hdc, rc.right - 1, rc.top, rc.right, rc.bottom, ring.bottomRight);
  if (flags & BF_BOTTOM) FillColor(hdc, rc.left, rc.bottom - 1, rc.right, rc.bottom, ring.bottomRight);
  if (flags & BF_LEFT) ++rc.left;
  if (flags & BF_TOP) ++rc.top;
  if (flags & BF_RIGHT) --rc.right;
  if (flags & BF_BOTTOM) --rc.bottom;
}

// Diagonal edges: a line from one corner to the opposite one in the
// colour the ring has on that side.
void DrawDiagonal(HDC hdc, const RECT& rc, UINT edge, UINT flags) {
  Ring outer = OuterRing(edge, flags);
  Ring ring = outer.topLeft >= 0 ? outer : InnerRing(edge, flags);
  if (ring.topLeft < 0) return;
  bool endTop = flags & BF_TOP, endRight = flags & BF_RIGHT;
  int color = (endTop == endRight) ? ring.bottomRight : ring.topLeft;
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(color));
  HGDIOBJ old = SelectObject(hdc, pen);
  int x0 = endRight ? rc.left : rc.right - 1, x1 = endRight ? rc.right - 1 : rc.left;
  int y0 = endTop ? rc.bottom - 1 : rc.top, y1 = endTop ? rc.top : rc.bottom - 1;
  MoveToEx(hdc, x0, y0, nullptr);
  LineTo(hdc, x1, y1);
  SetPixelV(hdc, x1, y1, GetSysColor(color));
  SelectObject(hdc, old);
  DeleteObject(pen);
}

}  // namespace

DWORD WINAPI GetSysColor(int index) {
  if (index < 0 || index >= kColorCount) return 0;
  return g_sysColors[index];
}

HBRUSH WINAPI GetSysColorBrush(int index) {
  if (index < 0 || index >= kColorCount) return 0;
  return SysColorBrush(index, g_sysColors[index]);
}

BOOL WINAPI SetSysColors(int count, const INT* indexes, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!indexes || !colors))) return FALSE;
  for (int i = 0; i < count; ++i) {
    if (indexes[i] < 0 || indexes[i] >= kColorCount) continue;
    g_sysColors[indexes[i]] = colors[i] & 0xFFFFFF;
    SysColorBrush(indexes[i], g_sysColors[indexes[i]]);
  }
  return TRUE;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  if (!LookupDc(hdc) || !rect) return FALSE;
  RECT rc = *rect;
  if (flags & BF_DIAGONAL) {
    DrawDiagonal(hdc, rc, edge, flags);
    return TRUE;
  }
  DrawRing(hdc, rc, OuterRing(edge, flags), flags);
  DrawRing(hdc, rc, InnerRing(edge, flags), flags);
  if ((flags & BF_MIDDLE) && rc.left < rc.right && rc.top < rc.bottom)
    FillColor(hdc, rc.left, rc.top, rc.right, rc.bottom,
              (flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (flags & BF_ADJUST) *rect = rc;
  return TRUE;
}
