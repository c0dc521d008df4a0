// Uncompressed bits of every depth into buffers, row by row.
#include "dib_decode.h"

#include <cstring>

namespace imgconvert {
namespace {

DWORD ReadPixelWord(const BYTE* p, int bitCount) {
  if (bitCount == 16) return static_cast<DWORD>(p[0] | p[1] << 8);
  return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
         static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[3]) << 24;
}

// The channel's value scaled to 0..top, rounded.
inline DWORD Scale(DWORD pixel, const Channel& c, DWORD top) {
  uint64_t v = (pixel & c.mask) >> c.shift;
  return static_cast<DWORD>((v * top + c.max / 2) / c.max);
}

void Row1(const DibLayout& l, const BYTE* src, BYTE* dst, bool invert) {
  size_t bytes = (static_cast<size_t>(l.width) + 7) / 8;
  BYTE flip = invert ? 0xFF : 0x00;
  for (size_t i = 0; i < bytes; ++i) dst[i] = static_cast<BYTE>(src[i] ^ flip);
  int spare = static_cast<int>(bytes * 8 - l.width);
  dst[bytes - 1] = static_cast<BYTE>(dst[bytes - 1] & (0xFF << spare));
}

void Row4(const DibLayout& l, const BYTE* src, BYTE* dst) {
  for (LONG x = 0; x < l.width; ++x) {
    BYTE b = src[x >> 1];
    dst[x] = (x & 1) ? static_cast<BYTE>(b & 0x0F) : static_cast<BYTE>(b >> 4);
  }
}

void Row16(const DibLayout& l, const BYTE* src, BYTE* dst) {
  const bool plain555 = l.red.mask == 0x7C00 && l.green.mask == 0x03E0 && l.blue.mask == 0x001F;
  if (plain555) {
    std::memcpy(dst, src, static_cast<size_t>(l.width) * 2);
    return;
  }
  for (LONG x = 0; x < l.width; ++x) {
    DWORD p = ReadPixelWord(src + 2 * x, 16);
    WORD v = static_cast<WORD>(Scale(p, l.red, 31) << 10 | Scale(p, l.green, 31) << 5 |
                               Scale(p, l.blue, 31));
    dst[2 * x] = static_cast<BYTE>(v & 0xFF);
    dst[2 * x + 1] = static_cast<BYTE>(v >> 8);
  }
}

void Row24(const DibLayout& l, const BYTE* src, BYTE* dst) {
  for (LONG x = 0; x < l.width; ++x) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
    src += 3;
    dst += 3;
  }
}

void Row32(const DibLayout& l, const BYTE* src, BYTE* dst) {
  for (LONG x = 0; x < l.width; ++x) {
    DWORD p = ReadPixelWord(src + 4 * x, 32);
    dst[0] = static_cast<BYTE>(Scale(p, l.red, 255));
    dst[1] = static_cast<BYTE>(Scale(p, l.green, 255));
    dst[2] = static_cast<BYTE>(Scale(p, l.blue, 255));
    dst += 3;
  }
}

// Orders a 1-bit palette darker, brighter; true when the bits must flip.
bool NormaliseTwoColours(Palette* palette) {
  if (palette->count < 2) palette->count = 2;  // missing entries are black
  Rgb first = palette->colours[0], second = palette->colours[1];
  if (GreyOf(first) <= GreyOf(second)) return false;
  palette->colours[0] = second;
  palette->colours[1] = first;
  return true;
}

void DecodeRows(const DibLayout& l, const BufferLock& target, bool invert) {
  for (LONG r = 0; r < l.height; ++r) {
    const BYTE* src = l.bits + static_cast<size_t>(r) * l.stride;
    BYTE* dst = target.Row(l.topDown ? r : l.height - 1 - r);
    switch (l.bitCount) {
      case 1:
        Row1(l, src, dst, invert);
        break;
      case 4:
        Row4(l, src, dst);
        break;
      case 8:
        std::memcpy(dst, src, static_cast<size_t>(l.width));
        break;
      case 16:
        Row16(l, src, dst);
        break;
      case 24:
        Row24(l, src, dst);
        break;
      default:
        Row32(l, src, dst);
        break;
    }
  }
}

}  // namespace

Status DecodeDib(const DibLayout& layout, DecodedImage* image) {
  LONG type = DataTypeOf(layout);
  Palette palette = layout.palette;
  bool invert = type == CVT32_TYPE_BW && NormaliseTwoColours(&palette);
  OwnedBuffer buffer;
  if (!buf32Alloc(buffer.Out(), FormatOfType(type), layout.width, layout.height, BUF_KIND_PLAIN,
                  nullptr)) {
    return NoMemory();
  }
  {
    BufferLock lock(buffer.get(), 2);
    if (!lock.ok()) return NoMemory();
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
      Status s = DecodeRle(layout, lock);
      if (!s.ok()) return s;
    } else {
      DecodeRows(layout, lock, invert);
    }
  }
  image->dataType = type;
  image->palette = type == CVT32_TYPE_GREY ? Palette{} : palette;
  image->buffer = buffer.Release();
  return Ok();
}

}  // namespace imgconvert
