// Making, copying, describing and releasing buffers.
#include <cstring>

#include "buffer.h"

using namespace imgcore;

LVEXPORT BOOL buf32Alloc(HBUF* out, LONG pixelFormat, LONG width, LONG height, LONG kind,
                         const COLORREF* fill) {
  if (!out) return FALSE;
  *out = 0;
  std::unique_ptr<ImageBuffer> buffer = MakeBuffer(pixelFormat, width, height, kind);
  if (!buffer) return FALSE;
  // Kind "filled" without a colour (a module copying another buffer's
  // layout) leaves the pixels zero, as the plain kind does.
  if (kind == BUF_KIND_FILLED && fill) FillBuffer(*buffer, *fill);
  *out = RegisterBuffer(std::move(buffer));
  return *out != 0;
}

LVEXPORT BOOL buf32Free(HBUF buffer) { return ReleaseBuffer(buffer) ? TRUE : FALSE; }

LVEXPORT BOOL buf32DupBuf(HBUF source, HBUF* out) {
  if (!out) return FALSE;
  *out = 0;
  ImageBuffer* src = FindBuffer(source);
  if (!src) return FALSE;
  std::unique_ptr<ImageBuffer> copy =
      MakeBuffer(src->bitsPerPixel, src->width, src->height, src->kind, false);
  if (!copy) return FALSE;
  std::memcpy(copy->pixels.get(), src->pixels.get(), src->dataSize);
  *out = RegisterBuffer(std::move(copy));
  return *out != 0;
}

LVEXPORT BOOL buf32GetInfo(HBUF buffer, BUFINFO* info) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b) return FALSE;
  if (!info) return TRUE;
  std::memset(info, 0, sizeof *info);
  info->kind = b->kind;
  info->pixelFormat = b->bitsPerPixel;
  info->bytesPerPixel = BytesPerPixel(b->bitsPerPixel);
  info->width = b->width;
  info->height = b->height;
  info->rowBytes = static_cast<LONG>(b->rowBytes);
  info->dataSize = static_cast<LONG>(b->dataSize);
  info->tileWidth = kTileEdge;
  info->tileHeight = kTileEdge;
  info->tileCount = b->TilesAcross() * b->TilesDown();
  return TRUE;
}

LVEXPORT BOOL buf32GetWHU(HBUF buffer, LONG* width, LONG* height, LONG* kind) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b) return FALSE;
  if (width) *width = b->width;
  if (height) *height = b->height;
  if (kind) *kind = b->kind;
  return TRUE;
}

LVEXPORT BOOL buf32FillOneColor(HBUF buffer, const COLORREF* colour) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || !colour) return FALSE;
  FillBuffer(*b, *colour);
  return TRUE;
}
