// Off-screen surfaces, their device contexts and the PNG writer.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "gdi_internal.h"

using namespace lvgdi;

namespace {

constexpr int kMaxSurfaceSide = 1 << 15;

bool SizeOk(int width, int height) {
  return width >= 0 && height >= 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide;
}

uint32_t* NewPixels(int width, int height) {
  size_t n = (size_t)width * (size_t)height;
  uint32_t* p = static_cast<uint32_t*>(malloc(n ? n * 4 : 4));
  if (!p) return nullptr;
  for (size_t i = 0; i < n; ++i) p[i] = 0x00C0C0C0;
  return p;
}

// Writes rows of the rectangle as 8-bit RGB to an open file.
bool WritePngRows(FILE* f, const LvSurface* s, const RECT& r) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  int w = r.right - r.left;
  int h = r.bottom - r.top;
  std::vector<png_byte> row((size_t)w * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = r.top; y < r.bottom; ++y) {
    const uint32_t* src = s->pixels + (size_t)y * s->width + r.left;
    for (int x = 0; x < w; ++x) {
      row[(size_t)x * 3] = (png_byte)(src[x] >> 16);
      row[(size_t)x * 3 + 1] = (png_byte)(src[x] >> 8);
      row[(size_t)x * 3 + 2] = (png_byte)src[x];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

LvSurface* lvSurfaceCreate(int width, int height) {
  if (!SizeOk(width, height)) return nullptr;
  LvSurface* s = static_cast<LvSurface*>(calloc(1, sizeof(LvSurface)));
  if (!s) return nullptr;
  s->pixels = NewPixels(width, height);
  if (!s->pixels) {
    free(s);
    return nullptr;
  }
  s->width = width;
  s->height = height;
  return s;
}

BOOL lvSurfaceResize(LvSurface* s, int width, int height) {
  if (!s || !SizeOk(width, height)) return FALSE;
  if (width == s->width && height == s->height) return TRUE;
  uint32_t* p = NewPixels(width, height);
  if (!p) return FALSE;
  int w = std::min(width, s->width);
  int h = std::min(height, s->height);
  for (int y = 0; y < h; ++y)
    memcpy(p + (size_t)y * width, s->pixels + (size_t)y * s->width, (size_t)w * 4);
  free(s->pixels);
  s->pixels = p;
  s->width = width;
  s->height = height;
  return TRUE;
}

void lvSurfaceDestroy(LvSurface* s) {
  if (!s) return;
  ForgetSurface(s);
  free(s->pixels);
  free(s);
}

HDC lvCreateSurfaceDC(LvSurface* surface, int originX, int originY, const RECT* clip) {
  if (!surface) return 0;
  HDC h = NewDc(false);
  Dc* dc = LookupDc(h);
  if (!dc) return 0;
  dc->surface = surface;
  dc->surfaceOrigin = POINT{originX, originY};
  dc->surfaceClip = clip ? *clip : RECT{0, 0, surface->width, surface->height};
  return h;
}

HDC lvCreateScreenDC(void) { return NewDc(false); }

BOOL lvSurfaceWritePng(const LvSurface* s, const RECT* rect, const char* unixPath) {
  if (!s || !unixPath || !*unixPath) return FALSE;
  RECT r{0, 0, s->width, s->height};
  if (rect) {
    r.left = std::max<LONG>(rect->left, 0);
    r.top = std::max<LONG>(rect->top, 0);
    r.right = std::min<LONG>(rect->right, s->width);
    r.bottom = std::min<LONG>(rect->bottom, s->height);
  }
  if (r.right <= r.left || r.bottom <= r.top) return FALSE;
  std::string tmp = std::string(unixPath) + ".tmp" + std::to_string(getpid());
  FILE* f = fopen(tmp.c_str(), "wb");
  if (!f) return FALSE;
  bool ok = WritePngRows(f, s, r);
  ok = (fflush(f) == 0) && ok;
  ok = (fclose(f) == 0) && ok;
  if (ok && rename(tmp.c_str(), unixPath) == 0) return TRUE;
  remove(tmp.c_str());
  return FALSE;
}

BOOL WINAPI GdiFlush(void) { return TRUE; }
