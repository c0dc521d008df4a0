// Tile size, scaled tile and tile offsets.
#include "tiles.h"

#include <algorithm>
#include <cmath>

namespace texfx {

SIZE TileSize(LONG shapeWidth, LONG shapeHeight, LONG width, LONG height, LONG sizePercent) {
  const LONGLONG sw = shapeWidth, sh = shapeHeight;
  const LONGLONG s = sizePercent < 1 ? 1 : sizePercent > 100 ? 100 : sizePercent;
  LONGLONG tw = std::max<LONGLONG>(s * std::min<LONGLONG>(sw, width) / 100, 4);
  LONGLONG th = std::max<LONGLONG>(s * std::min<LONGLONG>(sh, height) / 100, 4);
  const double r = static_cast<double>(tw) / static_cast<double>(sw);
  if (static_cast<double>(th) > static_cast<double>(sh) * r) {
    tw = std::min(th * sw / sh, sw);
  } else {
    th = std::min(static_cast<LONGLONG>(std::floor(static_cast<double>(sh) * r)), sh);
  }
  // A shape far narrower than high (or the reverse) must still tile.
  return SIZE{static_cast<LONG>(std::max<LONGLONG>(tw, 1)),
              static_cast<LONG>(std::max<LONGLONG>(th, 1))};
}

LONG MakeTile(HBUF shape, SIZE tile, OwnedBuf* out) {
  LONG width = 0, height = 0;
  if (!buf32GetWHU(shape, &width, &height, nullptr)) return kErrNoInformation;
  if (width == tile.cx && height == tile.cy) return Duplicate(shape, out);
  return t32BufferResample(out->out(), shape, &tile, 0) ? 0 : kErrMemory;
}

LONG TileJitter(LONG r, LONG side, LONG variation) {
  const LONGLONG product =
      (static_cast<LONGLONG>(r) - 16383) * (static_cast<LONGLONG>(side) - 1) * variation;
  return static_cast<LONG>(product / 1638350);
}

}  // namespace texfx
