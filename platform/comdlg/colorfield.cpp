// The colour dialog's mixer fields: the hue/saturation rainbow (hue grows to
// the right, saturation to the top) and the luminance bar (bright at the top).
#include <algorithm>

#include "colordlg_internal.h"
#include "ctlcommon.h"

namespace lv::dlg {
namespace {

struct FieldState {
  Hls hls{160, 0, 0};    // the colour the field marks
  bool tracking = false; // the left button is held in the field
  bool rainbow = false;  // the hue/saturation field rather than the luminance bar
};

ctl::StateTable<FieldState> g_fields;

RECT Inner(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  InflateRect(&rc, -2, -2);
  if (rc.right <= rc.left) rc.right = rc.left + 1;
  if (rc.bottom <= rc.top) rc.bottom = rc.top + 1;
  return rc;
}

// The colour of a pixel of the field at (x, y) inside its inner rectangle.
COLORREF FieldColor(bool rainbow, const Hls& current, int x, int y, int width, int height) {
  if (rainbow) {
    const int hue = x * (kHlsMax - 1) / std::max(1, width - 1);
    const int sat = kHlsMax - y * kHlsMax / std::max(1, height - 1);
    return HlsToRgb(Hls{hue, sat, kHlsMax / 2});
  }
  const int lum = kHlsMax - y * kHlsMax / std::max(1, height - 1);
  return HlsToRgb(Hls{current.hue, current.sat, lum});
}

void PaintPixels(HDC hdc, bool rainbow, const Hls& current, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> bits(static_cast<size_t>(stride) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    BYTE* row = bits.data() + static_cast<size_t>(y) * static_cast<size_t>(stride);
    for (int x = 0; x < width; ++x) {
      const COLORREF c = FieldColor(rainbow, current, rainbow ? x : 0, y, width, height);
      row[x * 3] = GetBValue(c);
      row[x * 3 + 1] = GetGValue(c);
      row[x * 3 + 2] = GetRValue(c);
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(hdc, area.left, area.top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                    static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
}

void PaintMarker(HDC hdc, bool rainbow, const Hls& current, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int y = area.top + (kHlsMax - (rainbow ? current.sat : current.lum)) * (height - 1) / kHlsMax;
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (rainbow) {
    const int x = area.left + current.hue * (width - 1) / (kHlsMax - 1);
    RECT horizontal{x - 5, y, x + 6, y + 1};
    RECT vertical{x, y - 5, x + 1, y + 6};
    FillRect(hdc, &horizontal, black);
    FillRect(hdc, &vertical, black);
  } else {
    RECT mark{area.left, y - 1, area.right, y + 2};
    InvertRect(hdc, &mark);
  }
}

void Paint(HWND hwnd, const FieldState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT);
  const RECT area = Inner(hwnd);
  const bool rainbow = s.rainbow;
  PaintPixels(hdc, rainbow, s.hls, area);
  PaintMarker(hdc, rainbow, s.hls, area);
  EndPaint(hwnd, &ps);
}

void PickAt(HWND hwnd, FieldState& s, LPARAM lParam) {
  const RECT area = Inner(hwnd);
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int x = std::clamp(static_cast<int>(static_cast<SHORT>(LOWORD(lParam))) - static_cast<int>(area.left), 0, width - 1);
  const int y = std::clamp(static_cast<int>(static_cast<SHORT>(HIWORD(lParam))) - static_cast<int>(area.top), 0, height - 1);
  const int level = kHlsMax - y * kHlsMax / std::max(1, height - 1);
  if (s.rainbow) {
    s.hls.hue = x * (kHlsMax - 1) / std::max(1, width - 1);
    s.hls.sat = level;
  } else {
    s.hls.lum = level;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  ctl::NotifyParent(hwnd, CFN_CHANGED);
}

LRESULT FieldProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool rainbow) {
  if (msg == WM_NCDESTROY) {
    g_fields.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<FieldState> s = g_fields.Get(hwnd);
  s->rainbow = rainbow;
  switch (msg) {
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
      s->tracking = true;
      SetCapture(hwnd);
      PickAt(hwnd, *s, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking) PickAt(hwnd, *s, lParam);
      return 0;
    case WM_LBUTTONUP:
      s->tracking = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: s->tracking = false; return 0;
    case CFM_SETHLS:
      s->hls = UnpackHls(lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case CFM_GETHLS: return PackHls(s->hls);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK RainbowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return FieldProc(hwnd, msg, wParam, lParam, true);
}

LRESULT CALLBACK LuminanceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return FieldProc(hwnd, msg, wParam, lParam, false);
}

void RegisterField(const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursorA(0, IDC_CROSS);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace

void RegisterFieldClasses() {
  RegisterField(LV_COLOR_RAINBOW_CLASS, RainbowProc);
  RegisterField(LV_COLOR_LUMINANCE_CLASS, LuminanceProc);
}

}  // namespace lv::dlg
