// Bitmaps loaded from a module's RT_BITMAP resources (packed DIBs) or from
// .bmp files: LoadBitmapA and LoadImageA.
#include <win/kernel.h>
#include <win/rsrc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gdi_internal.h"

using namespace lvgdi;

namespace {

constexpr DWORD kMaxBmpFile = 256u << 20;

// A packed DIB checked against its size: header, colour table and bits all
// inside the block.
struct PackedDib {
  std::vector<uint32_t> storage;  // an aligned copy of the block
  const BITMAPINFO* info = nullptr;
  const uint8_t* bits = nullptr;
  DibFormat fmt;
};

bool ParsePackedDib(const uint8_t* source, size_t size, PackedDib* out) {
  if (!source || size < sizeof(BITMAPCOREHEADER)) return false;
  out->storage.assign((size + 3) / 4, 0);
  memcpy(out->storage.data(), source, size);
  const uint8_t* data = reinterpret_cast<const uint8_t*>(out->storage.data());
  DWORD headerSize;
  memcpy(&headerSize, data, 4);
  if (headerSize != sizeof(BITMAPCOREHEADER) && (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size))
    return false;
  const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(data);
  if (headerSize >= sizeof(BITMAPINFOHEADER) && info->bmiHeader.biClrUsed > 256 &&
      info->bmiHeader.biBitCount <= 8)
    return false;
  size_t tableEnd = DibHeaderSize(info, DIB_RGB_COLORS);
  if (tableEnd > size) return false;
  if (!ParseDibFormat(info, DIB_RGB_COLORS, nullptr, &out->fmt)) return false;
  if (out->fmt.imageSize() > size - tableEnd) return false;
  out->info = info;
  out->bits = data + tableEnd;
  return true;
}

// The classic 3-D greys of a bitmap's colour table replaced by the current
// system colours (LR_LOADMAP3DCOLORS), and the colour of the top-left pixel
// by the window colour (LR_LOADTRANSPARENT).
void MapColors(PackedDib& dib, UINT flags) {
  if (dib.fmt.bpp > 8) return;
  auto set = [](RGBQUAD& q, COLORREF c) { q = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; };
  if (flags & LR_LOADTRANSPARENT) {
    Canvas cv = DibCanvas(dib.fmt, dib.bits);
    uint32_t first = ReadPixel(cv, 0, 0);
    int index = NearestIndex(dib.fmt.colors.data(), (int)dib.fmt.colors.size(), first);
    set(dib.fmt.colors[(size_t)index], GetSysColor(COLOR_WINDOW));
  }
  if (flags & LR_LOADMAP3DCOLORS) {
    for (RGBQUAD& q : dib.fmt.colors) {
      uint32_t rgb = ((uint32_t)q.rgbRed << 16) | ((uint32_t)q.rgbGreen << 8) | q.rgbBlue;
      if (rgb == 0x808080) set(q, GetSysColor(COLOR_BTNSHADOW));
      else if (rgb == 0xC0C0C0) set(q, GetSysColor(COLOR_BTNFACE));
      else if (rgb == 0xDFDFDF) set(q, GetSysColor(COLOR_3DLIGHT));
    }
  }
}

// Makes the bitmap (a colour DDB, or a DIB section of the same format),
// scaled to cx x cy when those are not zero.
HBITMAP MakeBitmap(const PackedDib& dib, int cx, int cy, bool dibSection) {
  int w = cx > 0 ? cx : dib.fmt.width, h = cy > 0 ? cy : dib.fmt.height;
  HDC dc = CreateCompatibleDC(0);
  if (!dc) return 0;
  HBITMAP bmp = 0;
  if (dibSection) {
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    BITMAPINFOHEADER* h2 = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    h2->biSize = sizeof(BITMAPINFOHEADER);
    h2->biWidth = w;
    h2->biHeight = dib.fmt.topDown ? -h : h;
    h2->biPlanes = 1;
    h2->biBitCount = (WORD)dib.fmt.bpp;
    h2->biCompression = dib.fmt.compression;
    h2->biClrUsed = (DWORD)dib.fmt.colors.size();
    if (dib.fmt.compression == BI_BITFIELDS)
      memcpy(info.data() + sizeof(BITMAPINFOHEADER), dib.fmt.masks, sizeof dib.fmt.masks);
    else if (!dib.fmt.colors.empty())
      memcpy(info.data() + sizeof(BITMAPINFOHEADER), dib.fmt.colors.data(),
             dib.fmt.colors.size() * sizeof(RGBQUAD));
    void* bits = nullptr;
    bmp = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, 0, 0);
  } else {
    HDC screen = lvCreateScreenDC();
    bmp = CreateCompatibleBitmap(screen, w, h);
    DeleteDC(screen);
  }
  if (bmp) {
    HGDIOBJ old = SelectObject(dc, bmp);
    Target t = MakeTarget(dc);
    Canvas src = DibCanvas(dib.fmt, dib.bits);
    std::vector<uint32_t> row((size_t)dib.fmt.width), out((size_t)w);
    for (int y = 0; y < h && t.ok(); ++y) {
      ReadRow(src, (int)((int64_t)y * dib.fmt.height / h), 0, dib.fmt.width, row.data());
      for (int x = 0; x < w; ++x) out[(size_t)x] = row[(size_t)((int64_t)x * dib.fmt.width / w)];
      WriteRow(t.cv, y, 0, w, out.data());
    }
    SelectObject(dc, old);
  }
  DeleteDC(dc);
  return bmp;
}

