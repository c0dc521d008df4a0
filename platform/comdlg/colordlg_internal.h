// Internal to the colour dialog: its template, colour conversion and the
// private window classes that show and pick colours.
#pragma once

#include <commdlg.h>

#include <vector>

namespace lv::dlg {

// Hue, saturation and luminance on the dialog's scale: hue 0..239,
// saturation and luminance 0..240.
struct Hls {
  int hue;
  int sat;
  int lum;
};
constexpr int kHlsMax = 240;
Hls RgbToHls(COLORREF rgb);
COLORREF HlsToRgb(Hls hls);

// The dialog template of the colour dialog, as DLGTEMPLATE bytes
// (DWORD-aligned; pass data() to DialogBoxIndirectParamA).
std::vector<DWORD> BuildColorTemplate();
// Width of the dialog in dialog units without and with the colour mixer.
constexpr int kSmallWidth = 150;
constexpr int kFullWidth = 298;

// The 48 basic colours, row by row (8 columns, 6 rows).
extern const COLORREF kBasicColors[48];

// ---- Private classes ---------------------------------------------------------
// A grid of colour swatches (8 columns). A click or an arrow key selects a
// swatch and sends WM_COMMAND(MAKEWPARAM(id, CSN_SELECT), hwnd) to the parent.
#define LV_COLOR_SWATCHES_CLASS "LvColorSwatches"
#define CSM_SETCOLORS (WM_USER + 1)  // wParam count, lParam const COLORREF*
#define CSM_GETCOLOR (WM_USER + 2)   // wParam index; returns the colour
#define CSM_SETCOLOR (WM_USER + 3)   // wParam index, lParam colour
#define CSM_SETSEL (WM_USER + 4)     // wParam index (-1 none)
#define CSM_GETSEL (WM_USER + 5)     // returns the index or -1
#define CSN_SELECT 1

// The hue/saturation field (LV_COLOR_RAINBOW_CLASS) and the luminance bar
// (LV_COLOR_LUMINANCE_CLASS). A click sets the value under the mouse and
// sends WM_COMMAND(MAKEWPARAM(id, CFN_CHANGED), hwnd) to the parent.
#define LV_COLOR_RAINBOW_CLASS "LvColorRainbow"
#define LV_COLOR_LUMINANCE_CLASS "LvColorLuminance"
#define CFM_SETHLS (WM_USER + 1)  // lParam hue | sat << 8 | lum << 16
#define CFM_GETHLS (WM_USER + 2)  // returns hue | sat << 8 | lum << 16
#define CFN_CHANGED 1

inline LPARAM PackHls(Hls h) { return h.hue | (h.sat << 8) | (h.lum << 16); }
inline Hls UnpackHls(LRESULT v) {
  return Hls{static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF)};
}

}  // namespace lv::dlg
