// Pixel formats, size limits and the making of zero-filled buffers.
#include <cstring>
#include <new>

#include "buffer.h"

namespace imgcore {

bool IsPixelFormat(LONG bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: case 8: case 16: case 24: case 64: return true;
    default: return false;
  }
}

LONG BytesPerPixel(LONG bitsPerPixel) { return bitsPerPixel == 1 ? 0 : bitsPerPixel / 8; }

uint64_t RowBytesFor(LONG bitsPerPixel, LONG width) {
  if (bitsPerPixel == 1) return (static_cast<uint64_t>(width) + 7) / 8;
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(BytesPerPixel(bitsPerPixel));
}

bool CheckGeometry(LONG bitsPerPixel, LONG width, LONG height, size_t* rowBytes,
                   size_t* dataSize) {
  if (!IsPixelFormat(bitsPerPixel)) return false;
  if (width <= 0 || height <= 0 || width > kMaxEdge || height > kMaxEdge) return false;
  uint64_t row = RowBytesFor(bitsPerPixel, width);
  uint64_t total = row * static_cast<uint64_t>(height);  // both below 2^24: no overflow
  if (total > kMaxDataBytes) return false;
  *rowBytes = static_cast<size_t>(row);
  *dataSize = static_cast<size_t>(total);
  return true;
}

std::unique_ptr<ImageBuffer> MakeBuffer(LONG bitsPerPixel, LONG width, LONG height, LONG kind) {
  size_t rowBytes = 0, dataSize = 0;
  if (!CheckGeometry(bitsPerPixel, width, height, &rowBytes, &dataSize)) return nullptr;
  // calloc: large buffers get zero pages lazily instead of a zeroing pass.
  BYTE* memory = static_cast<BYTE*>(std::calloc(dataSize, 1));
  if (!memory) return nullptr;
  auto buffer = std::unique_ptr<ImageBuffer>(new (std::nothrow) ImageBuffer);
  if (!buffer) {
    std::free(memory);
    return nullptr;
  }
  buffer->kind = kind;
  buffer->bitsPerPixel = bitsPerPixel;
  buffer->width = width;
  buffer->height = height;
  buffer->rowBytes = rowBytes;
  buffer->dataSize = dataSize;
  buffer->pixels.reset(memory);
  return buffer;
}

}  // namespace imgcore
