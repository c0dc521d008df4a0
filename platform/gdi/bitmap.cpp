// Bitmaps: device-dependent bitmaps (32-bit colour or monochrome), DIB
// sections, and moving scan lines between bitmaps and DIBs.
#include <algorithm>
#include <cstring>
#include <new>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

constexpr int kMaxSide = 1 << 15;
constexpr int64_t kMaxPixels = (int64_t)1 << 28;

const RGBQUAD kMonoColors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

bool SizeOk(int w, int h) {
  return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && (int64_t)w * h <= kMaxPixels;
}

// Makes an empty device-dependent bitmap: monochrome (1 bit) or colour.
// Null when memory runs out.
std::unique_ptr<Bitmap> NewDdb(int w, int h, bool mono) try {
  auto bm = std::make_unique<Bitmap>();
  bm->width = w;
  bm->height = h;
  bm->mono = mono;
  bm->bpp = mono ? 1 : 32;
  bm->stride = mono ? ((w + 15) / 16) * 2 : w * 4;
  bm->storage.assign((size_t)bm->stride * h, 0);
  if (mono) bm->colors.assign(kMonoColors, kMonoColors + 2);
  bm->masks[0] = 0xFF0000;
  bm->masks[1] = 0x00FF00;
  bm->masks[2] = 0x0000FF;
  return bm;
} catch (const std::bad_alloc&) {
  return nullptr;
}

// Default colour tables for DIBs made from bitmaps without one.
void DefaultColors(int bpp, std::vector<RGBQUAD>& out) {
  out.clear();
  if (bpp == 1) {
    out.assign(kMonoColors, kMonoColors + 2);
  } else if (bpp == 4) {
    static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (uint32_t c : vga) out.push_back(RGBQUAD{(BYTE)c, (BYTE)(c >> 8), (BYTE)(c >> 16), 0});
  } else if (bpp == 8) {
    // A 6x6x6 colour cube and a grey ramp.
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) out.push_back(RGBQUAD{(BYTE)(b * 51), (BYTE)(g * 51), (BYTE)(r * 51), 0});
    for (int i = 0; i < 40; ++i) {
      BYTE v = (BYTE)(i * 255 / 39);
      out.push_back(RGBQUAD{v, v, v, 0});
    }
  }
}

// Copies a block of rows between canvases of any formats.
void CopyRows(const Canvas& src, int sy, Canvas& dst, int dy, int width, int rows) {
  std::vector<uint32_t> buf((size_t)width);
  for (int i = 0; i < rows; ++i) {
    ReadRow(src, sy + i, 0, width, buf.data());
    WriteRow(dst, dy + i, 0, width, buf.data());
  }
}

// A canvas over `lines` scan lines of a DIB starting at scan `start`, and
// the top-down row of the full DIB that its first row is.
Canvas BandCanvas(const DibFormat& fmt, const void* bits, int start, int lines, int* topRow) {
  DibFormat band = fmt;
  band.height = lines;
  *topRow = fmt.topDown ? start : fmt.height - start - lines;
  Canvas cv = DibCanvas(band, bits);
  cv.colors = fmt.colors.empty() ? nullptr : fmt.colors.data();  // band dies here
  return cv;
}

HBITMAP MakeDibSection(const DibFormat& fmt, void** bits) try {
  auto bm = std::make_unique<Bitmap>();
  bm->width = fmt.width;
  bm->height = fmt.height;
  bm->bpp = fmt.bpp;
  bm->stride = fmt.stride;
  bm->dib = true;
  bm->topDown = fmt.topDown;
  bm->compression = fmt.compression;
  bm->colors = fmt.colors;
  memcpy(bm->masks, fmt.masks, sizeof bm->masks);
  bm->storage.assign(fmt.imageSize(), 0);
  void* data = bm->storage.data();
  HBITMAP h = AddObject(std::move(bm));
  if (bits) *bits = h ? data : nullptr;
  return h;
} catch (const std::bad_alloc&) {
  return 0;
}

