// Helpers of the graphics tests: a memory DC over a 32-bit top-down DIB
// whose pixels the test reads directly.
#pragma once

#include <windows.h>

#include <string>

namespace gditest {

// A memory DC with a width x height 32-bit DIB section selected, filled white.
struct Canvas32 {
  Canvas32(int width, int height);
  ~Canvas32();
  Canvas32(const Canvas32&) = delete;
  Canvas32& operator=(const Canvas32&) = delete;
  // Pixel as 0x00RRGGBB.
  uint32_t at(int x, int y) const { return bits[(size_t)y * w + x] & 0xFFFFFF; }
  void fill(uint32_t rgb);
  // Rows as text, one char per pixel: '#' where the pixel is rgb, '.' elsewhere.
  std::string rows(uint32_t rgb) const;
  int w, h;
  HDC dc = 0;
  HBITMAP bmp = 0;
  HGDIOBJ old = 0;
  uint32_t* bits = nullptr;
};

// BITMAPINFO with room for a 256-entry colour table.
struct Info256 {
  BITMAPINFOHEADER h;
  RGBQUAD colors[256];
};
Info256 MakeInfo(int width, int height, int bpp);

}  // namespace gditest
