// Keyboard focus, activation, mouse capture and the input state (keys and
// cursor position as the user agent's input left them).
#include "userint.h"

#include <algorithm>
#include <cstring>

namespace lvuser {

namespace {
HWND g_focus = 0;
HWND g_active = 0;
HWND g_capture = 0;
BYTE g_keys[256] = {};
// Keys pressed since the last GetAsyncKeyState query of that key.
bool g_pressedSinceQuery[256] = {};
POINT g_cursor{512, 384};

bool Usable(HWND h, HWND except) {
  Wnd* w = FindWnd(h);
  return w && h != except && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
         !w->destroying;
}

HWND ActivationCandidate(HWND leaving) {
  Wnd* w = FindWnd(leaving);
  if (w && Usable(w->owner, leaving)) return w->owner;
  for (HWND t : TopLevelWindows())
    if (Usable(t, leaving)) return t;
  return 0;
}

void BringToFront(HWND h) {
  auto& list = TopLevelWindows();
  auto it = std::find(list.begin(), list.end(), h);
  if (it == list.end() || it == list.begin()) return;
  list.erase(it);
  list.insert(list.begin(), h);
}
}  // namespace

void ActivateTopLevel(HWND hwnd, int how) {
  if (!hwnd) hwnd = ActivationCandidate(g_active);
  if (hwnd == g_active) return;
  HWND old = g_active;
  if (Wnd* ow = FindWnd(old)) {
    SendTo(ow, WM_NCACTIVATE, FALSE, 0);
    if ((ow = FindWnd(old))) SendTo(ow, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, ow->minimized), static_cast<LPARAM>(hwnd));
  }
  g_active = hwnd;
  if (Wnd* nw = FindWnd(hwnd)) {
    BringToFront(hwnd);
    SendTo(nw, WM_NCACTIVATE, TRUE, 0);
    if ((nw = FindWnd(hwnd)) && g_active == hwnd)
      SendTo(nw, WM_ACTIVATE, MAKEWPARAM(how, nw->minimized), static_cast<LPARAM>(old));
  } else if (g_focus) {
    SetFocus(0);
  }
}

void ForgetWindow(HWND hwnd) {
  if (g_focus && (g_focus == hwnd || IsDescendant(hwnd, g_focus))) {
    HWND prev = g_focus;
    g_focus = 0;
    if (Wnd* w = FindWnd(prev)) SendTo(w, WM_KILLFOCUS, 0, 0);
  }
  if (g_capture && (g_capture == hwnd || IsDescendant(hwnd, g_capture))) ReleaseCapture();
  if (g_active == hwnd) {
    HWND next = ActivationCandidate(hwnd);
    g_active = 0;
    if (next) ActivateTopLevel(next, WA_ACTIVE);
  }
}

void SetKeyDown(UINT vk, bool down) {
  if (vk > 255) return;
  if (down) {
    if (!(g_keys[vk] & 0x80)) g_keys[vk] ^= 0x01;
    g_keys[vk] |= 0x80;
    g_pressedSinceQuery[vk] = true;
  } else {
    g_keys[vk] &= static_cast<BYTE>(~0x80);
  }
  // The generic shift keys follow their left-hand keys.
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) SetKeyDown(VK_SHIFT, down);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) SetKeyDown(VK_CONTROL, down);
}

bool KeyDown(UINT vk) {
  return vk <= 255 && (g_keys[vk] & 0x80);
}

DWORD MouseKeyFlags() {
  DWORD f = 0;
  if (KeyDown(VK_LBUTTON)) f |= MK_LBUTTON;
  if (KeyDown(VK_RBUTTON)) f |= MK_RBUTTON;
  if (KeyDown(VK_MBUTTON)) f |= MK_MBUTTON;
  if (KeyDown(VK_SHIFT)) f |= MK_SHIFT;
  if (KeyDown(VK_CONTROL)) f |= MK_CONTROL;
  return f;
}

void SetCursorPosition(POINT p) {
  g_cursor.x = std::clamp<LONG>(p.x, 0, 1023);
  g_cursor.y = std::clamp<LONG>(p.y, 0, 767);
}

}  // namespace lvuser

using namespace lvuser;

HWND SetFocus(HWND hwnd) {
  if (hwnd && !IsWindow(hwnd)) return 0;
  HWND prev = g_focus;
  if (hwnd == prev) return prev;
  if (hwnd) {
    Wnd* top = TopLevelOf(FindWnd(hwnd));
    if (top && top->handle != g_active) {
      ActivateTopLevel(top->handle, WA_ACTIVE);
      if (!IsWindow(hwnd)) return 0;
      prev = g_focus;
      if (hwnd == prev) return prev;
    }
  }
  g_focus = hwnd;
  if (Wnd* pw = FindWnd(prev)) SendTo(pw, WM_KILLFOCUS, static_cast<WPARAM>(hwnd), 0);
  if (g_focus == hwnd) {
    if (Wnd* nw = FindWnd(hwnd)) SendTo(nw, WM_SETFOCUS, static_cast<WPARAM>(prev), 0);
  }
  return prev;
}

HWND GetFocus(void) {
  return g_focus;
}

HWND SetActiveWindow(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  if (hwnd && !w) return 0;
  if (w) hwnd = TopLevelOf(w)->handle;
  HWND old = g_active;
  ActivateTopLevel(hwnd, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow(void) {
  return g_active;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  SetActiveWindow(hwnd);
  return TRUE;
}

HWND GetForegroundWindow(void) {
  return g_active;
}

HWND SetCapture(HWND hwnd) {
  HWND old = g_capture;
  if (hwnd && !IsWindow(hwnd)) return old;
  g_capture = hwnd;
  if (old && old != hwnd) {
    if (Wnd* w = FindWnd(old)) SendTo(w, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd));
  }
  return old;
}

BOOL ReleaseCapture(void) {
  HWND old = g_capture;
  g_capture = 0;
  if (Wnd* w = FindWnd(old)) SendTo(w, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture(void) {
  return g_capture;
}

SHORT GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  BYTE k = g_keys[virtualKey];
  return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  // Bit 15: the key is down now; bit 0: it was pressed since the last query,
  // so a press and release between two polls is still seen.
  SHORT state = static_cast<SHORT>(((g_keys[virtualKey] & 0x80) ? 0x8000 : 0) |
                                   (g_pressedSinceQuery[virtualKey] ? 1 : 0));
  g_pressedSinceQuery[virtualKey] = false;
  return state;
}

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::memcpy(state, g_keys, sizeof g_keys);
  return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = g_cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  SetCursorPosition(POINT{x, y});
  return TRUE;
}
