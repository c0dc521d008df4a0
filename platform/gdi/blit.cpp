// Block transfers: BitBlt, StretchBlt, PatBlt and DIB drawing, all through
// one row-based engine with ternary raster operations.
#include <algorithm>
#include <cstring>

#include "gdi_internal.h"

using namespace lvgdi;

namespace {

// How source pixels are turned into destination colours.
enum class SrcMode { None, Plain, MonoToColor, ColorToMono };

struct Blit {
  Target* dst = nullptr;
  int x0 = 0, y0 = 0, w = 0, h = 0;  // destination, canvas coordinates
  bool flipX = false, flipY = false;
  const Canvas* src = nullptr;
  int sx0 = 0, sy0 = 0, sw = 0, sh = 0;  // source, canvas coordinates
  SrcMode mode = SrcMode::None;
  uint32_t fg = 0, bg = 0xFFFFFF;  // MonoToColor: black -> fg, white -> bg
  uint32_t srcBk = 0xFFFFFF;       // ColorToMono: this colour -> white
  uint8_t rop = 0xCC;              // ternary code
  Ink pattern;
};

inline bool UsesSource(uint8_t rop) { return ((rop >> 2) ^ rop) & 0x33; }
inline bool UsesPattern(uint8_t rop) { return ((rop >> 4) ^ rop) & 0x0F; }

inline uint32_t Rop3(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
  switch (rop) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x33: return ~s & 0xFFFFFF;
    case 0x55: return ~d & 0xFFFFFF;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    default: break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((rop >> i) & 1)) continue;
    uint32_t term = (i & 4) ? p : ~p;
    term &= (i & 2) ? s : ~s;
    term &= (i & 1) ? d : ~d;
    r |= term;
  }
  return r & 0xFFFFFF;
}

inline int MapIndex(int i, int dstLen, int srcLen, bool flip) {
  int j = (int)(((int64_t)(2 * i + 1) * srcLen) / (2 * (int64_t)dstLen));
  return flip ? srcLen - 1 - j : j;
}

inline uint32_t ConvertSource(const Blit& b, uint32_t v) {
  switch (b.mode) {
    case SrcMode::MonoToColor: return v ? b.bg : b.fg;
    case SrcMode::ColorToMono: return v == b.srcBk ? 0xFFFFFF : 0;
    default: return v;
  }
}

// The source row for destination row index i, converted; pixels outside
// the source canvas are marked invalid.
struct SourceRow {
  std::vector<uint32_t> px;
  std::vector<uint8_t> valid;
  int cachedY = 0;
  bool loaded = false;
};

void LoadSourceRow(const Blit& b, int sy, SourceRow& row) {
  if (row.loaded && row.cachedY == sy) return;
  row.loaded = true;
  row.cachedY = sy;
  row.px.assign((size_t)b.sw, 0);
  row.valid.assign((size_t)b.sw, 0);
  if (sy < 0 || sy >= b.src->height) return;
  int lo = std::max(0, -b.sx0), hi = std::min(b.sw, b.src->width - b.sx0);
  if (lo >= hi) return;
  ReadRow(*b.src, sy, b.sx0 + lo, hi - lo, row.px.data() + lo);
  for (int j = lo; j < hi; ++j) {
    row.px[(size_t)j] = ConvertSource(b, row.px[(size_t)j]);
    row.valid[(size_t)j] = 1;
  }
}

void BlitRun(const Blit& b, int y, int a, int e, SourceRow& srow, std::vector<uint32_t>& buf) {
  Target& t = *b.dst;
  int n = e - a;
  bool useSrc = b.src && UsesSource(b.rop);
  if (useSrc) {
    int sy = b.sy0 + MapIndex(y - b.y0, b.h, b.sh, b.flipY);
    LoadSourceRow(b, sy, srow);
  }
  buf.resize((size_t)n);
  bool stretch = b.sw != b.w || b.flipX;
  if (useSrc && b.rop == 0xCC && !stretch) {
    // Straight copy: source pixels as they are, where the source exists.
    int off = a - b.x0;
    int lo = 0, hi = n;
    while (lo < hi && !srow.valid[(size_t)(off + lo)]) ++lo;
    while (hi > lo && !srow.valid[(size_t)(off + hi - 1)]) --hi;
    if (lo < hi) WriteRow(t.cv, y, a + lo, hi - lo, srow.px.data() + off + lo);
    return;
  }
  ReadRow(t.cv, y, a, n, buf.data());
  bool usePat = UsesPattern(b.rop);
  for (int i = 0; i < n; ++i) {
    int x = a + i;
    uint32_t s = 0;
    if (useSrc) {
      int j = stretch ? MapIndex(x - b.x0, b.w, b.sw, b.flipX) : x - b.x0;
      if (!srow.valid[(size_t)j]) continue;
      s = srow.px[(size_t)j];
    }
    uint32_t p = 0;
    if (usePat && !InkColorAt(b.pattern, x, y, &p)) p = buf[(size_t)i];
    buf[(size_t)i] = Rop3(b.rop, p, s, buf[(size_t)i]);
  }
  WriteRow(t.cv, y, a, n, buf.data());
}

