// The normal map of a height field: per pixel the two 3 x 3 gradients of
// the height, from which the surface lighting derives the surface normal.
#pragma once

#include <windows.h>

#include <imgcore.h>

#include <cstdint>
#include <vector>

namespace texfx {

// One pixel's gradients: gx with the kernel rows (-7, 0, 7), (-10, 0, 10),
// (-7, 0, 7), gy with the rows (-7, -10, -7), (0, 0, 0), (7, 10, 7), rows
// top to bottom, columns left to right, centred on the pixel, kept in 16
// bits (heights of 0..255 give at most 6120 in magnitude).
struct Gradient {
  int16_t gx;
  int16_t gy;
};

// The gradients of a whole height field, row after row.
struct NormalMap {
  LONG width = 0;
  LONG height = 0;
  std::vector<Gradient> gradients;

  const Gradient& at(LONG x, LONG y) const {
    return gradients[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

// Builds the normal map of the height field `heights` (an 8-bit buffer, or
// a 24-bit one whose height is (R + G + B) / 3 per pixel). Neighbours
// beyond the image repeat the edge pixel, so the border is as flat as the
// pixels along it. Returns 0 or 1001 (memory, a lock, another format);
// *map is the caller's.
LONG BuildNormalMap(HBUF heights, NormalMap* map);

}  // namespace texfx
