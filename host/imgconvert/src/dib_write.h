// Writing a buffer as a packed bitmap.
#pragma once

#include "common.h"

namespace imgconvert {

// Resolution written when the caller has none (72 pixels per inch).
constexpr LONG kDefaultPelsPerMeter = 2835;

// A packed bitmap of the buffer (data type dataType, colours `palette` for
// types 4, 8 and 64) in a new global block *dib owned by the caller:
// BITMAPINFOHEADER, colour table, bottom-up BI_RGB bits.
Status EncodeDib(HBUF buffer, LONG dataType, const Palette& palette, LONG xPelsPerMeter,
                 LONG yPelsPerMeter, HGLOBAL* dib);

}  // namespace imgconvert
