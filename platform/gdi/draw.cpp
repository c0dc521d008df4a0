// Lines, shapes, pixels and rectangle fills.
#include <algorithm>
#include <cmath>

#include "gdi_internal.h"

using namespace lvgdi;

namespace {

struct Box { int l, t, r, b; };

Box Normalized(int l, int t, int r, int b) {
  return Box{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

Ink CopyInk(Ink ink) {
  ink.rop2 = R2_COPYPEN;
  return ink;
}

// Half-open x range of row y inside a rectangle [l, r) x [t, b) whose
// corners are rounded by ellipses ew wide and eh high; false when the row
// is outside.
bool RoundRowSpan(const Box& box, int ew, int eh, int y, int* x0, int* x1) {
  if (y < box.t || y >= box.b || box.l >= box.r) return false;
  double rx = std::min(ew, box.r - box.l) / 2.0;
  double ry = std::min(eh, box.b - box.t) / 2.0;
  double inset = 0;
  if (rx > 0 && ry > 0) {
    double yc = y + 0.5, d = 0;
    if (yc < box.t + ry)
      d = (box.t + ry - yc) / ry;
    else if (yc > box.b - ry)
      d = (yc - (box.b - ry)) / ry;
    if (d > 1) return false;
    inset = rx - rx * std::sqrt(std::max(0.0, 1 - d * d));
  }
  *x0 = (int)std::ceil(box.l + inset - 0.5 - 1e-9);
  *x1 = (int)std::floor(box.r - inset - 0.5 + 1e-9) + 1;
  return *x0 < *x1;
}

// The pen's outer box of a shape drawn in [l, r) x [t, b): wide pens are
// centred on the outline unless they are PS_INSIDEFRAME.
Box PenOuterBox(const Box& b, const Pen* pen) {
  if (!pen || pen->width <= 1 || pen->style == PS_INSIDEFRAME) return b;
  int w = pen->width;
  return Box{b.l - w / 2, b.t - w / 2, b.r + (w - 1) / 2, b.b + (w - 1) / 2};
}

// Outline with the pen and inside with the brush, row by row, so that no
// pixel is painted twice.
void DrawRoundShape(Target& t, Box box, int ew, int eh) {
  Pen* pen = LookupPen(t.dc->st.pen);
  Ink penInk = InkFromPen(t, t.dc->st.pen);
  Ink brushInk = InkFromBrush(t, t.dc->st.brush);
  box = Box{box.l + t.dx, box.t + t.dy, box.r + t.dx, box.b + t.dy};
  if (penInk.nothing) {
    // Without a pen the shape is one pixel smaller, as on the real system.
    Box in{box.l, box.t, box.r - 1, box.b - 1};
    for (int y = in.t; y < in.b; ++y) {
      int a, b;
      if (RoundRowSpan(in, ew, eh, y, &a, &b)) FillSpan(t, y, a, b, brushInk);
    }
    return;
  }
  int w = std::max(1, pen->width);
  Box outer = PenOuterBox(box, pen);
  Box inner{outer.l + w, outer.t + w, outer.r - w, outer.b - w};
  int iew = std::max(0, ew - 2 * w), ieh = std::max(0, eh - 2 * w);
  for (int y = outer.t; y < outer.b; ++y) {
    int a0, a1, b0, b1;
    if (!RoundRowSpan(outer, ew, eh, y, &a0, &a1)) continue;
    if (RoundRowSpan(inner, iew, ieh, y, &b0, &b1) && b0 >= a0 && b1 <= a1) {
      FillSpan(t, y, a0, b0, penInk);
      FillSpan(t, y, b0, b1, brushInk);
      FillSpan(t, y, b1, a1, penInk);
    } else {
      FillSpan(t, y, a0, a1, penInk);
    }
  }
}

void DrawPolyline(Target& t, const POINT* pts, int count, bool closed) {
  Pen* pen = LookupPen(t.dc->st.pen);
  Ink ink = InkFromPen(t, t.dc->st.pen);
  if (!pen || ink.nothing) return;
  int phase = 0;
  int segments = closed ? count : count - 1;
  for (int i = 0; i < segments; ++i) {
    const POINT& a = pts[i];
    const POINT& b = pts[(i + 1) % count];
    DrawPenLine(t, *pen, ink, a.x + t.dx, a.y + t.dy, b.x + t.dx, b.y + t.dy, &phase);
  }
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->st.curPos;
  dc->st.curPos = POINT{x, y};
  return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT pos) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !pos) return FALSE;
  *pos = dc->st.curPos;
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  Target t = MakeTarget(hdc);
  if (!t.dc) return FALSE;
  POINT pts[2] = {t.dc->st.curPos, POINT{x, y}};
  t.dc->st.curPos = pts[1];
  if (t.ok()) DrawPolyline(t, pts, 2, false);
  return TRUE;
}

BOOL WINAPI Polyline(HDC hdc, const POINT* points, int count) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !points || count < 2) return FALSE;
  if (t.ok()) DrawPolyline(t, points, count, false);
  return TRUE;
}

BOOL WINAPI PolylineTo(HDC hdc, const POINT* points, int count) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !points || count < 1) return FALSE;
  std::vector<POINT> pts;
  pts.push_back(t.dc->st.curPos);
  pts.insert(pts.end(), points, points + count);
  t.dc->st.curPos = points[count - 1];
  if (t.ok()) DrawPolyline(t, pts.data(), (int)pts.size(), false);
  return TRUE;
}