void RunBlit(const Blit& b) {
  if (b.w <= 0 || b.h <= 0) return;
  if (b.src && UsesSource(b.rop) && (b.sw <= 0 || b.sh <= 0)) return;
  SourceRow srow;
  std::vector<uint32_t> buf;
  for (const RECT& r : b.dst->clips) {
    int top = std::max<int>(b.y0, r.top), bottom = std::min<int>(b.y0 + b.h, r.bottom);
    int a = std::max<int>(b.x0, r.left), e = std::min<int>(b.x0 + b.w, r.right);
    if (a >= e) continue;
    for (int y = top; y < bottom; ++y) BlitRun(b, y, a, e, srow, buf);
  }
}

// Normalises an extent that may be negative; returns whether it mirrors.
// A negative extent of a stretch runs leftwards (upwards) from the pixel at
// pos, so pos stays inside; a plain rectangle excludes it.
bool Normalize(int& pos, int& len, bool fromPixel = true) {
  if (len >= 0) return false;
  pos += len + (fromPixel ? 1 : 0);
  len = -len;
  return true;
}

Ink PatternInk(const Target& t) {
  Ink ink = InkFromBrush(t, t.dc->st.brush);
  if (ink.nothing) {
    // A null brush contributes black, as a pattern of zeros.
    ink = Ink();
    ink.rgb = 0;
  }
  return ink;
}

BOOL BlitBetweenDcs(HDC dest, int x, int y, int cx, int cy, HDC srcDc, int xs, int ys, int cxs,
                    int cys, DWORD rop) {
  Target t = MakeTarget(dest);
  if (!t.dc) return FALSE;
  uint8_t code = (uint8_t)(rop >> 16);
  Blit b;
  b.dst = &t;
  b.rop = code;
  bool fx = Normalize(x, cx), fy = Normalize(y, cy);
  Target s;
  if (UsesSource(code)) {
    s = MakeTarget(srcDc);
    if (!s.dc) return FALSE;
    if (!s.ok()) return TRUE;
    bool sfx = Normalize(xs, cxs), sfy = Normalize(ys, cys);
    b.flipX = fx != sfx;
    b.flipY = fy != sfy;
    b.src = &s.cv;
    b.sx0 = xs + s.dx;
    b.sy0 = ys + s.dy;
    b.sw = cxs;
    b.sh = cys;
    b.mode = SrcMode::Plain;
    if (s.monoDdb && !t.monoDdb) {
      b.mode = SrcMode::MonoToColor;
      b.fg = ResolveColor(t.dc, t.dc->st.textColor);
      b.bg = ResolveColor(t.dc, t.dc->st.bkColor);
    } else if (!s.monoDdb && t.monoDdb) {
      b.mode = SrcMode::ColorToMono;
      b.srcBk = ResolveColor(s.dc, s.dc->st.bkColor);
    }
  }
  if (!t.ok()) return TRUE;
  if (UsesPattern(code)) b.pattern = PatternInk(t);
  b.x0 = x + t.dx;
  b.y0 = y + t.dy;
  b.w = cx;
  b.h = cy;
  RunBlit(b);
  return TRUE;
}