HBITMAP FromResource(HINSTANCE inst, LPCSTR name, int cx, int cy, UINT flags) {
  if (!name) return 0;
  HRSRC res = FindResourceA(inst, name, RT_BITMAP);
  if (!res) return 0;
  HGLOBAL data = LoadResource(inst, res);
  const uint8_t* p = static_cast<const uint8_t*>(data ? LockResource(data) : nullptr);
  PackedDib dib;
  if (!ParsePackedDib(p, SizeofResource(inst, res), &dib)) return 0;
  MapColors(dib, flags);
  return MakeBitmap(dib, cx, cy, flags & LR_CREATEDIBSECTION);
}

// Reads a whole file named by a Windows path; false when missing or too large.
bool ReadWholeFile(LPCSTR path, std::vector<uint8_t>& data) {
  char unixPath[4096];
  if (!lvWinPathToUnix(path, unixPath, sizeof unixPath)) return false;
  FILE* f = fopen(unixPath, "rb");
  if (!f) return false;
  bool ok = fseek(f, 0, SEEK_END) == 0;
  long size = ok ? ftell(f) : -1;
  ok = ok && size > 0 && (unsigned long)size <= kMaxBmpFile && fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    data.resize((size_t)size);
    ok = fread(data.data(), 1, data.size(), f) == data.size();
  }
  fclose(f);
  return ok;
}

HBITMAP FromFile(LPCSTR path, int cx, int cy, UINT flags) {
  std::vector<uint8_t> data;
  if (!ReadWholeFile(path, data) || data.size() <= sizeof(BITMAPFILEHEADER)) return 0;
  if (data[0] != 'B' || data[1] != 'M') return 0;
  PackedDib dib;
  if (!ParsePackedDib(data.data() + sizeof(BITMAPFILEHEADER), data.size() - sizeof(BITMAPFILEHEADER), &dib))
    return 0;
  MapColors(dib, flags);
  return MakeBitmap(dib, cx, cy, flags & LR_CREATEDIBSECTION);
}

}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE inst, LPCSTR name) { return FromResource(inst, name, 0, 0, 0); }

HANDLE WINAPI LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if (type != IMAGE_BITMAP || !name || cx < 0 || cy < 0) return 0;
  if (flags & LR_LOADFROMFILE) return FromFile(name, cx, cy, flags);
  return FromResource(inst, name, cx, cy, flags);
}
