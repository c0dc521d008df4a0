// Off-screen surfaces: where the headless windows paint. Shared by gdi (which
// draws on them) and user (which gives each top-level window one).
#pragma once

#include <win/types.h>

// A surface: width x height pixels, 32 bits each as 0x00RRGGBB, rows top-down.
typedef struct LvSurface {
  int width;
  int height;
  uint32_t* pixels;
} LvSurface;

LV_BEGIN_DECLS
// New surface filled with 0x00C0C0C0 (button face); NULL when out of memory.
LVEXPORT LvSurface* lvSurfaceCreate(int width, int height);
// Changes the size, keeping the overlapping pixels.
LVEXPORT BOOL lvSurfaceResize(LvSurface* surface, int width, int height);
LVEXPORT void lvSurfaceDestroy(LvSurface* surface);
// A device context that draws on the surface with its logical origin at
// (originX, originY) of the surface and everything clipped to clip (surface
// coordinates). Released with ReleaseDC or DeleteDC.
LVEXPORT HDC lvCreateSurfaceDC(LvSurface* surface, int originX, int originY, const RECT* clip);
// A DC for the display as a whole (what GetDC(NULL) gives): bitmaps made
// compatible with it are colour bitmaps; drawing on it shows nowhere.
// Released with DeleteDC.
LVEXPORT HDC lvCreateScreenDC(void);
// Writes the surface (or the part of it inside rect, when rect is given) as
// an 8-bit RGB PNG file at a Unix path. FALSE on failure, nothing left behind.
LVEXPORT BOOL lvSurfaceWritePng(const LvSurface* surface, const RECT* rect, const char* unixPath);
LV_END_DECLS
