// The normal map: the heights row by row with a repeated edge pixel at
// both ends, three rows at a time through the two 3 x 3 kernels.
#include "normalmap.h"

#include <new>

#include "frame.h"

namespace texfx {

namespace {

// Row y of the locked heights as values, with the edge pixels repeated one
// place beyond each end (row[0] and row[width + 1]).
void ReadHeightRow(const BYTE* pixels, const BUFINFO& info, LONG y, int* row) {
  const BYTE* in = pixels + static_cast<size_t>(y) * static_cast<size_t>(info.rowBytes);
  if (info.bytesPerPixel == 3) {
    for (LONG x = 0; x < info.width; ++x, in += 3) row[x + 1] = (in[0] + in[1] + in[2]) / 3;
  } else {
    for (LONG x = 0; x < info.width; ++x) row[x + 1] = in[x];
  }
  row[0] = row[1];
  row[info.width + 1] = row[info.width];
}

void GradientRow(const int* up, const int* mid, const int* down, LONG width, Gradient* out) {
  for (LONG x = 1; x <= width; ++x) {
    const int gx = 7 * (up[x + 1] - up[x - 1]) + 10 * (mid[x + 1] - mid[x - 1]) +
                   7 * (down[x + 1] - down[x - 1]);
    const int gy = 7 * (down[x - 1] - up[x - 1]) + 10 * (down[x] - up[x]) +
                   7 * (down[x + 1] - up[x + 1]);
    out[x - 1] = Gradient{static_cast<int16_t>(gx), static_cast<int16_t>(gy)};
  }
}

}  // namespace

LONG BuildNormalMap(HBUF heights, NormalMap* map) {
  BUFINFO info;
  if (ReadInfo(heights, &info) || (info.pixelFormat != 8 && info.pixelFormat != 24))
    return kErrMemory;
  std::vector<int> rows;
  try {
    map->gradients.assign(static_cast<size_t>(info.width) * static_cast<size_t>(info.height),
                          Gradient{0, 0});
    rows.assign(3 * (static_cast<size_t>(info.width) + 2), 0);
  } catch (const std::bad_alloc&) {
    return kErrMemory;
  }
  map->width = info.width;
  map->height = info.height;
  void* pixels = nullptr;
  if (!buf32Lock(heights, 1, &pixels)) return kErrMemory;
  const BYTE* bytes = static_cast<const BYTE*>(pixels);
  const size_t stride = static_cast<size_t>(info.width) + 2;
  int* ring[3] = {rows.data(), rows.data() + stride, rows.data() + 2 * stride};
  ReadHeightRow(bytes, info, 0, ring[1]);
  ReadHeightRow(bytes, info, 0, ring[0]);
  for (LONG y = 0; y < info.height; ++y) {
    ReadHeightRow(bytes, info, y + 1 < info.height ? y + 1 : y, ring[2]);
    GradientRow(ring[0], ring[1], ring[2], info.width,
                map->gradients.data() + static_cast<size_t>(y) * static_cast<size_t>(info.width));
    int* oldest = ring[0];
    ring[0] = ring[1];
    ring[1] = ring[2];
    ring[2] = oldest;
  }
  buf32Unlock(heights);
  return 0;
}

}  // namespace texfx
