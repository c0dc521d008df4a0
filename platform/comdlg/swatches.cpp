// The colour dialog's swatch grid: basic colours, custom colours and the
// current-colour sample are grids of eight columns of clickable swatches.
#include <algorithm>

#include "colordlg_internal.h"
#include "ctlcommon.h"

namespace lv::dlg {
namespace {

constexpr int kColumns = 8;

struct SwatchState {
  std::vector<COLORREF> colors;  // the swatches, row by row
  int selected = -1;             // index of the selected swatch, or -1
  bool focused = false;          // has the keyboard focus
};

ctl::StateTable<SwatchState> g_swatches;

int Columns(const SwatchState& s) { return std::max(1, std::min(kColumns, static_cast<int>(s.colors.size()))); }
int Rows(const SwatchState& s) {
  const int columns = Columns(s);
  return std::max(1, (static_cast<int>(s.colors.size()) + columns - 1) / columns);
}

RECT CellRect(HWND hwnd, const SwatchState& s, int index) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const int columns = Columns(s), rows = Rows(s);
  const int column = index % columns, row = index / columns;
  return RECT{rc.right * column / columns, rc.bottom * row / rows, rc.right * (column + 1) / columns,
              rc.bottom * (row + 1) / rows};
}

int CellAt(HWND hwnd, const SwatchState& s, POINT pt) {
  for (int i = 0; i < static_cast<int>(s.colors.size()); ++i) {
    RECT cell = CellRect(hwnd, s, i);
    if (PtInRect(&cell, pt)) return i;
  }
  return -1;
}

void PaintCell(HDC hdc, RECT cell, COLORREF color, bool selected, bool focused) {
  RECT swatch = cell;
  InflateRect(&swatch, -2, -2);
  if (selected) FrameRect(hdc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&swatch, -1, -1);
  DrawEdge(hdc, &swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(hdc, &swatch, brush);
  DeleteObject(brush);
  if (focused) {
    RECT focus = cell;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(hdc, &focus);
  }
}

void Paint(HWND hwnd, const SwatchState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  const bool single = s.colors.size() == 1;
  for (int i = 0; i < static_cast<int>(s.colors.size()); ++i) {
    RECT cell = single ? rc : CellRect(hwnd, s, i);
    if (single) {
      DrawEdge(hdc, &cell, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      HBRUSH brush = CreateSolidBrush(s.colors[0]);
      FillRect(hdc, &cell, brush);
      DeleteObject(brush);
    } else {
      PaintCell(hdc, cell, s.colors[static_cast<size_t>(i)], i == s.selected, s.focused && i == s.selected);
    }
  }
  EndPaint(hwnd, &ps);
}

void Select(HWND hwnd, SwatchState& s, int index, bool notify) {
  if (index < 0 || index >= static_cast<int>(s.colors.size())) return;
  s.selected = index;
  InvalidateRect(hwnd, nullptr, TRUE);
  if (notify) ctl::NotifyParent(hwnd, CSN_SELECT);
}

void OnKey(HWND hwnd, SwatchState& s, WPARAM key) {
  const int count = static_cast<int>(s.colors.size());
  if (count == 0) return;
  int index = std::max(0, s.selected);
  const int columns = Columns(s);
  if (key == VK_LEFT) index = (index + count - 1) % count;
  else if (key == VK_RIGHT) index = (index + 1) % count;
  else if (key == VK_UP) index = (index + count - columns) % count;
  else if (key == VK_DOWN) index = (index + columns) % count;
  else return;
  Select(hwnd, s, index, true);
}

LRESULT OnSetColors(HWND hwnd, SwatchState& s, WPARAM count, LPARAM colors) {
  const auto* table = reinterpret_cast<const COLORREF*>(colors);
  if (!table) count = 0;
  s.colors.assign(table, table + count);
  if (s.selected >= static_cast<int>(s.colors.size())) s.selected = -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnSetColor(HWND hwnd, SwatchState& s, WPARAM index, LPARAM color) {
  if (index >= s.colors.size()) return FALSE;
  s.colors[index] = static_cast<COLORREF>(color);
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT CALLBACK SwatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_swatches.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<SwatchState> s = g_swatches.Get(hwnd);
  switch (msg) {
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      const POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
      Select(hwnd, *s, CellAt(hwnd, *s, pt), true);
      return 0;
    }
    case WM_KEYDOWN: OnKey(hwnd, *s, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = msg == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case CSM_SETCOLORS: return OnSetColors(hwnd, *s, wParam, lParam);
    case CSM_GETCOLOR: return wParam < s->colors.size() ? static_cast<LRESULT>(s->colors[wParam]) : 0;
    case CSM_SETCOLOR: return OnSetColor(hwnd, *s, wParam, lParam);
    case CSM_SETSEL:
      s->selected = static_cast<int>(static_cast<int32_t>(wParam));
      if (s->selected >= static_cast<int>(s->colors.size())) s->selected = -1;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case CSM_GETSEL: return s->selected;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void RegisterSwatchClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = SwatchProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = LV_COLOR_SWATCHES_CLASS;
  RegisterClassA(&wc);
}

}  // namespace lv::dlg
