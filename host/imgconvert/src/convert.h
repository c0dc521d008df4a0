// Conversion of a buffer from one data type to another.
#pragma once

#include "common.h"

namespace imgconvert {

// A converted image: a new buffer (owned by the caller) and, for indexed
// and black-and-white targets, its colours.
struct ConvertedImage {
  HBUF buffer = 0;
  Palette palette;
};

// Checks an options record against the target type (size, kinds, palette
// size, threshold).
Status CheckOptions(LONG targetType, const CVT32OPTIONS& options);
// The defaults of the conversion to targetType; false for an unknown type.
bool DefaultOptions(LONG targetType, CVT32OPTIONS* options);

// Converts source (whose 8-bit pixels are indexes into *sourcePalette when
// it is given, else grey) to targetType with checked options. The source
// stays unchanged.
Status ConvertBuffer(HBUF source, const Palette* sourcePalette, LONG targetType,
                     const CVT32OPTIONS& options, ConvertedImage* out);

}  // namespace imgconvert
