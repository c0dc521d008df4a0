// Internal model of an image buffer and the handle table that names it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "imgcore.h"

namespace imgcore {

// Edge of the square tiles (cells) a buffer is divided into for
// buf32CellLock. A multiple of 8, so 1-bit tiles start on a byte.
constexpr LONG kTileEdge = 256;
// Largest width or height of a buffer.
constexpr LONG kMaxEdge = 1 << 20;
// Largest pixel data of one buffer: the information record reports the size
// in a 32-bit signed field.
constexpr uint64_t kMaxDataBytes = 0x7FFFFFFF;

// Releases pixel memory of `size` bytes; large blocks are kept for reuse.
struct PixelDeleter {
  size_t size = 0;
  void operator()(BYTE* p) const;
};

// One image: contiguous pixel memory, rows top to bottom, each row exactly
// rowBytes long; tiles are views into this memory with row step rowBytes.
struct ImageBuffer {
  LONG kind = 0;           // storage kind as given at allocation
  LONG bitsPerPixel = 0;   // 1, 8, 16, 24 or 64
  LONG width = 0;
  LONG height = 0;
  size_t rowBytes = 0;
  size_t dataSize = 0;
  int lockCount = 0;       // open buf32Lock and buf32CellLock calls
  std::unique_ptr<BYTE, PixelDeleter> pixels;

  BYTE* Row(LONG y) const { return pixels.get() + static_cast<size_t>(y) * rowBytes; }
  LONG TilesAcross() const { return (width + kTileEdge - 1) / kTileEdge; }
  LONG TilesDown() const { return (height + kTileEdge - 1) / kTileEdge; }
};

// True for the pixel formats buffers can have.
bool IsPixelFormat(LONG bitsPerPixel);
// Bytes per pixel of a format; 0 for 1-bit.
LONG BytesPerPixel(LONG bitsPerPixel);
// Bytes of one row of the format and width, (width + 7) / 8 for 1-bit.
uint64_t RowBytesFor(LONG bitsPerPixel, LONG width);
// Checks format and size against the limits; on success gives the row and
// data sizes. The product is computed in 64 bits before any allocation.
bool CheckGeometry(LONG bitsPerPixel, LONG width, LONG height, size_t* rowBytes,
                   size_t* dataSize);
// A buffer of the format and size, or nullptr (bad geometry or out of
// memory). Its pixels are zero unless zeroFill is false (for callers that
// overwrite every byte at once).
std::unique_ptr<ImageBuffer> MakeBuffer(LONG bitsPerPixel, LONG width, LONG height, LONG kind,
                                        bool zeroFill = true);

// Handle table. Handles count upwards and are not reused until the 32-bit
// counter wraps, so a stale handle finds nothing instead of a new buffer.
HBUF RegisterBuffer(std::unique_ptr<ImageBuffer> buffer);
// The live buffer of a handle, or nullptr.
ImageBuffer* FindBuffer(HBUF handle);
// Removes and destroys the buffer; false when the handle is not live.
bool ReleaseBuffer(HBUF handle);
// Number of live buffers.
size_t LiveBufferCount();
// The live buffer whose pixel memory holds `address`, or nullptr.
ImageBuffer* FindBufferHolding(const void* address);

// The colour reference in the pixel format's encoding: a grey byte for 8
// bits, 5-5-5 for 16, red-green-blue bytes for 24, the reference in the low
// four bytes for 64; for 1 bit one byte, 1 for any colour but black.
void EncodeColour(LONG bitsPerPixel, COLORREF colour, BYTE out[8]);
// Sets every pixel of the buffer to the encoded colour.
void FillBuffer(ImageBuffer& buffer, COLORREF colour);
// Grey value of a colour reference: (299 R + 587 G + 114 B) / 1000, rounded.
BYTE GreyOf(COLORREF colour);

}  // namespace imgcore
