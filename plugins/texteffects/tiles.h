// Tiling a shape or texture over a mask: the tile size, the scaled tile and
// the module's seeded random sequence.
#pragma once

#include <windows.h>

#include <imgcore.h>

#include "frame.h"

namespace texfx {

// Tile size from the shape's size (sw x sh), the object's size (W x H) and
// the size parameter in percent: tw = max(S min(sw, W) / 100, 4), th
// likewise; then the shape's proportions are restored within its own size
// (the smaller side follows the larger). Never below 1 x 1.
SIZE TileSize(LONG shapeWidth, LONG shapeHeight, LONG width, LONG height, LONG sizePercent);

// The shape at the tile size: a duplicate when the sizes agree, else a
// resampled copy. 0 or 1001.
LONG MakeTile(HBUF shape, SIZE tile, OwnedBuf* out);

// The linear congruential sequence state = state x 214013 + 2531011
// (mod 2^32), each draw bits 16..30 of the new state (0..32767).
class Random {
 public:
  explicit Random(DWORD seed) : state_(seed) {}
  LONG Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<LONG>((state_ >> 16) & 0x7FFF);
  }

 private:
  DWORD state_;
};

// Offset of a tile for a draw r (0..32767), the tile side t and the
// variation v in percent: (r - 16383) (t - 1) v / 1638350, truncated,
// computed in 64 bits so wide tiles do not overflow.
LONG TileJitter(LONG r, LONG side, LONG variation);

}  // namespace texfx