// Fills in a BITMAPINFO that describes bm (no bits wanted).
int DescribeInto(const Bitmap* bm, LPBITMAPINFO info) {
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount == 0) {
    h.biWidth = bm->width;
    h.biHeight = bm->dib && bm->topDown ? -bm->height : bm->height;
    h.biPlanes = 1;
    h.biBitCount = (WORD)bm->bpp;
    h.biCompression = bm->dib ? bm->compression : BI_RGB;
    h.biSizeImage = (DWORD)(((bm->width * bm->bpp + 31) / 32) * 4 * bm->height);
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    return bm->height;
  }
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
  h.biWidth = bm->width;
  if (h.biHeight == 0) h.biHeight = bm->height;
  h.biSizeImage = (DWORD)(((bm->width * bpp + 31) / 32) * 4 * bm->height);
  if (bpp <= 8) {
    std::vector<RGBQUAD> colors;
    if (bm->bpp == bpp && !bm->colors.empty())
      colors = bm->colors;
    else
      DefaultColors(bpp, colors);
    colors.resize((size_t)1 << bpp, RGBQUAD{0, 0, 0, 0});
    memcpy(info->bmiColors, colors.data(), colors.size() * sizeof(RGBQUAD));
    h.biClrUsed = 0;
  }
  return bm->height;
}

}  // namespace

Canvas Bitmap::canvas() {
  Canvas cv;
  if (storage.empty()) return cv;
  cv.width = width;
  cv.height = height;
  cv.bpp = bpp;
  if (topDown) {
    cv.row0 = storage.data();
    cv.stride = stride;
  } else {
    cv.row0 = storage.data() + (ptrdiff_t)(height - 1) * stride;
    cv.stride = -(ptrdiff_t)stride;
  }
  cv.colors = colors.empty() ? nullptr : colors.data();
  cv.colorCount = (int)colors.size();
  memcpy(cv.masks, masks, sizeof cv.masks);
  return cv;
}

}  // namespace lvgdi

using namespace lvgdi;

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width == 0 || height == 0) return DefaultMonoBitmap();
  if (!SizeOk(width, height) || planes != 1) return 0;
  bool mono = bitsPerPixel == 1;
  if (!mono && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
      bitsPerPixel != 32)
    return 0;
  auto bm = NewDdb(width, height, mono);
  if (!bm) return 0;
  if (bits) {
    // Initial bits in the device-dependent layout: rows padded to 16 bits.
    Canvas dst = bm->canvas();
    Canvas src;
    src.row0 = static_cast<uint8_t*>(const_cast<void*>(bits));
    src.width = width;
    src.height = height;
    src.bpp = (int)bitsPerPixel;
    src.stride = ((width * (int)bitsPerPixel + 15) / 16) * 2;
    std::vector<RGBQUAD> colors;
    DefaultColors(src.bpp, colors);
    src.colors = colors.empty() ? nullptr : colors.data();
    src.colorCount = (int)colors.size();
    SetDefaultMasks(src);
    CopyRows(src, 0, dst, 0, width, height);
  }
  return AddObject(std::move(bm));
}

HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* bm) {
  if (!bm) return 0;
  return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return 0;
  if (width == 0 || height == 0) return DefaultMonoBitmap();
  if (!SizeOk(width, height)) return 0;
  bool mono = false;
  if (dc->memory) {
    Bitmap* cur = LookupBitmap(dc->st.bitmap);
    mono = cur && cur->mono;
  }
  return AddObject(NewDdb(width, height, mono));
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD offset) {
  (void)offset;
  if (bits) *bits = nullptr;
  if (section) return 0;  // file mappings are not available
  DibFormat fmt;
  if (!ParseDibFormat(info, usage, LookupDc(hdc), &fmt)) return 0;
  return MakeDibSection(fmt, bits);
}

HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                              const BITMAPINFO* info, UINT usage) {
  if (!header) return 0;
  int w, h;
  if (header->biSize == sizeof(BITMAPCOREHEADER)) {
    const BITMAPCOREHEADER* c = reinterpret_cast<const BITMAPCOREHEADER*>(header);
    w = c->bcWidth;
    h = c->bcHeight;
  } else {
    w = header->biWidth;
    h = header->biHeight == INT32_MIN ? 0 : std::abs(header->biHeight);
  }
  if (!SizeOk(w, h)) return 0;
  // A bitmap compatible with the DC: colour, unless the DC is a memory DC
  // holding a monochrome bitmap.
  bool mono = false;
  if (Dc* dc = LookupDc(hdc); dc && dc->memory) {
    Bitmap* cur = LookupBitmap(dc->st.bitmap);
    mono = cur && cur->mono;
  }
  HBITMAP hbm = AddObject(NewDdb(w, h, mono));
  if (!hbm) return 0;
  if ((init & CBM_INIT) && bits && info) {
    DibFormat fmt;
    if (!ParseDibFormat(info, usage, LookupDc(hdc), &fmt) ||
        SetDIBits(hdc, hbm, 0, (UINT)fmt.height, bits, info, usage) == 0) {
      DeleteObject(hbm);
      return 0;
    }
  }
  return hbm;
}

