// Window placement.
#include <hostcommon.h>

namespace {

const HWND kScreen = static_cast<HWND>(-1);

RECT ScreenRect() {
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return screen;
}

// Top-left corner that centres a size over area, kept on the screen.
POINT CentreOver(const RECT& area, LONG width, LONG height) {
  RECT screen = ScreenRect();
  POINT at = {area.left + (area.right - area.left - width) / 2,
              area.top + (area.bottom - area.top - height) / 2};
  if (at.x + width > screen.right) at.x = screen.right - width;
  if (at.y + height > screen.bottom) at.y = screen.bottom - height;
  if (at.x < screen.left) at.x = screen.left;
  if (at.y < screen.top) at.y = screen.top;
  return at;
}

}  // namespace

BOOL t32MoveWindow(HWND window, HWND reference, LONG placement) {
  if (!IsWindow(window)) return FALSE;
  RECT area;
  if (placement == 1 && reference != kScreen && reference != 0) {
    if (!GetWindowRect(reference, &area)) return FALSE;
  } else if (placement == 1 || placement == 5) {
    area = ScreenRect();
  } else {
    return FALSE;
  }
  RECT own;
  if (!GetWindowRect(window, &own)) return FALSE;
  LONG width = own.right - own.left;
  LONG height = own.bottom - own.top;
  POINT at = CentreOver(area, width, height);
  // Child windows are placed in their parent's client coordinates.
  HWND parent = GetParent(window);
  if (parent && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) ScreenToClient(parent, &at);
  return SetWindowPos(window, 0, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
