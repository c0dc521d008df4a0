// Direct pixel access: whole-buffer locks, single rows, tiles (cells).
#include <cstring>

#include "buffer.h"

using namespace imgcore;

static_assert(sizeof(BUFINFO) == 104, "the information record is 104 bytes");
static_assert(offsetof(BUFINFO, dataSize) == 28, "data size at offset 28");
static_assert(sizeof(BUFCELL) == 20, "tile record of five 32-bit fields");

LVEXPORT BOOL buf32Lock(HBUF buffer, LONG access, void** pixels) {
  if (pixels) *pixels = nullptr;
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || !pixels || access < 1 || access > 3) return FALSE;
  ++b->lockCount;
  *pixels = b->pixels.get();
  return TRUE;
}

LVEXPORT BOOL buf32Unlock(HBUF buffer) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || b->lockCount <= 0) return FALSE;
  --b->lockCount;
  return TRUE;
}

LVEXPORT void* buf32PointAddr(HBUF buffer, LONG x, LONG y) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || b->lockCount <= 0) return nullptr;
  if (x < 0 || y < 0 || x >= b->width || y >= b->height) return nullptr;
  size_t column = b->bitsPerPixel == 1 ? static_cast<size_t>(x) / 8
                                       : static_cast<size_t>(x) * BytesPerPixel(b->bitsPerPixel);
  return b->Row(y) + column;
}

LVEXPORT BOOL buf32Line(HBUF buffer, LONG row, LONG direction, void* memory) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || !memory || row < 0 || row >= b->height) return FALSE;
  if (direction == 1) {
    std::memcpy(memory, b->Row(row), b->rowBytes);
  } else if (direction == 2) {
    std::memcpy(b->Row(row), memory, b->rowBytes);
  } else {
    return FALSE;
  }
  return TRUE;
}

LVEXPORT BOOL buf32CellLock(HBUF buffer, LONG tile, void** pixels, BUFCELL* cell) {
  if (pixels) *pixels = nullptr;
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || !pixels || !cell) return FALSE;
  LONG across = b->TilesAcross();
  if (tile < 0 || tile >= across * b->TilesDown()) return FALSE;
  LONG left = (tile % across) * kTileEdge;
  LONG top = (tile / across) * kTileEdge;
  cell->left = left;
  cell->top = top;
  cell->width = b->width - left < kTileEdge ? b->width - left : kTileEdge;
  cell->height = b->height - top < kTileEdge ? b->height - top : kTileEdge;
  cell->rowStep = static_cast<LONG>(b->rowBytes);
  size_t column = b->bitsPerPixel == 1 ? static_cast<size_t>(left) / 8
                                       : static_cast<size_t>(left) * BytesPerPixel(b->bitsPerPixel);
  *pixels = b->Row(top) + column;
  ++b->lockCount;
  return TRUE;
}

LVEXPORT BOOL buf32CellUnlock(HBUF buffer, LONG tile) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || tile < 0 || tile >= b->TilesAcross() * b->TilesDown() || b->lockCount <= 0) return FALSE;
  --b->lockCount;
  return TRUE;
}
