// Reading and checking the header of a packed bitmap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common.h"

namespace imgconvert {

// Size to pass when the memory's extent is not known (the caller vouches
// for it); the header's own sizes are still checked against the limits.
constexpr size_t kUnknownSize = SIZE_MAX;

// Largest width and height taken from a header (imgcore's limit).
constexpr LONG kMaxSide = 1048576;

// One colour channel described by a bit-field mask.
struct Channel {
  DWORD mask = 0;
  int shift = 0;    // position of the mask's lowest bit
  DWORD max = 0;    // mask >> shift: the channel's largest value
};

// Everything the decoder needs, checked against the memory's extent.
struct DibLayout {
  LONG width = 0;
  LONG height = 0;     // positive for either row order
  bool topDown = false;
  int bitCount = 0;    // 1, 4, 8, 16, 24 or 32
  DWORD compression = BI_RGB;
  Palette palette;     // the colour table of depths 1, 4 and 8
  Channel red, green, blue;  // 16 and 32 bits
  const BYTE* bits = nullptr;
  size_t bitsSize = 0;       // bytes of pixel data that may be read
  size_t stride = 0;         // bytes per row of uncompressed data
  LONG xPelsPerMeter = 0;
  LONG yPelsPerMeter = 0;
};

// Parses the packed bitmap at data (size bytes, or kUnknownSize). Every
// field is checked before it is used: header size, width and height, depth
// and compression, bit-field masks, and that colour table and bits lie
// within the memory.
Status ParseDib(const BYTE* data, size_t size, DibLayout* layout);

// The data type that fits a parsed bitmap (see cvt32DIBPtrToBuf).
LONG DataTypeOf(const DibLayout& layout);

}  // namespace imgconvert
