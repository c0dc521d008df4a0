// Parsing of BITMAPINFO descriptions and canvases over DIB memory.
#include <cstring>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

constexpr int kMaxDibSide = 1 << 15;
constexpr int64_t kMaxDibPixels = (int64_t)1 << 28;

bool ValidBpp(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

int TableEntries(int bpp, DWORD clrUsed) {
  if (bpp > 8) return 0;
  int full = 1 << bpp;
  return (clrUsed == 0 || clrUsed > (DWORD)full) ? full : (int)clrUsed;
}

// Colour table entries given as indices into the DC's logical palette.
void PaletteColors(const Dc* dc, const WORD* indices, int count, std::vector<RGBQUAD>& out) {
  Palette* pal = LookupPalette(dc && dc->st.palette ? dc->st.palette : Stock(DEFAULT_PALETTE));
  out.resize((size_t)count);
  for (int i = 0; i < count; ++i) {
    RGBQUAD q{0, 0, 0, 0};
    if (pal && indices[i] < pal->entries.size()) {
      const PALETTEENTRY& e = pal->entries[indices[i]];
      q = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
    }
    out[(size_t)i] = q;
  }
}

}  // namespace

bool ParseDibFormat(const BITMAPINFO* info, UINT usage, const Dc* dc, DibFormat* out) {
  if (!info || !out || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return false;
  DibFormat f;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const uint8_t* table = reinterpret_cast<const uint8_t*>(info) + h.biSize;
  bool core = h.biSize == sizeof(BITMAPCOREHEADER);
  int entries = 0;
  if (core) {
    const BITMAPCOREHEADER* c = reinterpret_cast<const BITMAPCOREHEADER*>(info);
    f.width = c->bcWidth;
    f.height = c->bcHeight;
    f.bpp = c->bcBitCount;
    if (c->bcPlanes != 1) return false;
    entries = TableEntries(f.bpp, 0);
  } else {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 1024 || h.biPlanes != 1) return false;
    f.width = h.biWidth;
    f.topDown = h.biHeight < 0;
    if (h.biHeight == INT32_MIN) return false;
    f.height = f.topDown ? -h.biHeight : h.biHeight;
    f.bpp = h.biBitCount;
    f.compression = h.biCompression;
    entries = TableEntries(f.bpp, h.biClrUsed);
  }
  if (!ValidBpp(f.bpp) || f.width <= 0 || f.height <= 0) return false;
  if (f.width > kMaxDibSide || f.height > kMaxDibSide) return false;
  if ((int64_t)f.width * f.height > kMaxDibPixels) return false;
  if (f.compression != BI_RGB && f.compression != BI_BITFIELDS) return false;
  if (f.compression == BI_BITFIELDS) {
    if (f.bpp != 16 && f.bpp != 32) return false;
    const uint8_t* m = h.biSize >= 52 ? reinterpret_cast<const uint8_t*>(info) + 40 : table;
    memcpy(f.masks, m, sizeof f.masks);
    if (!f.masks[0] || !f.masks[1] || !f.masks[2]) return false;
  } else if (f.bpp == 16) {
    f.masks[0] = 0x7C00; f.masks[1] = 0x03E0; f.masks[2] = 0x001F;
  } else if (f.bpp >= 24) {
    f.masks[0] = 0xFF0000; f.masks[1] = 0x00FF00; f.masks[2] = 0x0000FF;
  }
  f.stride = ((f.width * f.bpp + 31) / 32) * 4;
  if (entries > 0) {
    if (usage == DIB_PAL_COLORS) {
      PaletteColors(dc, reinterpret_cast<const WORD*>(table), entries, f.colors);
    } else if (core) {
      f.colors.resize((size_t)entries);
      for (int i = 0; i < entries; ++i) {
        const RGBTRIPLE* t = reinterpret_cast<const RGBTRIPLE*>(table) + i;
        f.colors[(size_t)i] = RGBQUAD{t->rgbtBlue, t->rgbtGreen, t->rgbtRed, 0};
      }
    } else {
      f.colors.resize((size_t)entries);
      memcpy(f.colors.data(), table, (size_t)entries * sizeof(RGBQUAD));
      for (RGBQUAD& q : f.colors) q.rgbReserved = 0;
    }
  }
  *out = std::move(f);
  return true;
}

size_t DibHeaderSize(const BITMAPINFO* info, UINT usage) {
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize == sizeof(BITMAPCOREHEADER)) {
    const BITMAPCOREHEADER* c = reinterpret_cast<const BITMAPCOREHEADER*>(info);
    int n = TableEntries(c->bcBitCount, 0);
    return h.biSize + (size_t)n * (usage == DIB_PAL_COLORS ? 2 : 3);
  }
  size_t size = h.biSize;
  if (h.biCompression == BI_BITFIELDS && h.biSize < 52) size += 12;
  int n = TableEntries(h.biBitCount, h.biClrUsed);
  size += (size_t)n * (usage == DIB_PAL_COLORS ? 2 : 4);
  return size;
}

Canvas DibCanvas(const DibFormat& fmt, const void* bits) {
  Canvas cv;
  uint8_t* base = static_cast<uint8_t*>(const_cast<void*>(bits));
  cv.width = fmt.width;
  cv.height = fmt.height;
  cv.bpp = fmt.bpp;
  if (fmt.topDown) {
    cv.row0 = base;
    cv.stride = fmt.stride;
  } else {
    cv.row0 = base + (ptrdiff_t)(fmt.height - 1) * fmt.stride;
    cv.stride = -(ptrdiff_t)fmt.stride;
  }
  cv.colors = fmt.colors.empty() ? nullptr : fmt.colors.data();
  cv.colorCount = (int)fmt.colors.size();
  memcpy(cv.masks, fmt.masks, sizeof cv.masks);
  return cv;
}

}  // namespace lvgdi
