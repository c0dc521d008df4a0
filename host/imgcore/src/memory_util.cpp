// Memory utilities: pattern fills and colour-space conversion of pixel runs.
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

namespace {

// Grey values into pixels of `bitsPerPixel` (8, 16 or 24).
void GreyToPixels(BYTE* out, const BYTE* grey, size_t count, LONG bitsPerPixel) {
  if (bitsPerPixel == 8) {
    std::memmove(out, grey, count);
  } else if (bitsPerPixel == 16) {
    for (size_t i = 0; i < count; ++i) {
      unsigned v = grey[i] >> 3;
      unsigned word = (v << 10) | (v << 5) | v;
      out[2 * i] = static_cast<BYTE>(word & 0xFF);
      out[2 * i + 1] = static_cast<BYTE>(word >> 8);
    }
  } else {
    for (size_t i = 0; i < count; ++i) {
      out[3 * i] = out[3 * i + 1] = out[3 * i + 2] = grey[i];
    }
  }
}

// The pixel format that direction 1 writes at `out`, or 0 when the run of
// `count` pixels would leave the buffer holding `out`.
LONG TargetFormat(const BYTE* out, size_t count) {
  ImageBuffer* target = FindBufferHolding(out);
  if (!target) return 24;
  LONG bits = target->bitsPerPixel;
  if (bits != 8 && bits != 16 && bits != 24) return 0;
  size_t offset = static_cast<size_t>(out - target->pixels.get());
  size_t bytes = count * static_cast<size_t>(BytesPerPixel(bits));
  return bytes <= target->dataSize - offset ? bits : 0;
}

}  // namespace

LVEXPORT BOOL i32ColorspaceConvert(BYTE* out, const void* in, LONG count, LONG direction) {
  if (count < 0 || (count > 0 && (!out || !in))) return FALSE;
  size_t n = static_cast<size_t>(count);
  if (direction == 0) {
    const COLORREF* colours = static_cast<const COLORREF*>(in);
    for (size_t i = 0; i < n; ++i) out[i] = GreyOf(colours[i]);
    return TRUE;
  }
  if (direction == 1) {
    if (n == 0) return TRUE;
    LONG bits = TargetFormat(out, n);
    if (bits == 0) return FALSE;
    GreyToPixels(out, static_cast<const BYTE*>(in), n, bits);
    return TRUE;
  }
  return FALSE;
}

LVEXPORT LONG buf32LiveCount(void) { return static_cast<LONG>(LiveBufferCount()); }
