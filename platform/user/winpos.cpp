// Window geometry: frames and client areas, showing, moving and sizing with
// their messages, z-order, coordinate mapping and hit testing.
#include "userint.h"

#include <algorithm>

namespace lvuser {

Wnd* TopLevelOf(Wnd* w) {
  while (w && w->parent) {
    Wnd* p = FindWnd(w->parent);
    if (!p) break;
    w = p;
  }
  return w;
}

POINT WindowOrigin(Wnd* w) {
  if (!w->parent) return POINT{w->rect.left, w->rect.top};
  Wnd* p = FindWnd(w->parent);
  if (!p) return POINT{w->rect.left, w->rect.top};
  POINT o = ClientOrigin(p);
  return POINT{o.x + w->rect.left, o.y + w->rect.top};
}

POINT ClientOrigin(Wnd* w) {
  POINT o = WindowOrigin(w);
  return POINT{o.x + w->client.left, o.y + w->client.top};
}

RECT FrameInsets(DWORD style, DWORD exStyle, bool child) {
  int b = 0;
  if (style & WS_THICKFRAME)
    b = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  RECT in{b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    in.top += (exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
  if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  (void)child;
  return in;
}

void RecalcClient(Wnd* w) {
  RECT r = w->rect;
  HWND h = w->handle;
  SendTo(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if (!(w = FindWnd(h))) return;
  r.left = std::clamp(r.left, w->rect.left, w->rect.right);
  r.right = std::clamp(r.right, r.left, w->rect.right);
  r.top = std::clamp(r.top, w->rect.top, w->rect.bottom);
  r.bottom = std::clamp(r.bottom, r.top, w->rect.bottom);
  w->client = RECT{r.left - w->rect.left, r.top - w->rect.top, r.right - w->rect.left,
                   r.bottom - w->rect.top};
}

void SyncSurface(Wnd* w) {
  if (w->parent) return;
  int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  if (!w->surface)
    w->surface = NewSurface(width, height);
  else if (w->surface->width != std::max(width, 1) || w->surface->height != std::max(height, 1))
    ResizeSurface(w->surface, width, height);
}

namespace {
void ReorderSibling(Wnd* w, HWND after) {
  std::vector<HWND>* list = &TopLevelWindows();
  if (w->parent) {
    Wnd* p = FindWnd(w->parent);
    if (!p) return;
    list = &p->children;
  }
  list->erase(std::remove(list->begin(), list->end(), w->handle), list->end());
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    list->insert(list->begin(), w->handle);
  } else if (after == HWND_BOTTOM) {
    list->push_back(w->handle);
  } else {
    auto it = std::find(list->begin(), list->end(), after);
    list->insert(it == list->end() ? list->begin() : it + 1, w->handle);
  }
}

// Marks the area a window covers in its parent (or the window itself when
// top-level) for repainting.
void InvalidateCovered(Wnd* w, const RECT& rectInParent) {
  if (w->parent) {
    if (Wnd* p = FindWnd(w->parent)) {
      RECT r = rectInParent;
      InvalidateWnd(p, &r, true, true);
    }
  }
}

void HideWindow(Wnd* w) {
  HWND h = w->handle;
  SendTo(w, WM_SHOWWINDOW, FALSE, 0);
  if (!(w = FindWnd(h))) return;
  SetWindowPos(h, 0, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ShowsActivating(int command) {
  return command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE &&
         command != SW_MINIMIZE;
}

Wnd* DeepestAt(Wnd* w, POINT screen) {
  for (HWND k : w->children) {
    Wnd* kw = FindWnd(k);
    if (!kw || !(kw->style & WS_VISIBLE) || (kw->style & WS_DISABLED)) continue;
    POINT o = WindowOrigin(kw);
    RECT r{o.x, o.y, o.x + (kw->rect.right - kw->rect.left), o.y + (kw->rect.bottom - kw->rect.top)};
    if (!PtInRect(&r, screen)) continue;
    LRESULT hit = SendTo(kw, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTTRANSPARENT) continue;
    if (!(kw = FindWnd(k))) continue;
    return DeepestAt(kw, screen);
  }
  return w;
}
}  // namespace

}  // namespace lvuser

using namespace lvuser;

BOOL ShowWindow(HWND hwnd, int command) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  BOOL was = (w->style & WS_VISIBLE) != 0;
  if (command == SW_HIDE) {
    if (was) HideWindow(w);
    return was;
  }
  w->minimized = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
  w->maximized = command == SW_SHOWMAXIMIZED;
  if (!was) {
    SendTo(w, WM_SHOWWINDOW, TRUE, 0);
    if (!IsWindow(hwnd)) return was;
    SetWindowPos(hwnd, 0, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  w = FindWnd(hwnd);
  if (w && !w->parent && ShowsActivating(command) && !(w->style & WS_DISABLED)) SetActiveWindow(hwnd);
  return was;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Wnd* w = FindWnd(hwnd);
  if (!w || hwnd == DesktopHandle()) return FALSE;
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.left;
    wp.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->rect.right - w->rect.left;
    wp.cy = w->rect.bottom - w->rect.top;
  }
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendTo(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = FindWnd(hwnd))) return FALSE;
  }
  RECT old = w->rect;
  RECT now{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized = (now.right - now.left) != (old.right - old.left) || (now.bottom - now.top) != (old.bottom - old.top);
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  if (wasVisible && (moved || sized || (flags & SWP_HIDEWINDOW))) InvalidateCovered(w, old);
  w->rect = now;
  if (sized || (flags & SWP_FRAMECHANGED)) {
    RecalcClient(w);
    if (!(w = FindWnd(hwnd))) return FALSE;
    SyncSurface(w);
  }
  if (!(flags & SWP_NOZORDER)) ReorderSibling(w, wp.hwndInsertAfter);
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) {
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    HWND focus = GetFocus();
    if (focus == hwnd || IsDescendant(hwnd, focus)) SetFocus(w->parent);
    if (!w->parent && GetActiveWindow() == hwnd) ActivateTopLevel(0, WA_ACTIVE);
    if (!(w = FindWnd(hwnd))) return TRUE;
  }
  WINDOWPOS done = wp;
  done.x = w->rect.left;
  done.y = w->rect.top;
  if (!moved) done.flags |= SWP_NOMOVE;
  if (!sized) done.flags |= SWP_NOSIZE;
  SendTo(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  if (!(w = FindWnd(hwnd))) return TRUE;
  if (!(flags & SWP_NOREDRAW) && (w->style & WS_VISIBLE) &&
      (moved || sized || (flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED)) || !(flags & SWP_NOZORDER))) {
    InvalidateFrame(w);
    InvalidateWnd(w, nullptr, true, true);
  }
  if (!w->parent && (flags & SWP_SHOWWINDOW) && !(flags & SWP_NOACTIVATE) && !(w->style & WS_DISABLED))
    SetActiveWindow(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, 0, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !rect) return FALSE;
  POINT o = WindowOrigin(w);
  *rect = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOrigin(w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !point) return FALSE;
  POINT o = ClientOrigin(w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Wnd* w = FindWnd(from);
    if (!w) return 0;
    a = ClientOrigin(w);
  }
  if (to) {
    Wnd* w = FindWnd(to);
    if (!w) return 0;
    b = ClientOrigin(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WindowFromPoint(POINT point) {
  for (HWND t : TopLevelWindows()) {
    Wnd* w = FindWnd(t);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    if (!PtInRect(&w->rect, point)) continue;
    return DeepestAt(w, point)->handle;
  }
  return DesktopHandle();
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
  Wnd* p = FindWnd(parent);
  if (!p) return 0;
  RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  if (!PtInRect(&client, point)) return 0;
  for (HWND k : p->children) {
    Wnd* kw = FindWnd(k);
    if (!kw) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(kw->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (kw->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (kw->exStyle & WS_EX_TRANSPARENT)) continue;
    if (PtInRect(&kw->rect, point)) return k;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  return ChildWindowFromPointEx(parent, point, CWP_ALL);
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT in = FrameInsets(style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), exStyle, (style & WS_CHILD) != 0);
  rect->left -= in.left;
  rect->top -= in.top;
  rect->right += in.right;
  rect->bottom += in.bottom;
  if (menu) rect->top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}