int WINAPI GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
                     UINT usage) {
  Bitmap* bm = LookupBitmap(bitmap);
  if (!bm || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (!bits) return DescribeInto(bm, info);
  if (info->bmiHeader.biBitCount <= 8 && info->bmiHeader.biBitCount > 0) {
    // The colour table written back is the one the bits are converted to.
    BITMAPINFOHEADER keep = info->bmiHeader;
    if (!DescribeInto(bm, info)) return 0;
    info->bmiHeader.biHeight = keep.biHeight;
  }
  BITMAPINFOHEADER& h = info->bmiHeader;
  h.biWidth = bm->width;
  if (h.biHeight == 0) h.biHeight = bm->height;
  DibFormat fmt;
  if (!ParseDibFormat(info, DIB_RGB_COLORS, LookupDc(hdc), &fmt)) return 0;
  (void)usage;
  fmt.height = bm->height;
  if (start >= (UINT)fmt.height) return 0;
  int n = (int)std::min<UINT>(lines, (UINT)fmt.height - start);
  int top = 0;
  Canvas dst = BandCanvas(fmt, bits, (int)start, n, &top);
  Canvas src = bm->canvas();
  CopyRows(src, top, dst, 0, fmt.width, n);
  return n;
}

int WINAPI SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
                     const BITMAPINFO* info, UINT usage) {
  Bitmap* bm = LookupBitmap(bitmap);
  DibFormat fmt;
  if (!bm || !bits || !ParseDibFormat(info, usage, LookupDc(hdc), &fmt)) return 0;
  if (start >= (UINT)fmt.height) return 0;
  int n = (int)std::min<UINT>(lines, (UINT)fmt.height - start);
  int top = 0;
  Canvas src = BandCanvas(fmt, bits, (int)start, n, &top);
  Canvas dst = bm->canvas();
  int width = std::min(fmt.width, bm->width);
  int first = std::max(top, 0);
  int last = std::min(top + n, bm->height);
  if (first < last) CopyRows(src, first - top, dst, first, width, last - first);
  return n;
}

LONG WINAPI GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
  Bitmap* bm = LookupBitmap(bitmap);
  if (!bm || size < 0) return 0;
  LONG total = (LONG)bm->storage.size();
  if (!bits) return total;
  LONG n = std::min(size, total);
  memcpy(bits, bm->storage.data(), (size_t)n);
  return n;
}

LONG WINAPI SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
  Bitmap* bm = LookupBitmap(bitmap);
  if (!bm || !bits) return 0;
  size_t n = std::min<size_t>(size, bm->storage.size());
  memcpy(bm->storage.data(), bits, n);
  return (LONG)n;
}

BOOL WINAPI GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
  if (!LookupBitmap(bitmap) || !size) return FALSE;
  *size = SIZE{0, 0};
  return TRUE;
}

UINT WINAPI GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colors) {
  Dc* dc = LookupDc(hdc);
  Bitmap* bm = dc ? LookupBitmap(dc->st.bitmap) : nullptr;
  if (!bm || !bm->dib || !colors || start >= bm->colors.size()) return 0;
  UINT n = std::min<UINT>(count, (UINT)bm->colors.size() - start);
  memcpy(colors, bm->colors.data() + start, n * sizeof(RGBQUAD));
  return n;
}

UINT WINAPI SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colors) {
  Dc* dc = LookupDc(hdc);
  Bitmap* bm = dc ? LookupBitmap(dc->st.bitmap) : nullptr;
  if (!bm || !bm->dib || !colors || start >= bm->colors.size()) return 0;
  UINT n = std::min<UINT>(count, (UINT)bm->colors.size() - start);
  memcpy(bm->colors.data() + start, colors, n * sizeof(RGBQUAD));
  return n;
}
