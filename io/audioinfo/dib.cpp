// Checks of packed device-independent bitmaps taken from files.
#include "dib.h"

#include <cstdint>
#include <cstring>


namespace audioinfo {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr LONG kMaxSide = 65535;

bool ValidBitCount(WORD bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Entries of the colour table that follows the header.
uint64_t ColourCount(const BITMAPINFOHEADER& header) {
  if (header.biClrUsed != 0) return header.biClrUsed;
  return header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;
}

// Bytes of pixels the header announces; 0 when it announces none it could hold.
uint64_t PixelBytes(const BITMAPINFOHEADER& header, uint64_t rows) {
  if (header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4) return header.biSizeImage;
  const uint64_t rowBytes = (static_cast<uint64_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
  return rowBytes * rows;
}

bool ValidCompression(const BITMAPINFOHEADER& header) {
  switch (header.biCompression) {
    case BI_RGB: return true;
    case BI_RLE8: return header.biBitCount == 8;
    case BI_RLE4: return header.biBitCount == 4;
    case BI_BITFIELDS: return header.biBitCount == 16 || header.biBitCount == 32;
    default: return false;
  }
}

}  // namespace

bool CheckPackedDib(const BYTE* data, size_t size, DibSize* dibSize) {
  if (size < kInfoHeaderSize) return false;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  if (header.biSize < kInfoHeaderSize || header.biSize > size) return false;
  if (header.biPlanes != 1 || !ValidBitCount(header.biBitCount) || !ValidCompression(header))
    return false;
  const int64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
  if (header.biWidth < 1 || header.biWidth > kMaxSide || rows < 1 || rows > kMaxSide) return false;
  uint64_t colours = ColourCount(header);
  if (colours > 256) return false;
  uint64_t tableBytes = colours * sizeof(RGBQUAD);
  // Bit fields without room for them in the header come as three masks after it.
  if (header.biCompression == BI_BITFIELDS && header.biSize == kInfoHeaderSize) tableBytes += 12;
  const uint64_t pixels = PixelBytes(header, static_cast<uint64_t>(rows));
  if (pixels == 0 || header.biSize + tableBytes + pixels > size) return false;
  dibSize->width = header.biWidth;
  dibSize->height = static_cast<LONG>(rows);
  return true;
}

}  // namespace audioinfo
