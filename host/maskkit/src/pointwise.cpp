// Operations on single masks: invert, map through a table, threshold, and
// filling a target where a mask is set.
#include "locked.h"

using maskkit::Locked;

LVEXPORT LONG MaskInvert(HBUF mask) {
  Locked m(mask);
  if (!m.Is(8)) return MASK_ERR_ARGUMENT;
  BYTE* p = m.pixels();
  for (size_t i = 0, n = m.count(); i < n; ++i) p[i] = static_cast<BYTE>(255 - p[i]);
  return MASK_OK;
}

LVEXPORT LONG MaskMap(HBUF mask, const BYTE* table) {
  if (!table) return MASK_ERR_ARGUMENT;
  Locked m(mask);
  if (!m.Is(8)) return MASK_ERR_ARGUMENT;
  BYTE* p = m.pixels();
  for (size_t i = 0, n = m.count(); i < n; ++i) p[i] = table[p[i]];
  return MASK_OK;
}

LVEXPORT LONG MaskThresh(HBUF mask, LONG threshold) {
  if (threshold < 0 || threshold > 256) return MASK_ERR_ARGUMENT;
  Locked m(mask);
  if (!m.Is(8)) return MASK_ERR_ARGUMENT;
  BYTE* p = m.pixels();
  for (size_t i = 0, n = m.count(); i < n; ++i) p[i] = p[i] >= threshold ? 255 : 0;
  return MASK_OK;
}

LVEXPORT LONG MaskFill(HBUF mask, HBUF target, LONG value) {
  if (value < 0 || value > 255) return MASK_ERR_ARGUMENT;
  Locked m(mask), t(target);
  if (!m.Is(8) || !(t.Is(8) || t.Is(24))) return MASK_ERR_ARGUMENT;
  if (!m.SameSize(t)) return MASK_ERR_SIZE;
  size_t channels = t.bits() / 8;
  const BYTE* weight = m.pixels();
  BYTE* out = t.pixels();
  for (size_t i = 0, n = m.count(); i < n; ++i) {
    int w = weight[i];
    for (size_t c = 0; c < channels; ++c) {
      int old = out[i * channels + c];
      int diff = (value - old) * w;
      int step = diff >= 0 ? (diff + 127) / 255 : -((-diff + 127) / 255);
      out[i * channels + c] = static_cast<BYTE>(old + step);
    }
  }
  return MASK_OK;
}