// Draws the source rectangle (top-down rows of a canvas over DIB memory)
// onto the DC.
int DrawDibCanvas(Target& t, const Canvas& cv, int xd, int yd, int wd, int hd, int xs, int ys,
                  int ws, int hs, bool fx, bool fy, DWORD rop) {
  Blit b;
  b.dst = &t;
  b.rop = (uint8_t)(rop >> 16);
  b.src = &cv;
  b.mode = SrcMode::Plain;
  b.x0 = xd + t.dx;
  b.y0 = yd + t.dy;
  b.w = wd;
  b.h = hd;
  b.sx0 = xs;
  b.sy0 = ys;
  b.sw = ws;
  b.sh = hs;
  b.flipX = fx;
  b.flipY = fy;
  if (UsesPattern(b.rop)) b.pattern = PatternInk(t);
  RunBlit(b);
  return 1;
}

}  // namespace

BOOL WINAPI BitBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, DWORD rop) {
  return BlitBetweenDcs(dest, x, y, cx, cy, src, xSrc, ySrc, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc,
                       int cxSrc, int cySrc, DWORD rop) {
  return BlitBetweenDcs(dest, x, y, cx, cy, src, xSrc, ySrc, cxSrc, cySrc, rop);
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int cx, int cy, DWORD rop) {
  uint8_t code = (uint8_t)(rop >> 16);
  if (UsesSource(code)) return FALSE;
  Target t = MakeTarget(hdc);
  if (!t.dc) return FALSE;
  if (!t.ok()) return TRUE;
  Normalize(x, cx, false);
  Normalize(y, cy, false);
  if (code == 0xF0) {
    Ink ink = PatternInk(t);
    ink.rop2 = R2_COPYPEN;
    FillCanvasRect(t, x + t.dx, y + t.dy, x + cx + t.dx, y + cy + t.dy, ink);
    return TRUE;
  }
  Blit b;
  b.dst = &t;
  b.rop = code;
  b.x0 = x + t.dx;
  b.y0 = y + t.dy;
  b.w = cx;
  b.h = cy;
  if (UsesPattern(code)) b.pattern = PatternInk(t);
  RunBlit(b);
  return TRUE;
}

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD cx, DWORD cy, int xSrc, int ySrc,
                             UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                             UINT usage) {
  Target t = MakeTarget(hdc);
  DibFormat fmt;
  if (!t.dc || !bits || !ParseDibFormat(info, usage, t.dc, &fmt)) return 0;
  if (startScan >= (UINT)fmt.height || lines == 0) return 0;
  if (cx > (DWORD)INT32_MAX || cy > (DWORD)INT32_MAX) return 0;
  int n = (int)std::min<UINT>(lines, (UINT)fmt.height - startScan);
  if (!t.ok()) return n;
  // The band of scan lines present in memory, as its own canvas.
  DibFormat band = fmt;
  band.height = n;
  int bandTop = fmt.topDown ? (int)startScan : fmt.height - (int)startScan - n;
  Canvas cv = DibCanvas(band, bits);
  // Source rectangle in top-down rows of the whole DIB; for bottom-up DIBs
  // ySrc counts from the bottom edge.
  int top = fmt.topDown ? ySrc : fmt.height - (ySrc + (int)cy);
  DrawDibCanvas(t, cv, xDest, yDest, (int)cx, (int)cy, xSrc, top - bandTop, (int)cx, (int)cy, false,
                false, SRCCOPY);
  return n;
}

int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int cxDest, int cyDest, int xSrc, int ySrc,
                         int cxSrc, int cySrc, const void* bits, const BITMAPINFO* info, UINT usage,
                         DWORD rop) {
  Target t = MakeTarget(hdc);
  DibFormat fmt;
  if (!t.dc || !bits || !ParseDibFormat(info, usage, t.dc, &fmt)) return 0;
  if (cxSrc == 0 || cySrc == 0 || cxDest == 0 || cyDest == 0) return 0;
  if (!t.ok()) return fmt.height;
  bool fx = Normalize(xDest, cxDest) != Normalize(xSrc, cxSrc);
  bool fy = Normalize(yDest, cyDest) != Normalize(ySrc, cySrc);
  Canvas cv = DibCanvas(fmt, bits);
  int top = fmt.topDown ? ySrc : fmt.height - (ySrc + cySrc);
  DrawDibCanvas(t, cv, xDest, yDest, cxDest, cyDest, xSrc, top, cxSrc, cySrc, fx, fy, rop);
  return fmt.height;
}
