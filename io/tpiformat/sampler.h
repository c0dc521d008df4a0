// Nearest-neighbour sampling of a whole TPI image to another size.
#pragma once

#include <windows.h>

#include <cstddef>

#include "layout.h"

namespace tpi {

// Bits per pixel of a scaled row: 8 for 16-colour files, 24 for 32-bit
// true-colour files, the host bits per pixel otherwise.
int SampleBits(const Layout& layout);

// Converts one file row of `layout` into host form, in place where the
// form allows; `second` (a row of host form) takes the others. Returns the
// converted row: `fileRow` itself or `second`.
BYTE* ToHostRow(const Layout& layout, BYTE* fileRow, BYTE* second);

// Resamples the image to width x height (both > 0) into `out`, rows of
// `outRow` bytes, top row first. Reports (814, ...) and returns false when
// memory or a read fails.
bool SampleImage(HFILE file, const Layout& layout, LONG width, LONG height, BYTE* out,
                 size_t outRow);

}  // namespace tpi
