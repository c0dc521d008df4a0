// Conversion between RGB and hue, saturation, luminance on the 240 scale.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../colordlg_internal.h"

namespace {

using lv::dlg::Hls;

TEST(Hls, KnownColours) {
  const struct {
    COLORREF rgb;
    Hls hls;
  } cases[] = {
      {RGB(255, 0, 0), {0, 240, 120}},     {RGB(0, 255, 0), {80, 240, 120}},   {RGB(0, 0, 255), {160, 240, 120}},
      {RGB(255, 255, 0), {40, 240, 120}},  {RGB(255, 255, 255), {160, 0, 240}}, {RGB(0, 0, 0), {160, 0, 0}},
      {RGB(128, 128, 128), {160, 0, 120}}, {RGB(128, 0, 0), {0, 240, 60}},
  };
  for (const auto& c : cases) {
    const Hls h = lv::dlg::RgbToHls(c.rgb);
    EXPECT_EQ(h.hue, c.hls.hue) << std::hex << c.rgb;
    EXPECT_EQ(h.sat, c.hls.sat) << std::hex << c.rgb;
    EXPECT_EQ(h.lum, c.hls.lum) << std::hex << c.rgb;
    EXPECT_EQ(lv::dlg::HlsToRgb(c.hls), c.rgb) << std::hex << c.rgb;
  }
}

TEST(Hls, BasicColoursSurviveTheRoundTrip) {
  for (COLORREF rgb : lv::dlg::kBasicColors) {
    const COLORREF back = lv::dlg::HlsToRgb(lv::dlg::RgbToHls(rgb));
    EXPECT_LE(std::abs(GetRValue(back) - GetRValue(rgb)), 3) << std::hex << rgb << " -> " << back;
    EXPECT_LE(std::abs(GetGValue(back) - GetGValue(rgb)), 3) << std::hex << rgb << " -> " << back;
    EXPECT_LE(std::abs(GetBValue(back) - GetBValue(rgb)), 3) << std::hex << rgb << " -> " << back;
  }
}

TEST(Hls, OutOfRangeInputIsClamped) {
  EXPECT_EQ(lv::dlg::HlsToRgb(Hls{-5, 500, 999}), RGB(255, 255, 255));
  EXPECT_EQ(lv::dlg::HlsToRgb(Hls{300, 240, -1}), RGB(0, 0, 0));
}

}  // namespace
