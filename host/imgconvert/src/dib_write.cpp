// Buffers to packed bitmaps: the depth that fits the data type, its colour
// table, rows bottom-up and padded to 32 bits.
#include "dib_write.h"

#include <algorithm>
#include <cstring>

namespace imgconvert {
namespace {

// Depth and colour table of the bitmap written for a data type.
struct DibShape {
  int bitCount = 0;
  Palette table;
};

bool AnyIndexAbove(const BufferLock& lock, BYTE limit) {
  const BUFINFO& info = lock.info();
  for (LONG y = 0; y < info.height; ++y) {
    const BYTE* row = lock.Row(y);
    if (*std::max_element(row, row + info.width) > limit) return true;
  }
  return false;
}

Status ShapeFor(const BufferLock& lock, LONG dataType, const Palette& palette, DibShape* shape) {
  switch (dataType) {
    case CVT32_TYPE_RGB:
      shape->bitCount = 24;
      return Ok();
    case CVT32_TYPE_HICOLOR:
      shape->bitCount = 16;
      return Ok();
    case CVT32_TYPE_GREY:
      shape->bitCount = 8;
      shape->table.count = 256;
      for (int i = 0; i < 256; ++i) {
        BYTE v = static_cast<BYTE>(i);
        shape->table.colours[i] = {v, v, v};
      }
      return Ok();
    case CVT32_TYPE_BW:
      shape->bitCount = 1;
      if (palette.count >= 2) {
        shape->table = palette;
        shape->table.count = 2;
      } else {
        shape->table.count = 2;
        shape->table.colours[1] = {255, 255, 255};
      }
      return Ok();
    case CVT32_TYPE_INDEXED16:
    case CVT32_TYPE_INDEXED256:
      if (palette.count == 0) return CannotServe(CVT32_DETAIL_ARGUMENT);
      shape->table = palette;
      shape->bitCount =
          dataType == CVT32_TYPE_INDEXED16 && palette.count <= 16 && !AnyIndexAbove(lock, 15) ? 4
                                                                                             : 8;
      return Ok();
    default:
      return CannotServe(CVT32_DETAIL_TYPE);
  }
}

void PutDword(BYTE* p, DWORD v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}

void PutWord(BYTE* p, WORD v) {
  p[0] = static_cast<BYTE>(v & 0xFF);
  p[1] = static_cast<BYTE>(v >> 8);
}

void WriteHeader(BYTE* p, const BUFINFO& info, const DibShape& shape, DWORD sizeImage,
                 LONG xPels, LONG yPels) {
  PutDword(p, 40);
  PutDword(p + 4, static_cast<DWORD>(info.width));
  PutDword(p + 8, static_cast<DWORD>(info.height));
  PutWord(p + 12, 1);
  PutWord(p + 14, static_cast<WORD>(shape.bitCount));
  PutDword(p + 16, BI_RGB);
  PutDword(p + 20, sizeImage);
  PutDword(p + 24, static_cast<DWORD>(xPels));
  PutDword(p + 28, static_cast<DWORD>(yPels));
  PutDword(p + 32, static_cast<DWORD>(shape.table.count));
  PutDword(p + 36, 0);
  BYTE* entry = p + 40;
  for (int i = 0; i < shape.table.count; ++i, entry += 4) {
    const Rgb& c = shape.table.colours[i];
    entry[0] = c.b;
    entry[1] = c.g;
    entry[2] = c.r;
    entry[3] = 0;
  }
}

// One buffer row as one bitmap row (the padding is already zero).
void WriteRow(const BYTE* in, LONG width, int bufferBits, int bitCount, BYTE* out) {
  switch (bitCount) {
    case 24:
      for (LONG x = 0; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
      break;
    case 4:
      for (LONG x = 0; x < width; ++x) {
        out[x >> 1] = static_cast<BYTE>(out[x >> 1] | ((x & 1) ? in[x] & 0x0F : in[x] << 4));
      }
      break;
    default:  // 1, 8 and 16 bits are stored alike in buffer and bitmap
      std::memcpy(out, in, bufferBits == 1 ? (static_cast<size_t>(width) + 7) / 8
                                           : static_cast<size_t>(width) * (bufferBits / 8));
      break;
  }
}

}  // namespace

Status EncodeDib(HBUF buffer, LONG dataType, const Palette& palette, LONG xPelsPerMeter,
                 LONG yPelsPerMeter, HGLOBAL* dib) {
  BufferLock lock(buffer, 1);
  if (!lock.ok()) return CannotServe(CVT32_DETAIL_BUFFER);
  const BUFINFO& info = lock.info();
  if (FormatOfType(dataType) != info.pixelFormat) return CannotServe(CVT32_DETAIL_BUFFER);
  DibShape shape;
  Status s = ShapeFor(lock, dataType, palette, &shape);
  if (!s.ok()) return s;
  uint64_t stride = (uint64_t(info.width) * shape.bitCount + 31) / 32 * 4;
  uint64_t bitsBytes = stride * info.height;
  uint64_t headerBytes = 40 + 4ull * shape.table.count;
  if (bitsBytes > 0x7FFFFFFF) return NoMemory();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, headerBytes + bitsBytes);
  if (!block) return NoMemory();
  BYTE* p = static_cast<BYTE*>(GlobalLock(block));
  if (!p) {
    GlobalFree(block);
    return NoMemory();
  }
  WriteHeader(p, info, shape, static_cast<DWORD>(bitsBytes), xPelsPerMeter, yPelsPerMeter);
  BYTE* bits = p + headerBytes;
  for (LONG y = 0; y < info.height; ++y) {
    BYTE* out = bits + static_cast<size_t>(info.height - 1 - y) * stride;
    WriteRow(lock.Row(y), info.width, info.pixelFormat, shape.bitCount, out);
  }
  GlobalUnlock(block);
  *dib = block;
  return Ok();
}

}  // namespace imgconvert
