// Logical palettes. The emulated display is true colour, so palettes only
// translate PALETTEINDEX colours and DIB_PAL_COLORS tables; realizing maps
// nothing.
#include <algorithm>
#include <cstring>

#include "gdi_internal.h"

using namespace lvgdi;

namespace {

// The twenty static colours of the system palette: ten at the start, ten at
// the end.
const PALETTEENTRY kStaticColors[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

constexpr UINT kMaxPaletteEntries = 4096;

}  // namespace

HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palNumEntries == 0 || palette->palNumEntries > kMaxPaletteEntries)
    return 0;
  auto p = std::make_unique<Palette>();
  p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return AddObject(std::move(p));
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground) {
  (void)forceBackground;
  Dc* dc = LookupDc(hdc);
  if (!dc || !LookupPalette(palette)) return 0;
  HPALETTE old = dc->st.palette ? dc->st.palette : (HPALETTE)Stock(DEFAULT_PALETTE);
  dc->st.palette = palette == Stock(DEFAULT_PALETTE) ? 0 : palette;
  CollectPending();
  return old;
}

UINT WINAPI RealizePalette(HDC hdc) { return LookupDc(hdc) ? 0 : GDI_ERROR; }

UINT WINAPI GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries) {
  Palette* p = LookupPalette(palette);
  if (!p) return 0;
  UINT size = (UINT)p->entries.size();
  if (!entries) return size;
  if (start >= size) return 0;
  UINT n = std::min(count, size - start);
  memcpy(entries, p->entries.data() + start, n * sizeof(PALETTEENTRY));
  return n;
}

UINT WINAPI SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  Palette* p = LookupPalette(palette);
  if (!p || p->stock || !entries) return 0;
  UINT size = (UINT)p->entries.size();
  if (start >= size) return 0;
  UINT n = std::min(count, size - start);
  memcpy(p->entries.data() + start, entries, n * sizeof(PALETTEENTRY));
  return n;
}

BOOL WINAPI ResizePalette(HPALETTE palette, UINT count) {
  Palette* p = LookupPalette(palette);
  if (!p || p->stock || count == 0 || count > kMaxPaletteEntries) return FALSE;
  p->entries.resize(count, PALETTEENTRY{0, 0, 0, 0});
  return TRUE;
}

BOOL WINAPI AnimatePalette(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  Palette* p = LookupPalette(palette);
  if (!p || !entries) return FALSE;
  // Only entries marked PC_RESERVED may be animated.
  for (UINT i = 0; i < count && start + i < p->entries.size(); ++i)
    if (p->entries[start + i].peFlags & PC_RESERVED) p->entries[start + i] = entries[i];
  return TRUE;
}

UINT WINAPI GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  Palette* p = LookupPalette(palette);
  if (!p || p->entries.empty()) return CLR_INVALID;
  int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  UINT best = 0;
  int bestDist = 0x7FFFFFFF;
  for (UINT i = 0; i < p->entries.size(); ++i) {
    const PALETTEENTRY& e = p->entries[i];
    int d = (e.peRed - r) * (e.peRed - r) + (e.peGreen - g) * (e.peGreen - g) +
            (e.peBlue - b) * (e.peBlue - b);
    if (d < bestDist) {
      bestDist = d;
      best = i;
    }
  }
  return best;
}

COLORREF WINAPI GetNearestColor(HDC hdc, COLORREF color) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return CLR_INVALID;
  return ColorrefFromRgb(ResolveColor(dc, color));
}

UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, LPPALETTEENTRY entries) {
  if (hdc && !LookupDc(hdc)) return 0;
  if (!entries) return 256;
  if (start >= 256) return 0;
  UINT n = std::min<UINT>(count, 256 - start);
  for (UINT i = 0; i < n; ++i) {
    UINT k = start + i;
    if (k < 10)
      entries[i] = kStaticColors[k];
    else if (k >= 246)
      entries[i] = kStaticColors[k - 236];
    else
      entries[i] = PALETTEENTRY{0, 0, 0, 0};
  }
  return n;
}

UINT WINAPI GetSystemPaletteUse(HDC hdc) { return LookupDc(hdc) ? 1 /* SYSPAL_STATIC */ : 0; }
