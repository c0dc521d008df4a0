#include "gdi_test_util.h"

#include <cstring>

namespace gditest {

Info256 MakeInfo(int width, int height, int bpp) {
  Info256 info;
  memset(&info, 0, sizeof info);
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  info.h.biWidth = width;
  info.h.biHeight = height;
  info.h.biPlanes = 1;
  info.h.biBitCount = (WORD)bpp;
  info.h.biCompression = BI_RGB;
  return info;
}

Canvas32::Canvas32(int width, int height) : w(width), h(height) {
  Info256 info = MakeInfo(width, -height, 32);
  void* p = nullptr;
  bmp = CreateDIBSection(0, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &p, 0, 0);
  bits = static_cast<uint32_t*>(p);
  dc = CreateCompatibleDC(0);
  old = SelectObject(dc, bmp);
  fill(0xFFFFFF);
}

Canvas32::~Canvas32() {
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
}

void Canvas32::fill(uint32_t rgb) {
  for (int i = 0; i < w * h; ++i) bits[i] = rgb;
}

std::string Canvas32::rows(uint32_t rgb) const {
  std::string s;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) s += at(x, y) == rgb ? '#' : '.';
    s += '\n';
  }
  return s;
}

}  // namespace gditest