BOOL WINAPI Polygon(HDC hdc, const POINT* points, int count) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !points || count < 2) return FALSE;
  if (!t.ok()) return TRUE;
  std::vector<POINT> pts(points, points + count);
  for (POINT& p : pts) {
    p.x += t.dx;
    p.y += t.dy;
  }
  FillPolygon(t, pts, InkFromBrush(t, t.dc->st.brush), t.dc->st.polyFillMode == WINDING);
  DrawPolyline(t, points, count, true);
  return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  Target t = MakeTarget(hdc);
  if (!t.dc) return FALSE;
  if (!t.ok()) return TRUE;
  Box box = Normalized(left, top, right, bottom);
  Pen* pen = LookupPen(t.dc->st.pen);
  bool styled = pen && pen->width <= 1 && pen->style >= PS_DASH && pen->style <= PS_DASHDOTDOT;
  if (!styled) {
    DrawRoundShape(t, box, 0, 0);
    return TRUE;
  }
  Ink brushInk = InkFromBrush(t, t.dc->st.brush);
  FillCanvasRect(t, box.l + 1 + t.dx, box.t + 1 + t.dy, box.r - 1 + t.dx, box.b - 1 + t.dy,
                 brushInk);
  POINT pts[4] = {{box.l, box.t}, {box.r - 1, box.t}, {box.r - 1, box.b - 1}, {box.l, box.b - 1}};
  DrawPolyline(t, pts, 4, true);
  return TRUE;
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  Target t = MakeTarget(hdc);
  if (!t.dc) return FALSE;
  if (!t.ok()) return TRUE;
  Box box = Normalized(left, top, right, bottom);
  DrawRoundShape(t, box, box.r - box.l, box.b - box.t);
  return TRUE;
}

BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  Target t = MakeTarget(hdc);
  if (!t.dc) return FALSE;
  if (!t.ok()) return TRUE;
  DrawRoundShape(t, Normalized(left, top, right, bottom), std::abs(width), std::abs(height));
  return TRUE;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  Target t = MakeTarget(hdc);
  if (!t.ok()) return CLR_INVALID;
  int cx = x + t.dx, cy = y + t.dy;
  if (!ClipContains(t, cx, cy)) return CLR_INVALID;
  WritePixel(t.cv, cx, cy, ResolveColor(t.dc, color));
  return ColorrefFromRgb(ReadPixel(t.cv, cx, cy));
}

BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF color) {
  return SetPixel(hdc, x, y, color) != CLR_INVALID;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  Target t = MakeTarget(hdc);
  if (!t.ok()) return CLR_INVALID;
  int cx = x + t.dx, cy = y + t.dy;
  if (!ClipContains(t, cx, cy)) return CLR_INVALID;
  return ColorrefFromRgb(ReadPixel(t.cv, cx, cy));
}

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !rect || !LookupBrush(ResolveBrushArg(brush))) return 0;
  if (!t.ok()) return 1;
  FillCanvasRect(t, rect->left + t.dx, rect->top + t.dy, rect->right + t.dx, rect->bottom + t.dy,
                 CopyInk(InkFromBrush(t, brush)));
  return 1;
}

int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !rect || !LookupBrush(ResolveBrushArg(brush))) return 0;
  if (!t.ok()) return 1;
  Ink ink = CopyInk(InkFromBrush(t, brush));
  int l = rect->left + t.dx, tp = rect->top + t.dy, r = rect->right + t.dx, b = rect->bottom + t.dy;
  if (l >= r || tp >= b) return 1;
  FillCanvasRect(t, l, tp, r, tp + 1, ink);
  if (b - 1 > tp) FillCanvasRect(t, l, b - 1, r, b, ink);
  FillCanvasRect(t, l, tp + 1, l + 1, b - 1, ink);
  if (r - 1 > l) FillCanvasRect(t, r - 1, tp + 1, r, b - 1, ink);
  return 1;
}

BOOL WINAPI InvertRect(HDC hdc, const RECT* rect) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !rect) return FALSE;
  if (!t.ok()) return TRUE;
  Ink ink;
  ink.rop2 = R2_NOT;
  FillCanvasRect(t, rect->left + t.dx, rect->top + t.dy, rect->right + t.dx, rect->bottom + t.dy,
                 ink);
  return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !rect) return FALSE;
  if (!t.ok()) return TRUE;
  Ink ink;
  ink.rop2 = R2_NOT;
  int l = rect->left + t.dx, tp = rect->top + t.dy, r = rect->right + t.dx, b = rect->bottom + t.dy;
  if (l >= r || tp >= b) return TRUE;
  // Every other pixel of the border, starting with the top-left corner.
  auto dot = [&](int x, int y) {
    if (((x - l) + (y - tp)) % 2 == 0) FillSpan(t, y, x, x + 1, ink);
  };
  for (int x = l; x < r; ++x) {
    dot(x, tp);
    if (b - 1 > tp) dot(x, b - 1);
  }
  for (int y = tp + 1; y < b - 1; ++y) {
    dot(l, y);
    if (r - 1 > l) dot(r - 1, y);
  }
  return TRUE;
}

BOOL WINAPI FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  Target t = MakeTarget(hdc);
  RegionObject* r = LookupRegion(rgn);
  if (!t.dc || !r || !LookupBrush(ResolveBrushArg(brush))) return FALSE;
  if (!t.ok()) return TRUE;
  Ink ink = CopyInk(InkFromBrush(t, brush));
  for (const RECT& q : r->rgn.rects)
    FillCanvasRect(t, q.left + t.dx, q.top + t.dy, q.right + t.dx, q.bottom + t.dy, ink);
  return TRUE;
}

BOOL WINAPI PaintRgn(HDC hdc, HRGN rgn) {
  Dc* dc = LookupDc(hdc);
  return dc ? FillRgn(hdc, rgn, dc->st.brush) : FALSE;
}
