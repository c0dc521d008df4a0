// Turning a parsed packed bitmap into an imgcore buffer.
#pragma once

#include "dib_parse.h"

namespace imgconvert {

// A decoded bitmap: a new buffer (owned by the caller), its data type and,
// for types 4, 8 and 64, its colours.
struct DecodedImage {
  HBUF buffer = 0;
  LONG dataType = 0;
  Palette palette;
};

// Decodes the bits of a checked layout into a new buffer of the format
// that fits its data type. A 1-bit bitmap is stored with set bits for the
// brighter of its two colours, its palette ordered darker, brighter.
Status DecodeDib(const DibLayout& layout, DecodedImage* image);

// Run-length decoding of BI_RLE8 / BI_RLE4 bits into a locked 8-bit buffer
// of the layout's size (one index a byte, rows top first). Pixels the data
// does not reach stay 0; runs past the right edge or the top are clipped.
// Fails when an absolute run or a delta reaches past the coded data.
Status DecodeRle(const DibLayout& layout, const BufferLock& target);

}  // namespace imgconvert
