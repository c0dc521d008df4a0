// Helpers shared by the controls.
#include "ctlcommon.h"

namespace lv::ctl {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

void NotifyParent(HWND hwnd, UINT code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  const int id = GetDlgCtrlID(hwnd);
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), static_cast<LPARAM>(hwnd));
}

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

HBRUSH ParentBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage, int defaultBackground) {
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(hdc, GetSysColor(defaultBackground));
  HWND parent = GetParent(hwnd);
  LRESULT brush = 0;
  if (parent) brush = SendMessageA(parent, ctlColorMessage, static_cast<WPARAM>(hdc), static_cast<LPARAM>(hwnd));
  if (brush) return static_cast<HBRUSH>(brush);
  return GetSysColorBrush(defaultBackground);
}

void DrawControlText(HDC hdc, const std::string& text, RECT rect, UINT format, bool enabled) {
  const int oldMode = SetBkMode(hdc, TRANSPARENT);
  if (enabled) {
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  } else {
    const COLORREF old = SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
    SetTextColor(hdc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(hdc, old);
  }
  SetBkMode(hdc, oldMode);
}

int LineHeight(HDC hdc) {
  TEXTMETRICA tm{};
  if (!GetTextMetricsA(hdc, &tm)) return 13;
  return tm.tmHeight;
}

int TextWidth(HDC hdc, const char* text, size_t count) {
  if (count == 0) return 0;
  SIZE size{};
  if (!GetTextExtentPoint32A(hdc, text, static_cast<int>(count), &size)) return 0;
  return size.cx;
}

HFONT SelectControlFont(HDC hdc, HFONT font) {
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  return static_cast<HFONT>(SelectObject(hdc, font));
}

}  // namespace lv::ctl
