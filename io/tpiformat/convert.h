// Row conversions between the file's pixel forms and the host's, each a
// tight loop over one row.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tpi {

// Swaps bytes 0 and 2 of every 3-byte pixel (blue-green-red <-> red-green-blue).
void SwapRedBlue(BYTE* row, size_t pixels);
// The same from `in` into `out` (which must not overlap).
void SwapRedBlueCopy(BYTE* out, const BYTE* in, size_t pixels);
// 4-byte file pixels (ignored, red, green, blue) to 3-byte host pixels.
void DropFirstOfFour(BYTE* out, const BYTE* in, size_t pixels);
// Two 4-bit indices per byte, high nibble first, to one byte per pixel.
void ExpandNibbles(BYTE* out, const BYTE* in, size_t pixels);
// One index per byte to two per byte, high nibble first (low nibble 0 when
// `pixels` is odd).
void PackNibbles(BYTE* out, const BYTE* in, size_t pixels);
// 5-6-5 words to 5-5-5 by dropping the lowest green bit, in place.
void Words565To555(BYTE* row, size_t pixels);
// 5-5-5 (or 5-6-5 when `is565`) words to the host's 6-bit-green words, in place.
void WordsToGreenWords(BYTE* row, size_t pixels, bool is565);

}  // namespace tpi
