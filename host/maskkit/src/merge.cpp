// MergeImage and ApplyPalette: colour work steered by a mask.
#include "locked.h"

using maskkit::Locked;

namespace {

// old + (src - old) x weight / 255, rounded to nearest.
inline BYTE Towards(int old, int src, int weight) {
  int diff = (src - old) * weight;
  int step = diff >= 0 ? (diff + 127) / 255 : -((-diff + 127) / 255);
  return static_cast<BYTE>(old + step);
}

inline BYTE GreyOfRgb(const BYTE* rgb) {
  return static_cast<BYTE>((299u * rgb[0] + 587u * rgb[1] + 114u * rgb[2] + 500u) / 1000u);
}

// The 256 palette entries in the target's pixel encoding.
void EncodePalette(const BYTE* palette, LONG bits, BYTE encoded[256 * 3]) {
  for (int i = 0; i < 256; ++i) {
    const BYTE* rgb = palette + 3 * i;
    if (bits == 8) {
      encoded[i] = GreyOfRgb(rgb);
    } else if (bits == 16) {
      unsigned word = ((rgb[0] >> 3) << 10) | ((rgb[1] >> 3) << 5) | (rgb[2] >> 3);
      encoded[2 * i] = static_cast<BYTE>(word & 0xFF);
      encoded[2 * i + 1] = static_cast<BYTE>(word >> 8);
    } else {
      for (int c = 0; c < 3; ++c) encoded[3 * i + c] = rgb[c];
    }
  }
}

}  // namespace

LVEXPORT LONG MergeImage(HBUF source, HBUF target, HBUF mask) {
  Locked s(source), t(target), m(mask);
  if (!m.Is(8) || !s.ok() || !t.ok() || s.bits() != t.bits()) return MASK_ERR_ARGUMENT;
  if (s.bits() != 8 && s.bits() != 24) return MASK_ERR_ARGUMENT;
  if (!s.SameSize(t) || !s.SameSize(m)) return MASK_ERR_SIZE;
  size_t channels = s.bits() / 8;
  const BYTE* src = s.pixels();
  const BYTE* weight = m.pixels();
  BYTE* out = t.pixels();
  for (size_t i = 0, n = m.count(); i < n; ++i) {
    for (size_t c = 0; c < channels; ++c) {
      size_t k = i * channels + c;
      out[k] = Towards(out[k], src[k], weight[i]);
    }
  }
  return MASK_OK;
}

LVEXPORT LONG ApplyPalette(HBUF target, const BYTE* palette, HBUF index) {
  if (!palette) return MASK_ERR_ARGUMENT;
  Locked t(target), x(index);
  if (!x.Is(8) || !(t.Is(8) || t.Is(16) || t.Is(24))) return MASK_ERR_ARGUMENT;
  if (!t.SameSize(x)) return MASK_ERR_SIZE;
  BYTE encoded[256 * 3];
  EncodePalette(palette, t.bits(), encoded);
  size_t bpp = static_cast<size_t>(t.bits() / 8);
  const BYTE* idx = x.pixels();
  BYTE* out = t.pixels();
  for (size_t i = 0, n = x.count(); i < n; ++i) {
    const BYTE* entry = encoded + bpp * idx[i];
    for (size_t c = 0; c < bpp; ++c) out[i * bpp + c] = entry[c];
  }
  return MASK_OK;
}
