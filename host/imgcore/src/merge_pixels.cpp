// i32Merge: blending runs of pixels through an 8-bit mask.
#include <cstring>

#include "buffer.h"

namespace {

// num / den rounded to the nearest integer, halves away from zero.
inline int RoundDiv(int num, int den) {
  return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

// Hard-light blend of one channel: 128 is neutral, darker src darkens back
// proportionally, lighter src moves back towards white.
inline int HardLight(int src, int back) {
  if (src <= 128) return (back * src + 64) / 128;
  return 255 - ((255 - back) * (255 - src) + 63) / 127;
}

// The blended channel, before the mask weights it.
inline int Blend(int src, int back, LONG mode, LONG value) {
  if (mode == MERGE_HARDLIGHT) return HardLight(src, back);
  return back + RoundDiv((src - back) * value, 100);
}

// One channel through blend and mask.
inline BYTE MergeChannel(int src, int back, int mask, LONG mode, LONG value) {
  int blended = Blend(src, back, mode, value);
  return static_cast<BYTE>(back + RoundDiv((blended - back) * mask, 255));
}

// Pixels of whole bytes (1, 3 or 4 channels of 8 bits).
void MergeBytes(BYTE* out, const BYTE* src, const BYTE* mask, const BYTE* back, size_t channels,
                size_t count, LONG mode, LONG value) {
  for (size_t i = 0; i < count; ++i) {
    int m = mask[i];
    for (size_t c = 0; c < channels; ++c) {
      size_t k = i * channels + c;
      out[k] = MergeChannel(src[k], back[k], m, mode, value);
    }
  }
}

// 5 bits widened to 8 and back.
inline int Widen5(unsigned v) { return static_cast<int>((v << 3) | (v >> 2)); }

// Hi-colour pixels (5-5-5, little-endian words), per 5-bit channel.
void MergeHiColour(BYTE* out, const BYTE* src, const BYTE* mask, const BYTE* back, size_t count,
                   LONG mode, LONG value) {
  for (size_t i = 0; i < count; ++i) {
    unsigned s = src[2 * i] | (src[2 * i + 1] << 8);
    unsigned b = back[2 * i] | (back[2 * i + 1] << 8);
    unsigned word = 0;
    for (int shift = 0; shift <= 10; shift += 5) {
      int merged =
          MergeChannel(Widen5((s >> shift) & 31), Widen5((b >> shift) & 31), mask[i], mode, value);
      word |= static_cast<unsigned>(merged >> 3) << shift;
    }
    out[2 * i] = static_cast<BYTE>(word & 0xFF);
    out[2 * i + 1] = static_cast<BYTE>(word >> 8);
  }
}

}  // namespace

LVEXPORT BOOL i32Merge(void* out, const void* src, const BYTE* mask, const void* back,
                       LONG bytesPerPixel, LONG count, LONG mode, LONG value) {
  if (count < 0) return FALSE;
  if (mode != MERGE_NORMAL && mode != MERGE_HARDLIGHT) return FALSE;
  if (mode == MERGE_NORMAL && (value < 0 || value > 100)) return FALSE;
  if (bytesPerPixel < 1 || bytesPerPixel > 4) return FALSE;
  if (count == 0) return TRUE;
  if (!out || !src || !mask || !back) return FALSE;
  auto* o = static_cast<BYTE*>(out);
  auto* s = static_cast<const BYTE*>(src);
  auto* b = static_cast<const BYTE*>(back);
  size_t n = static_cast<size_t>(count);
  if (bytesPerPixel == 2) {
    MergeHiColour(o, s, mask, b, n, mode, value);
  } else {
    MergeBytes(o, s, mask, b, static_cast<size_t>(bytesPerPixel), n, mode, value);
  }
  return TRUE;
}
