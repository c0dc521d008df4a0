// Putting an emboss shading onto an image: the grey shading made into an
// image of the working image's format, then blended over the working image.
#pragma once

#include <windows.h>

#include <imgcore.h>

#include "frame.h"

namespace texfx {

// A new image of `like`'s format and size (every byte 255 first when
// `white`) holding the 8-bit `shading` (same size) converted to colour.
// 0, 1001 or 5804.
LONG ShadingImage(HBUF shading, HBUF like, bool white, OwnedBuf* out);

// result = i32Merge(result over `back` through the 8-bit `mask`, mode,
// value): all three of one size, result and back of one format. 0 or 1001.
LONG BlendOver(HBUF result, HBUF mask, HBUF back, LONG mode, LONG value);

}  // namespace texfx
