// Pixel formats, size limits and the making of zero-filled buffers.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
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

namespace {

// Large pixel blocks are kept for reuse: image work frees and makes buffers
// of one size over and over (duplicates, previews), and every page of a
// fresh large block costs a page fault on first touch. One block is kept;
// sanitizer builds keep none, so they still see every use after free.
constexpr size_t kRecycleFrom = 8u << 20;
constexpr size_t kRecycleUpTo = 512u << 20;
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kRecycle = false;
#else
constexpr bool kRecycle = true;
#endif

std::mutex g_recycleLock;
BYTE* g_recycledBlock = nullptr;
size_t g_recycledSize = 0;

bool Recyclable(size_t size) { return kRecycle && size >= kRecycleFrom && size <= kRecycleUpTo; }

BYTE* TakeRecycled(size_t size) {
  std::lock_guard<std::mutex> guard(g_recycleLock);
  if (!g_recycledBlock || g_recycledSize != size) return nullptr;
  BYTE* block = g_recycledBlock;
  g_recycledBlock = nullptr;
  g_recycledSize = 0;
  return block;
}

}  // namespace

void PixelDeleter::operator()(BYTE* p) const {
  if (!p) return;
  if (Recyclable(size)) {
    std::lock_guard<std::mutex> guard(g_recycleLock);
    std::swap(p, g_recycledBlock);
    g_recycledSize = size;
  }
  std::free(p);  // the block replaced in the cache, or this one
}

std::unique_ptr<ImageBuffer> MakeBuffer(LONG bitsPerPixel, LONG width, LONG height, LONG kind,
                                        bool zeroFill) {
  size_t rowBytes = 0, dataSize = 0;
  if (!CheckGeometry(bitsPerPixel, width, height, &rowBytes, &dataSize)) return nullptr;
  BYTE* memory = Recyclable(dataSize) ? TakeRecycled(dataSize) : nullptr;
  if (memory && zeroFill) std::memset(memory, 0, dataSize);
  // calloc: large buffers get zero pages lazily instead of a zeroing pass.
  if (!memory) memory = static_cast<BYTE*>(std::calloc(dataSize, 1));
  if (!memory) return nullptr;
  std::unique_ptr<BYTE, PixelDeleter> pixels(memory, PixelDeleter{dataSize});
  auto buffer = std::unique_ptr<ImageBuffer>(new (std::nothrow) ImageBuffer);
  if (!buffer) return nullptr;
  buffer->kind = kind;
  buffer->bitsPerPixel = bitsPerPixel;
  buffer->width = width;
  buffer->height = height;
  buffer->rowBytes = rowBytes;
  buffer->dataSize = dataSize;
  buffer->pixels = std::move(pixels);
  return buffer;
}

}  // namespace imgcore
