// Header, colour table and mask checks of packed bitmaps.
#include "dib_parse.h"

#include <cstring>

namespace imgconvert {
namespace {

constexpr uint64_t kMaxPixelBytes = 0x7FFFFFFF;  // imgcore's limit of pixel data

DWORD ReadDword(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
         static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[3]) << 24;
}

WORD ReadWord(const BYTE* p) { return static_cast<WORD>(p[0] | p[1] << 8); }

bool KnownInfoHeaderSize(DWORD size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Fills a channel from its mask; false for an empty or non-contiguous mask.
bool MakeChannel(DWORD mask, Channel* channel) {
  if (mask == 0) return false;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  DWORD max = mask >> shift;
  if ((max & (max + 1)) != 0) return false;  // a gap inside the mask
  *channel = {mask, shift, max};
  return true;
}

Status SetMasks(DWORD r, DWORD g, DWORD b, int bitCount, DibLayout* layout) {
  uint64_t depthMask = bitCount == 32 ? 0xFFFFFFFFull : (1ull << bitCount) - 1;
  if ((r & g) || (r & b) || (g & b) || ((uint64_t{r} | g | b) & ~depthMask)) {
    return BadBitmap(CVT32_DETAIL_MASKS);
  }
  if (!MakeChannel(r, &layout->red) || !MakeChannel(g, &layout->green) ||
      !MakeChannel(b, &layout->blue)) {
    return BadBitmap(CVT32_DETAIL_MASKS);
  }
  return Ok();
}

bool DepthAllowed(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

Status CheckCompression(const DibLayout& l) {
  switch (l.compression) {
    case BI_RGB:
      return Ok();
    case BI_RLE8:
      return l.bitCount == 8 && !l.topDown ? Ok() : BadBitmap(CVT32_DETAIL_COMPRESSION);
    case BI_RLE4:
      return l.bitCount == 4 && !l.topDown ? Ok() : BadBitmap(CVT32_DETAIL_COMPRESSION);
    case BI_BITFIELDS:
      return l.bitCount == 16 || l.bitCount == 32 ? Ok() : BadBitmap(CVT32_DETAIL_COMPRESSION);
    default:
      return BadBitmap(CVT32_DETAIL_COMPRESSION);
  }
}

// Width, height and row order from the raw header values.
Status SetSize(int64_t width, int64_t height, DibLayout* l) {
  if (width < 1 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) {
    return BadBitmap(CVT32_DETAIL_HEADER);
  }
  l->width = static_cast<LONG>(width);
  l->topDown = height < 0;
  l->height = static_cast<LONG>(height < 0 ? -height : height);
  // The largest buffer made from it (24 bits a pixel) must fit imgcore.
  if (uint64_t(l->width) * uint64_t(l->height) * 3u > kMaxPixelBytes) {
    return BadBitmap(CVT32_DETAIL_HEADER);
  }
  return Ok();
}

// Reads the colour table (entrySize 3 or 4 bytes, BGR order) into the
// palette; `entries` may exceed what the depth indexes.
void ReadColourTable(const BYTE* table, uint64_t entries, int entrySize, DibLayout* l) {
  if (l->bitCount > 8) return;
  uint64_t used = entries < (1u << l->bitCount) ? entries : (1u << l->bitCount);
  l->palette.count = static_cast<int>(used);
  for (uint64_t i = 0; i < used; ++i) {
    const BYTE* e = table + i * entrySize;
    l->palette.colours[i] = {e[2], e[1], e[0]};
  }
}

// Places the colour table and the bits after a header of headerBytes
// bytes (masks included) and checks both against the memory.
Status PlaceTableAndBits(const BYTE* data, size_t size, uint64_t headerBytes, uint64_t entries,
                         int entrySize, DWORD sizeImage, DibLayout* l) {
  uint64_t tableBytes = entries * entrySize;
  uint64_t bitsOffset = headerBytes + tableBytes;
  if (size != kUnknownSize && bitsOffset > size) return BadBitmap(CVT32_DETAIL_TRUNCATED);
  ReadColourTable(data + headerBytes, entries, entrySize, l);
  uint64_t stride = (uint64_t(l->width) * l->bitCount + 31) / 32 * 4;
  uint64_t rawBytes = stride * l->height;
  if (rawBytes > kMaxPixelBytes) return BadBitmap(CVT32_DETAIL_HEADER);
  l->stride = static_cast<size_t>(stride);
  l->bits = data + bitsOffset;
  uint64_t available = size == kUnknownSize ? UINT64_MAX : size - bitsOffset;
  if (l->compression == BI_RLE8 || l->compression == BI_RLE4) {
    uint64_t coded = sizeImage != 0 ? sizeImage : available;
    if (coded == UINT64_MAX || coded > available || coded > kMaxPixelBytes) {
      return BadBitmap(CVT32_DETAIL_TRUNCATED);
    }
    l->bitsSize = static_cast<size_t>(coded);
    return Ok();
  }
  if (rawBytes > available) return BadBitmap(CVT32_DETAIL_TRUNCATED);
  l->bitsSize = static_cast<size_t>(rawBytes);
  return Ok();
}

Status ParseCoreHeader(const BYTE* data, size_t size, DibLayout* l) {
  if (size != kUnknownSize && size < 12) return BadBitmap(CVT32_DETAIL_TRUNCATED);
  Status s = SetSize(ReadWord(data + 4), ReadWord(data + 6), l);
  if (!s.ok()) return s;
  l->bitCount = ReadWord(data + 10);
  if (!DepthAllowed(l->bitCount) || l->bitCount == 16 || l->bitCount == 32) {
    return BadBitmap(CVT32_DETAIL_HEADER);
  }
  uint64_t entries = l->bitCount <= 8 ? (1u << l->bitCount) : 0;
  return PlaceTableAndBits(data, size, 12, entries, 3, 0, l);
}

Status ParseInfoHeader(const BYTE* data, size_t size, DWORD headerSize, DibLayout* l) {
  if (size != kUnknownSize && size < headerSize) return BadBitmap(CVT32_DETAIL_TRUNCATED);
  Status s = SetSize(static_cast<int32_t>(ReadDword(data + 4)),
                     static_cast<int32_t>(ReadDword(data + 8)), l);
  if (!s.ok()) return s;
  l->bitCount = ReadWord(data + 14);
  l->compression = ReadDword(data + 16);
  DWORD sizeImage = ReadDword(data + 20);
  l->xPelsPerMeter = static_cast<LONG>(ReadDword(data + 24));
  l->yPelsPerMeter = static_cast<LONG>(ReadDword(data + 28));
  DWORD clrUsed = ReadDword(data + 32);
  if (!DepthAllowed(l->bitCount)) return BadBitmap(CVT32_DETAIL_HEADER);
  s = CheckCompression(*l);
  if (!s.ok()) return s;
  if (clrUsed > 256) return BadBitmap(CVT32_DETAIL_HEADER);
  uint64_t headerBytes = headerSize;
  if (l->compression == BI_BITFIELDS) {
    const BYTE* masks = data + 40;
    if (headerSize == 40) {
      headerBytes += 12;  // the three masks follow the header
      if (size != kUnknownSize && size < headerBytes) return BadBitmap(CVT32_DETAIL_TRUNCATED);
    }
    s = SetMasks(ReadDword(masks), ReadDword(masks + 4), ReadDword(masks + 8), l->bitCount, l);
  } else if (l->bitCount == 16) {
    s = SetMasks(0x7C00, 0x03E0, 0x001F, 16, l);
  } else if (l->bitCount == 32) {
    s = SetMasks(0xFF0000, 0xFF00, 0xFF, 32, l);
  }
  if (!s.ok()) return s;
  uint64_t entries = clrUsed;
  if (entries == 0 && l->bitCount <= 8) entries = 1u << l->bitCount;
  return PlaceTableAndBits(data, size, headerBytes, entries, 4, sizeImage, l);
}

// The full ramp of 256 greys only: with a shorter table, indices past its
// end are black and not the grey of their value.
bool IsGreyRamp(const Palette& p) {
  if (p.count != 256) return false;
  for (int i = 0; i < p.count; ++i) {
    Rgb c = p.colours[i];
    if (c.r != i || c.g != i || c.b != i) return false;
  }
  return true;
}

}  // namespace

Status ParseDib(const BYTE* data, size_t size, DibLayout* layout) {
  *layout = DibLayout{};
  if (!data) return CannotServe(CVT32_DETAIL_ARGUMENT);
  if (size != kUnknownSize && size < 4) return BadBitmap(CVT32_DETAIL_TRUNCATED);
  DWORD headerSize = ReadDword(data);
  if (headerSize == 12) return ParseCoreHeader(data, size, layout);
  if (KnownInfoHeaderSize(headerSize)) return ParseInfoHeader(data, size, headerSize, layout);
  return BadBitmap(CVT32_DETAIL_HEADER);
}

LONG DataTypeOf(const DibLayout& layout) {
  switch (layout.bitCount) {
    case 1:
      return CVT32_TYPE_BW;
    case 4:
      return CVT32_TYPE_INDEXED16;
    case 8:
      return IsGreyRamp(layout.palette) ? CVT32_TYPE_GREY : CVT32_TYPE_INDEXED256;
    case 16:
      return CVT32_TYPE_HICOLOR;
    default:
      return CVT32_TYPE_RGB;
  }
}

}  // namespace imgconvert
