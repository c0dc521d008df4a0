// Conversion between RGB and the colour dialog's hue, saturation and
// luminance (each on a scale of 240).
#include <algorithm>

#include "colordlg_internal.h"

namespace lv::dlg {
namespace {

constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

int HueToComponent(int n1, int n2, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  if (hue < kHlsMax / 6) return n1 + (((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6));
  if (hue < kHlsMax / 2) return n2;
  if (hue < kHlsMax * 2 / 3) return n1 + (((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6));
  return n1;
}

int ToByte(int component) {
  return std::clamp((component * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax);
}

}  // namespace

Hls RgbToHls(COLORREF rgb) {
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  const int cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
  Hls hls{};
  hls.lum = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
  if (cMax == cMin) {
    hls.sat = 0;
    hls.hue = kUndefinedHue;
    return hls;
  }
  const int spread = cMax - cMin;
  if (hls.lum <= kHlsMax / 2) hls.sat = (spread * kHlsMax + (cMax + cMin) / 2) / (cMax + cMin);
  else hls.sat = (spread * kHlsMax + (2 * kRgbMax - cMax - cMin) / 2) / (2 * kRgbMax - cMax - cMin);
  const int rDelta = ((cMax - r) * (kHlsMax / 6) + spread / 2) / spread;
  const int gDelta = ((cMax - g) * (kHlsMax / 6) + spread / 2) / spread;
  const int bDelta = ((cMax - b) * (kHlsMax / 6) + spread / 2) / spread;
  if (r == cMax) hls.hue = bDelta - gDelta;
  else if (g == cMax) hls.hue = kHlsMax / 3 + rDelta - bDelta;
  else hls.hue = kHlsMax * 2 / 3 + gDelta - rDelta;
  if (hls.hue < 0) hls.hue += kHlsMax;
  if (hls.hue >= kHlsMax) hls.hue -= kHlsMax;
  hls.sat = std::clamp(hls.sat, 0, kHlsMax);
  return hls;
}

COLORREF HlsToRgb(Hls hls) {
  const int hue = std::clamp(hls.hue, 0, kHlsMax - 1);
  const int sat = std::clamp(hls.sat, 0, kHlsMax);
  const int lum = std::clamp(hls.lum, 0, kHlsMax);
  if (sat == 0) {
    const int grey = ToByte(lum);
    return RGB(grey, grey, grey);
  }
  const int magic2 = lum <= kHlsMax / 2 ? (lum * (kHlsMax + sat) + kHlsMax / 2) / kHlsMax
                                        : lum + sat - ((lum * sat) + kHlsMax / 2) / kHlsMax;
  const int magic1 = 2 * lum - magic2;
  const int r = ToByte(HueToComponent(magic1, magic2, hue + kHlsMax / 3));
  const int g = ToByte(HueToComponent(magic1, magic2, hue));
  const int b = ToByte(HueToComponent(magic1, magic2, hue - kHlsMax / 3));
  return RGB(r, g, b);
}

}  // namespace lv::dlg
