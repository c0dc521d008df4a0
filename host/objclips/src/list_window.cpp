// The "T32IIO_CLASS" window: shows the list attached to it (IIO_ATTACH),
// selects an item on a click or with the arrow keys and tells its parent
// through WM_COMMAND (IIN_SELCHANGE, IIN_DBLCLK). The vertical scroll
// offset is kept in the window's extra bytes.
#include <algorithm>

#include "list_view.h"

namespace objclips {
namespace {

constexpr int kScrollSlot = 0;  // window extra bytes: scroll offset in pixels

LONG TextHeight(HWND hwnd) {
  HDC dc = GetDC(hwnd);
  TEXTMETRICA metrics{};
  LONG height = dc && GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 14;
  if (dc) ReleaseDC(hwnd, dc);
  return height + 2;
}

ListLayout LayoutOf(HWND hwnd, const ItemList& list) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return ComputeLayout(list.props, client.right - client.left,
                       list.props.showNames ? TextHeight(hwnd) : 0);
}

// Keeps the scroll offset between 0 and the content below the window.
LONG ClampScroll(HWND hwnd, const ItemList& list, LONG scrollY) {
  RECT client{};
  GetClientRect(hwnd, &client);
  LONG most = ContentHeight(LayoutOf(hwnd, list), list.Count()) - (client.bottom - client.top);
  return std::clamp<LONG>(scrollY, 0, std::max<LONG>(most, 0));
}

void SetScroll(HWND hwnd, const ItemList& list, LONG scrollY) {
  SetWindowLongA(hwnd, kScrollSlot, ClampScroll(hwnd, list, scrollY));
  InvalidateRect(hwnd, nullptr, TRUE);
}

// Scrolls so that the item's cell is wholly visible.
void ScrollIntoView(HWND hwnd, const ItemList& list, LONG index) {
  RECT client{};
  GetClientRect(hwnd, &client);
  LONG scroll = GetWindowLongA(hwnd, kScrollSlot);
  RECT cell = CellRect(LayoutOf(hwnd, list), index, 0);
  if (cell.top < scroll) scroll = cell.top;
  if (cell.bottom > scroll + client.bottom) scroll = cell.bottom - client.bottom;
  SetScroll(hwnd, list, scroll);
}

void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (parent) {
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                 static_cast<LPARAM>(hwnd));
  }
}

void OnPaint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  ItemList* list = FindListByWindow(hwnd);
  RECT client{};
  GetClientRect(hwnd, &client);
  if (list) {
    LONG scroll = ClampScroll(hwnd, *list, GetWindowLongA(hwnd, kScrollSlot));
    PaintList(dc, *list, LayoutOf(hwnd, *list), client, scroll);
  } else {
    FillRect(dc, &client, static_cast<HBRUSH>(COLOR_WINDOW + 1));
  }
  EndPaint(hwnd, &paint);
}

void OnClick(HWND hwnd, LPARAM lParam, bool doubleClick) {
  SetFocus(hwnd);
  ItemList* list = FindListByWindow(hwnd);
  if (!list) return;
  LONG x = static_cast<SHORT>(LOWORD(lParam)), y = static_cast<SHORT>(HIWORD(lParam));
  LONG hit = HitTest(LayoutOf(hwnd, *list), list->Count(), x, y, GetWindowLongA(hwnd, kScrollSlot));
  if (hit < 0) return;
  bool changed = hit != list->props.selected;
  list->props.selected = hit;
  InvalidateRect(hwnd, nullptr, TRUE);
  // The parent may destroy the list while handling the notice: touch
  // nothing afterwards.
  if (doubleClick) {
    Notify(hwnd, IIN_DBLCLK);
  } else if (changed) {
    Notify(hwnd, IIN_SELCHANGE);
  }
}

// Arrow keys, Home and End move the selection.
bool OnKey(HWND hwnd, WPARAM key) {
  ItemList* list = FindListByWindow(hwnd);
  if (!list || list->Count() == 0) return false;
  ListLayout layout = LayoutOf(hwnd, *list);
  LONG at = list->props.selected, last = list->Count() - 1;
  switch (key) {
    case VK_LEFT: at = at < 0 ? 0 : at - 1; break;
    case VK_RIGHT: at = at + 1; break;
    case VK_UP: at = at < 0 ? 0 : at - layout.columns; break;
    case VK_DOWN: at = at < 0 ? 0 : at + layout.columns; break;
    case VK_HOME: at = 0; break;
    case VK_END: at = last; break;
    default: return false;
  }
  at = std::clamp<LONG>(at, 0, last);
  if (at == list->props.selected) return true;
  list->props.selected = at;
  ScrollIntoView(hwnd, *list, at);
  Notify(hwnd, IIN_SELCHANGE);
  return true;
}

LRESULT CALLBACK ListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    case WM_LBUTTONDOWN:
      OnClick(hwnd, lParam, false);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnClick(hwnd, lParam, true);
      return 0;
    case WM_KEYDOWN:
      if (OnKey(hwnd, wParam)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_MOUSEWHEEL: {
      ItemList* list = FindListByWindow(hwnd);
      if (list) {
        SHORT delta = static_cast<SHORT>(HIWORD(wParam));
        SetScroll(hwnd, *list, GetWindowLongA(hwnd, kScrollSlot) - delta / 4);
      }
      return 0;
    }
    case WM_SIZE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_DESTROY:
      DetachWindow(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The class is global so that every module's dialog templates find it.
struct ClassRegistrar {
  ClassRegistrar() { RegisterListClass(); }
} registrar;

}  // namespace

BOOL RegisterListClass() {
  WNDCLASSA wc{};
  if (GetClassInfoA(0, IIO_CLASS_NAME, &wc)) return TRUE;
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ListWindowProc;
  wc.cbWndExtra = sizeof(LONG);
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = IIO_CLASS_NAME;
  return RegisterClassA(&wc) != 0;
}

void NotifyWindow(HWND window) {
  if (window && IsWindow(window)) InvalidateRect(window, nullptr, TRUE);
}

}  // namespace objclips

LVEXPORT BOOL t32RegisterIIOClass(void) { return objclips::RegisterListClass(); }
