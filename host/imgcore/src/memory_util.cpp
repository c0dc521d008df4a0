// Memory utilities: pattern fills and colour-to-grey conversion.
#include <algorithm>
#include <cstring>

#include "buffer.h"

using namespace imgcore;

LVEXPORT void mem32Fill(void* memory, const void* pattern, LONG patternSize, LONG count) {
  if (!memory || !pattern || patternSize <= 0 || count <= 0) return;
  BYTE* out = static_cast<BYTE*>(memory);
  size_t unit = static_cast<size_t>(patternSize);
  size_t total = unit * static_cast<size_t>(count);
  // memmove for the first copy: the pattern may be the start of memory.
  std::memmove(out, pattern, unit);
  // Doubling: each copy takes what is already written, so the work is a
  // handful of large memcpy calls instead of one per repetition.
  size_t done = unit;
  while (done < total) {
    size_t chunk = std::min(done, total - done);
    std::memcpy(out + done, out, chunk);
    done += chunk;
  }
}

LVEXPORT BOOL i32ColorspaceConvert(BYTE* out, const COLORREF* in, LONG count, LONG direction) {
  if (direction != 0 || count < 0 || (count > 0 && (!out || !in))) return FALSE;
  for (LONG i = 0; i < count; ++i) out[i] = GreyOf(in[i]);
  return TRUE;
}
