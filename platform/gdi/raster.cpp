// Rasterisation: painting clipped spans with pens and brushes, lines of any
// width and dash style, and polygon filling.
#include <algorithm>
#include <cmath>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

// 8x8 hatch patterns, one byte a row, bit 7 = leftmost pixel.
const uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

inline bool StandardRgb32(const Canvas& cv) {
  return cv.bpp == 32 && cv.masks[0] == 0xFF0000 && cv.masks[1] == 0xFF00 && cv.masks[2] == 0xFF;
}

// Paints [x0, x1) of row y, already clipped.
void PaintRun(Target& t, int y, int x0, int x1, const Ink& ink) {
  int n = x1 - x0;
  if (!ink.brush && ink.rop2 == R2_COPYPEN && StandardRgb32(t.cv)) {
    uint32_t* p = reinterpret_cast<uint32_t*>(t.cv.row0 + (ptrdiff_t)y * t.cv.stride) + x0;
    std::fill(p, p + n, ink.rgb);
    return;
  }
  uint32_t buf[256];
  for (int start = x0; start < x1; start += 256) {
    int m = std::min(256, x1 - start);
    ReadRow(t.cv, y, start, m, buf);
    for (int i = 0; i < m; ++i) {
      uint32_t src = ink.rgb;
      if (ink.brush && !InkColorAt(ink, start + i, y, &src)) continue;
      buf[i] = Rop2(ink.rop2, src, buf[i]);
    }
    WriteRow(t.cv, y, start, m, buf);
  }
}

}  // namespace

uint32_t ResolveColor(const Dc* dc, COLORREF c) {
  if ((c & 0xFF000000u) == 0x01000000u) {
    Palette* p = LookupPalette(dc && dc->st.palette ? dc->st.palette : Stock(DEFAULT_PALETTE));
    UINT i = c & 0xFFFF;
    if (!p || i >= p->entries.size()) return 0;
    const PALETTEENTRY& e = p->entries[i];
    return ((uint32_t)e.peRed << 16) | ((uint32_t)e.peGreen << 8) | e.peBlue;
  }
  return RgbFromColorref(c & 0xFFFFFF);
}

uint32_t Rop2(int rop2, uint32_t pen, uint32_t dst) {
  uint32_t code = (uint32_t)(rop2 - 1) & 0xF;
  uint32_t r = 0;
  if (code & 8) r |= pen & dst;
  if (code & 4) r |= pen & ~dst;
  if (code & 2) r |= ~pen & dst;
  if (code & 1) r |= ~pen & ~dst;
  return r & 0xFFFFFF;
}

Ink InkFromPen(const Target& t, HPEN h) {
  Ink ink;
  Pen* p = LookupPen(h);
  if (!p || p->style == PS_NULL || !t.dc) {
    ink.nothing = true;
    return ink;
  }
  ink.rgb = ResolveColor(t.dc, p->dcPen ? t.dc->st.dcPenColor : p->color);
  ink.rop2 = t.dc->st.rop2;
  return ink;
}

Ink InkFromBrush(const Target& t, HBRUSH h) {
  Ink ink;
  Brush* b = LookupBrush(ResolveBrushArg(h));
  if (!b || b->style == BS_NULL || !t.dc) {
    ink.nothing = true;
    return ink;
  }
  ink.rop2 = t.dc->st.rop2;
  ink.rgb = ResolveColor(t.dc, b->dcBrush ? t.dc->st.dcBrushColor : b->color);
  if (b->style == BS_HATCHED || b->style == BS_PATTERN) {
    ink.brush = b;
    ink.textRgb = b->style == BS_HATCHED ? ink.rgb : ResolveColor(t.dc, t.dc->st.textColor);
    ink.bkRgb = ResolveColor(t.dc, t.dc->st.bkColor);
    ink.bkTransparent = b->style == BS_HATCHED && t.dc->st.bkMode == TRANSPARENT;
    ink.orgX = t.dc->st.brushOrg.x + t.devX;
    ink.orgY = t.dc->st.brushOrg.y + t.devY;
  }
  return ink;
}

