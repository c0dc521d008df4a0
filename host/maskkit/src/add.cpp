// MaskAddEx: adding a tile into a mask at a place, clipped to the mask.
#include <algorithm>

#include "locked.h"

using maskkit::Locked;

namespace {

// The overlap of [at, at + length) with [0, limit) as a start in the tile
// and a length; length 0 when they miss. 64-bit, so no place overflows.
void Overlap(LONG at, LONG length, LONG limit, LONG* skip, LONG* span) {
  long long from = std::max<long long>(at, 0);
  long long to = std::min<long long>(static_cast<long long>(at) + length, limit);
  *skip = static_cast<LONG>(from - at);
  *span = to > from ? static_cast<LONG>(to - from) : 0;
}

void AddRow(BYTE* target, const BYTE* tile, LONG n, LONG mode) {
  if (mode == MASKADD_SUM) {
    for (LONG i = 0; i < n; ++i) target[i] = static_cast<BYTE>(std::min(target[i] + tile[i], 255));
  } else {
    for (LONG i = 0; i < n; ++i) target[i] = std::max(target[i], tile[i]);
  }
}

}  // namespace

LVEXPORT LONG MaskAddEx(HBUF tile, HBUF target, LONG x, LONG y, LONG mode) {
  if (mode != MASKADD_SUM && mode != MASKADD_MAX) return MASK_ERR_ARGUMENT;
  if (tile == target && tile != 0) {
    // A mask added into itself: the rows would be read after they were
    // written, so the tile is a copy.
    HBUF copy = 0;
    if (!buf32DupBuf(tile, &copy)) {
      return buf32GetInfo(tile, nullptr) ? MASK_ERR_MEMORY : MASK_ERR_ARGUMENT;
    }
    LONG result = MaskAddEx(copy, target, x, y, mode);
    buf32Free(copy);
    return result;
  }
  Locked t(tile), m(target);
  if (!t.Is(8) || !m.Is(8)) return MASK_ERR_ARGUMENT;
  LONG skipX, spanX, skipY, spanY;
  Overlap(x, t.width(), m.width(), &skipX, &spanX);
  Overlap(y, t.height(), m.height(), &skipY, &spanY);
  for (LONG row = 0; row < spanY && spanX > 0; ++row) {
    const BYTE* from = t.Row(skipY + row) + skipX;
    BYTE* into = m.Row(y + skipY + row) + (x + skipX);
    AddRow(into, from, spanX, mode);
  }
  return MASK_OK;
}
