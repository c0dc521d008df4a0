// Font objects over the built-in bitmap font: size selection, metrics,
// widths and glyph drawing.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

constexpr int kMaxScale = 16;

// The integer magnification that comes closest to the requested height
// (negative: character height without internal leading; 0: default).
int ScaleForHeight(LONG height) {
  if (height == 0) return 1;
  double cell = height < 0 ? -(double)height * kFontHeight / (kFontHeight - kFontInternalLeading)
                           : (double)height;
  int s = (int)std::lround(cell / kFontHeight);
  return std::clamp(s, 1, kMaxScale);
}

const Font& SystemFont() {
  static Font f = [] {
    Font x;
    x.log.lfHeight = kFontHeight;
    x.log.lfWeight = FW_NORMAL;
    strcpy(x.log.lfFaceName, "System");
    return x;
  }();
  return f;
}

void SetupFont(Font& f) {
  f.scale = ScaleForHeight(f.log.lfHeight);
  f.bold = f.log.lfWeight >= FW_SEMIBOLD;
}

}  // namespace

const Font& CurrentFont(const Dc* dc) {
  if (dc)
    if (Font* f = LookupFont(dc->st.font)) {
      if (f->scale < 1) SetupFont(*f);
      return *f;
    }
  return SystemFont();
}

int CharAdvance(const Font& f, unsigned char c) {
  return (GlyphFor(c).width + (f.bold ? 1 : 0)) * f.scale;
}

int TextWidth(const Font& f, const char* text, int count) {
  int w = 0;
  for (int i = 0; i < count; ++i) w += CharAdvance(f, (unsigned char)text[i]);
  return w;
}

int FontHeight(const Font& f) { return kFontHeight * f.scale; }
int FontAscent(const Font& f) { return kFontAscent * f.scale; }

int DrawGlyphRun(Target& t, int x, int y, const char* text, int count, const INT* dx, uint32_t rgb,
                 const RECT* clip, const Font& f) {
  Target local = t;
  if (clip) {
    local.clips.clear();
    for (const RECT& r : t.clips) {
      RECT c{std::max(r.left, clip->left), std::max(r.top, clip->top),
             std::min(r.right, clip->right), std::min(r.bottom, clip->bottom)};
      if (c.left < c.right && c.top < c.bottom) local.clips.push_back(c);
    }
  }
  Ink ink;
  ink.rgb = rgb;
  int s = f.scale;
  int pen = x;
  for (int i = 0; i < count; ++i) {
    unsigned char c = (unsigned char)text[i];
    const GlyphBits& g = GlyphFor(c);
    for (int row = 0; row < kFontHeight; ++row) {
      // Bold doubles each ink pixel to the right.
      uint32_t bits = (uint32_t)g.rows[row] << 1;
      if (f.bold) bits |= bits >> 1;
      if (!bits) continue;
      // Italic leans the glyph: rows above the baseline move right.
      int lean = f.log.lfItalic ? std::max(0, (kFontAscent - 1 - row) / 3) * s : 0;
      for (int px = 0; px < 17;) {
        if (!((bits >> (16 - px)) & 1)) {
          ++px;
          continue;
        }
        int start = px;
        while (px < 17 && ((bits >> (16 - px)) & 1)) ++px;
        for (int sy = 0; sy < s; ++sy)
          FillSpan(local, y + row * s + sy, pen + lean + start * s, pen + lean + px * s, ink);
      }
    }
    pen += dx ? dx[i] : CharAdvance(f, c);
  }
  int width = pen - x;
  if (f.log.lfUnderline)
    for (int sy = 0; sy < s; ++sy) FillSpan(local, y + (kFontAscent + 1) * s + sy, x, pen, ink);
  if (f.log.lfStrikeOut)
    for (int sy = 0; sy < s; ++sy) FillSpan(local, y + 7 * s + sy, x, pen, ink);
  return width;
}

}  // namespace lvgdi

using namespace lvgdi;

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lf) {
  if (!lf) return 0;
  auto f = std::make_unique<Font>();
  f->log = *lf;
  f->log.lfFaceName[LF_FACESIZE - 1] = '\0';
  SetupFont(*f);
  return AddObject(std::move(f));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = (BYTE)(italic != 0);
  lf.lfUnderline = (BYTE)(underline != 0);
  lf.lfStrikeOut = (BYTE)(strikeOut != 0);
  lf.lfCharSet = (BYTE)charSet;
  lf.lfOutPrecision = (BYTE)outPrecision;
  lf.lfClipPrecision = (BYTE)clipPrecision;
  lf.lfQuality = (BYTE)quality;
  lf.lfPitchAndFamily = (BYTE)pitchAndFamily;
  if (face) strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !tm) return FALSE;
  const Font& f = CurrentFont(dc);
  int s = f.scale;
  int letters = 0, maxWidth = 0;
  for (int c = 'a'; c <= 'z'; ++c) letters += CharAdvance(f, (unsigned char)c);
  for (int c = 'A'; c <= 'Z'; ++c) letters += CharAdvance(f, (unsigned char)c);
  for (int c = 0x20; c <= 0xFF; ++c) maxWidth = std::max(maxWidth, CharAdvance(f, (unsigned char)c));
  *tm = TEXTMETRICA{};
  tm->tmHeight = kFontHeight * s;
  tm->tmAscent = kFontAscent * s;
  tm->tmDescent = (kFontHeight - kFontAscent) * s;
  tm->tmInternalLeading = kFontInternalLeading * s;
  tm->tmExternalLeading = 0;
  tm->tmAveCharWidth = (letters + 26) / 52;
  tm->tmMaxCharWidth = maxWidth;
  tm->tmWeight = f.bold ? FW_BOLD : FW_NORMAL;
  tm->tmOverhang = 0;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x7F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = f.log.lfItalic;
  tm->tmUnderlined = f.log.lfUnderline;
  tm->tmStruckOut = f.log.lfStrikeOut;
  // The "fixed pitch" bit set means a variable-pitch font.
  tm->tmPitchAndFamily = TMPF_FIXED_PITCH | FF_SWISS;
  tm->tmCharSet = ANSI_CHARSET;
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
  const Font& f = CurrentFont(dc);
  size->cx = TextWidth(f, text, count);
  size->cy = FontHeight(f);
  return TRUE;
}

BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  return GetTextExtentPoint32A(hdc, text, count, size);
}

BOOL WINAPI GetCharWidth32A(HDC hdc, UINT first, UINT last, LPINT widths) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !widths || first > last || last > 0xFF) return FALSE;
  const Font& f = CurrentFont(dc);
  for (UINT c = first; c <= last; ++c) widths[c - first] = CharAdvance(f, (unsigned char)c);
  return TRUE;
}

BOOL WINAPI GetCharWidthA(HDC hdc, UINT first, UINT last, LPINT widths) {
  return GetCharWidth32A(hdc, first, last, widths);
}

int WINAPI GetTextFaceA(HDC hdc, int count, LPSTR face) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return 0;
  const char* name = CurrentFont(dc).log.lfFaceName;
  int len = (int)strlen(name);
  if (!face) return len + 1;
  if (count <= 0) return 0;
  int n = std::min(len, count - 1);
  memcpy(face, name, (size_t)n);
  face[n] = '\0';
  return n;
}