bool InkColorAt(const Ink& ink, int x, int y, uint32_t* rgb) {
  const Brush* b = ink.brush;
  if (!b) {
    *rgb = ink.rgb;
    return true;
  }
  if (b->style == BS_HATCHED) {
    int px = ((x - ink.orgX) % 8 + 8) % 8;
    int py = ((y - ink.orgY) % 8 + 8) % 8;
    bool on = (kHatches[b->hatch][py] >> (7 - px)) & 1;
    if (on) {
      *rgb = ink.textRgb;
      return true;
    }
    *rgb = ink.bkRgb;
    return !ink.bkTransparent;
  }
  if (b->patWidth <= 0 || b->patHeight <= 0) {
    *rgb = 0;
    return true;
  }
  int px = ((x - ink.orgX) % b->patWidth + b->patWidth) % b->patWidth;
  int py = ((y - ink.orgY) % b->patHeight + b->patHeight) % b->patHeight;
  size_t i = (size_t)py * b->patWidth + px;
  if (b->monoPattern)
    *rgb = b->monoBits[i] ? ink.bkRgb : ink.textRgb;
  else
    *rgb = b->pattern[i];
  return true;
}

void FillSpan(Target& t, int y, int x0, int x1, const Ink& ink) {
  if (ink.nothing || x0 >= x1) return;
  for (const RECT& r : t.clips) {
    if (y < r.top || y >= r.bottom) continue;
    int a = std::max<int>(x0, r.left), b = std::min<int>(x1, r.right);
    if (a < b) PaintRun(t, y, a, b, ink);
  }
}

void FillCanvasRect(Target& t, int left, int top, int right, int bottom, const Ink& ink) {
  if (ink.nothing) return;
  for (const RECT& r : t.clips) {
    int l = std::max<int>(left, r.left), rr = std::min<int>(right, r.right);
    int tp = std::max<int>(top, r.top), b = std::min<int>(bottom, r.bottom);
    for (int y = tp; y < b && l < rr; ++y) PaintRun(t, y, l, rr, ink);
  }
}

namespace {

// On/off run lengths of the dash styles (cosmetic pens).
const int* DashPattern(int style, int* count) {
  static const int dash[] = {18, 6};
  static const int dot[] = {3, 3};
  static const int dashDot[] = {9, 6, 3, 6};
  static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: *count = 2; return dash;
    case PS_DOT: *count = 2; return dot;
    case PS_DASHDOT: *count = 4; return dashDot;
    case PS_DASHDOTDOT: *count = 6; return dashDotDot;
    default: *count = 0; return nullptr;
  }
}

bool DashOn(const int* pattern, int count, int phase) {
  int total = 0;
  for (int i = 0; i < count; ++i) total += pattern[i];
  phase %= total;
  for (int i = 0; i < count; ++i) {
    if (phase < pattern[i]) return (i % 2) == 0;
    phase -= pattern[i];
  }
  return true;
}

// Rows of a convex shape, each with its covered x range (inclusive).
struct RowSpans {
  int top = 0;
  std::vector<int> lo, hi;
  void add(int x, int y, int x0, int x1) {
    (void)x;
    if (lo.empty()) top = y;
    if (y < top) {
      int grow = top - y;
      lo.insert(lo.begin(), (size_t)grow, 0x7FFFFFFF);
      hi.insert(hi.begin(), (size_t)grow, -0x7FFFFFFF);
      top = y;
    }
    size_t i = (size_t)(y - top);
    if (i >= lo.size()) {
      lo.resize(i + 1, 0x7FFFFFFF);
      hi.resize(i + 1, -0x7FFFFFFF);
    }
    lo[i] = std::min(lo[i], x0);
    hi[i] = std::max(hi[i], x1);
  }
};

