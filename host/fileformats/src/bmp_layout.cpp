// The layout of a BMP file: headers, masks and colour table, checked
// against the file's size.
#include "bmp_layout.h"

#include <filedata.h>

#include <cstring>

namespace tf {

namespace {

DWORD U16(const BYTE* p) { return static_cast<DWORD>(p[0] | (p[1] << 8)); }
DWORD U32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
         (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

BmpChannel ChannelOf(DWORD mask) {
  BmpChannel channel;
  channel.mask = mask;
  if (mask == 0) return channel;
  while (!((mask >> channel.shift) & 1u)) ++channel.shift;
  channel.max = mask >> channel.shift;
  return channel;
}

int Luminance(const BYTE rgb[3]) { return ((299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2]) / 1000) & 0xFF; }

bool IsGreyRamp(const BmpLayout& layout) {
  if (layout.entries != 256) return false;
  for (int i = 0; i < 256; ++i)
    if (layout.palette[i][0] != i || layout.palette[i][1] != i || layout.palette[i][2] != i) return false;
  return true;
}

bool CompressionFits(int bits, int compression) {
  switch (compression) {
    case kBmpRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kBmpRle8: return bits == 8;
    case kBmpRle4: return bits == 4;
    case kBmpBitfields:
    case kBmpAlphaBitfields: return bits == 16 || bits == 32;
    default: return false;
  }
}

// Reads the masks of a bitfields file; false when they lie outside head or
// are unusable.
bool ReadMasks(const BYTE* head, DWORD headSize, DWORD headerSize, BmpLayout* layout, DWORD* tableOffset) {
  DWORD at = 14 + 40;
  if (headerSize == 40) *tableOffset += layout->compression == kBmpAlphaBitfields ? 16 : 12;
  if (at + 12 > headSize) return false;
  layout->red = ChannelOf(U32(head + at));
  layout->green = ChannelOf(U32(head + at + 4));
  layout->blue = ChannelOf(U32(head + at + 8));
  layout->defaultMasks = false;
  return layout->red.mask && layout->green.mask && layout->blue.mask;
}

void DefaultMasks(BmpLayout* layout) {
  if (layout->bits == 16) {
    layout->red = ChannelOf(0x7C00);
    layout->green = ChannelOf(0x03E0);
    layout->blue = ChannelOf(0x001F);
  } else {
    layout->red = ChannelOf(0xFF0000);
    layout->green = ChannelOf(0x00FF00);
    layout->blue = ChannelOf(0x0000FF);
  }
}

// Reads the colour table; false when it reaches past the file.
bool ReadTable(const BYTE* head, DWORD headSize, DWORD fileSize, DWORD tableOffset, DWORD colorsUsed,
               BmpLayout* layout) {
  int full = 1 << layout->bits;
  int entries = (colorsUsed > 0 && colorsUsed < static_cast<DWORD>(full)) ? static_cast<int>(colorsUsed) : full;
  DWORD entrySize = layout->core ? 3 : 4;
  uint64_t end = tableOffset + static_cast<uint64_t>(entries) * entrySize;
  if (end > fileSize || end > headSize) return false;
  for (int i = 0; i < entries; ++i) {
    const BYTE* entry = head + tableOffset + i * entrySize;
    layout->palette[i][0] = entry[2];
    layout->palette[i][1] = entry[1];
    layout->palette[i][2] = entry[0];
  }
  layout->entries = entries;
  return true;
}

void ChooseDataType(BmpLayout* layout) {
  switch (layout->bits) {
    case 1:
      layout->dataType = TF_DT_BW;
      layout->hostBits = 1;
      if (Luminance(layout->palette[1]) < Luminance(layout->palette[0])) {
        std::memset(layout->palette[0], 0, 3);
        std::memset(layout->palette[1], 255, 3);
        layout->invertBits = true;
      }
      if (layout->entries < 2) layout->entries = 2;
      break;
    case 4:
      layout->dataType = TF_DT_INDEXED16;
      layout->hostBits = 8;
      break;
    case 8:
      layout->dataType = IsGreyRamp(*layout) ? TF_DT_GREY : TF_DT_INDEXED256;
      layout->hostBits = 8;
      break;
    case 16:
      layout->dataType = TF_DT_HICOLOR;
      layout->hostBits = 16;
      break;
    default:
      layout->dataType = TF_DT_RGB;
      layout->hostBits = 24;
      break;
  }
  layout->hostRowBytes = layout->hostBits == 1 ? (layout->width + 7) / 8 : layout->width * (layout->hostBits / 8);
}

}  // namespace

bool SniffBmp(const BYTE* head, DWORD size) { return size >= 2 && head[0] == 'B' && head[1] == 'M'; }

int ParseBmpLayout(const BYTE* head, DWORD headSize, DWORD fileSize, BmpLayout* layout) {
  *layout = BmpLayout();
  if (headSize > fileSize) headSize = fileSize;
  if (headSize < 26 || !SniffBmp(head, headSize)) return 1;
  DWORD headerSize = U32(head + 14);
  layout->pixelOffset = U32(head + 10);
  DWORD colorsUsed = 0;
  if (headerSize == 12) {
    layout->core = true;
    layout->width = static_cast<LONG>(U16(head + 18));
    layout->height = static_cast<LONG>(U16(head + 20));
    layout->bits = static_cast<int>(U16(head + 24));
  } else if (headerSize >= 40 && headerSize <= 124) {
    if (headSize < 14 + 40) return 1;
    layout->width = static_cast<LONG>(U32(head + 18));
    LONG height = static_cast<LONG>(U32(head + 22));
    layout->topDown = height < 0;
    layout->height = height == INT32_MIN ? 0 : (height < 0 ? -height : height);
    layout->bits = static_cast<int>(U16(head + 28));
    layout->compression = static_cast<int>(U32(head + 30));
    layout->xPerMetre = static_cast<LONG>(U32(head + 38));
    layout->yPerMetre = static_cast<LONG>(U32(head + 42));
    colorsUsed = U32(head + 46);
  } else {
    return 1;
  }
  if (!CompressionFits(layout->bits, layout->compression)) return 2;
  if (layout->topDown && (layout->compression == kBmpRle8 || layout->compression == kBmpRle4)) return 2;
  if (layout->width <= 0 || layout->height <= 0 || layout->width > kBmpMaxSide || layout->height > kBmpMaxSide ||
      static_cast<uint64_t>(layout->width) * static_cast<uint64_t>(layout->height) > kBmpMaxPixels)
    return 3;
  DWORD tableOffset = 14 + headerSize;
  if (layout->compression == kBmpBitfields || layout->compression == kBmpAlphaBitfields) {
    if (!ReadMasks(head, headSize, headerSize, layout, &tableOffset)) return 4;
  } else if (layout->bits == 16 || layout->bits == 32) {
    DefaultMasks(layout);
  }
  if (layout->bits <= 8 && !ReadTable(head, headSize, fileSize, tableOffset, colorsUsed, layout)) return 4;
  uint64_t stride = ((static_cast<uint64_t>(layout->bits) * static_cast<uint64_t>(layout->width) + 31) / 32) * 4;
  layout->stride = static_cast<DWORD>(stride);
  if (layout->pixelOffset >= fileSize) return 5;
  if (layout->compression != kBmpRle8 && layout->compression != kBmpRle4 &&
      layout->pixelOffset + stride * static_cast<uint64_t>(layout->height) > fileSize)
    return 5;
  ChooseDataType(layout);
  return 0;
}

namespace {

BYTE Scale(DWORD value, const BmpChannel& channel, int bits) {
  DWORD v = (value & channel.mask) >> channel.shift;
  DWORD top = (1u << bits) - 1;
  return static_cast<BYTE>(channel.max ? (v * top + channel.max / 2) / channel.max : 0);
}

void Row16(const BmpLayout& layout, const BYTE* stored, BYTE* host) {
  for (LONG x = 0; x < layout.width; ++x) {
    DWORD w = U16(stored + 2 * x);
    WORD out;
    if (layout.defaultMasks) {
      out = static_cast<WORD>(w & 0x7FFF);
    } else {
      out = static_cast<WORD>((Scale(w, layout.red, 5) << 10) | (Scale(w, layout.green, 5) << 5) |
                              Scale(w, layout.blue, 5));
    }
    host[2 * x] = static_cast<BYTE>(out & 0xFF);
    host[2 * x + 1] = static_cast<BYTE>(out >> 8);
  }
}

void Row32(const BmpLayout& layout, const BYTE* stored, BYTE* host) {
  if (layout.defaultMasks) {
    for (LONG x = 0; x < layout.width; ++x, stored += 4, host += 3) {
      host[0] = stored[2];
      host[1] = stored[1];
      host[2] = stored[0];
    }
    return;
  }
  for (LONG x = 0; x < layout.width; ++x, stored += 4, host += 3) {
    DWORD v = U32(stored);
    host[0] = Scale(v, layout.red, 8);
    host[1] = Scale(v, layout.green, 8);
    host[2] = Scale(v, layout.blue, 8);
  }
}

}  // namespace

void BmpRowToHost(const BmpLayout& layout, const BYTE* stored, BYTE* host) {
  switch (layout.bits) {
    case 1:
      for (LONG i = 0; i < layout.hostRowBytes; ++i)
        host[i] = layout.invertBits ? static_cast<BYTE>(~stored[i]) : stored[i];
      break;
    case 4:
      for (LONG x = 0; x < layout.width; ++x)
        host[x] = (x & 1) ? (stored[x / 2] & 0x0F) : (stored[x / 2] >> 4);
      break;
    case 8:
      std::memcpy(host, stored, static_cast<size_t>(layout.width));
      break;
    case 16:
      Row16(layout, stored, host);
      break;
    case 24:
      for (LONG x = 0; x < layout.width; ++x, stored += 3, host += 3) {
        host[0] = stored[2];
        host[1] = stored[1];
        host[2] = stored[0];
      }
      break;
    default:
      Row32(layout, stored, host);
      break;
  }
}

}  // namespace tf
