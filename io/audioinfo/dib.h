// Checks of packed device-independent bitmaps taken from files.
#pragma once

#include <windows.h>

#include <cstddef>

namespace audioinfo {

// Size of a checked packed bitmap.
struct DibSize {
  LONG width = 0;
  LONG height = 0;  // rows, whatever the row order
};

// True when the bytes hold a whole packed bitmap (an information header of
// 40 bytes or more, 1 plane, 1, 4, 8, 16, 24 or 32 bits, uncompressed, bit
// fields or run-length coded, a colour table and pixels that all lie inside
// the bytes, sides of 1..65535 pixels); *size gets its width and height.
bool CheckPackedDib(const BYTE* data, size_t size, DibSize* dibSize);

}  // namespace audioinfo
