// Drawing icons and cursors: the stored image (a DIB of twice the height:
// colour rows, then the 1-bit AND mask) where the mask is clear; the
// standard icons as simple marks.
#include "userint.h"

#include <cstring>

namespace lvuser {
namespace {

struct IconImage {
  int width = 0;
  int height = 0;  // of the icon, half the DIB's height
  int bits = 0;
  const BYTE* palette = nullptr;  // RGBQUADs
  DWORD colours = 0;
  const BYTE* xorRows = nullptr;  // bottom-up
  const BYTE* andRows = nullptr;  // bottom-up
  size_t xorStride = 0;
  size_t andStride = 0;
};

DWORD Read32(const BYTE* p) {
  return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24));
}

// Checks the header and every size against the image's length.
bool ParseIcon(const BYTE* data, DWORD size, IconImage* out) {
  if (!data || size < 40 || Read32(data) < 40) return false;
  DWORD headerSize = Read32(data);
  int width = static_cast<int>(Read32(data + 4));
  int height = static_cast<int>(Read32(data + 8)) / 2;
  int bits = data[14] | (data[15] << 8);
  DWORD compression = Read32(data + 16);
  DWORD used = Read32(data + 32);
  if (width <= 0 || height <= 0 || width > 256 || height > 256 || compression != 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  DWORD colours = bits <= 8 ? (used ? used : (1u << bits)) : 0;
  if (colours > 256 || headerSize > size) return false;
  size_t xorStride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  size_t andStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
  size_t need = headerSize + colours * 4 + xorStride * height + andStride * height;
  if (need > size) return false;
  out->width = width;
  out->height = height;
  out->bits = bits;
  out->palette = data + headerSize;
  out->colours = colours;
  out->xorRows = out->palette + colours * 4;
  out->andRows = out->xorRows + xorStride * height;
  out->xorStride = xorStride;
  out->andStride = andStride;
  return true;
}

bool MaskSet(const IconImage& im, int x, int y) {
  const BYTE* row = im.andRows + im.andStride * static_cast<size_t>(im.height - 1 - y);
  return (row[x / 8] >> (7 - x % 8)) & 1;
}

COLORREF PixelColour(const IconImage& im, int x, int y) {
  const BYTE* row = im.xorRows + im.xorStride * static_cast<size_t>(im.height - 1 - y);
  DWORD index = 0;
  switch (im.bits) {
    case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
    case 4: index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F; break;
    case 8: index = row[x]; break;
    case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
  if (index >= im.colours) return 0;
  const BYTE* q = im.palette + 4 * index;
  return RGB(q[2], q[1], q[0]);
}

void DrawImage(HDC hdc, int x, int y, const IconImage& im, int cx, int cy, UINT flags) {
  for (int dy = 0; dy < cy; ++dy) {
    int sy = dy * im.height / cy;
    for (int dx = 0; dx < cx; ++dx) {
      int sx = dx * im.width / cx;
      bool masked = MaskSet(im, sx, sy);
      if ((flags & DI_IMAGE) && !masked)
        SetPixelV(hdc, x + dx, y + dy, PixelColour(im, sx, sy));
      else if ((flags & DI_MASK) && !(flags & DI_IMAGE))
        SetPixelV(hdc, x + dx, y + dy, masked ? RGB(255, 255, 255) : 0);
    }
  }
}

// The standard icons: a coloured square with a mark.
void DrawStandard(HDC hdc, int x, int y, int cx, int cy, WORD id) {
  COLORREF colour = RGB(255, 255, 255);
  const char* mark = "";
  COLORREF ink = 0;
  if (id == 32513) { colour = RGB(255, 0, 0); mark = "X"; ink = RGB(255, 255, 255); }
  if (id == 32514) { colour = RGB(0, 0, 255); mark = "?"; ink = RGB(255, 255, 255); }
  if (id == 32515) { colour = RGB(255, 255, 0); mark = "!"; }
  if (id == 32516) { colour = RGB(0, 0, 255); mark = "i"; ink = RGB(255, 255, 255); }
  RECT r{x, y, x + cx, y + cy};
  FillSolid(hdc, r, colour);
  DrawFrameRect(hdc, r, 0);
  DrawTextIn(hdc, mark, r, 0x0001 | 0x0004 | 0x0020 | 0x0800, ink, 0, true);
}
}  // namespace
}  // namespace lvuser

using namespace lvuser;

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker, UINT flags) {
  (void)step;
  (void)flicker;
  if (!hdc || !icon) return FALSE;
  if (!flags) flags = DI_NORMAL;
  DWORD size = 0;
  const BYTE* data = lvCursorImage(icon, &size, nullptr);
  if (!data) {
    WORD id = static_cast<WORD>(icon & 0xFFFF);
    if ((icon & 0xFF000000u) != 0x7D000000u) return FALSE;  // standard cursors are not drawn
    DrawStandard(hdc, x, y, cx > 0 ? cx : GetSystemMetrics(SM_CXICON), cy > 0 ? cy : GetSystemMetrics(SM_CYICON), id);
    return TRUE;
  }
  IconImage im;
  if (!ParseIcon(data, size, &im)) return FALSE;
  DrawImage(hdc, x, y, im, cx > 0 ? cx : im.width, cy > 0 ? cy : im.height, flags);
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
  return DrawIconEx(hdc, x, y, icon, 0, 0, 0, 0, DI_NORMAL);
}