// Adds a disc of diameter w centred on pixel (cx, cy) (even widths lean
// up and left).
void AddDisc(RowSpans& rows, int cx, int cy, int w) {
  double r = w / 2.0;
  int lo = -(w / 2), hi = (w - 1) / 2;
  double c = (w % 2) ? 0.0 : -0.5;
  for (int dy = lo; dy <= hi; ++dy) {
    double yy = dy - c;
    double half = std::sqrt(std::max(0.0, r * r - yy * yy));
    int x0 = (int)std::ceil(c - half - 1e-9);
    int x1 = (int)std::floor(c + half + 1e-9);
    x0 = std::max(x0, lo);
    x1 = std::min(x1, hi);
    if (x0 > x1) x0 = x1 = 0;
    rows.add(cx, cy + dy, cx + x0, cx + x1);
  }
}

}  // namespace

void DrawPenLine(Target& t, const Pen& pen, const Ink& ink, int x0, int y0, int x1, int y1,
                 int* dashPhase) {
  if (ink.nothing || (x0 == x1 && y0 == y1)) return;
  int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int steps = std::max(dx, dy);
  if (pen.width > 1) {
    // Wide pens: the union of discs along the line, painted once per row.
    RowSpans rows;
    int err = dx - dy, x = x0, y = y0;
    for (int i = 0; i <= steps; ++i) {
      AddDisc(rows, x, y, pen.width);
      int e2 = 2 * err;
      if (e2 > -dy) { err -= dy; x += sx; }
      if (e2 < dx) { err += dx; y += sy; }
    }
    for (size_t i = 0; i < rows.lo.size(); ++i)
      if (rows.lo[i] <= rows.hi[i]) FillSpan(t, rows.top + (int)i, rows.lo[i], rows.hi[i] + 1, ink);
    return;
  }
  int count = 0;
  const int* pattern = DashPattern(pen.style, &count);
  Ink gap = ink;
  gap.rgb = ResolveColor(t.dc, t.dc->st.bkColor);
  bool gapDrawn = pattern && t.dc->st.bkMode == OPAQUE;
  int err = dx - dy, x = x0, y = y0;
  for (int i = 0; i < steps; ++i) {
    bool on = !pattern || DashOn(pattern, count, dashPhase ? (*dashPhase)++ : i);
    if (on)
      FillSpan(t, y, x, x + 1, ink);
    else if (gapDrawn)
      FillSpan(t, y, x, x + 1, gap);
    int e2 = 2 * err;
    if (e2 > -dy) { err -= dy; x += sx; }
    if (e2 < dx) { err += dx; y += sy; }
  }
}

void FillPolygon(Target& t, const std::vector<POINT>& pts, const Ink& ink, bool winding) {
  if (ink.nothing || pts.size() < 3) return;
  int top = pts[0].y, bottom = pts[0].y;
  for (const POINT& p : pts) {
    top = std::min<int>(top, p.y);
    bottom = std::max<int>(bottom, p.y);
  }
  struct Cross { double x; int dir; };
  std::vector<Cross> xs;
  size_t n = pts.size();
  for (int y = top; y < bottom; ++y) {
    double yc = y + 0.5;
    xs.clear();
    for (size_t i = 0; i < n; ++i) {
      const POINT& a = pts[i];
      const POINT& b = pts[(i + 1) % n];
      if (a.y == b.y) continue;
      bool down = a.y < b.y;
      double ya = down ? a.y : b.y, yb = down ? b.y : a.y;
      if (yc < ya || yc >= yb) continue;
      double x = a.x + (yc - a.y) * (double)(b.x - a.x) / (double)(b.y - a.y);
      xs.push_back(Cross{x, down ? 1 : -1});
    }
    std::sort(xs.begin(), xs.end(), [](const Cross& p, const Cross& q) { return p.x < q.x; });
    int wind = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      wind += xs[i].dir;
      bool inside = winding ? wind != 0 : (i % 2) == 0;
      if (!inside) continue;
      int xa = (int)std::ceil(xs[i].x - 0.5);
      int xb = (int)std::ceil(xs[i + 1].x - 0.5);
      FillSpan(t, y, xa, xb, ink);
    }
  }
}

}  // namespace lvgdi
