// The test image of the grid tests, for the module tests and the drawing
// tests alike.
#pragma once

#include <imgcore.h>

#include <vector>

namespace gridtest {

// A width x height RGB buffer whose pixel (x, y) is (x, y, 7), so untouched
// pixels show where they came from; 0 when it cannot be made. The caller
// frees it.
inline HBUF PatternImage(LONG width, LONG height) {
  HBUF buffer = 0;
  if (!buf32Alloc(&buffer, 24, width, height, BUF_KIND_PLAIN, nullptr)) return 0;
  std::vector<BYTE> row(static_cast<size_t>(width) * 3);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      row[x * 3] = static_cast<BYTE>(x);
      row[x * 3 + 1] = static_cast<BYTE>(y);
      row[x * 3 + 2] = 7;
    }
    buf32Line(buffer, y, 2, row.data());
  }
  return buffer;
}

}  // namespace gridtest
