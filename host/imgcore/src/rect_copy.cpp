// Rectangles out of and between buffers: buf32GetMem, buf32GetBuf,
// buf32MergeBuf. Work is done a row at a time with memcpy wherever the
// pixel format allows it.
#include <algorithm>
#include <cstring>
#include <vector>

#include "bits.h"
#include "buffer.h"

using namespace imgcore;

namespace {

// Copies `count` pixels of a row starting at column x (which may lie left of
// or beyond the row) into dst; columns outside the row repeat its first or
// last pixel.
void CopyClampedBytes(const BYTE* src, LONG srcWidth, LONG bpp, int64_t x, LONG count, BYTE* dst) {
  int64_t left = std::clamp<int64_t>(-x, 0, count);
  int64_t innerStart = std::max<int64_t>(x, 0);
  int64_t innerEnd = std::min<int64_t>(x + count, srcWidth);
  int64_t inner = std::max<int64_t>(innerEnd - innerStart, 0);
  int64_t right = count - left - inner;
  if (left > 0) mem32Fill(dst, src, bpp, static_cast<LONG>(left));
  if (inner > 0) std::memcpy(dst + left * bpp, src + innerStart * bpp, static_cast<size_t>(inner * bpp));
  if (right > 0) {
    mem32Fill(dst + (left + inner) * bpp, src + static_cast<int64_t>(srcWidth - 1) * bpp, bpp,
              static_cast<LONG>(right));
  }
}

void CopyClampedBits(const BYTE* src, LONG srcWidth, int64_t x, LONG count, BYTE* dst) {
  std::memset(dst, 0, (static_cast<size_t>(count) + 7) / 8);
  for (LONG i = 0; i < count; ++i) {
    int64_t sx = std::clamp<int64_t>(x + i, 0, srcWidth - 1);
    if (GetBit(src, sx)) SetBit(dst, i, true);
  }
}

// The rectangle (x, y, width, height) of the buffer as rows of
// RowBytesFor(width) bytes; outside the image the nearest edge pixel repeats.
void CopyRectClamped(const ImageBuffer& b, int64_t x, int64_t y, LONG width, LONG height, BYTE* out) {
  size_t outRow = static_cast<size_t>(RowBytesFor(b.bitsPerPixel, width));
  LONG bpp = BytesPerPixel(b.bitsPerPixel);
  for (LONG j = 0; j < height; ++j) {
    LONG sy = static_cast<LONG>(std::clamp<int64_t>(y + j, 0, b.height - 1));
    BYTE* dst = out + static_cast<size_t>(j) * outRow;
    if (b.bitsPerPixel == 1) {
      CopyClampedBits(b.Row(sy), b.width, x, width, dst);
    } else {
      CopyClampedBytes(b.Row(sy), b.width, bpp, x, width, dst);
    }
  }
}

// Size check of a rectangle handed out as plain memory or a new buffer.
bool RectFits(const ImageBuffer& b, LONG width, LONG height) {
  size_t rowBytes = 0, dataSize = 0;
  return CheckGeometry(b.bitsPerPixel, width, height, &rowBytes, &dataSize);
}

// Clipped copy region of a merge: source origin, target origin and size.
struct MergeRegion {
  int64_t sx, sy, tx, ty, w, h;
};

// Clips the region to the source and the target; false when nothing is left.
bool ClipMerge(MergeRegion& r, const ImageBuffer& src, const ImageBuffer& dst) {
  if (r.sx < 0) { r.tx -= r.sx; r.w += r.sx; r.sx = 0; }
  if (r.sy < 0) { r.ty -= r.sy; r.h += r.sy; r.sy = 0; }
  if (r.tx < 0) { r.sx -= r.tx; r.w += r.tx; r.tx = 0; }
  if (r.ty < 0) { r.sy -= r.ty; r.h += r.ty; r.ty = 0; }
  r.w = std::min({r.w, src.width - r.sx, dst.width - r.tx});
  r.h = std::min({r.h, src.height - r.sy, dst.height - r.ty});
  return r.w > 0 && r.h > 0;
}

void MergeBytes(const ImageBuffer& src, ImageBuffer& dst, const MergeRegion& r) {
  LONG bpp = BytesPerPixel(src.bitsPerPixel);
  size_t bytes = static_cast<size_t>(r.w * bpp);
  // Within one buffer, copy rows in the order that never reads a row
  // already overwritten; memmove handles overlap inside a row.
  bool upwards = &src == &dst && r.ty > r.sy;
  for (int64_t i = 0; i < r.h; ++i) {
    int64_t j = upwards ? r.h - 1 - i : i;
    const BYTE* from = src.Row(static_cast<LONG>(r.sy + j)) + r.sx * bpp;
    BYTE* to = dst.Row(static_cast<LONG>(r.ty + j)) + r.tx * bpp;
    std::memmove(to, from, bytes);
  }
}

void MergeBits(const ImageBuffer& src, ImageBuffer& dst, const MergeRegion& r) {
  bool upwards = &src == &dst && r.ty > r.sy;
  std::vector<BYTE> bits(static_cast<size_t>(r.w));
  for (int64_t i = 0; i < r.h; ++i) {
    int64_t j = upwards ? r.h - 1 - i : i;
    const BYTE* from = src.Row(static_cast<LONG>(r.sy + j));
    BYTE* to = dst.Row(static_cast<LONG>(r.ty + j));
    for (int64_t k = 0; k < r.w; ++k) bits[k] = GetBit(from, r.sx + k);
    for (int64_t k = 0; k < r.w; ++k) SetBit(to, r.tx + k, bits[k] != 0);
  }
}

}  // namespace

LVEXPORT BOOL buf32GetMem(HBUF buffer, LONG x, LONG y, LONG width, LONG height, void* memory) {
  ImageBuffer* b = FindBuffer(buffer);
  if (!b || !memory || !RectFits(*b, width, height)) return FALSE;
  CopyRectClamped(*b, x, y, width, height, static_cast<BYTE*>(memory));
  return TRUE;
}

LVEXPORT BOOL buf32GetBuf(HBUF source, LONG x, LONG y, LONG width, LONG height, HBUF* target) {
  if (!target) return FALSE;
  *target = 0;
  ImageBuffer* b = FindBuffer(source);
  if (!b) return FALSE;
  std::unique_ptr<ImageBuffer> part = MakeBuffer(b->bitsPerPixel, width, height, b->kind);
  if (!part) return FALSE;
  CopyRectClamped(*b, x, y, width, height, part->pixels.get());
  *target = RegisterBuffer(std::move(part));
  return *target != 0;
}

LVEXPORT BOOL buf32MergeBuf(HBUF source, LONG x, LONG y, LONG width, LONG height, HBUF target,
                            LONG targetX, LONG targetY) {
  ImageBuffer* src = FindBuffer(source);
  ImageBuffer* dst = FindBuffer(target);
  if (!src || !dst || src->bitsPerPixel != dst->bitsPerPixel || width < 0 || height < 0) return FALSE;
  MergeRegion r{x, y, targetX, targetY, width, height};
  if (!ClipMerge(r, *src, *dst)) return TRUE;  // nothing overlaps: nothing to copy
  if (src->bitsPerPixel == 1) {
    MergeBits(*src, *dst, r);
  } else {
    MergeBytes(*src, *dst, r);
  }
  return TRUE;
}
